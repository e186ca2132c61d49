#pragma once
// The room's seats and players: the cue of every seat on the table, the members as they enter, leave, sit
// down, join and withdraw from a game, drop, level up, change handicap and money (into the room's state); the
// player board, the start and ready panel with its join button and balloons, and the names the seats write
// beside their pen strokes.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/RoomPart.h"

namespace quill {
class Packet;
class PlayerState;
}  // namespace quill

namespace kestrovan {

class Button;
class CueModelEntry;
class Image;
class PacketRouter;
class PlayerBoard;
class RoomChat;
class RoomDialogs;
class RoomEquipment;
class RoomGameFlow;
class RoomItems;
class RoomShotRoad;
class StartReadyPanel;
class TextLabel;
class Widget;

class RoomSeats : private RoomPart {
public:
    RoomSeats(const Context& room, RoomChat& chat, RoomGameFlow& flow, RoomDialogs& dialogs, RoomItems& items,
              RoomEquipment& equipment, RoomShotRoad& shotRoad);

    // The screen lays its widgets out in one order; these are the seats' places in it.
    void BuildPanels(Widget& screen);
    void BuildSeatNames(Widget& screen);

    // The routes of the messages about the room's members and seats.
    void AddRoutes(PacketRouter& routes);

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
    void ShowMemberCount(uint8_t count, uint8_t capacity);

    CueModelEntry* SeatCue(size_t seat) const { return seatCues_[seat % kRoomSeats]; }

    PlayerBoard* Board() const { return playerBoard_; }
    StartReadyPanel* StartReady() const { return startReady_; }
    Button* JoinButton() const { return joinButton_; }
    Image* StartBalloon() const { return startBalloon_; }
    Image* ReadyBalloon() const { return readyBalloon_; }

private:
    void FillSeat(const RoomPlayerRecord& record);

    RoomChat& chat_;
    RoomGameFlow& flow_;
    RoomDialogs& dialogs_;
    RoomItems& items_;
    RoomEquipment& equipment_;
    RoomShotRoad& shotRoad_;
    std::array<CueModelEntry*, kRoomSeats> seatCues_{};

    // Widgets, owned by the tree.
    StartReadyPanel* startReady_ = nullptr;
    PlayerBoard* playerBoard_ = nullptr;
    Button* joinButton_ = nullptr;
    Image* startBalloon_ = nullptr;
    Image* readyBalloon_ = nullptr;
    std::array<TextLabel*, kRoomSeats> seatNames_{};
};

}  // namespace kestrovan
