#pragma once
// The lobby's room list: the channel's rooms (LobbyRoomTable) as rows of a panel that a scroll bar pages,
// the list order and game-mode filter buttons, the create and quick-join buttons, the detail panel of the
// room under the cursor; the server's room messages write into it.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/gamedata/RoomInfo.h"
#include "client/scenes/common/ListPager.h"
#include "client/scenes/common/RoomDetailPanel.h"
#include "client/scenes/lobby/LobbyRoomTable.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class Button;
class GameConnection;
class Image;
class RoomListRow;
class ScrollBar;
class Widget;
struct LobbyLayout;

class LobbyRoomList {
public:
    static constexpr size_t kRows = 6;
    // Control ids.
    static constexpr int32_t kListAll = 13;
    static constexpr int32_t kWaitingFirst = 14;
    static constexpr int32_t kCreateRoom = 20;
    static constexpr int32_t kQuickJoin = 21;
    static constexpr int32_t kScroll = 150;
    static constexpr int32_t kFirstFilter = 200;
    static constexpr int32_t kFirstRow = 400;

    explicit LobbyRoomList(GameConnection& connection);

    void Build(Widget& screen);
    // The detail panel, over the other panels.
    void BuildDetail(Widget& screen);
    // The panel, its bar and buttons placed for the screen's height; rows beyond the layout's hide.
    void Layout(const LobbyLayout& layout);
    // After the screen applied its anchors: the bar, the buttons and the rows inside the panel.
    void Place(const LobbyLayout& layout);
    // A new stay in the lobby: every room empty until the server lists it, the view from the first room,
    // the order and filter buttons as the table keeps them, no detail shown.
    void Enter();

    void Refresh();
    // The player scrolled the list to its room at first (from 1).
    void ScrollTo(int32_t first);
    void SetOrder(LobbyRoomTable::Order order);
    static bool IsFilterId(int32_t id) { return id >= kFirstFilter && id < kFirstFilter + quill::kGameTypeCount; }
    // A filter button (its id) turned on or off.
    void SetFilter(int32_t id, bool on);
    // The room quick join enters next; 0 when none is open.
    int32_t QuickJoinRoom();
    // The listed record of a room (an empty room of that number when it is not listed).
    quill::RoomInfo Listed(int32_t room) const;
    // The row the widget is, or null.
    RoomListRow* RowOf(const Widget* source) const;
    void ShowDetail(const RoomListRow& row, const std::vector<RoomDetailPanel::PlayerLine>& players);
    void HideDetail();

    // The server's room messages (dispatch thread). A message that does not fit, or names a room the
    // table does not have, changes nothing and is logged.
    void OnListReset();
    void OnListEntry(quill::Packet& packet);
    void OnRoomUpdate(quill::Packet& packet);
    void OnRoomState(quill::Packet& packet);
    void OnRoomCount(quill::Packet& packet);

    RoomListRow* Row(size_t k) const { return rows_[k]; }
    ScrollBar* Scroll() const { return scroll_; }
    Button* CreateButton() const { return createButton_; }

private:
    void BuildFilterButtons();
    void FitListFace(const LobbyLayout& layout);
    // The page from that first room, into the rows and the scroll bar.
    void ShowFrom(int32_t first);
    // An update or a state of a room, when it could be read.
    template <typename Message>
    void ApplyMessage(const std::optional<Message>& room);
    // After a room message: the list again, or the warning when it was not applied.
    void Applied(bool applied);

    GameConnection& connection_;
    LobbyRoomTable rooms_;
    int32_t rowsShown_ = static_cast<int32_t>(kRows);
    ListPager pager_{static_cast<int32_t>(kRows)};

    // Widgets, owned by the tree.
    Image* panel_ = nullptr;
    std::array<RoomListRow*, kRows> rows_{};
    Image* listFace_ = nullptr;
    Image* bar_ = nullptr;
    ScrollBar* scroll_ = nullptr;
    std::array<Button*, 2> orderButtons_{};
    std::vector<Button*> filterButtons_;
    Button* createButton_ = nullptr;
    Button* quickJoinButton_ = nullptr;
    RoomDetailPanel* detailPanel_ = nullptr;
};

}  // namespace kestrovan
