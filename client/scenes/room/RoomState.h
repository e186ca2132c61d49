#pragma once
// The room as the parts of its screen share it: the room's record (the game, the stake, the options and whose
// shot it is), the game model with its eight seat records and seven teams, the local player's and the room
// master's seats, the seats whose players dropped, whether the local player only watches, whether a game
// runs and whether a shot is in flight. The screen owns it, hands it to each of its parts and makes it afresh
// on every entry, so that nothing of an earlier room stays; each part changes what its own messages say.
// Pure: it knows no table, widget or connection.
//
// Threads: see the table in client/app/Scene.h; what tests read from another thread while a handler runs is atomic.
#include <array>
#include <atomic>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameModel.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/scenes/room/RoomMessages.h"

namespace kestrovan {

class RoomState {
public:
    // The room being loaded: its game, table and ball set, and a game model for its game.
    void Load(const quill::RoomInfo& record);
    // The room entered: the connection's record of it, and the local player alone in the first seat, among
    // those who do not play (team 0), until the server tells who sits where. No seat keeps what the last room
    // left in it: a stale team byte would keep its player out of the team the server names.
    void Enter(const quill::RoomInfo& record, const quill::PlayerState& local, quill::WStringView nickname);
    // The local player's own record moves to the seat the server gave him.
    void MoveLocalPlayerTo(uint8_t seat);
    // No shooter, no game, no shot in flight, nobody dropped.
    void ResetTurn();

    quill::RoomInfo& Room() { return room_; }
    const quill::RoomInfo& Room() const { return room_; }
    quill::GameModel& Model() { return model_; }
    // The seat's record; null for a seat outside the room's eight.
    quill::PlayerState* SeatRecord(int32_t seat);

    void SetLocalSeat(int8_t seat) { localSeat_ = seat; }
    int8_t LocalSeat() const { return localSeat_; }
    void SetMasterSeat(int8_t seat) { masterSeat_ = seat; }
    int8_t MasterSeat() const { return masterSeat_; }
    bool IsLocalMaster() const { return masterSeat_ == localSeat_; }
    void SetObserving(bool observe) { observing_ = observe; }
    bool IsObserving() const { return observing_; }
    // A seat's player dropped from (or came back to) the game.
    void MarkDropped(int8_t seat, bool dropped);
    bool IsSeatDropped(int8_t seat) const { return IsRoomSeat(seat) && droppedSeats_[static_cast<size_t>(seat)]; }

    void SetRunning(bool running) { running_ = running; }
    bool IsRunning() const { return running_; }
    void SetShotInFlight(bool inFlight) { shotInFlight_ = inFlight; }
    bool IsShotInFlight() const { return shotInFlight_; }

    // While a game runs the shooter holds the table; between games the room master does (or a shooter the
    // server named).
    bool IsLocalTurn() const;
    // The game runs and the local seat's player has a team.
    bool IsLocalPlayerInGame() const;
    // The pocket games (the 8-ball and those after it) rather than the carom ones.
    bool IsPocketMode() const { return room_.gameType >= quill::game_type::kEightBall; }

private:
    // What the local player's seat record carries of his own: who he is, his level, money, clan and averages.
    static void CopyOwnRecord(const quill::PlayerState& from, quill::PlayerState& to);

    quill::RoomInfo room_;
    quill::GameModel model_;
    std::atomic<int8_t> localSeat_{-1};
    std::atomic<int8_t> masterSeat_{-1};
    std::array<bool, kRoomSeats> droppedSeats_{};
    bool observing_ = false;
    std::atomic<bool> running_{false};
    std::atomic<bool> shotInFlight_{false};
};

}  // namespace kestrovan
