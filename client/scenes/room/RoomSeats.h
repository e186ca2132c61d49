#pragma once
// The room's seats and players: which seat is the local player's and which the room master's, who dropped,
// who watches, the cue of every seat on the table, the members as they enter, leave, sit down, join and
// withdraw from a game, level up, change handicap and money; the player board, the start and ready panel with
// its join button and balloons, and the names the seats write beside their pen strokes.
//
// Threads: the dispatch thread (the server's messages), the game thread (the update reads the seats) and the
// main thread (building, entering, the panels' events), each through an entry point of SceneRoomGame that holds
// the widget-tree lock and the room lock; the seats read across threads are atomic. The part takes no lock of
// its own.
#include <array>
#include <atomic>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/room/RoomMessages.h"

namespace quill {
class Packet;
class PlayerState;
}  // namespace quill

namespace kestrovan {

class Button;
class ConnectionRequestSender;
class CueModelEntry;
class GameConnection;
class Image;
class PlayerBoard;
class SceneRoomGame;
class ScreenServices;
class StartReadyPanel;
class TextLabel;
class Widget;

class RoomSeats {
public:
    RoomSeats(SceneRoomGame& screen, ScreenServices& app, GameConnection& connection, ConnectionRequestSender& sender);

    // The screen lays its widgets out in one order; these are the seats' places in it.
    void BuildPanels(Widget& screen);
    void BuildSeatNames(Widget& screen);

    // --- The server's messages ---
    void OnMemberEntered(quill::Packet& packet);
    void OnMemberInfo(quill::Packet& packet);
    void OnMemberLeft(quill::Packet& packet);
    void OnMasterChanged(quill::Packet& packet);
    void OnSeatChanged(quill::Packet& packet);
    void OnSlotUpdate(quill::Packet& packet);
    void OnPlayerJoined(quill::Packet& packet);
    void OnPlayerWithdrew(quill::Packet& packet);
    void OnPlayerReconnected(quill::Packet& packet);
    void OnPlayerDropped(quill::Packet& packet);
    void OnUserLocation(quill::Packet& packet);
    void OnSeatNotice(quill::MessageId id, quill::Packet& packet);
    void OnLevelUp(quill::Packet& packet);
    void OnTableEvent(quill::Packet& packet);
    void OnSeatCueUpdate(quill::Packet& packet);

    // --- The seats ---
    quill::PlayerState* SeatRecord(int32_t seat);
    // A seat's money from the server; the local seat's is also the player's gold.
    void ApplyMoney(uint8_t seat, int64_t money);
    // The seat's cue object: the entry of the item and parts, the old one let go once the table no longer shows
    // it.
    void SetSeatCue(uint8_t seat, uint16_t cueItem, const std::array<uint16_t, 5>& parts);
    // The table's cue entries go with the table.
    void ForgetCues() { seatCues_.fill(nullptr); }
    // The room's new master: seated, and marked on the player board and the start panel.
    void MarkMaster(uint8_t seat);
    // The master may start once every playing team is complete and ready.
    void RefreshStartButton();
    // A seat's player dropped from (or came back to) the game.
    void MarkDropped(int8_t seat, bool dropped);
    void ClearDropped() { droppedSeats_.fill(false); }
    bool IsSeatDropped(int8_t seat) const { return IsRoomSeat(seat) && droppedSeats_[static_cast<size_t>(seat)]; }
    void ShowMemberCount(uint8_t count, uint8_t capacity);

    void SetLocalSeat(int8_t seat) { localSeat_ = seat; }
    int8_t LocalSeat() const { return localSeat_; }
    void SetMasterSeat(int8_t seat) { masterSeat_ = seat; }
    int8_t MasterSeat() const { return masterSeat_; }
    bool IsLocalMaster() const { return masterSeat_ == localSeat_; }
    void SetObserving(bool observe) { observe_ = observe; }
    bool IsObserving() const { return observe_; }
    CueModelEntry* SeatCue(size_t seat) const { return seatCues_[seat % kRoomSeats]; }

    PlayerBoard* Board() const { return playerBoard_; }
    StartReadyPanel* StartReady() const { return startReady_; }
    Button* JoinButton() const { return joinButton_; }
    Image* StartBalloon() const { return startBalloon_; }
    Image* ReadyBalloon() const { return readyBalloon_; }

private:
    void FillSeat(const RoomPlayerRecord& record);

    SceneRoomGame& screen_;
    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender& sender_;
    std::atomic<int8_t> localSeat_{-1};
    std::atomic<int8_t> masterSeat_{-1};
    std::array<bool, kRoomSeats> droppedSeats_{};
    std::array<CueModelEntry*, kRoomSeats> seatCues_{};
    bool observe_ = false;

    // Widgets, owned by the tree.
    StartReadyPanel* startReady_ = nullptr;
    PlayerBoard* playerBoard_ = nullptr;
    Button* joinButton_ = nullptr;
    Image* startBalloon_ = nullptr;
    Image* readyBalloon_ = nullptr;
    std::array<TextLabel*, kRoomSeats> seatNames_{};
};

}  // namespace kestrovan
