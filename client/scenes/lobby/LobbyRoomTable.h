#pragma once
// The rooms of the channel as the lobby lists them: 121 room records by room number (0 is never listed),
// the game-mode filter, the list order, the page of rooms shown from a scroll position, and the quick-join
// search with its cursor. The server's room messages write into it.
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/gamedata/RoomInfo.h"

namespace kestrovan {

struct RoomListEntryMessage;
struct RoomUpdateMessage;
struct RoomStateMessage;

class LobbyRoomTable {
public:
    static constexpr int32_t kRecords = 121;
    static constexpr int32_t kLastRoom = 120;
    static constexpr uint8_t kRunning = 2;

    enum class Order : uint8_t { AllRooms = 0, WaitingFirst = 1 };

    // The rooms a page shows, and what the list's scroll bar takes.
    struct Page {
        int32_t count = 0;     // qualifying rooms
        int32_t position = 1;  // the first qualifying room shown, from 1, after clamping
        int32_t range = 1;     // the scroll bar's range: count - rows + 1, at least 1
        std::vector<int16_t> rooms;
    };

    LobbyRoomTable();

    // Every record back to an empty room (player count 0).
    void ResetAll();
    // Every room's player count to 0: the list is empty until the server lists the rooms again.
    void EmptyAll();

    // Room messages. A room number outside 0..120 changes nothing and returns false.
    bool Apply(const RoomListEntryMessage& entry, uint32_t now);
    bool Apply(const RoomUpdateMessage& update);
    bool Apply(const RoomStateMessage& state);
    bool SetRoomState(int32_t room, uint8_t state, uint32_t now);

    // The record of room n; null outside 0..120.
    const quill::RoomInfo* Room(int32_t room) const;
    quill::RoomInfo* Room(int32_t room);

    void SetFilter(quill::GameType mode, bool on);
    bool Filter(quill::GameType mode) const;
    void SetOrder(Order order) { order_ = order; }
    Order GetOrder() const { return order_; }

    // Listed: number 1..120, someone in it, its mode's filter on.
    bool Qualifies(int32_t room) const;
    // The page of rows rooms from a scroll position (values below 1 count as 1).
    Page MakePage(int32_t position, int32_t rows) const;

    // The next room quick join enters (0 when none is open); the cursor moves on by one for each search
    // and to the room found.
    int32_t QuickJoin();
    int32_t QuickJoinCursor() const { return quickJoinCursor_; }

private:
    bool IsOpen(int32_t room) const;
    bool IsPlaying(int32_t room) const;
    bool IsFull(int32_t room) const;
    // The qualifying rooms in the list order.
    std::vector<int16_t> OrderedRooms() const;

    std::array<quill::RoomInfo, kRecords> rooms_;
    std::array<bool, quill::kGameTypeCount> filter_{};
    Order order_ = Order::WaitingFirst;
    int32_t quickJoinCursor_ = 0;
};

}  // namespace kestrovan
