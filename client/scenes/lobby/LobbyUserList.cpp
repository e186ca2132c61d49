#include "client/scenes/lobby/LobbyUserList.h"

#include <memory>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/UserLocation.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/lobby/LobbyRules.h"
#include "client/scenes/lobby/LobbyWidgets.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/WidgetToolkit.h"
#include "client/ui/Window.h"

namespace kestrovan {

using quill::ScopedLock;

LobbyUserList::LobbyUserList(GameConnection& connection) : connection_(connection) {}

LobbyUserList::~LobbyUserList() {
    Clear();
}

void LobbyUserList::Build(Widget& screen) {
    using lobby_texture::kLobby;
    panel_ = screen.CreateImage(0, 60, 242, 282, kLobby, 0, 165);
    Anchor();
    tabs_[0] = AddLobbyButton(*panel_, 65, -1, 79, 31, kLobbyUsersTab, -1, kLobby, 800, 32, u"Lobby");
    tabs_[1] = AddLobbyButton(*panel_, 130, -1, 79, 30, kFriendsTab, -1, kLobby, 880, 32, u"Friends");
    for (Button* tab : tabs_) tab->SetRadio();
    for (size_t k = 0; k < rows_.size(); ++k) {
        auto row = std::make_unique<PlayerListRow>(kFirstRow + static_cast<int32_t>(k));
        row->SetPosition(2, 45 + 19 * static_cast<int32_t>(k));
        rows_[k] = static_cast<PlayerListRow*>(panel_->AddChild(std::move(row), false));
    }
    scroll_ = AddLobbyScrollBar(*panel_, 213, 26, 243, kScroll);
    scroll_->SetSecondRect(4, 30, 230, 240);
}

void LobbyUserList::BuildMenu(Widget& screen) {
    // As tall as its four entries (the fourth would hang below a menu of 60), each a whole shared button tile.
    auto menu = std::make_unique<Window>();
    menu->Create(0, 0, 80, 20 * static_cast<int32_t>(menuEntries_.size()), -1, -1);
    menu->SetImage(kCommonTexture, 0, 136, 80, 80, 1.0f, 1.0f);
    menu->SetModal(false);
    menu_ = static_cast<Window*>(screen.AddChild(std::move(menu), false));
    const char16_t* captions[] = {u"View Info", u"Join with", u"Ask Friend", u"Invite Clan"};
    for (size_t k = 0; k < menuEntries_.size(); ++k) {
        menuEntries_[k] = PopupWindow::AddTileButton(*menu_, 0, 20 * static_cast<int32_t>(k), 80, 20,
                                                     kViewInfo + static_cast<int32_t>(k), -1, 0);
        SetCentredCaption(*menuEntries_[k], captions[k], kWhite);
    }
}

void LobbyUserList::Anchor() {
    panel_->SetAnchor(AnchorMode::Right, -257, AnchorMode::Top, 70);
}

void LobbyUserList::Enter() {
    menuTarget_.reset();
    SelectTab(0);
}

void LobbyUserList::Clear() {
    WidgetToolkit::CheckTreeAccess("LobbyUserList::Clear");
    users_.Clear();
}

void LobbyUserList::SelectTab(int32_t tab) {
    tab_ = tab;
    tabs_[0]->SetChecked(tab == 0);
    tabs_[1]->SetChecked(tab == 1);
    WidgetToolkit::CheckTreeAccess("LobbyUserList::SelectTab");
    ShowFrom(1);
}

void LobbyUserList::Refresh() {
    WidgetToolkit::CheckTreeAccess("LobbyUserList::Refresh");
    ShowFrom(pager_.First());
}

void LobbyUserList::ScrollTo(int32_t first) {
    WidgetToolkit::CheckTreeAccess("LobbyUserList::ScrollTo");
    ShowFrom(first);
}

void LobbyUserList::ShowFrom(int32_t first) {
    const int32_t tab = tab_;
    const int32_t channel = connection_.CurrentChannel();
    std::vector<const quill::PlayerState*> source;
    auto show = [&] {
        const UserPage page = MakeUserPage(source, first, LobbyUserTable::kRows);
        for (size_t k = 0; k < rows_.size(); ++k) {
            if (k < page.users.size()) rows_[k]->SetPlayer(*page.users[k], tab, channel);
            else rows_[k]->Clear();
        }
        pager_.ScrollTo(page.position, page.count);
        scroll_->SetRange(pager_.Range(page.count));
        scroll_->SetPosition(pager_.BarPosition(), false);
    };
    if (tab == 1) {
        // The friends' records are the messenger's: read under its lock.
        quill::UserDirectory& friends = connection_.Directories().Friends();
        ScopedLock friendsHold(friends.GetLock());
        for (const auto& [id, record] : friends.Records()) source.push_back(record);
        show();
        return;
    }
    for (const auto& [sortValue, record] : users_.All()) source.push_back(record);
    show();
}

PlayerListRow* LobbyUserList::RowOf(const Widget* source) const {
    for (PlayerListRow* row : rows_)
        if (source == row) return row;
    return nullptr;
}

void LobbyUserList::OnRowEvent(const PlayerListRow& row, int32_t kind) {
    if (kind == Button::kEnterEvent || kind == Button::kLeaveEvent) return;
    if (row.HasPlayer()) OpenMenu(row);
}

void LobbyUserList::OpenMenu(const PlayerListRow& row) {
    menuTarget_ = row.Player();
    menuTab_ = tab_;
    const quill::PlayerState& player = connection_.LocalPlayer();
    const bool self = menuTarget_->accountId == player.accountId;
    const ContextMenuEntries entries = MakeContextMenu(menuTab_, self, player, inviteClanShown_);
    inviteClanShown_ = entries.inviteClan;
    menuEntries_[1]->Show(entries.joinWith);
    menuEntries_[2]->Show(entries.askFriend);
    menuEntries_[2]->SetCaption(entries.friendCaption);
    menuEntries_[3]->Show(entries.inviteClan);
    const WidgetRect at = row.GetRect();
    menu_->SetPosition(at.left + row.GetButton()->GetLastX() - at.left, at.top + row.GetButton()->GetLastY() - at.top);
    menu_->Show(true);
}

std::optional<ShownPlayer> LobbyUserList::TakeMenuChoice() {
    menu_->Show(false);
    return menuTarget_;
}

std::vector<RoomDetailPanel::PlayerLine> LobbyUserList::PlayersIn(int32_t room) const {
    std::vector<RoomDetailPanel::PlayerLine> players;
    for (const auto& [sortValue, user] : users_.All())
        if (user->position == room) players.push_back({user->name, user->level});
    return players;
}

int16_t LobbyUserList::PlaceOf(int64_t userId) {
    WidgetToolkit::CheckTreeAccess("LobbyUserList::PlaceOf");
    const quill::PlayerState* user = users_.Find(userId);
    return user != nullptr ? user->position : UserPlace::Lobby;
}

int32_t LobbyUserList::Count() const {
    return users_.Count();
}

int32_t LobbyUserList::RecordsInUse() const {
    return users_.RecordsInUse();
}

// --- The server's user messages ---------------------------------------------------------------------------

void LobbyUserList::OnAllRemoved() {
    // The whole table is emptied, whatever the message carries.
    Clear();
    Changed(true);
}

void LobbyUserList::OnUserAdded(quill::Packet& packet) {
    const uint8_t channel = static_cast<uint8_t>(connection_.CurrentChannel());
    const auto user = ReadLobbyUser(packet);
    if (user) {
        if (!users_.Add(*user, channel)) {
            quill::TheLog().LogError(u"WARNING: lobby user list is full; a user is not listed\n");
            return;
        }
    }
    Changed(user.has_value());
}

void LobbyUserList::OnUserLeft(quill::Packet& packet) {
    const auto userId = ReadLobbyUserLeft(packet);
    if (userId) {
        users_.Remove(*userId);
    }
    Changed(userId.has_value());
}

void LobbyUserList::OnUserMoved(quill::Packet& packet) {
    const auto moved = ReadLobbyUserMoved(packet);
    if (moved) {
        if (quill::PlayerState* user = users_.Find(moved->userId)) user->position = moved->place;
    }
    Changed(moved.has_value());
    if (moved) connection_.UpdateFriendPlace(static_cast<uint32_t>(moved->userId), moved->place);
}

void LobbyUserList::OnUserClan(quill::Packet& packet) {
    const auto clan = ReadUserClan(packet);
    if (!clan) return;
    quill::PlayerState* user = users_.Find(clan->userId);
    if (user == nullptr) return;
    user->clanId = clan->clanId;
    if (clan->clanId != 0) user->clanName = clan->clanName;
    Changed(true);
}

void LobbyUserList::Changed(bool changed) {
    if (!changed) {
        quill::TheLog().LogError(u"WARNING: lobby %s dropped\n", u"user message");
        return;
    }
    Refresh();
}

}  // namespace kestrovan
