#include "client/scenes/room/RoomClocks.h"

#include "QuillLib/core/Random.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/SoundQueue.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/room/GameClock.h"
#include "client/scenes/room/PlayerBoard.h"
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

RoomClocks::RoomClocks(SceneRoomGame& screen, ScreenServices& app, GameConnection& connection, ConnectionRequestSender& sender)
    : screen_(screen), app_(app), connection_(connection), sender_(sender) {}

void RoomClocks::StartTurn(uint32_t nowMs) {
    turn_.StartTurn(nowMs);
    screen_.Board()->SetTurnTime(turn_.Limit());
    screen_.Board()->SetCountdownOn(true);
}

void RoomClocks::RunTurn(uint32_t nowMs) {
    GameTable& table = *screen_.Table();
    screen_.Board()->UpdateCountdown(turn_.ElapsedSeconds(nowMs));
    if (turn_.TakeWarning(nowMs)) {
        const uint32_t voice = SceneRoomGame::kFirstWarningVoice + app_.GetRandom().Next() % 3;
        SoundQueue::Instance().Push(quill::SoundManager::Current(), voice, 1.0f);
        screen_.Board()->HideWarning();
    }
    const int8_t shooter = screen_.Room().shooterSeat;
    if (screen_.IsLocalTurn() && table.Turn().IsControlEnabled()) {
        const auto mode = screen_.Room().gameType;
        if ((mode == 3 || mode == 5) && table.HudValues().ForScreens().foulCount == 0 && turn_.FreezeDue(nowMs)) {
            table.Input().ReleaseHeldKeys(false);
            table.Turn().SetControlEnabled(false);
        }
        if (turn_.TimeOutDue(nowMs)) SendTimeOut();
    } else if (screen_.IsLocalTurn() && turn_.TimeOutDue(nowMs)) {
        SendTimeOut();
    } else if (screen_.MasterSeat() == screen_.LocalSeat() && shooter >= 0 && shooter < 8 &&
               screen_.Seats().IsSeatDropped(shooter) && turn_.TimeOutDue(nowMs)) {
        SendTimeOut();
    }
}

void RoomClocks::SendTimeOut() {
    GameTable& table = *screen_.Table();
    turn_.MarkTimeOutSent();
    table.Input().ReleaseHeldKeys(false);
    table.Turn().SetControlEnabled(false);
    table.Picking().ClearBallInHand();
    screen_.Flow().PlayTurnAnimation(kTimeOutAnimation);
    screen_.QueueKeyRelease();
    sender_.SendByte(quill::MessageId::TurnTimeout, 0);
}

void RoomClocks::RunGame(uint32_t nowMs) {
    const uint32_t elapsed = nowMs - gameOrigin_;
    screen_.GameClockWidget()->Set(elapsed);
    GameTable& table = *screen_.Table();
    if (connection_.GetChannelType(-1) == SceneRoomGame::kTournamentChannel) {
        if (elapsed > SceneRoomGame::kTournamentGameMs && !screen_.IsShotInFlight() && table.Turn().IsControlEnabled()) {
            table.Turn().SetControlEnabled(false);
            sender_.SendByte(quill::MessageId::RoomRequest1236, 1);
        }
        screen_.Score()->SetCountdown(elapsed);
    }
}

}  // namespace kestrovan
