// The lobby's list rows and the location texts the lobby, the messenger and the found-player dialog share:
// how each list names a place, the room row's frame, state, marks, range and stake, the player row's shade,
// level cell, location and clan badge, and the detail panel's running time.
#include <gtest/gtest.h>

#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/scenes/common/PlayerListRow.h"
#include "client/scenes/common/RoomDetailPanel.h"
#include "client/scenes/common/RoomListRow.h"
#include "client/scenes/common/UserLocation.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/NumberDisplay.h"
#include "client/ui/TextLabel.h"
#include "tests/client/ui/UiTestSupport.h"

namespace kestrovan::test {
namespace {

TEST(UserLocationTexts, EachListNamesPlacesItsOwnWay) {
    constexpr int32_t kOwn = 2;
    // Another channel.
    EXPECT_EQ(MessengerLocationText({3, 0}, kOwn), u"Ch.3");
    EXPECT_EQ(LobbyLocationText({3, 0}, kOwn), u"Channel 3");
    // A room of one's own channel: no blank in the messenger.
    EXPECT_EQ(MessengerLocationText({2, 12}, kOwn), u"Room12");
    EXPECT_EQ(LobbyLocationText({2, 12}, kOwn), u"Room 12");
    // A member who logged out (channel -1, place -3) is offline everywhere.
    EXPECT_EQ(MessengerLocationText({-1, -3}, kOwn), u"Offline");
    EXPECT_EQ(LobbyLocationText({-1, -3}, kOwn), u"Offline");
    EXPECT_EQ(FoundPlayerLocationText({-1, -3}), u"Offline");
    EXPECT_EQ(LobbyLocationText({0, 5}, kOwn), u"Login");
    // The shop's entry place: a room number in the messenger, the shop in the lobby.
    EXPECT_EQ(MessengerLocationText({2, -3}, kOwn), u"Room-3");
    EXPECT_EQ(LobbyLocationText({2, -3}, kOwn), u"Shop");
    const std::pair<int16_t, const char16_t*> shared[] = {{-7, u"School"},  {-6, u"Shop"},     {-5, u"TrickShot"},
                                                          {-4, u"Gallery"}, {-2, u"Practice"}, {-1, u"Tutorial"},
                                                          {0, u"Lobby"}};
    for (const auto& [place, name] : shared) {
        EXPECT_EQ(MessengerLocationText({2, place}, kOwn), name) << place;
        EXPECT_EQ(LobbyLocationText({2, place}, kOwn), name) << place;
    }
    // The found player's column never compares channels.
    EXPECT_EQ(FoundPlayerLocationText({2, 0}), u"Channel 2");
    EXPECT_EQ(FoundPlayerLocationText({4, 17}), u"Room 17  Channel 4");
    EXPECT_EQ(ChannelKindSuffix(ChannelKind::Tournament), u"(Tournament)");
    EXPECT_EQ(ChannelKindSuffix(3), u"");
}

TEST(RoomRowRules, FramesRangesAndStates) {
    EXPECT_EQ(RoomRowFrameOf(0).y, 0);
    EXPECT_EQ(RoomRowFrameOf(6).y, 128 * 5);
    EXPECT_EQ(RoomRowFrameOf(16).x, 476);
    EXPECT_EQ(RoomRowFrameOf(16).y, 128 * 4);
    // Modes without a row and modes outside the table get the empty frame, never a negative rectangle.
    for (int32_t mode : {1, 7, 14, 17, 255, -1}) {
        EXPECT_EQ(RoomRowFrameOf(mode).x, 476) << mode;
        EXPECT_EQ(RoomRowFrameOf(mode).y, 960) << mode;
    }
    quill::RoomInfo room;
    room.gameType = 3;
    EXPECT_EQ(RoomHandicapText(room), u"");
    room.maxHandicap = 30;
    EXPECT_EQ(RoomHandicapText(room), u"~ 30");
    room.minHandicap = 10;
    room.maxHandicap = 0;
    EXPECT_EQ(RoomHandicapText(room), u"10 ~");
    room.maxHandicap = 30;
    EXPECT_EQ(RoomHandicapText(room), u"10 ~ 30");
    room.gameType = 10;  // pocket rooms show no range
    EXPECT_EQ(RoomHandicapText(room), u"");

    room.playerCount = 6;
    room.maxPlayers = 6;
    EXPECT_EQ(quill::WString(RoomStateTextOf(room).text), u"FULL");
    EXPECT_EQ(RoomStateTextOf(room).colour, 0xFFFF0000u);
    room.state = 2;
    EXPECT_EQ(quill::WString(RoomStateTextOf(room).text), u"PLAY");
    room.state = 0;
    room.playerCount = 2;
    EXPECT_EQ(RoomStateTextOf(room).colour, 0xFF00FF00u);
}

TEST(PlayerRowRules, NameShade) {
    EXPECT_EQ(NameShadeOf(0).text, 0xFFFFFF00u);
    EXPECT_EQ(NameShadeOf(0).shadow, 0xFF000000u);
    EXPECT_EQ(NameShadeOf(50).text, 0xFF7F7F00u);
    EXPECT_EQ(NameShadeOf(50).shadow, 0xFF7F0000u);
    // 100 and more: black on pure red.
    EXPECT_EQ(NameShadeOf(100).text, 0xFF000000u);
    EXPECT_EQ(NameShadeOf(250).shadow, 0xFFFF0000u);
}

TEST(RoomDetailRules, RunningTimeAcrossTheTickWrap) {
    EXPECT_EQ(RunningTimeOf(1000, 1000 + 125 * 60000).hours, 2u);
    EXPECT_EQ(RunningTimeOf(1000, 1000 + 125 * 60000).minutes, 5u);
    const RunningTime wrapped = RunningTimeOf(0xFFFFFFFFu - 59999u, 60000u);
    EXPECT_EQ(wrapped.hours, 0u);
    EXPECT_EQ(wrapped.minutes, 2u);
}

class ListRowsTest : public UiTest {
protected:
    ListRowsTest() { root.Create(0, 0, 1024, 768, -1, -1); }

    template <class Row>
    Row& Attach(std::unique_ptr<Row> row) {
        Row& ref = *row;
        root.AddChild(std::move(row), true);
        return ref;
    }

    Panel root;
};

TEST_F(ListRowsTest, RoomRowShowsARoomAndClearsToAnEmptyDisabledFrame) {
    RoomListRow& row = Attach(std::make_unique<RoomListRow>(400));
    EXPECT_EQ(row.GetRoomNumber(), -1);
    EXPECT_FALSE(row.IsEnabled());
    EXPECT_FLOAT_EQ(row.GetAlpha(), 0.5f);

    quill::RoomInfo room;
    room.roomNumber = 17;
    room.gameType = 2;
    room.playerCount = 6;
    room.maxPlayers = 6;
    room.title = u"Come and play";
    room.passwordFlag = 1;
    room.stake = 5000;
    room.status = 1;
    row.SetRoom(room, false);
    EXPECT_EQ(row.GetRoomNumber(), 17);
    EXPECT_EQ(row.Title()->GetText(), u"Come and play");
    EXPECT_EQ(row.Players()->GetText(), u"(6/6)");
    EXPECT_EQ(row.State()->GetText(), u"FULL");
    EXPECT_FLOAT_EQ(row.GetAlpha(), 0.4f);  // a full room is faded
    EXPECT_TRUE(row.Lock()->IsVisible());
    EXPECT_TRUE(row.Stake()->IsVisible());  // a gamble mode always shows its stake
    EXPECT_FALSE(row.RatedMark()->IsVisible());  // never in the gamble modes
    EXPECT_EQ(row.GetButton()->GetSourceRect().top, 128);

    room.gameType = 3;
    room.playerCount = 1;
    room.passwordFlag = 0;
    room.stake = 0;
    room.open = 0;  // a friendly game
    room.optionFlags = quill::RoomInfo::kHalfGameFlag;
    row.SetRoom(room, false);
    EXPECT_FLOAT_EQ(row.GetAlpha(), 1.0f);
    EXPECT_FALSE(row.Lock()->IsVisible());
    EXPECT_FALSE(row.Stake()->IsVisible());
    EXPECT_FALSE(row.RatedMark()->IsVisible());  // a friendly game is not rated
    EXPECT_TRUE(row.Flag()->IsVisible());
    EXPECT_EQ(row.Flag()->GetText(), u"[Friendly]");
    EXPECT_TRUE(row.Half()->IsVisible());

    room.open = 1;
    room.stake = 200;
    row.SetRoom(room, true);  // a tournament channel: the flag reads [Tourney] and the stake is hidden
    EXPECT_EQ(row.Flag()->GetText(), u"[Tourney]");
    EXPECT_FALSE(row.Stake()->IsVisible());
    EXPECT_TRUE(row.RatedMark()->IsVisible());

    row.Clear();
    EXPECT_EQ(row.GetRoomNumber(), -1);
    EXPECT_FALSE(row.Title()->IsVisible());
    EXPECT_EQ(row.GetButton()->GetSourceRect().left, 476);
    EXPECT_EQ(row.GetButton()->GetSourceRect().top, 960);
}

TEST_F(ListRowsTest, PlayerRowCopiesTheRecordAndShowsTheBadgeOnlyWhileHovered) {
    PlayerListRow& row = Attach(std::make_unique<PlayerListRow>(420));
    auto record = std::make_unique<quill::PlayerState>();
    record->accountId = 0x123456789LL;
    record->name = u"Cueball";
    record->channel = 2;
    record->position = 7;
    record->level = 3;
    record->markValue = 91;
    record->clanId = 5;
    record->clanName = u"Rails";
    row.SetPlayer(*record, 0, 2);
    record.reset();  // the row keeps its own copy
    EXPECT_TRUE(row.IsVisible());
    EXPECT_EQ(row.Player().accountId, 0x123456789LL);
    EXPECT_EQ(row.Nickname()->GetText(), u"Cueball");
    EXPECT_EQ(row.Location()->GetText(), u"Room 7");
    EXPECT_TRUE(row.MarkIcon()->IsVisible());
    EXPECT_EQ(row.LevelIcon()->GetSourceRect().left, 44);
    EXPECT_FALSE(row.ClanBadge()->IsVisible());
    row.OnEvent(row.GetButton(), Button::kEnterEvent, 0);
    EXPECT_TRUE(row.ClanBadge()->IsVisible());
    EXPECT_EQ(row.ClanName()->GetText(), u"Rails");
    row.OnEvent(row.GetButton(), Button::kLeaveEvent, 0);
    EXPECT_FALSE(row.ClanBadge()->IsVisible());

    quill::PlayerState offline;
    offline.channel = 0xFF;
    offline.position = -3;
    offline.markValue = 90;
    row.SetPlayer(offline, 1, 2);
    EXPECT_EQ(row.Location()->GetText(), u"Offline");
    EXPECT_FALSE(row.LevelIcon()->IsVisible());
    EXPECT_FALSE(row.MarkIcon()->IsVisible());
    row.OnEvent(row.GetButton(), Button::kEnterEvent, 0);
    EXPECT_FALSE(row.ClanBadge()->IsVisible());  // no clan, no badge
    row.Clear();
    EXPECT_FALSE(row.HasPlayer());
    EXPECT_FALSE(row.IsVisible());
}

TEST_F(ListRowsTest, DetailPanelShowsTheClockOnlyForARunningGame) {
    RoomDetailPanel& panel = Attach(std::make_unique<RoomDetailPanel>());
    quill::RoomInfo room;
    room.roomNumber = 9;
    room.title = u"Nine";
    panel.SetRoom(room, 500000);
    EXPECT_EQ(panel.Number()->GetText(), u"9");
    EXPECT_FALSE(panel.Hours()->IsVisible());
    room.state = 2;
    room.startTime = 500000 - 61 * 60000;
    panel.SetRoom(room, 500000);
    EXPECT_TRUE(panel.Minutes()->IsVisible());
    panel.SetPlayers({{u"one", 3}, {u"two", 12}});
    EXPECT_TRUE(panel.PlayerName(1)->IsVisible());
    EXPECT_EQ(panel.PlayerValue(1)->GetText(), u"Lv.12");
    EXPECT_FALSE(panel.PlayerName(2)->IsVisible());
}

}  // namespace
}  // namespace kestrovan::test
