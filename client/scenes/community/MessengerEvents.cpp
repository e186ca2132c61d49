// The messenger's controls: its tabs and buttons, the scroll bars, the member rows and their menu, the clan
// menu and the chat entry. Every event reports itself handled.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/Scene.h"
#include "client/connection/GameConnection.h"
#include "client/connection/JoinWithTarget.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/community/BlinkingIcon.h"
#include "client/scenes/community/ClanDialog.h"
#include "client/scenes/common/CommunityDialog.h"
#include "client/scenes/community/DeleteFriendDialog.h"
#include "client/scenes/community/FindPlayerDialog.h"
#include "client/scenes/community/MemberListRow.h"
#include "client/scenes/community/Messenger.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "platform/window/MessageIds.h"

namespace kestrovan {

namespace {

constexpr int32_t kTabKey = 9;
constexpr int32_t kF8Key = 0x77;
constexpr uint32_t kCharacterMessage = platform::Msg::Char;
constexpr uint32_t kEnterCharacter = 13;

}  // namespace

bool Messenger::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == nullptr)
        return Window::OnEvent(source, a, b);
    if (source == chatEntry_) {
        OnChatEntryEvent(a);
        return true;
    }
    const int32_t id = source->GetId();
    if (id >= kFirstRow && id < kFirstRow + kRows) {
        OnMemberRow(*rows_[static_cast<size_t>(id - kFirstRow)]);
        return true;
    }
    if (id >= kFirstPartnerTab && id < kFirstPartnerTab + kTabs) {
        OnPartnerTab(id - kFirstPartnerTab);
        return true;
    }
    if (OnWindowControl(id, a) || OnMenuControl(id))
        return true;
    return Window::OnEvent(source, a, b);
}

bool Messenger::OnWindowControl(int32_t id, int32_t value) {
    switch (id) {
        case kClose:
            SetVisible(false);
            return true;
        case kCloseChat:
            CloseCurrentChat();
            return true;
        case kFriendsTab:
            view_ = MessengerView::Friends;
            ApplyView();
            RefreshMemberList();
            return true;
        case kClanTab:
            OnClanTab();
            return true;
        case kChatTab:
            viewTabs_[2]->SetChecked(false);
            if (CurrentChatMember() >= 0)
                ShowChatView();
            else
                ApplyView();
            return true;
        case kAlarmToggle:
            alarm_.ToggleAlarm();
            return true;
        case kFindPlayer:
            if (Scene* scene = host_->CurrentScene())
                findPlayer_->ShowOn(*scene);
            return true;
        case kMemberScroll: {
            firstRow_ = value;
            RefreshMemberList();
            return true;
        }
        case kLineScroll: {
            chats_.SetFirstLine(value);
            RefreshChatLines();
            return true;
        }
        case kTabScroll:
        case kMoreTabs: {
            chats_.SetFirstTab(id == kMoreTabs ? chats_.FirstTab() + 1 : value);
            RefreshPartnerTabs();
            return true;
        }
        case kLeaveClan:
            AskLeaveClan();
            return true;
        case kClanName:
            clanMenu_->SetPosition(clanNameButton_->GetRect().left - GetRect().left,
                                   clanNameButton_->GetRect().bottom + 1 - GetRect().top);
            clanMenu_->SetVisible(true);
            return true;
        default:
            return false;
    }
}

bool Messenger::OnMenuControl(int32_t id) {
    if (id < kChatWith || (id > kDelFriend && id < kEditInfo) || id > kClanChat)
        return false;
    memberMenu_->SetVisible(false);
    clanMenu_->SetVisible(false);
    const MemberSnapshot member = SelectedMember();
    switch (id) {
        case kChatWith:
            if (!member.IsOnline()) {
                host_->ShowErrorBox(u"Not online");
                break;
            }
            OpenChat(member, listKind_, true);
            ShowChatView();
            break;
        case kViewInfo:
            if (member.IsOnline())
                requests_.SendUserInfoRequest(static_cast<uint8_t>(member.channel), member.userId, member.nickname);
            break;
        case kInvite:
            if (CanInvite(member, Own()))
                requests_.SendMemberInvite(member.memberId);
            break;
        case kJoinWith:
            if (CanJoinWith(member))
                JoinWithMember(member);
            break;
        case kDelFriend:
            deleteFriend_->Ask(member);
            if (Scene* scene = host_->CurrentScene())
                deleteFriend_->ShowOn(*scene);
            break;
        case kEditInfo:
            EditClanInfo();
            break;
        case kClanChat:
            OpenChat(ClanChatMember(), ChatKind::Clan, true);
            ShowChatView();
            break;
        default:
            break;
    }
    return true;
}

// The chat view with the current chat: tabs, the lines from the newest, no mark on the chat tab.
void Messenger::ShowChatView() {
    view_ = MessengerView::Chat;
    ApplyView();
    RefreshPartnerTabs();
    RefreshChatScroll();
    RefreshChatLines();
    chatTabMark_->Show(false);
}

// The clan list is offered to the members of a clan; without one the tab only tells so.
void Messenger::OnClanTab() {
    if (!HasClan()) {
        viewTabs_[1]->SetChecked(false);
        host_->ShowNoticeBox(u"This menu is not allowed currently.");
        return;
    }
    view_ = MessengerView::Clan;
    ApplyView();
    RefreshMemberList();
}

void Messenger::OnChatEntryEvent(int32_t key) {
    switch (key) {
        case EditBox::kSubmitEvent:
            SendChatEntry();
            break;
        case kF8Key:
            SetVisible(false);
            break;
        case kTabKey:
            if (Scene* scene = host_->CurrentScene())
                scene->OnMessage(kCharacterMessage, kEnterCharacter, 0);
            break;
        default:
            break;
    }
}

MemberSnapshot Messenger::SelectedMember() const {
    return selected_;
}

void Messenger::OnMemberRow(MemberListRow& row) {
    MemberMenuState state;
    if (!row.HasMember() || IsOwnMember(row.Member(), Own()))
        return;
    selected_ = row.Member();
    state = MemberMenuFor(selected_, Own(), view_);
    MenuButton(kInvite)->SetEnabled(state.invite);
    MenuButton(kJoinWith)->SetEnabled(state.joinWith);
    MenuButton(kDelFriend)->Show(state.deleteFriend);
    memberMenu_->SetPosition(row.GetLastX() - GetRect().left, row.GetLastY() - GetRect().top);
    memberMenu_->SetVisible(true);
}

void Messenger::OnPartnerTab(int32_t index) {
    const int64_t memberId = tabMembers_[static_cast<size_t>(index)];
    ChatPartner* partner = memberId >= 0 ? chats_.Find(static_cast<uint32_t>(memberId)) : nullptr;
    if (partner == nullptr)
        return;
    chats_.SetCurrent(partner);
    partner->ClearUnread();
    RefreshPartnerTabs();
    RefreshChatScroll();
    RefreshChatLines();
}

void Messenger::JoinWithMember(const MemberSnapshot& member) {
    JoinWithTarget& target = host_->Connection().JoinTarget();
    target.Clear();
    target.pending = 1;
    target.channel = static_cast<uint8_t>(member.channel);
    target.place = member.place;
    host_->PostEvent(quill::AppEventId::JoinWith, 0, 0, 0);
}

void Messenger::AskLeaveClan() {
    const bool master = OwnClanRank() >= kMasterRank;
    int32_t members = 0;
    members = listKind_ == kClanList ? memberCount_ : 0;
    if (master && members > 1)
        return;
    ShowBox(u"Question", u"Do you want to leave the clan?",
            master ? u"A clan will be deleted if there are no clan members." : u"",
            quill::AppEventId::MessengerControlSend);
}

void Messenger::EditClanInfo() {
    if (!HasClan())
        return;
    if (OwnClanRank() < kMasterRank) {
        host_->ShowErrorBox(u"Clan master only allowed");
        return;
    }
    Scene* scene = host_->CurrentScene();
    if (scene == nullptr)
        return;
    SetVisible(false);
    clanDialog_->SetClan(host_->Connection().Directories().Clan());
    ShowWindowOn(*clanDialog_, *scene);
}

}  // namespace kestrovan
