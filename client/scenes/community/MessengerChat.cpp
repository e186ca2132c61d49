// The messenger's chats: lines that arrive and where they go, the player's own lines, opening and closing
// chats, and the tabs and lines the chat view shows.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/UserDirectory.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/TextFields.h"
#include "client/scenes/community/BlinkingIcon.h"
#include "client/scenes/community/ChatPartnerTab.h"
#include "client/scenes/community/Messenger.h"
#include "client/scenes/community/MessengerMessages.h"
#include "client/ui/EditBox.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {

using quill::Packet;
using quill::PlayerState;
using quill::UserDirectory;

namespace {

// The record of the member in the directory, copied under its lock; false when it is not listed.
bool FindMember(UserDirectory& directory, uint32_t memberId, MemberSnapshot& member) {
    quill::ScopedLock hold(directory.GetLock());
    const PlayerState* record = directory.Find(memberId);
    if (record == nullptr)
        return false;
    member = MemberSnapshot::Of(*record);
    return true;
}

}  // namespace

// --- Lines that arrive --------------------------------------------------------------------------------------

MemberSnapshot Messenger::ClanChatMember() {
    MemberSnapshot clan;
    clan.memberId = 0;
    clan.nickname = CutToLength(host_->Connection().Directories().Clan().name, kNicknameLength);
    clan.channel = 0;
    return clan;
}

bool Messenger::RouteLine(uint8_t kind, uint32_t memberId, bool echo, MemberSnapshot& partner, quill::WString& sender) {
    MemberDirectories& directories = host_->Connection().Directories();
    if (kind % 10 == ChatKind::Clan) {
        partner = ClanChatMember();
        MemberSnapshot member;
        if (FindMember(directories.ClanMembers(), memberId, member)) {
            sender = member.nickname;
            return true;
        }
        return echo;
    }
    UserDirectory& first = kind % 10 == ChatKind::Friend ? directories.Friends() : directories.ClanMembers();
    UserDirectory& second = &first == &directories.Friends() ? directories.ClanMembers() : directories.Friends();
    if (!FindMember(first, memberId, partner) && !FindMember(second, memberId, partner))
        return false;
    sender = partner.nickname;
    return true;
}

void Messenger::OnChatLine(Packet& packet, bool echo) {
    const ChatLineMessage line = ChatLineMessage::Read(packet);
    const uint8_t kind = line.kind;
    const quill::WString& text = line.text;
    MemberSnapshot member;
    quill::WString sender;
    if (!RouteLine(kind, line.memberId, echo, member, sender))
        return;
    const quill::WString own = CutToLength(host_->Connection().LocalPlayer().name, kNicknameLength);
    MessengerAlarm::LineEffects effects;
    ChatPartner& partner = chats_.Open(member, kind, false);
    if (echo) {
        partner.AddLine(quill::Format(u"%s : %s", own, text), kOwnLineColour);
        effects.redrawLines = &partner == chats_.Current();
    } else {
        partner.AddLine(quill::Format(u"%s : %s", sender, text), kOtherLineColour);
        effects = alarm_.OnLine(view_, &partner == chats_.Current());
        if (effects.partnerUnread)
            partner.MarkUnread(platform::TimeGetTime());
    }
    MarkLineEffects(effects);
}

void Messenger::MarkLineEffects(const MessengerAlarm::LineEffects& effects) {
    uint32_t marks = 0;
    if (effects.redrawLines) marks |= ChatRefresh::kLines;
    if (effects.playSound) marks |= ChatRefresh::kSound;
    if (effects.redrawTabs) marks |= kRefreshTabs;
    if (effects.showChatTabMark) marks |= kRefreshChatTabMark;
    if (effects.showIcon) marks |= kRefreshIcon;
    chatRefresh_.Mark(marks);
}

void Messenger::RefreshChat() {
    const uint32_t marks = chatRefresh_.Take();
    if (marks == 0)
        return;
    bool turnedUnread = false;
    if ((marks & ChatRefresh::kLines) != 0) {
        RefreshChatScroll();
        RefreshChatLines();
    }
    if ((marks & kRefreshTabs) != 0)
        RefreshTabs(turnedUnread);
    // The player may have opened the messenger or its chat view since the lines came: they are seen then.
    if ((marks & kRefreshChatTabMark) != 0 && alarm_.IsOpen() && view_ != MessengerView::Chat)
        chatTabMark_->Show(true);
    if ((marks & kRefreshIcon) != 0 && alarm_.IsUnread())
        newMessageIcon_->Show(true);
    if ((marks & ChatRefresh::kSound) != 0 || (turnedUnread && alarm_.AlarmOn() && alarm_.IsOpen()))
        host_->PlaySound(kAlarmSound);
}

// --- Opening, closing and sending ---------------------------------------------------------------------------

void Messenger::OpenChat(const MemberSnapshot& member, uint8_t kind, bool select) {
    bool turnedUnread = false;
    WidgetToolkit::CheckTreeAccess("Messenger::OpenChat");
    chats_.Open(member, kind, select);
    if (select)
        RefreshTabs(turnedUnread);
}

void Messenger::CloseCurrentChat() {
    bool partnersLeft = false;
    if (!chats_.CloseCurrent())
        return;
    partnersLeft = chats_.Count() > 0;
    bool turnedUnread = false;
    if (partnersLeft) {
        RefreshChatScroll();
        RefreshChatLines();
    }
    RefreshTabs(turnedUnread);
    if (!partnersLeft) {
        view_ = MessengerView::Friends;
        ApplyView();
        RefreshMemberList();
    }
}

void Messenger::SendChatEntry() {
    const quill::WString text = chatEntry_->GetText();
    if (text.empty())
        return;
    bool send = false;
    uint8_t kind = 0;
    uint32_t memberId = 0;
    if (const ChatPartner* partner = chats_.Current(); partner != nullptr && partner->IsOnline()) {
        send = true;
        kind = partner->Kind();
        memberId = partner->MemberId();
    }
    if (send) {
        requests_.SendChat(kind, memberId, text);
        host_->PostEvent(quill::AppEventId::ChatLineSent, 0, 0, 0);
    }
    chatEntry_->SetText(u"");
}

// --- What the chat view shows -------------------------------------------------------------------------------

void Messenger::RefreshPartnerTabs() {
    bool turnedUnread = false;
    RefreshTabs(turnedUnread);
    if (turnedUnread && alarm_.AlarmOn() && alarm_.IsOpen())
        host_->PlaySound(kAlarmSound);
}

void Messenger::RefreshTabs(bool& turnedUnread) {
    const ChatPartners::TabView view = chats_.Tabs();
    tabScroll_->SetRange(view.range);
    tabScroll_->SetPosition(view.firstTab - 1, false);
    const quill::WString clanName = host_->Connection().Directories().Clan().name;
    for (size_t n = 0; n < partnerTabs_.size(); ++n) {
        ChatPartnerTab& tab = *partnerTabs_[n];
        if (n >= view.shown.size()) {
            tab.Clear();
            tabMembers_[n] = -1;
            continue;
        }
        ChatPartner& partner = *view.shown[n];
        const bool current = &partner == chats_.Current();
        if (current)
            partner.ClearUnread();
        tab.SetPartner(partner.IsClanChat() ? clanName : partner.Member().nickname, partner.IsClanChat(), current,
                       partner.FirstUnreadMs());
        turnedUnread = tab.SetUnread(partner.IsUnread()) || turnedUnread;
        tabMembers_[n] = partner.MemberId();
    }
}

void Messenger::RefreshChatScroll() {
    WidgetToolkit::CheckTreeAccess("Messenger::RefreshChatScroll");
    const int32_t range = chats_.LineRange();
    const int32_t first = chats_.FollowNewest(lineRange_);
    lineRange_ = range;
    lineScroll_->SetRange(range);
    lineScroll_->SetPosition(first - 1, false);
}

void Messenger::RefreshChatLines() {
    WidgetToolkit::CheckTreeAccess("Messenger::RefreshChatLines");
    const ChatPartners::LineView view = chats_.Lines();
    for (size_t n = 0; n < lineLabels_.size(); ++n) {
        if (n < view.shown.size()) {
            lineLabels_[n]->SetColors(view.shown[n].colour, 0);
            lineLabels_[n]->SetText(view.shown[n].text);
        } else {
            lineLabels_[n]->SetText(u"");
        }
    }
}

}  // namespace kestrovan
