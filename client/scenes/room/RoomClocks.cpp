#include "client/scenes/room/RoomClocks.h"

#include "QuillLib/core/Random.h"
#include "client/app/ScreenServices.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/room/GameClock.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/RoomGameFlow.h"
#include "client/scenes/room/RoomSeats.h"
#include "client/scenes/room/RoomState.h"
#include "client/scenes/room/RoomTopBar.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/table/GameTable.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"

namespace kestrovan {

namespace {

constexpr size_t kTimeOutAnimation = 2;

}  // namespace

RoomClocks::RoomClocks(const Context& room, RoomSeats& seats, RoomGameFlow& flow, RoomTopBar& topBar)
    : RoomPart(room), seats_(seats), flow_(flow), topBar_(topBar) {}

void RoomClocks::StartTurn(uint32_t nowMs) {
    turn_.StartTurn(nowMs);
    seats_.Board()->SetTurnTime(turn_.Limit());
    seats_.Board()->SetCountdownOn(true);
}

void RoomClocks::RunTurn(uint32_t nowMs) {
    GameTable& table = *stage_.Table();
    seats_.Board()->UpdateCountdown(turn_.ElapsedSeconds(nowMs));
    if (turn_.TakeWarning(nowMs)) {
        const uint32_t voice = SceneRoomGame::kFirstWarningVoice + app_.GetRandom().Next() % 3;
        SceneRoomGame::QueueAnnouncement(voice);
        seats_.Board()->HideWarning();
    }
    const int8_t shooter = state_.Room().shooterSeat;
    if (state_.IsLocalTurn() && table.Turn().IsControlEnabled()) {
        const auto mode = state_.Room().gameType;
        if ((mode == 3 || mode == 5) && table.HudValues().ForScreens().foulCount == 0 && turn_.FreezeDue(nowMs)) {
            table.Input().ReleaseHeldKeys(false);
            table.Turn().SetControlEnabled(false);
        }
        if (turn_.TimeOutDue(nowMs)) SendTimeOut();
    } else if (state_.IsLocalTurn() && turn_.TimeOutDue(nowMs)) {
        SendTimeOut();
    } else if (state_.IsLocalMaster() && shooter >= 0 && shooter < 8 &&
               state_.IsSeatDropped(shooter) && turn_.TimeOutDue(nowMs)) {
        SendTimeOut();
    }
}

void RoomClocks::SendTimeOut() {
    GameTable& table = *stage_.Table();
    turn_.MarkTimeOutSent();
    table.Input().ReleaseHeldKeys(false);
    table.Turn().SetControlEnabled(false);
    table.Picking().ClearBallInHand();
    flow_.PlayTurnAnimation(kTimeOutAnimation);
    screen_.QueueKeyRelease();
    sender_.SendByte(quill::MessageId::TurnTimeout, 0);
}

void RoomClocks::RunGame(uint32_t nowMs) {
    const uint32_t elapsed = nowMs - gameOrigin_;
    topBar_.Clock()->Set(elapsed);
    GameTable& table = *stage_.Table();
    if (connection_.GetChannelType(-1) == SceneRoomGame::kTournamentChannel) {
        if (elapsed > SceneRoomGame::kTournamentGameMs && !state_.IsShotInFlight() && table.Turn().IsControlEnabled()) {
            table.Turn().SetControlEnabled(false);
            sender_.SendByte(quill::MessageId::RoomRequest1236, 1);
        }
        flow_.Score()->SetCountdown(elapsed);
    }
}

}  // namespace kestrovan
