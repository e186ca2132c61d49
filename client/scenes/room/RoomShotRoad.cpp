#include "client/scenes/room/RoomShotRoad.h"

#include "QuillLib/net/Packet.h"
#include "client/app/UiTextures.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/PacketRouter.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/RoomColours.h"
#include "client/scenes/room/RoomEquipment.h"
#include "client/scenes/room/RoomGameFlow.h"
#include "client/scenes/room/RoomItems.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/RoomSeats.h"
#include "client/scenes/room/RoomState.h"
#include "client/scenes/room/RoomWidgets.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/table/CameraController.h"
#include "client/table/CameraState.h"
#include "client/table/GameTable.h"
#include "client/table/TableAim.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableInput.h"
#include "client/table/TableMessageIo.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"

namespace kestrovan {

using namespace room_colour;

namespace {

constexpr uint32_t kKey_Z = 'Z';
constexpr int32_t kShotStates = 3;  // the table's state must be above this for a shot to count
constexpr uint32_t kPocketCallSound = 17;
constexpr uint32_t kSignalSound = 6;

}  // namespace

RoomShotRoad::RoomShotRoad(const Context& room, RoomSeats& seats, RoomItems& items, RoomEquipment& equipment,
                           RoomGameFlow& flow)
    : RoomPart(room), seats_(seats), items_(items), equipment_(equipment), flow_(flow) {}

// The label stands centred on the screen, over the table and its balls: on a plate of the chat lines' band,
// so that it reads as the notice it is.
void RoomShotRoad::BuildReceivingLabel(Widget& screen) {
    constexpr int32_t kBandWidth = 382;
    constexpr int32_t kPlateWidth = 260;
    constexpr int32_t kPlateHeight = 30;
    Image* plate = screen.CreateImage(0, 0, kPlateWidth, kPlateHeight, kHudTexture, 610, 902, kBandWidth, kPlateHeight,
                                      static_cast<float>(kPlateWidth) / kBandWidth, 1.0f);
    plate->SetAcceptsMouse(false);
    plate->SetAnchor(AnchorMode::HCentre, 0, AnchorMode::VCentre, 0);
    TextLabel* label = AddRoomLabel(*plate, 15, 6, 230, kGreen);
    label->SetText(u"receiving game data...");
    label->SetAlpha(0.7f);
    plate->Show(false);
    receiving_ = plate;
}

void RoomShotRoad::AddRoutes(PacketRouter& routes) {
    using quill::MessageId;
    using quill::Packet;
    routes.Add(MessageId::AimState, [this](Packet& packet) { OnRelayedAim(packet); });
    routes.Add(MessageId::Shot, [this](Packet& packet) { OnRelayedShot(packet); });
    routes.Add(MessageId::BallPlacementRelay, [this](Packet& packet) { OnBallPlacementRelay(packet); });
    routes.Add(MessageId::TableStateRequest, [this](Packet&) { OnTableStateRequest(); });
    routes.Add(MessageId::TableStateSync, [this](Packet& packet) { OnTableStateSync(packet); });
    routes.Add(MessageId::TablePlacement, [this](Packet& packet) { OnTablePlacement(packet); });
    routes.Add(MessageId::PocketCallRelay, [this](Packet& packet) { OnPocketCallRelay(packet); });
    routes.Add(MessageId::TableSignal, [this](Packet& packet) { OnTableSignal(packet); });
}

// A table state the server asked for while a shot was in flight goes out before the turn's result is applied.
void RoomShotRoad::AnswerPendingTableState() {
    if (tableStatePending_.exchange(false)) SendTableState();
}

// The local player takes or loses the table: the local-turn byte, 'Z' let go, and control.
void RoomShotRoad::TakeTable(bool take) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Turn().SetAimFollowsCamera(take);
    table->Input().OnKey(kKey_Z, false);
    if (take) table->Turn().SetControlEnabled(true);
}

// The room master holds the table between games; everybody else watches.
void RoomShotRoad::GiveTableToMaster(float seconds) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Aim().ClearTargetBall();
    if (!state_.IsShotInFlight()) table->RenderStep().SetVisible(true);
    if (IsRoomSeat(state_.MasterSeat()) && seats_.SeatCue(static_cast<size_t>(state_.MasterSeat())) != nullptr) {
        table->RenderStep().SetCurrentCue(seats_.SeatCue(static_cast<size_t>(state_.MasterSeat())));
    }
    const bool master = state_.IsLocalMaster();
    table->Turn().SetAimFollowsCamera(master);
    table->Turn().SetControlEnabled(master && !state_.IsShotInFlight());
    if (master) table->Cameras().MoveCamera(seconds, 350.0f, 30.0f, false);
}

// Every 10th update while the local player holds the table: the aim goes out when it changed, at most once
// per 1001 ms.
void RoomShotRoad::RelayAim(uint32_t nowMs) {
    GameTable* table = stage_.Table();
    if (table == nullptr || !table->Turn().IsControlEnabled()) return;
    const bool holds =
        state_.IsRunning() ? state_.IsLocalTurn() : state_.IsLocalMaster() || state_.IsLocalTurn();
    if (!holds) return;
    CameraState& aim = table->Aim().Pose();
    if (!aim.CheckStampElapsed(nowMs)) return;
    if (!aim.CheckChanged(nowMs)) return;
    aim.SaveSnapshot();
    sender_.Send([&aim](quill::Packet& packet) {
        packet.Init(quill::MessageId::AimState);
        aim.WriteAimState(packet);
    });
}

void RoomShotRoad::OnShotFired() {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    shotMade_ = true;
    state_.SetShotInFlight(true);
    if (table->State() > kShotStates) {
        if (state_.IsRunning()) ++shotCount_;
        flow_.ShotBet()->SetBetOpen(false);
        sender_.Send([table](quill::Packet& packet) {
            packet.Init(quill::MessageId::Shot);
            table->Messages().WriteShot(packet);
        });
    }
    items_.ChalkSlot()->SetActive(false);
    seats_.Board()->SetCountdownOn(false);
    items_.ReportConsumption();
}

// The balls stopped: the shooter reports the outcome, with the table state the server asked for meanwhile.
void RoomShotRoad::OnBallsStopped() {
    GameTable* table = stage_.Table();
    if (table == nullptr || table->State() <= kShotStates || state_.IsObserving() || !shotMade_.exchange(false))
        return;
    sender_.Send([this, table](quill::Packet& packet) {
        packet.Init(quill::MessageId::ShotResultReport);
        table->Messages().WriteShotResultReport(packet);
        if (tableStatePending_.exchange(false)) WriteTableState(packet, true);
    });
}

// TableState: the table's ball state (a message of its own, or appended to the packet's last), then the room's
// table and ball-set items.
void RoomShotRoad::WriteTableState(quill::Packet& packet, bool append) {
    stage_.Table()->Messages().WriteBallState(packet, append);
    equipment_.WriteItems(packet);
}

void RoomShotRoad::SendTableState() {
    if (stage_.Table() == nullptr) return;
    sender_.Send([this](quill::Packet& packet) { WriteTableState(packet, false); });
}

void RoomShotRoad::SendBallPlacement(uint32_t ball) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    sender_.Send([table, ball](quill::Packet& packet) {
        packet.Init(quill::MessageId::BallPlacement);
        table->Messages().WriteBallPlacement(packet, ball);
    });
}

void RoomShotRoad::OnRelayedAim(quill::Packet& packet) {
    receiving_->Show(false);
    const std::optional<std::array<float, 5>> aim = ReadRemoteAim(packet);
    GameTable* table = stage_.Table();
    if (!aim || table == nullptr) return;
    table->Aim().AimEasedCamera((*aim)[0], (*aim)[1], (*aim)[2], (*aim)[3], (*aim)[4]);
}

void RoomShotRoad::OnRelayedShot(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    if (state_.IsRunning()) ++shotCount_;
    receiving_->Show(false);
    flow_.ShotBet()->SetBetOpen(false);
    seats_.Board()->SetCountdownOn(false);
    if (!table->Messages().ReadShot(packet)) return;
    table->StartShot(2, false);
    state_.SetShotInFlight(true);
}

void RoomShotRoad::OnBallPlacementRelay(quill::Packet& packet) {
    const std::optional<BallPlacementMessage> placement = ReadBallPlacement(packet);
    GameTable* table = stage_.Table();
    if (!placement || table == nullptr || placement->ball >= table->Physics().BallCount()) return;
    table->Rack().SetBallPosition(placement->ball, placement->x, placement->y, placement->z);
    if (placement->ball != table->Physics().CueBall()) return;
    // The top view does not move: the camera finds the cue ball when the player leaves it.
    if (table->Cameras().GetCamera().Mode() == CameraController::kTopViewMode) {
        table->Cameras().SetRefocusOnTopViewExit(true);
    } else {
        table->Cameras().MoveCamera(0.5f, CameraController::kKeep, CameraController::kKeep, false);
    }
}

// Answered at once when nothing runs; otherwise by the outcome or the next TurnResult, whichever is first.
void RoomShotRoad::OnTableStateRequest() {
    if (state_.IsShotInFlight()) {
        tableStatePending_ = true;
        return;
    }
    SendTableState();
}

void RoomShotRoad::OnTableStateSync(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    if (table != nullptr) table->PensAndMarks().ReadTableMarks(packet);
}

void RoomShotRoad::OnTablePlacement(quill::Packet& packet) {
    receiving_->Show(false);
    const std::optional<TablePlacementHead> head = ReadTablePlacementHead(packet);
    GameTable* table = stage_.Table();
    if (!head || table == nullptr) return;
    equipment_.Set(head->tableItem, head->ballSetItem);
    if (state_.IsRunning() && IsRoomSeat(head->shooter)) {
        state_.Model().FindPlayerTurn(head->shooter);
        seats_.Board()->Refresh(state_.Model(), state_.Room());
    }
    table->Rack().SetCueBallIndex(head->cueBall);
    if (!table->Messages().ReadBallState(packet)) return;
    const std::optional<std::array<uint16_t, 2>> second = ReadItemPair(packet);
    equipment_.Check();
    if (second && table->Equipment().BallsFitTableItem((*second)[0])) {
        equipment_.Set((*second)[0], (*second)[1]);
    }
}

void RoomShotRoad::OnPocketCallRelay(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    if (table == nullptr || !HasPayloadByte(packet)) return;
    const uint8_t pocket = packet.ReadU8();
    if (pocket < 1 || pocket > 6) return;
    table->Aim().SetTargetBall(pocket);
    SceneRoomGame::PlaySound(kPocketCallSound);
}

void RoomShotRoad::OnTableSignal(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    if (HasPayloadByte(packet) && table != nullptr) {
        SceneRoomGame::PlaySound(kSignalSound);
        table->StartAmbientEffect(platform::TimeGetTime());
    }
}

}  // namespace kestrovan
