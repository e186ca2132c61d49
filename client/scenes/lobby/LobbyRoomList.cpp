#include "client/scenes/lobby/LobbyRoomList.h"

#include <algorithm>
#include <memory>

#include "QuillLib/core/LogSystem.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/common/RoomListRow.h"
#include "client/scenes/common/UserLocation.h"
#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/lobby/LobbyRules.h"
#include "client/scenes/lobby/LobbyWidgets.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {


namespace {

// The ten filters stand side by side from under "List all room" to just short of "Create New Game".
constexpr int32_t kFilterStep = 24;
// The list's face behind its rows and its bar, so that the empty rows (dimmed) show as free places of the list
// and the bar stands on the list it scrolls, not alone over the table: a plain face of the lobby's picture
// texture stretched over the rows and the bar with a margin.
constexpr int32_t kListFaceTexture = lobby_texture::kFirstPicture;
constexpr int32_t kListFaceX = 0;
constexpr int32_t kListFaceY = 360;
constexpr int32_t kListFaceWidth = 268;
constexpr int32_t kListFaceHeight = 238;
constexpr int32_t kListMargin = 6;
// "Create New Game" and "Quick Join" show their faces in their first 96 rows: the rest of their 122 is clear
// over the chat panel below, which the list's face stops just short of.
constexpr int32_t kBigButtonFace = 96;
constexpr int32_t kFootMargin = 2;
constexpr int32_t kFilterRowOffset = 30;  // the filters' row below the order buttons
constexpr int32_t kRowX = 10;
constexpr int32_t kRoomRowStep = 80;
constexpr int32_t kBarWidth = 33;
constexpr int32_t kBarHeight = 262;
constexpr int32_t kIconRow = 856;
constexpr int32_t kIconCell = 24;

// The filter buttons' icon index: the mode's slot, pocket slots lowered by 4 to follow the carom ones.
int32_t FilterIconIndex(quill::GameType mode) {
    const int32_t slot = GameTypeSlot(mode);
    return slot >= 10 ? slot - 4 : slot;
}

}  // namespace

LobbyRoomList::LobbyRoomList(GameConnection& connection) : connection_(connection) {}

void LobbyRoomList::Build(Widget& screen) {
    using lobby_texture::kLobby;
    panel_ = screen.CreateImage(0, 4, 1, 1, kLobby, 0, 0);
    panel_->SetAnchor(AnchorMode::Left, 20, AnchorMode::Top, 40);
    listFace_ = panel_->CreateImage(kRowX - kListMargin, -kListMargin, kListFaceWidth, kListFaceHeight, kListFaceTexture,
                                    kListFaceX, kListFaceY);
    listFace_->SetAcceptsMouse(false);
    for (size_t k = 0; k < kRows; ++k) {
        auto row = std::make_unique<RoomListRow>(kFirstRow + 2 * static_cast<int32_t>(k));
        row->SetPosition(kRowX, kRoomRowStep * static_cast<int32_t>(k));
        rows_[k] = static_cast<RoomListRow*>(panel_->AddChild(std::move(row), true));
    }
    bar_ = panel_->CreateImage(502, 122, kBarWidth, kBarHeight, kLobby, 736, 32);
    scroll_ = AddLobbyScrollBar(*bar_, 3, 5, 239, kScroll);
    scroll_->SetSecondRect(-500, -130, 530, 470);
    orderButtons_[0] = AddLobbyButton(*panel_, 38, 486, 114, 28, kListAll, -1, kLobby, 820, 160, u"List all room");
    orderButtons_[1] =
        AddLobbyButton(*panel_, 170, 486, 114, 28, kWaitingFirst, -1, kLobby, 820, 160, u"Waiting room first");
    for (Button* order : orderButtons_) order->SetCheckBox();
    BuildFilterButtons();
    createButton_ = AddLobbyButton(*panel_, 286, 450, 122, 122, kCreateRoom, -1, kLobby, 780, 390, u"Create New Game");
    quickJoinButton_ = AddLobbyButton(*panel_, 380, 450, 122, 122, kQuickJoin, -1, kLobby, 902, 390, u"Quick Join");
    quickJoinButton_->SetPosition(410, 450);
}

void LobbyRoomList::BuildDetail(Widget& screen) {
    detailPanel_ = static_cast<RoomDetailPanel*>(screen.AddChild(std::make_unique<RoomDetailPanel>(), false));
    detailPanel_->SetAcceptsMouse(false);
}

void LobbyRoomList::BuildFilterButtons() {
    int32_t j = 0;
    for (quill::GameType mode = 0; mode < quill::kGameTypeCount; ++mode) {
        if (!GameTypeOffered(mode)) continue;
        Button* button = panel_->CreateButton(38 + kFilterStep * j, 516, kIconCell, kIconCell, kFirstFilter + mode, -1,
                                              lobby_texture::kLobby, kIconCell * FilterIconIndex(mode), kIconRow);
        button->SetCheckBox();
        button->SetTooltip(GameTypeLongName(mode));
        filterButtons_.push_back(button);
        ++j;
    }
}

void LobbyRoomList::Layout(const LobbyLayout& layout) {
    // The first room stays; the next page clamps it to the new number of rows.
    const int32_t first = pager_.First();
    rowsShown_ = layout.roomRows;
    pager_ = ListPager(layout.roomRows);
    pager_.ScrollTo(first, rooms_.MakePage(first, layout.roomRows).count);
    panel_->SetAnchor(AnchorMode::Left, layout.panelX, AnchorMode::Top, layout.panelY);
}

void LobbyRoomList::Place(const LobbyLayout& layout) {
    const WidgetRect panel = panel_->GetRect();
    bar_->SetPosition(layout.barX, layout.barY);
    FitListFace(layout);
    scroll_->SetSecondRect(panel.left + layout.barX - 500, panel.top + layout.barY - 130, 530, layout.wheelHeight);
    createButton_->SetPosition(286, layout.buttonsY);
    quickJoinButton_->SetPosition(410, layout.buttonsY);
    for (Button* order : orderButtons_) order->SetPosition(order->GetRect().left - panel.left, layout.orderY);
    for (Button* filter : filterButtons_)
        filter->SetPosition(filter->GetRect().left - panel.left, layout.orderY + kFilterRowOffset);
    for (size_t k = 0; k < kRows; ++k)
        if (static_cast<int32_t>(k) >= layout.roomRows) rows_[k]->Show(false);
}

// The face reaches from the rows' left to the bar's right, and from the first row's top past the foot of the
// last row shown and of the bar, a margin round them, down to hold the controls below the list (the order
// buttons, the filters, "Create New Game" and "Quick Join") whole: none of them stands over its edge.
void LobbyRoomList::FitListFace(const LobbyLayout& layout) {
    const int32_t width = layout.barX + kBarWidth - kRowX + 2 * kListMargin;
    const int32_t rowsFoot = layout.roomRows * kRoomRowStep - (kRoomRowStep - RoomListRow::kHeight);
    const int32_t listFoot = std::max(rowsFoot, layout.barY + kBarHeight) + kListMargin;
    const int32_t controlsFoot =
        std::max(layout.buttonsY + kBigButtonFace, layout.orderY + kFilterRowOffset + kIconCell) + kFootMargin;
    const int32_t height = std::max(listFoot, controlsFoot) + kListMargin;
    listFace_->SetPosition(kRowX - kListMargin, -kListMargin);
    listFace_->SetScale(static_cast<float>(width) / kListFaceWidth, static_cast<float>(height) / kListFaceHeight);
}

void LobbyRoomList::Enter() {
    LobbyRoomTable::Order order;
    pager_.Reset();
    rooms_.EmptyAll();
    order = rooms_.GetOrder();
    SetOrder(order);
    detailPanel_->Show(false);
    WidgetToolkit::CheckTreeAccess("LobbyRoomList::Enter");
    for (Button* button : filterButtons_) button->SetChecked(rooms_.Filter(static_cast<quill::GameType>(button->GetId() - kFirstFilter)));
}

void LobbyRoomList::Refresh() {
    WidgetToolkit::CheckTreeAccess("LobbyRoomList::Refresh");
    ShowFrom(pager_.First());
}

void LobbyRoomList::ScrollTo(int32_t first) {
    WidgetToolkit::CheckTreeAccess("LobbyRoomList::ScrollTo");
    ShowFrom(first);
}

void LobbyRoomList::ShowFrom(int32_t first) {
    const LobbyRoomTable::Page page = rooms_.MakePage(first, rowsShown_);
    pager_.ScrollTo(page.position, page.count);
    const bool tournament = connection_.GetChannelType(-1) == ChannelKind::Tournament;
    for (size_t k = 0; k < kRows; ++k) {
        RoomListRow& row = *rows_[k];
        if (k < page.rooms.size()) {
            row.SetRoom(*rooms_.Room(page.rooms[k]), tournament);
        } else {
            row.Clear();
        }
        row.Show(static_cast<int32_t>(k) < rowsShown_);
    }
    scroll_->SetRange(pager_.Range(page.count));
    scroll_->SetPosition(pager_.BarPosition(), false);
}

void LobbyRoomList::SetOrder(LobbyRoomTable::Order order) {
    rooms_.SetOrder(order);
    orderButtons_[0]->SetChecked(order == LobbyRoomTable::Order::AllRooms);
    orderButtons_[1]->SetChecked(order == LobbyRoomTable::Order::WaitingFirst);
    Refresh();
}

void LobbyRoomList::SetFilter(int32_t id, bool on) {
    rooms_.SetFilter(static_cast<quill::GameType>(id - kFirstFilter), on);
    Refresh();
}

int32_t LobbyRoomList::QuickJoinRoom() {
    WidgetToolkit::CheckTreeAccess("LobbyRoomList::QuickJoinRoom");
    return rooms_.QuickJoin();
}

quill::RoomInfo LobbyRoomList::Listed(int32_t room) const {
    quill::RoomInfo record = *rooms_.Room(room);
    record.roomNumber = static_cast<int16_t>(room);
    return record;
}

RoomListRow* LobbyRoomList::RowOf(const Widget* source) const {
    for (RoomListRow* row : rows_)
        if (source == row) return row;
    return nullptr;
}

void LobbyRoomList::ShowDetail(const RoomListRow& row, const std::vector<RoomDetailPanel::PlayerLine>& players) {
    detailPanel_->SetRoom(row.Room(), platform::TimeGetTime());
    detailPanel_->SetPlayers(players);
    const WidgetRect at = row.GetRect();
    detailPanel_->SetPosition(at.left + 460, at.top + 10);
    detailPanel_->Show(true);
}

void LobbyRoomList::HideDetail() {
    detailPanel_->Show(false);
}

// --- The server's room messages ---------------------------------------------------------------------------

void LobbyRoomList::OnListReset() {
    // The list is not redrawn: the rooms that follow refresh it.
    WidgetToolkit::CheckTreeAccess("LobbyRoomList::OnListReset");
    rooms_.ResetAll();
}

void LobbyRoomList::OnListEntry(quill::Packet& packet) {
    const uint32_t now = platform::TimeGetTime();
    bool applied = false;
    const auto room = ReadRoomListEntry(packet);
    applied = room && rooms_.Apply(*room, now);
    Applied(applied);
}

void LobbyRoomList::OnRoomUpdate(quill::Packet& packet) {
    ApplyMessage(ReadRoomUpdate(packet));
}

void LobbyRoomList::OnRoomState(quill::Packet& packet) {
    ApplyMessage(ReadRoomState(packet));
}

template <typename Message>
void LobbyRoomList::ApplyMessage(const std::optional<Message>& room) {
    bool applied = false;
    applied = room && rooms_.Apply(*room);
    Applied(applied);
}

void LobbyRoomList::OnRoomCount(quill::Packet& packet) {
    const uint32_t now = platform::TimeGetTime();
    bool applied = false;
    const auto room = ReadRoomCount(packet);
    applied = room && rooms_.SetRoomState(room->room, room->state, now);
    Applied(applied);
}

void LobbyRoomList::Applied(bool applied) {
    if (!applied) {
        quill::TheLog().LogError(u"WARNING: lobby %s dropped\n", u"room message");
        return;
    }
    Refresh();
}

}  // namespace kestrovan
