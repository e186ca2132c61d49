// The messenger's pure models: chats and their tabs and lines, the member list's order and scrolling, the
// member menu's entries, the alarm's state, the blinking, and the friend and clan dialogs' rules and queue.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/UserDirectory.h"
#include "client/scenes/common/TextFields.h"
#include "client/scenes/community/BlinkingIcon.h"
#include "client/scenes/community/ChatPartners.h"
#include "client/scenes/community/CommunityRules.h"
#include "client/scenes/community/FriendRequestQueue.h"
#include "client/scenes/community/MemberListPage.h"
#include "client/scenes/community/MemberMenuRules.h"
#include "client/scenes/community/MessengerAlarm.h"
#include "platform/system/Sleep.h"

namespace kestrovan::test {
namespace {

MemberSnapshot Member(uint32_t id, quill::WStringView nickname = u"friend", int8_t channel = 1, int16_t place = 0) {
    MemberSnapshot member;
    member.memberId = id;
    member.userId = 1000 + id;
    member.nickname = quill::WString(nickname);
    member.channel = channel;
    member.place = place;
    return member;
}

std::vector<quill::WString> Texts(const std::vector<ChatLine>& lines) {
    std::vector<quill::WString> texts;
    for (const ChatLine& line : lines)
        texts.push_back(line.text);
    return texts;
}

TEST(ChatPartnerTest, AChatStartsWithItsKindAndKeepsTheNewest200LinesCutToTheirField) {
    EXPECT_EQ(ChatPartner(Member(4), ChatKind::Friend).Lines().front().text, u"- Friend Chat");
    EXPECT_EQ(ChatPartner(Member(4), ChatKind::ClanMember).Lines().front().text, u"- Clan Member Chat");
    EXPECT_EQ(ChatPartner(Member(0), ChatKind::Clan).Lines().front().text, u"- Clan Chat");
    EXPECT_EQ(ChatPartner(Member(4), 11).Lines().front().text, u"- Friend Chat") << "kinds count % 10";

    ChatPartner partner(Member(4), ChatKind::Friend);
    for (int n = 1; n < 200; ++n)
        partner.AddLine(quill::Format(u"line %d", n), 0xFFFFFF00);
    EXPECT_EQ(partner.LineCount(), 200);
    EXPECT_EQ(partner.Lines().front().text, u"- Friend Chat");
    partner.AddLine(u"line 200", 0xFFFFFFFF);
    EXPECT_EQ(partner.LineCount(), 200) << "the 201st line drops the oldest";
    EXPECT_EQ(partner.Lines().front().text, u"line 1");
    EXPECT_EQ(partner.Lines().back().colour, 0xFFFFFFFFu);

    // A line longer than its field is cut to 79 units, never between the halves of a character.
    quill::WString hostile(78, u'x');
    hostile += u"\U0001F3B1\U0001F3B1";
    partner.AddLine(hostile, 0);
    EXPECT_EQ(partner.Lines().back().text, quill::WString(78, u'x'));
    partner.AddLine(quill::WString(3000, u'y'), 0);
    EXPECT_EQ(partner.Lines().back().text.size(), ChatLine::kLength);
}

TEST(ChatPartnerTest, TheFirstUnreadLineKeepsItsTime) {
    ChatPartner partner(Member(4), ChatKind::Friend);
    partner.MarkUnread(500);
    partner.MarkUnread(900);
    EXPECT_TRUE(partner.IsUnread());
    EXPECT_EQ(partner.FirstUnreadMs(), 500u);
    partner.ClearUnread();
    partner.MarkUnread(1200);
    EXPECT_EQ(partner.FirstUnreadMs(), 1200u);
}

TEST(ChatPartnersTest, OpeningFindsTheMembersChatAndSelectsOnlyWhenAskedOrNoneIsCurrent) {
    ChatPartners chats;
    bool opened = false;
    ChatPartner& first = chats.Open(Member(1), ChatKind::Friend, false, &opened);
    EXPECT_TRUE(opened);
    EXPECT_EQ(chats.Current(), &first) << "none was current";
    ChatPartner& second = chats.Open(Member(2), ChatKind::Friend, false, &opened);
    EXPECT_EQ(chats.Current(), &first);
    EXPECT_EQ(&chats.Open(Member(2, u"renamed"), ChatKind::Friend, true, &opened), &second);
    EXPECT_FALSE(opened);
    EXPECT_EQ(chats.Current(), &second);
    EXPECT_EQ(chats.Count(), 2);

    // Closing the current chat makes the first remaining one current; closing the last leaves none.
    EXPECT_TRUE(chats.CloseCurrent());
    EXPECT_EQ(chats.Current(), &first);
    EXPECT_TRUE(chats.CloseCurrent());
    EXPECT_EQ(chats.Current(), nullptr);
    EXPECT_FALSE(chats.CloseCurrent());
}

TEST(ChatPartnersTest, FourChatsShowThreeTabsFromTheFirstShownTab) {
    ChatPartners chats;
    for (uint32_t id = 1; id <= 4; ++id)
        chats.Open(Member(id), ChatKind::Friend, false);
    ChatPartners::TabView tabs = chats.Tabs();
    EXPECT_EQ(tabs.range, 2);
    ASSERT_EQ(tabs.shown.size(), 3u);
    EXPECT_EQ(tabs.shown[0]->MemberId(), 1u);

    chats.SetFirstTab(chats.FirstTab() + 1);  // " ..."
    tabs = chats.Tabs();
    EXPECT_EQ(tabs.shown.front()->MemberId(), 2u);
    EXPECT_EQ(tabs.shown.back()->MemberId(), 4u);
    chats.SetFirstTab(chats.FirstTab() + 1);
    EXPECT_EQ(chats.Tabs().firstTab, 2) << "the first shown tab stops at count - 2";
    chats.SetFirstTab(-5);
    EXPECT_EQ(chats.Tabs().firstTab, 1);
}

TEST(ChatPartnersTest, SevenLinesShowFromTheFirstShownLineAndANewLineFollowsTheNewest) {
    ChatPartners chats;
    EXPECT_TRUE(chats.Lines().shown.empty());
    ChatPartner& partner = chats.Open(Member(1), ChatKind::Friend, true);
    for (int n = 1; n <= 9; ++n)
        partner.AddLine(quill::Format(u"%d", n), 0);
    EXPECT_EQ(chats.LineRange(), 4) << "ten lines, seven shown";
    EXPECT_EQ(chats.FollowNewest(1), 4);
    EXPECT_EQ(Texts(chats.Lines().shown), (std::vector<quill::WString>{u"3", u"4", u"5", u"6", u"7", u"8", u"9"}));

    chats.SetFirstLine(2);  // the player scrolled up
    partner.AddLine(u"10", 0);
    EXPECT_EQ(chats.FollowNewest(4), 5) << "the view jumps to the newest lines";
    // A first line already beyond the bar's previous range stays.
    chats.SetFirstLine(9);
    EXPECT_EQ(chats.FollowNewest(5), 9);
    EXPECT_EQ(chats.Lines().shown.size(), 3u);
}

class MemberListPageTest : public ::testing::Test {
protected:
    ~MemberListPageTest() override {
        for (auto& record : records)
            directory.Erase(record->userId);
    }
    void Add(uint32_t id, uint8_t channel) {
        records.push_back(std::make_unique<quill::PlayerState>());
        quill::PlayerState& record = *records.back();
        record.userId = id;
        record.name = quill::Format(u"m%d", static_cast<int>(id));
        record.channel = channel;
        directory.Insert(&record);
    }
    static std::vector<uint32_t> Ids(const MemberListPage& page) {
        std::vector<uint32_t> ids;
        for (const MemberSnapshot& member : page.rows)
            ids.push_back(member.memberId);
        return ids;
    }

    quill::UserDirectory directory;
    std::vector<std::unique_ptr<quill::PlayerState>> records;
};

TEST_F(MemberListPageTest, OnlineMembersComeFirstEachGroupInKeyOrder) {
    Add(5, 0xFF);
    Add(3, 2);
    Add(9, 0);
    Add(1, 0xFF);
    Add(7, 4);
    const MemberListPage page = MemberListPage::Read(directory, 1);
    EXPECT_EQ(page.count, 5);
    EXPECT_EQ(Ids(page), (std::vector<uint32_t>{3, 7, 9, 1, 5}));
    EXPECT_EQ(page.rows[3].channel, -1);
    EXPECT_EQ(page.scrollRange, 1);
}

TEST_F(MemberListPageTest, TheFirstShownRowStopsAtCountMinusSeven) {
    for (uint32_t id = 1; id <= 12; ++id)
        Add(id, id % 2 == 0 ? 1 : 0xFF);
    MemberListPage page = MemberListPage::Read(directory, 4);
    EXPECT_EQ(page.firstRow, 4);
    EXPECT_EQ(page.rows.size(), 8u);
    EXPECT_EQ(page.rows.front().memberId, 8u) << "past the online 2, 4 and 6";
    page = MemberListPage::Read(directory, 40);
    EXPECT_EQ(page.firstRow, 5);
    EXPECT_EQ(page.scrollRange, 5);
    EXPECT_EQ(page.rows.size(), 8u);
    EXPECT_EQ(page.rows.back().memberId, 11u);
    EXPECT_EQ(MemberListPage::Read(directory, 0).firstRow, 1);
    EXPECT_EQ(MemberListPage::ClampFirstRow(3, 0), 1);
}

TEST(MemberMenuRulesTest, EntriesFollowWhereTheMemberAndThePlayerAre) {
    const OwnLocation inLobby{2000, 3, 0};
    const OwnLocation loggedIn{2000, 0, 0};
    const OwnLocation inShop{2000, 3, -3};
    EXPECT_TRUE(IsOwnMember(Member(1000), inLobby));
    EXPECT_FALSE(IsOwnMember(Member(999), inLobby));

    struct Case {
        int8_t channel;
        int16_t place;
        OwnLocation own;
        bool invite;
        bool join;
    };
    const Case cases[] = {
        {1, 0, inLobby, true, true},     {1, 12, inLobby, true, true},  {0, 0, inLobby, true, false},
        {-1, -3, inLobby, false, false}, {2, -2, inLobby, true, false}, {1, 0, loggedIn, false, true},
        {1, 0, inShop, false, true},
    };
    for (const Case& c : cases) {
        const MemberMenuState state = MemberMenuFor(Member(5, u"m", c.channel, c.place), c.own, MessengerView::Friends);
        EXPECT_EQ(state.invite, c.invite) << int(c.channel) << " " << c.place;
        EXPECT_EQ(state.joinWith, c.join) << int(c.channel) << " " << c.place;
        EXPECT_TRUE(state.deleteFriend);
    }
    EXPECT_FALSE(MemberMenuFor(Member(5), inLobby, MessengerView::Clan).deleteFriend);
}

TEST(MessengerAlarmTest, ALineWhileClosedLeavesTheMessengerUnreadUntilItOpens) {
    MessengerAlarm alarm;
    MessengerAlarm::LineEffects closed = alarm.OnLine(MessengerView::Friends, false);
    EXPECT_TRUE(closed.showIcon && closed.playSound && closed.partnerUnread && closed.redrawTabs);
    EXPECT_TRUE(alarm.IsUnread());
    MessengerAlarm::SceneEntry entry = alarm.OnSceneEnter();
    EXPECT_TRUE(entry.showIcon && entry.playSound && !entry.reopen);

    alarm.ToggleAlarm();
    EXPECT_FALSE(alarm.OnLine(MessengerView::Chat, true).playSound) << "the alarm is off";
    EXPECT_FALSE(alarm.OnSceneEnter().playSound);
    EXPECT_TRUE(alarm.OnOpen()) << "opening reports the unread line once";
    EXPECT_FALSE(alarm.OnOpen());
    EXPECT_TRUE(alarm.OnSceneEnter().reopen);
    alarm.OnClose();
    EXPECT_FALSE(alarm.OnSceneEnter().showIcon);
}

TEST(MessengerAlarmTest, WhileOpenTheViewDecidesWhatALineDoes) {
    MessengerAlarm alarm;
    alarm.OnOpen();
    const MessengerAlarm::LineEffects current = alarm.OnLine(MessengerView::Chat, true);
    EXPECT_TRUE(current.redrawLines);
    EXPECT_FALSE(current.partnerUnread || current.playSound || current.showIcon);
    const MessengerAlarm::LineEffects other = alarm.OnLine(MessengerView::Chat, false);
    EXPECT_TRUE(other.partnerUnread && other.redrawTabs);
    EXPECT_FALSE(other.redrawLines || other.showChatTabMark || other.playSound);
    const MessengerAlarm::LineEffects list = alarm.OnLine(MessengerView::Clan, false);
    EXPECT_TRUE(list.partnerUnread && list.showChatTabMark && list.playSound && list.redrawTabs);
    EXPECT_FALSE(list.showIcon);
    EXPECT_FALSE(alarm.IsUnread()) << "only a closed messenger is unread";
}

TEST(BlinkingIconTest, LitForOneSecondOfEveryTwoEvenAcrossTheTimersWrap) {
    EXPECT_EQ(BlinkingIcon::OpacityAt(1000, 1000), 1.0f);
    EXPECT_EQ(BlinkingIcon::OpacityAt(1999, 1000), 1.0f);
    EXPECT_EQ(BlinkingIcon::OpacityAt(2000, 1000), BlinkingIcon::kDimAlpha);
    EXPECT_EQ(BlinkingIcon::OpacityAt(3000, 1000), 1.0f);
    EXPECT_EQ(BlinkingIcon::OpacityAt(500, 0xFFFFFF00u), 1.0f) << "756 ms after the start";
    EXPECT_EQ(BlinkingIcon::OpacityAt(1500, 0xFFFFFF00u), BlinkingIcon::kDimAlpha);
}

TEST(CommunityRulesTest, ClanCapacityCostsTheTablesDifference) {
    EXPECT_EQ(ClanCreationCost(), 100000);
    EXPECT_EQ(ClanCapacityCost(2, 4), 300000) << "20 to 40 players";
    EXPECT_EQ(ClanCapacityCost(0, 7), 1700000);
    EXPECT_EQ(ClanCapacityCost(4, 2), 0);
    EXPECT_EQ(ClanCapacityCost(0, 99), 3000000) << "beyond the table counts as its end";
    EXPECT_EQ(ClanCapacityCost(-3, 1), 100000);
}

TEST(CommunityRulesTest, NamesTakeFourToTwelveBytesOfTheCodePage) {
    EXPECT_FALSE(IsNameLengthValid(u"abc"));
    EXPECT_TRUE(IsNameLengthValid(u"abcd"));
    EXPECT_TRUE(IsNameLengthValid(u"abcdefghijkl"));
    EXPECT_FALSE(IsNameLengthValid(u"abcdefghijklm"));
    EXPECT_TRUE(IsNameLengthValid(u"가나다라마바")) << "six two-byte characters";
    EXPECT_FALSE(IsNameLengthValid(u"가나다라마바a"));
    EXPECT_TRUE(IsNameLengthValid(u"가나")) << "two Korean characters are four bytes";
    EXPECT_FALSE(IsNameLengthValid(u"가a"));
    EXPECT_EQ(CodePageBytes(u"\U0001F3B1x"), 2u) << "an unmappable character counts as its '?'";
    EXPECT_FALSE(IsNameLengthValid(u""));
}

class FriendRequestQueueTest : public ::testing::Test {
protected:
    FriendRequestQueueTest() {
        platform::SetSleepHook([this](uint32_t) { ++sleeps; });
    }
    ~FriendRequestQueueTest() override { platform::SetSleepHook({}); }
    int sleeps = 0;
};

TEST_F(FriendRequestQueueTest, OneRequestPerMemberAnsweredFromTheHead) {
    FriendRequestQueue queue;
    EXPECT_EQ(queue.Add(11, 1, u"first"), FriendRequestQueue::Added::Queued);
    EXPECT_EQ(queue.Add(12, 2, u"second"), FriendRequestQueue::Added::Queued);
    EXPECT_EQ(queue.Add(11, 1, u"again"), FriendRequestQueue::Added::Duplicate);
    EXPECT_EQ(queue.Count(), 2u);
    EXPECT_EQ(queue.RecordsInUse(), 2);
    EXPECT_EQ(queue.Head()->nickname, u"first");
    const auto head = queue.TakeHead();
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ(head->userId, 11);
    EXPECT_EQ(head->memberId, 1u);
    EXPECT_EQ(queue.Head()->nickname, u"second");
    EXPECT_EQ(queue.RecordsInUse(), 1);
    EXPECT_EQ(queue.Add(11, 1, u"first"), FriendRequestQueue::Added::Queued) << "answered, it may come again";
    queue.TakeHead();
    queue.TakeHead();
    EXPECT_FALSE(queue.TakeHead().has_value());
    EXPECT_EQ(queue.RecordsInUse(), 0);
}

TEST_F(FriendRequestQueueTest, AFullPoolDropsTheRequestAfterItsTries) {
    FriendRequestQueue queue(3, 5000);
    for (uint32_t id = 1; id <= 3; ++id)
        EXPECT_EQ(queue.Add(id, id, u"member"), FriendRequestQueue::Added::Queued);
    EXPECT_EQ(queue.Add(4, 4, u"late"), FriendRequestQueue::Added::Dropped);
    EXPECT_EQ(sleeps, 4999) << "5000 tries, a wait between each two";
    EXPECT_EQ(queue.Count(), 3u);
    queue.TakeHead();
    EXPECT_EQ(queue.Add(4, 4, u"late"), FriendRequestQueue::Added::Queued);
}

TEST_F(FriendRequestQueueTest, AnOverlongNicknameIsCutToItsField) {
    FriendRequestQueue queue;
    queue.Add(1, 1, quill::WString(1500, u'n'));
    EXPECT_EQ(queue.Head()->nickname.size(), kNicknameLength);
}

}  // namespace
}  // namespace kestrovan::test
