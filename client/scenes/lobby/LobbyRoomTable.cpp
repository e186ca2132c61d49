#include "client/scenes/lobby/LobbyRoomTable.h"

#include <algorithm>

#include "client/scenes/common/ListPager.h"
#include "client/scenes/common/messages/LobbyMessages.h"

namespace kestrovan {

namespace {

// The settings that both a room's list entry and its update carry.
template <class Message>
void ApplySettings(quill::RoomInfo& room, const Message& m) {
    room.status = m.status;
    room.maxPlayers = m.maxPlayers;
    room.title = m.title;
    room.passwordFlag = m.passwordFlag;
    room.slotIndex = m.settingB;
    room.open = m.stakeIndex;
    room.stake = m.stake;
    room.minHandicap = m.minHandicap;
    room.maxHandicap = m.maxHandicap;
}

}  // namespace

LobbyRoomTable::LobbyRoomTable() {
    filter_.fill(true);
    ResetAll();
}

void LobbyRoomTable::ResetAll() {
    for (quill::RoomInfo& room : rooms_) {
        room.Reset();
        room.playerCount = 0;
    }
}

void LobbyRoomTable::EmptyAll() {
    for (quill::RoomInfo& room : rooms_) room.playerCount = 0;
}

const quill::RoomInfo* LobbyRoomTable::Room(int32_t room) const {
    if (room < 0 || room > kLastRoom) return nullptr;
    return &rooms_[static_cast<size_t>(room)];
}

quill::RoomInfo* LobbyRoomTable::Room(int32_t room) {
    if (room < 0 || room > kLastRoom) return nullptr;
    return &rooms_[static_cast<size_t>(room)];
}

bool LobbyRoomTable::Apply(const RoomListEntryMessage& m, uint32_t now) {
    quill::RoomInfo* room = Room(m.room);
    if (room == nullptr) return false;
    room->roomNumber = static_cast<int16_t>(m.room);
    room->state = m.state;
    room->startTime = now - m.elapsedMs;
    room->gameType = m.gameMode;
    room->playerCount = m.players;
    room->setting = m.settingA;
    room->tableItem = m.tableItem;
    room->ballItem = m.ballItem;
    room->optionFlags = m.optionFlags;
    ApplySettings(*room, m);
    return true;
}

bool LobbyRoomTable::Apply(const RoomUpdateMessage& m) {
    quill::RoomInfo* room = Room(m.room);
    if (room == nullptr) return false;
    ApplySettings(*room, m);
    return true;
}

bool LobbyRoomTable::Apply(const RoomStateMessage& m) {
    quill::RoomInfo* room = Room(m.room);
    if (room == nullptr) return false;
    room->status = m.status;
    room->playerCount = m.players;
    room->state = m.state;
    room->tableItem = m.tableItem;
    room->ballItem = m.ballItem;
    return true;
}

bool LobbyRoomTable::SetRoomState(int32_t number, uint8_t state, uint32_t now) {
    quill::RoomInfo* room = Room(number);
    if (room == nullptr) return false;
    room->state = state;
    if (state == kRunning) room->startTime = now;
    return true;
}

void LobbyRoomTable::SetFilter(quill::GameType mode, bool on) {
    if (quill::IsGameTypeIndex(mode)) filter_[static_cast<size_t>(mode)] = on;
}

bool LobbyRoomTable::Filter(quill::GameType mode) const {
    return quill::IsGameTypeIndex(mode) && filter_[static_cast<size_t>(mode)];
}

bool LobbyRoomTable::Qualifies(int32_t number) const {
    const quill::RoomInfo* room = Room(number);
    return number >= 1 && room != nullptr && room->playerCount != 0 && Filter(room->gameType);
}

bool LobbyRoomTable::IsPlaying(int32_t number) const {
    return rooms_[static_cast<size_t>(number)].state == kRunning;
}

bool LobbyRoomTable::IsFull(int32_t number) const {
    const quill::RoomInfo& room = rooms_[static_cast<size_t>(number)];
    return room.playerCount >= room.maxPlayers;
}

bool LobbyRoomTable::IsOpen(int32_t number) const {
    const quill::RoomInfo& room = rooms_[static_cast<size_t>(number)];
    return room.playerCount != 0 && room.playerCount < room.maxPlayers && room.passwordFlag == 0 &&
           Filter(room.gameType);
}

std::vector<int16_t> LobbyRoomTable::OrderedRooms() const {
    std::vector<int16_t> listed;
    auto take = [&](auto&& wanted) {
        for (int32_t n = 1; n <= kLastRoom; ++n)
            if (Qualifies(n) && wanted(n)) listed.push_back(static_cast<int16_t>(n));
    };
    if (order_ == Order::AllRooms) {
        take([](int32_t) { return true; });
        return listed;
    }
    // Waiting rooms with a free seat, then running rooms with a free seat, then the full rooms.
    take([&](int32_t n) { return !IsPlaying(n) && !IsFull(n); });
    take([&](int32_t n) { return IsPlaying(n) && !IsFull(n); });
    take([&](int32_t n) { return IsFull(n); });
    return listed;
}

LobbyRoomTable::Page LobbyRoomTable::MakePage(int32_t position, int32_t rows) const {
    const std::vector<int16_t> listed = OrderedRooms();
    Page page;
    page.count = static_cast<int32_t>(listed.size());
    ListPager pager(rows);
    pager.ScrollTo(position, page.count);
    page.position = pager.First();
    page.range = pager.Range(page.count);
    const auto first = static_cast<size_t>(page.position - 1);
    for (size_t k = first; k < listed.size() && page.rooms.size() < static_cast<size_t>(rows); ++k)
        page.rooms.push_back(listed[k]);
    return page;
}

int32_t LobbyRoomTable::QuickJoin() {
    const int32_t c = ++quickJoinCursor_;
    auto search = [&](int32_t from, int32_t to, bool waitingOnly) -> int32_t {
        for (int32_t n = std::max(from, 0); n <= std::min(to, kLastRoom); ++n)
            if (IsOpen(n) && (!waitingOnly || !IsPlaying(n))) return n;
        return 0;
    };
    // Waiting rooms from the cursor on, then before it; then any open room, from the cursor on, then
    // before it. The searches from the cursor stop at room 119.
    int32_t found = search(c, kLastRoom - 1, true);
    if (found == 0 && c > 1) found = search(1, c - 1, true);
    if (found == 0) found = search(c, kLastRoom - 1, false);
    if (found == 0) found = search(0, c - 1, false);
    if (found != 0) quickJoinCursor_ = found;
    return found;
}

}  // namespace kestrovan
