#pragma once
// The lobby's player list: the players in the channel (LobbyUserTable) or the player's friends, by tab, as
// rows of a panel that a scroll bar pages, and the context menu a click on a row opens (view info, join
// with, ask friend, invite to the clan). The server's user messages write into it; what a menu entry does
// is the screen's.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "client/scenes/common/ListPager.h"
#include "client/scenes/common/PlayerListRow.h"
#include "client/scenes/common/RoomDetailPanel.h"
#include "client/scenes/lobby/LobbyUserTable.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class Button;
class GameConnection;
class Image;
class ScrollBar;
class Widget;
class Window;

class LobbyUserList {
public:
    // Control ids.
    static constexpr int32_t kLobbyUsersTab = 11;
    static constexpr int32_t kFriendsTab = 12;
    static constexpr int32_t kScroll = 151;
    static constexpr int32_t kFirstRow = 420;
    static constexpr int32_t kViewInfo = 490;
    static constexpr int32_t kJoinWithEntry = 491;
    static constexpr int32_t kFriendEntry = 492;
    static constexpr int32_t kInviteClan = 493;

    explicit LobbyUserList(GameConnection& connection);
    ~LobbyUserList();
    LobbyUserList(const LobbyUserList&) = delete;
    LobbyUserList& operator=(const LobbyUserList&) = delete;

    void Build(Widget& screen);
    // The context menu, over the rest of the screen.
    void BuildMenu(Widget& screen);
    void Anchor();
    // A new stay in the lobby: the lobby tab from its first row, no menu target.
    void Enter();
    // Leaving the lobby: every user record back to the pool.
    void Clear();

    // Tab 0 lists the channel's players, 1 the friends; either from its first row.
    void SelectTab(int32_t tab);
    int32_t Tab() const { return tab_; }
    void Refresh();
    // The player scrolled the list to its row at first (from 1).
    void ScrollTo(int32_t first);
    // The row the widget is, or null.
    PlayerListRow* RowOf(const Widget* source) const;
    // A click on a row with a player opens the context menu at the click.
    void OnRowEvent(const PlayerListRow& row, int32_t kind);
    static bool IsMenuEntry(int32_t id) { return id >= kViewInfo && id <= kInviteClan; }
    // An entry was chosen: the menu closes; the player it was opened on, if any.
    std::optional<ShownPlayer> TakeMenuChoice();
    // The tab the menu was opened from.
    int32_t MenuTab() const { return menuTab_; }
    // The listed players in a room, for its detail panel.
    std::vector<RoomDetailPanel::PlayerLine> PlayersIn(int32_t room) const;
    // The place code of the listed user (a room's number, or UserPlace's other places); the lobby's own
    // place when the user is not listed.
    int16_t PlaceOf(int64_t userId);

    // The server's user messages (dispatch thread). A message that does not fit changes nothing and is
    // logged; a user announced while every record is in use is not listed.
    void OnAllRemoved();
    void OnUserAdded(quill::Packet& packet);
    void OnUserLeft(quill::Packet& packet);
    void OnUserMoved(quill::Packet& packet);
    void OnUserClan(quill::Packet& packet);

    int32_t Count() const;
    int32_t RecordsInUse() const;
    PlayerListRow* Row(size_t k) const { return rows_[k]; }
    Window* Menu() const { return menu_; }
    Button* MenuEntry(size_t k) const { return menuEntries_[k]; }

private:
    void OpenMenu(const PlayerListRow& row);
    // The page of the tab's players from that first row, into the rows and the scroll bar.
    void ShowFrom(int32_t first);
    void Changed(bool changed);

    GameConnection& connection_;
    LobbyUserTable users_;
    ListPager pager_{LobbyUserTable::kRows};
    std::atomic<int32_t> tab_{0};
    std::optional<ShownPlayer> menuTarget_;
    int32_t menuTab_ = 0;
    bool inviteClanShown_ = false;

    // Widgets, owned by the tree.
    Image* panel_ = nullptr;
    std::array<Button*, 2> tabs_{};
    std::array<PlayerListRow*, LobbyUserTable::kRows> rows_{};
    ScrollBar* scroll_ = nullptr;
    Window* menu_ = nullptr;
    std::array<Button*, 4> menuEntries_{};
};

}  // namespace kestrovan
