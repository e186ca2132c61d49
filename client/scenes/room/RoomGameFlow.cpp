#include "client/scenes/room/RoomGameFlow.h"

#include <algorithm>
#include <bit>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/Random.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/connection/GameConnection.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/PacketRouter.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/room/FloatingGainText.h"
#include "client/scenes/room/GroupBoard.h"
#include "client/scenes/room/MoneyNotice.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/PointRulePanel.h"
#include "client/scenes/room/RoomChat.h"
#include "client/scenes/room/RoomClocks.h"
#include "client/scenes/room/RoomColours.h"
#include "client/scenes/room/RoomDialogs.h"
#include "client/scenes/room/RoomEquipment.h"
#include "client/scenes/room/RoomItems.h"
#include "client/scenes/room/RoomSeats.h"
#include "client/scenes/room/RoomShotRoad.h"
#include "client/scenes/room/RoomState.h"
#include "client/scenes/room/RoomWidgets.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/scenes/room/TimeLimitNotice.h"
#include "client/scenes/room/TurnClock.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/SharedUtilities.h"
#include "client/table/TableAim.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/AnimatedImage.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"

namespace kestrovan {

using namespace room_colour;

namespace {

constexpr uint8_t kKeepTurn = 2;
constexpr uint16_t kFoulResetChange = 0xFFFD;  // -3: the points go back to zero
constexpr int32_t kFoulResetCounter = -3;
constexpr uint8_t kEightBallGroup = 4;
constexpr uint8_t kHighBallsGroup = 3;
constexpr int32_t kThreeCushionDue = 4;
constexpr int32_t kBankShotDue = 1004;
// The break's view in the three-cushion games: 150 degrees, held as the exact float every client uses. The
// dispatch thread rounds toward zero, so converting 150 degrees there would give the float one unit below.
constexpr float kBreakYaw = std::bit_cast<float>(0x40278D37u);
constexpr uint32_t kContinueAfterMs = 60 * 60 * 1000;

constexpr uint32_t kStartSound = 24;
constexpr uint32_t kGoodShotSound = 20;
constexpr uint32_t kYourTurnSound = 26;
constexpr uint32_t kRuleSound = 39;
constexpr uint32_t kRuleFlagSound = 41;
constexpr uint32_t kRackVoice = 27;
constexpr uint32_t kOpeningVoices[] = {56, 57};
constexpr uint32_t kScoreTenVoice = 76;
constexpr uint32_t kScoreTwentyVoice = 77;
constexpr uint32_t kThreeCushionVoice = 78;
constexpr uint32_t kBankShotVoice = 80;
constexpr uint32_t kEightBallVoice = 80;

constexpr int32_t kAnimationTexture = 33;
constexpr int32_t kScoreTrackLeft = -336;
constexpr int16_t kTournamentChannel = SceneRoomGame::kTournamentChannel;

}  // namespace

RoomGameFlow::RoomGameFlow(const Context& room, RoomChat& chat, RoomSeats& seats, RoomDialogs& dialogs,
                           RoomItems& items, RoomEquipment& equipment, RoomClocks& clocks, RoomShotRoad& shotRoad)
    : RoomPart(room),
      chat_(chat),
      seats_(seats),
      dialogs_(dialogs),
      items_(items),
      equipment_(equipment),
      clocks_(clocks),
      shotRoad_(shotRoad) {}

void RoomGameFlow::BuildScorePanels(Widget& screen) {
    const auto notice = [this](quill::WStringView text) { app_.Scenes().ShowNoticeBox(&screen_, text); };
    shotBet_ = AttachTo(screen, std::make_unique<ShotBetPanel>(connection_, sender_, notice), false);
    // At the right edge under the side image, clear of the player board's rows below.
    shotBet_->SetAnchor(AnchorMode::Right, -220, AnchorMode::Top, 286);
    pointRule_ = AttachTo(screen, std::make_unique<PointRulePanel>(), true);
    pointRule_->SetAnchor(AnchorMode::Right, -180, AnchorMode::Top, 30);
    scoreBoard_ = AttachTo(screen, std::make_unique<ScoreBoard>(sender_), false);
    scoreBoard_->SetAnchor(AnchorMode::Right, -190, AnchorMode::Top, 80);
}

void RoomGameFlow::BuildTrack(Widget& screen) {
    const auto playSound = [](uint32_t id) {
        if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->Play(id, 1.0f, 0, false);
    };
    scoreTrack_ = AttachTo(screen, std::make_unique<ScoreTrack>(playSound), false);
    // The track's first cell 336 pixels left of the screen's middle (the anchor centres the whole track).
    scoreTrack_->SetAnchor(AnchorMode::HCentre, kScoreTrackLeft + scoreTrack_->Width() / 2, AnchorMode::Top, 42);
    // The 8-ball groups below the top bar at the left edge, clear of the track and of the chalk slot.
    groupBoard_ = AttachTo(screen, std::make_unique<GroupBoard>(), false);
    groupBoard_->SetAnchor(AnchorMode::Left, 10, AnchorMode::Top, 84);
    moneyNotice_ = AttachTo(screen, std::make_unique<MoneyNotice>(), false);
    moneyNotice_->SetAnchor(AnchorMode::HCentre, -64, AnchorMode::Top, 120);
}

void RoomGameFlow::BuildFloatingTexts(Widget& screen) {
    static constexpr std::pair<bool, bool> kFloating[] = {{true, false}, {false, false}, {true, true}};
    for (size_t n = 0; n < kFloatingTexts; ++n) {
        floatingTexts_[n] =
            AttachTo(screen, std::make_unique<FloatingGainText>(kFloating[n].first, kFloating[n].second), false);
    }
}

// The six turn animations of "GameAni": the first (a good shot) in the middle of the screen, the others
// along the bottom.
void RoomGameFlow::BuildTurnAnimations(Widget& screen) {
    auto container = std::make_unique<Widget>();
    container->Create(0, 0, 1, 1, -1, -1);
    animations_ = screen.AddChild(std::move(container), true);
    for (size_t n = 0; n < kTurnAnimations; ++n) {
        const bool first = n == 0;
        AnimatedImage* image = animations_->CreateAnimatedImage(0, 0, first ? 150 : 200, first ? 100 : 200,
                                                                kAnimationTexture, static_cast<int32_t>(n), 35, 0, 0);
        image->SetAcceptsMouse(false);
        if (first) {
            image->SetAnchor(AnchorMode::HCentre, 0, AnchorMode::VCentre, 0);
        } else {
            image->SetAnchor(AnchorMode::HCentre, 0, AnchorMode::Bottom, -206);
        }
        image->Show(false);
        turnAnimations_[n] = image;
    }
}

void RoomGameFlow::AddRoutes(PacketRouter& routes) {
    using quill::MessageId;
    using quill::Packet;
    routes.Add(MessageId::GameStart, [this](Packet& packet) { OnGameStart(packet); });
    routes.Add(MessageId::TurnResult, [this](Packet& packet) { OnTurnResult(packet); });
    routes.Add(MessageId::BreakRerack, [this](Packet& packet) { OnBreakRerack(packet); });
    routes.Add(MessageId::GroupDetermined, [this](Packet& packet) { OnBallGroups(packet, false); });
    routes.Add(MessageId::EightBallShot, [this](Packet& packet) { OnBallGroups(packet, true); });
    routes.Add(MessageId::PointRuleUpdate, [this](Packet& packet) { OnPointRuleUpdate(packet); });
    routes.Add(MessageId::ScoreUpdate, [this](Packet& packet) { OnScoreUpdate(packet); });
    routes.Add(MessageId::GameStateSync, [this](Packet& packet) { OnGameStateSync(packet); });
    routes.Add(MessageId::Jackpot, [this](Packet& packet) { OnJackpot(packet); });
}

void RoomGameFlow::Enter(bool tournament) {
    ruleMarker_ = 0;
    runCount_ = 0;
    scoreBoard_->Reset();
    scoreBoard_->Show(tournament);
    for (AnimatedImage* animation : turnAnimations_) animation->Show(false);
}

void RoomGameFlow::ApplySnapshot(bool running, const PointRuleBytes& rule, uint8_t marker, uint32_t gameValue) {
    state_.SetRunning(running);
    ruleBytes_ = rule;
    ruleMarker_ = marker;
    gameValue_ = gameValue;
}

quill::TeamState* RoomGameFlow::PlayingTeam(uint8_t place) {
    return place < kRoomTeams ? state_.Model().turnOrder[place] : nullptr;
}

void RoomGameFlow::PlayTurnAnimation(size_t animation) {
    if (animation < SceneRoomGame::kTurnAnimations) turnAnimations_[animation]->Play(0);
}

void RoomGameFlow::OnGameStart(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    const auto tableMode =
        table != nullptr ? table->Equipment().GameMode() : static_cast<quill::GameType>(state_.Room().gameType);
    const std::optional<GameStartMessage> start = ReadGameStart(packet, tableMode);
    if (!start) return;
    const uint32_t now = platform::TimeGetTime();
    clocks_.StartGame(now, start->elapsedMs);
    state_.Room().firstCueBall = start->cueBall;
    ruleBytes_ = start->rule;
    for (quill::PlayerState& seat : state_.Model().players) {
        if (seat.seat >= 0) seat.ResetGameFields();
    }
    seats_.StartBalloon()->Show(false);
    shotRoad_.Receiving()->Show(false);
    seats_.JoinButton()->Show(false);
    app_.GetRandom().Seed(start->seed);
    runCount_ = 0;
    dialogs_.ResetRequests();
    shotRoad_.ForgetTableStateRequest();
    state_.SetShotInFlight(false);
    eightBallNotice_ = false;
    state_.Model().currentTeam = 0;
    state_.SetRunning(true);
    state_.Room().state = 2;
    state_.Model().SetModeOption(static_cast<uint8_t>(state_.Room().setting), state_.Room().optionFlags);
    state_.Model().ComputeTargets();
    state_.Model().ApplyHandicapFlags();
    state_.Model().StartGame();
    chat_.AddLine(u"The game has started.", kGreen);
    TakeStartMoney(*start);
    SetUpTableForStart(*start);
    SeatStartTeams(*start);
    gameValue_ = start->gameValue;
    state_.Model().FindPlayerTurn(start->firstShooter);
    if (IsRoomSeat(start->firstShooter)) state_.Room().shooterSeat = static_cast<int8_t>(start->firstShooter);
    if (quill::TeamState* current = PlayingTeam(state_.Model().currentTeam); current != nullptr && table != nullptr) {
        table->Physics().SetBallGroup(current->ballGroup);
        table->Physics().SetTargetCode(static_cast<int16_t>(current->state));
    }
    seats_.Board()->OnGameStart();
    seats_.Board()->Refresh(state_.Model(), state_.Room());
    clocks_.StartTurn(now);
    items_.ChalkSlot()->Refresh();
    shotBet_->SetVisible(true);
    if (quill::PlayerState* shooter = state_.SeatRecord(start->firstShooter)) {
        seats_.Board()->SetTarget(shooter->gameCounters[quill::PlayerState::kPointsCounter], inning_);
        shotBet_->NewShot(shooter->name, state_.IsLocalTurn());
    }
    shotBet_->SetBetAmount(1000);
    shotBet_->SetBetOpen(true);
    seats_.StartReady()->OnGameStart();
    SceneRoomGame::PlaySound(kStartSound);
    if (state_.IsPocketMode()) SceneRoomGame::QueueAnnouncement(kRackVoice);
    const bool tournament = connection_.GetChannelType(-1) == kTournamentChannel;
    SceneRoomGame::QueueAnnouncement(tournament && connection_.Tournament().running == 1 ? kOpeningVoices[0]
                                                                       : kOpeningVoices[app_.GetRandom().Next() & 1]);
    equipment_.Check();
    if (tournament) {
        scoreBoard_->OnGameStart();
    } else {
        FillPointRuleBoard(0);
        pointRule_->ShowRule(start->rule.kind >= 1);
        pointRule_->SetRule(static_cast<quill::GameType>(state_.Room().gameType), start->rule.kind);
    }
}

// The point-rule board from the point-rule bytes and the room's game: the cells of the rule's steps up to its
// count, the multiplier at that goal, a marker at the step's cell (and at secondMarker's) and the cursor at
// the rule's position; shown while a rule is in force.
void RoomGameFlow::FillPointRuleBoard(uint8_t secondMarker) {
    scoreTrack_->Set(static_cast<quill::GameType>(state_.Room().gameType), ruleBytes_.kind, ruleBytes_.count,
                     ruleBytes_.multiplier, ruleBytes_.step, secondMarker, 0);
    scoreTrack_->SetCursor(ruleMarker_);
    scoreTrack_->SetVisible(ruleBytes_.kind >= 1);
}

// The money taken at the start: the six-ball stake, or the fee of the stake games.
void RoomGameFlow::TakeStartMoney(const GameStartMessage& start) {
    const int64_t stake = state_.Room().stake;
    const bool local = state_.IsLocalPlayerInGame();
    auto chargeMembers = [&](int64_t amount) {
        for (const GameStartMessage::Team& team : start.teams) {
            for (const GameStartMessage::Member& member : team.members) {
                if (quill::PlayerState* record = state_.SeatRecord(member.seat)) record->money -= amount;
            }
        }
    };
    if (state_.Room().gameType == quill::game_type::kSixBalls) {
        if (local) {
            connection_.LocalPlayer().money -= stake;
            chat_.AddLine(quill::Format(u"%s원을 배팅하였습니다.", FormatMoney(stake)), kGreen);
        }
        chargeMembers(stake);
    } else if (state_.Room().IsGambleGame()) {
        const int64_t fee = 2 * stake;
        if (local && connection_.GetChannelType(-1) != kTournamentChannel) {
            if (connection_.MembershipState() != 0) {
                chat_.AddLine(quill::Format(u"멤버십 : 게임비 %s원 면제되었습니다.", FormatMoney(fee)), kGreen);
            } else {
                connection_.LocalPlayer().money -= fee;
                chat_.AddLine(quill::Format(u"%s has been removed for game fee", FormatMoney(fee)), kGreen);
            }
        }
        chargeMembers(fee);
    }
}

void RoomGameFlow::SetUpTableForStart(const GameStartMessage& start) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Reset(start.seed);
    if (table->Cameras().GetCamera().Mode() != 3) table->Rack().ResetCamera();
    table->Rack().ResetShotToState7(start.seed);
    table->Rack().SetCueBallIndex(start.cueBall);
    if (IsRoomSeat(start.firstShooter) && seats_.SeatCue(start.firstShooter) != nullptr) {
        table->RenderStep().SetCurrentCue(seats_.SeatCue(start.firstShooter));
    }
    const bool localTurn = start.firstShooter == static_cast<uint8_t>(state_.LocalSeat());
    const uint8_t mode = state_.Room().gameType;
    if ((mode == quill::game_type::kThreeCushion || mode == quill::game_type::kThreeCushionGamble) && localTurn) {
        LockedSetYaw(table->Cameras().GetCurrentCameraRef(), kBreakYaw);
    }
    // Marked first, so that a player in the top view (where the move does nothing) sees the cue ball on leaving it.
    table->Cameras().SetRefocusOnTopViewExit(true);
    table->Cameras().MoveCamera(0.5f, CameraController::kKeep, CameraController::kKeep, false);
    shotRoad_.TakeTable(localTurn);
    table->Turn().SetControlEnabled(localTurn);
    table->RenderStep().SetVisible(true);
    if (state_.IsPocketMode() && localTurn) table->Picking().SetPlacementArea(1);
    items_.ChalkSlot()->SetActive(localTurn);
}

void RoomGameFlow::SeatStartTeams(const GameStartMessage& start) {
    GameTable* table = stage_.Table();
    const bool cushions =
        table != nullptr && (table->Equipment().GameMode() == 0 || table->Equipment().GameMode() == 3);
    for (size_t place = 0; place < start.teams.size(); ++place) {
        const GameStartMessage::Team& block = start.teams[place];
        if (block.id >= kRoomTeams) continue;
        quill::TeamState& team = state_.Model().teams[block.id];
        team.gameWord = block.gameWord;
        team.gameByteA = block.gameByte;
        team.SetState(block.state);
        state_.Model().SetTurnOrder(static_cast<uint8_t>(place), block.id);
        if (state_.Room().gameType == quill::game_type::kSixBalls) team.floor = static_cast<int8_t>(block.sixBall);
        for (size_t m = 0; m < block.members.size(); ++m) {
            quill::PlayerState* member = state_.SeatRecord(block.members[m].seat);
            if (member == nullptr) continue;
            member->gameCounters[quill::PlayerState::kPointsCounter] = block.members[m].points;
            PlaceMember(block.id, static_cast<uint8_t>(m), *member);
        }
        team.score = state_.Room().IsGambleGame() ? 0 : static_cast<uint16_t>(block.score);
        if (cushions) {
            team.threeCushionFinishes = block.threeCushions;
            team.bankFinishes = block.banks;
        }
        team.SetBallGroup(block.ballGroup);
        if (table != nullptr) table->Physics().SetBallGroup(block.ballGroup);
    }
    state_.Model().CountTeamsInPlay();
}

// The player into the team at member slot index, as the server orders the team's members.
void RoomGameFlow::PlaceMember(uint8_t teamId, uint8_t index, quill::PlayerState& player) {
    if (teamId >= kRoomTeams || index >= quill::TeamState::kMaxMembers) return;
    state_.Model().MovePlayer(&player, teamId);
    quill::TeamState& team = state_.Model().teams[teamId];
    for (uint8_t slot = 0; slot < quill::TeamState::kMaxMembers; ++slot) {
        if (team.members[slot] != &player || slot == index) continue;
        std::swap(team.members[slot], team.members[index]);
        if (team.members[slot] != nullptr) team.members[slot]->place = static_cast<int8_t>(slot);
        player.place = static_cast<int8_t>(index);
    }
}

void RoomGameFlow::OnTurnResult(quill::Packet& packet) {
    clocks_.StartTurn(platform::TimeGetTime());
    shotRoad_.Receiving()->Show(false);
    runCount_ = 0;
    shotRoad_.AnswerPendingTableState();
    const std::optional<TurnResultMessage> turn = ReadTurnResult(packet, state_.IsRunning());
    if (!turn) return;
    equipment_.Set(turn->tableItem, turn->ballSetItem);
    state_.Room().firstCueBall = turn->cueBall;
    if (IsRoomSeat(turn->nextShooter)) state_.Room().shooterSeat = static_cast<int8_t>(turn->nextShooter);
    if (turn->hasGame) {
        ApplyTurnGame(*turn);
    } else if (turn->nextShooter == static_cast<uint8_t>(state_.LocalSeat())) {
        shotRoad_.TakeTable(true);
    }
    FinishTurn(*turn);
}

void RoomGameFlow::ApplyTurnGame(const TurnResultMessage& turn) {
    GameTable* table = stage_.Table();
    inning_ = turn.inning;
    runCount_ = turn.runCount;
    ruleMarker_ = turn.marker;
    state_.Room().counterC = turn.gameTimer;
    if (quill::PlayerState* next = state_.SeatRecord(turn.nextShooter)) {
        next->gameCounters[quill::PlayerState::kInningsCounter] = turn.innings;
        next->gameCounters[quill::PlayerState::kPointsCounter] = turn.points;
    }
    const quill::PlayerState* shown = state_.IsLocalPlayerInGame() ? state_.SeatRecord(state_.LocalSeat())
                                                                    : state_.SeatRecord(turn.nextShooter);
    if (shown != nullptr) {
        seats_.Board()->SetTarget(shown->gameCounters[quill::PlayerState::kPointsCounter],
                                  shown->gameCounters[quill::PlayerState::kInningsCounter]);
    }
    if (turn.pointsGained != 0) {
        floatingTexts_[0]->ShowAt(turn.pointsGained, u"", screen_.Width() / 2, screen_.Height() / 2, kYellow);
    }
    if (state_.Room().gameType == quill::game_type::kSixBalls && turn.pointChange < 0) {
        chat_.AddLine(u"Foul. The points will be reset.", kYellow);
    }
    if (static_cast<uint16_t>(turn.pointChange) == kFoulResetChange && table != nullptr) {
        PlayTurnAnimation(SceneRoomGame::kFoulResetAnimation);
        table->SetRuleCounter(kFoulResetCounter);
        ++table->HudValues().ForScreens().foulCount;
    }
    if (quill::TeamState* shooting = PlayingTeam(state_.Model().currentTeam))
        shooting->SetState(turn.shooterTeamState);
    for (const TurnResultMessage::Money& entry : turn.money) seats_.ApplyMoney(entry.seat, entry.money);
    if (turn.result != kKeepTurn) {
        state_.Model().FindPlayerTurn(turn.nextShooter);
        if (quill::TeamState* current = PlayingTeam(state_.Model().currentTeam)) current->SetState(turn.nextTeamState);
        seats_.Board()->Refresh(state_.Model(), state_.Room());
    }
    scoreTrack_->SetCursor(turn.marker);
    if (!eightBallNotice_ && table != nullptr && table->Physics().AnnounceShot(runCount_) == 1) {
        PlayTurnAnimation(SceneRoomGame::kGoodShotAnimation);
        SceneRoomGame::PlaySound(kGoodShotSound);
    }
    if (turn.result == kKeepTurn && state_.Room().gameType < quill::game_type::kSixBalls) {
        AnnounceKeptTurn(turn);
    } else {
        if (table != nullptr && table->Equipment().GameMode() == quill::game_type::kEightBall)
            table->Aim().SetTargetMode(false);
        scoreTrack_->SetCursor(0);
    }
    if (state_.IsPocketMode() && turn.ballInHand != 0) GiveBallInHand(turn.ballInHand);
    PassTurnTable(turn);
    if (runCount_ > 2) {
        const WidgetRect board = seats_.Board()->GetRect();
        floatingTexts_[1]->ShowAt(runCount_, u"Pts", board.right + 50, board.top - 30, 0xFF00AEFF);
    }
    if (turn.result != kKeepTurn) ReevaluateContinue();
}

// The "continue" window of a stake game, the one-hour notice: shown when the local player plays, the first
// place is up again with nothing won yet, and the game has run an hour. Weighed at every passed turn, when a
// member leaves and when the room's state arrives on entering.
void RoomGameFlow::ReevaluateContinue() {
    const bool due = state_.Room().IsGambleGame() && state_.IsLocalPlayerInGame() &&
                     state_.Model().currentTeam == 0 && gameValue_ == 0 &&
                     clocks_.GameRanFor(platform::TimeGetTime(), kContinueAfterMs);
    if (due) dialogs_.ContinueWindow()->SetVisible(true);
}

// Result 2 in the carom games: the team that keeps the turn may be due a three-cushion or bank shot.
void RoomGameFlow::AnnounceKeptTurn(const TurnResultMessage& turn) {
    (void)turn;
    quill::TeamState* team = PlayingTeam(state_.Model().currentTeam);
    GameTable* table = stage_.Table();
    if (team == nullptr || table == nullptr) return;
    if (team->score != 0) {
        if (team->score == 10) SceneRoomGame::QueueAnnouncement(kScoreTenVoice);
        if (team->score == 20) SceneRoomGame::QueueAnnouncement(kScoreTwentyVoice);
        return;
    }
    if (table->Equipment().GameMode() != 0 && table->Equipment().GameMode() != 3) return;
    if (team->threeCushionFinishes != 0) {
        PlayTurnAnimation(SceneRoomGame::kThreeCushionAnimation);
        if (team->threeCushionFinishes == team->threeCushionFinishesAtStart) {
            chat_.AddLine(u"Now~ your three cushion shot.", kGreen);
            SceneRoomGame::QueueAnnouncement(kThreeCushionVoice);
        }
        team->SetState(kThreeCushionDue);
    } else if (team->bankFinishes != 0) {
        PlayTurnAnimation(SceneRoomGame::kBankShotAnimation);
        if (team->bankFinishes == team->bankFinishesAtStart) {
            chat_.AddLine(u"Time to hit a bank shot.", kGreen);
            SceneRoomGame::QueueAnnouncement(kBankShotVoice);
        }
        team->SetState(kBankShotDue);
    }
    if (team->threeCushionFinishes == 1 && team->bankFinishes == 0) team->finishKind = kThreeCushionDue;
    if (team->threeCushionFinishes == 0 && team->bankFinishes == 1) team->finishKind = kBankShotDue;
}

void RoomGameFlow::GiveBallInHand(uint8_t kind) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->SnapshotBalls();
    shotRoad_.SendBallPlacement(table->Physics().CueBall());
    PlayTurnAnimation(SceneRoomGame::kBallInHandAnimation);
    if (!state_.IsLocalTurn()) return;
    if (kind == 1) {
        table->Picking().SetPlacementArea(2);
        chat_.AddLine(u"Free ball. Click the cueball to place it anywhere you want.", kWhite);
    } else if (kind == 2) {
        table->Picking().SetPlacementArea(1);
        chat_.AddLine(u"Break foul! You can freely place the cue ball.", kWhite);
    }
}

// Whose turn it is now, on the table.
void RoomGameFlow::PassTurnTable(const TurnResultMessage& turn) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    if (turn.nextShooter != static_cast<uint8_t>(state_.LocalSeat())) {
        shotRoad_.TakeTable(false);
    } else {
        if (turn.result != kKeepTurn && connection_.GetChannelType(-1) != kTournamentChannel) {
            PlayTurnAnimation(SceneRoomGame::kYourTurnAnimation);
            SceneRoomGame::PlaySound(kYourTurnSound);
        }
        shotRoad_.TakeTable(true);
        items_.ChalkSlot()->SetActive(true);
    }
    quill::TeamState* current = PlayingTeam(state_.Model().currentTeam);
    if (current == nullptr) return;
    if (!state_.IsPocketMode()) {
        // The referee judges the next shot against what the team is due: a three-cushion or bank finish.
        table->Physics().SetTargetCode(static_cast<int16_t>(current->state));
        return;
    }
    table->Physics().SetBallGroup(current->ballGroup);
    if (table->Equipment().GameMode() == quill::game_type::kEightBall && current->ballGroup == kEightBallGroup) {
        table->Aim().SetTargetMode(true);
        table->Turn().SetControlEnabled(false);
        if (state_.IsLocalTurn())
            chat_.AddLine(u"Call the pocket where you will pocket the 8 ball.(Left click)", kGreen);
    }
}

void RoomGameFlow::FinishTurn(const TurnResultMessage& turn) {
    app_.GetRandom().Seed(turn.seed);
    GameTable* table = stage_.Table();
    state_.SetShotInFlight(false);
    eightBallNotice_ = false;
    if (table != nullptr) {
        if (state_.IsPocketMode()) table->Rack().ReRackIfNeeded(turn.seed, false);
        if (IsRoomSeat(state_.Room().shooterSeat) &&
            seats_.SeatCue(static_cast<size_t>(state_.Room().shooterSeat)) != nullptr) {
            table->RenderStep().SetCurrentCue(seats_.SeatCue(static_cast<size_t>(state_.Room().shooterSeat)));
        }
        table->Rack().SetCueBall(turn.cueBall, false);
        table->Aim().UpdateCueModel();
        table->RenderStep().SetVisible(true);
    }
    if (connection_.GetChannelType(-1) == kTournamentChannel) {
        if (const quill::PlayerState* shooter = state_.SeatRecord(state_.Room().shooterSeat)) {
            scoreBoard_->SetStats(shooter->gameCounters[quill::PlayerState::kInningsCounter],
                                  shooter->gameCounters[quill::PlayerState::kPointsCounter]);
        }
    }
    equipment_.Check();
}

void RoomGameFlow::OnBreakRerack(quill::Packet& packet) {
    const std::optional<BreakRerackMessage> rerack = ReadBreakRerack(packet);
    GameTable* table = stage_.Table();
    if (!rerack || table == nullptr || rerack->kind < 1 || rerack->kind > 3) return;
    if (rerack->kind == 1) chat_.AddLine(u"Break foul! Try the first break again!", kYellow);
    table->Physics().SeedRandom(rerack->seed);
    table->Rack().RackBalls();
    if (rerack->kind == 1) {
        table->HudValues().ForScreens().breakAgain = true;
    } else if (state_.IsPocketMode()) {
        SceneRoomGame::QueueAnnouncement(kRackVoice);
    }
}

void RoomGameFlow::OnBallGroups(quill::Packet& packet, bool eightBall) {
    const std::optional<BallGroupsMessage> groups = ReadBallGroups(packet, eightBall);
    if (!groups) return;
    for (size_t place = 0; place < groups->groups.size(); ++place) {
        if (quill::TeamState* team = PlayingTeam(static_cast<uint8_t>(place)))
            team->SetBallGroup(groups->groups[place]);
    }
    seats_.Board()->Refresh(state_.Model(), state_.Room());
    if (!eightBall) {
        chat_.AddLine(u"The group has been determined.", kGreen);
        FillGroupBoard();
        return;
    }
    chat_.AddLine(u"8 ball shot!", kGreen);
    if (groups->flag != 0) {
        eightBallNotice_ = true;
        SceneRoomGame::QueueAnnouncement(kEightBallVoice);
    }
}

// One row per member of every team in play: the high balls or the others, and the member's nickname.
void RoomGameFlow::FillGroupBoard() {
    groupBoard_->Clear();
    for (uint8_t place = 0; place < state_.Model().teamsInPlay; ++place) {
        const quill::TeamState* team = PlayingTeam(place);
        if (team == nullptr) continue;
        for (const quill::PlayerState* member : team->members) {
            if (member != nullptr) groupBoard_->AddRow(team->ballGroup == kHighBallsGroup, member->name);
        }
    }
    groupBoard_->SetVisible(false);
    groupBoard_->SetVisible(true);
}

void RoomGameFlow::OnPointRuleUpdate(quill::Packet& packet) {
    SceneRoomGame::PlaySound(ruleBytes_.flag != 0 ? kRuleFlagSound : kRuleSound);
    const std::optional<PointRuleBytes> rule = ReadPointRule(packet);
    if (!rule) return;
    ruleBytes_ = *rule;
    pointRule_->SetRule(static_cast<quill::GameType>(state_.Room().gameType), rule->kind);
    pointRule_->ShowRule(rule->kind >= 1);
    if (connection_.GetChannelType(-1) != kTournamentChannel) FillPointRuleBoard(rule->flag);
}

void RoomGameFlow::OnScoreUpdate(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    const auto tableMode =
        table != nullptr ? table->Equipment().GameMode() : static_cast<quill::GameType>(state_.Room().gameType);
    const std::optional<ScoreUpdateMessage> score =
        ReadScoreUpdate(packet, state_.IsRunning(), tableMode, state_.Room().gameType);
    if (!score) return;
    pointRule_->SetNumber(static_cast<uint64_t>(score->value));
    if (!state_.IsRunning()) return;
    for (size_t place = 0; place < score->teams.size(); ++place) {
        quill::TeamState* team = PlayingTeam(static_cast<uint8_t>(place));
        if (team == nullptr) continue;
        const ScoreUpdateMessage::Team& block = score->teams[place];
        team->score = static_cast<uint16_t>(block.score);
        team->gameWord = block.wordA;
        team->lastPoints = block.wordB;
        if (tableMode == 0 || tableMode == 3) {
            team->threeCushionFinishes = block.threeCushions;
            team->bankFinishes = block.banks;
        }
        if (state_.Room().IsGambleGame() && team->members[0] != nullptr) {
            seats_.ApplyMoney(static_cast<uint8_t>(team->members[0]->seat), block.money);
        }
    }
    gameValue_ = score->gameValue;
    seats_.Board()->Refresh(state_.Model(), state_.Room());
}

void RoomGameFlow::OnGameStateSync(quill::Packet& packet) {
    const std::optional<GameStateSyncMessage> sync = ReadGameStateSync(packet);
    if (!sync) return;
    inning_ = sync->inning;
    gameValue_ = sync->gameValue;
    clocks_.StartGame(platform::TimeGetTime(), sync->elapsedMs);
    for (size_t place = 0; place < sync->teams.size(); ++place) {
        const GameStateSyncMessage::Team& block = sync->teams[place];
        if (block.id >= kRoomTeams) continue;
        quill::TeamState& team = state_.Model().teams[block.id];
        team.SetState(block.state);
        team.score = static_cast<uint16_t>(block.score);
        team.SetBallGroup(block.ballGroup);
        state_.Model().SetTurnOrder(static_cast<uint8_t>(place), block.id);
        for (size_t m = 0; m < block.members.size(); ++m) {
            quill::PlayerState* member = state_.SeatRecord(block.members[m].seat);
            if (member == nullptr) continue;
            member->gameCounters[quill::PlayerState::kInningsCounter] = block.members[m].innings;
            member->gameCounters[quill::PlayerState::kPointsCounter] = block.members[m].points;
            PlaceMember(block.id, static_cast<uint8_t>(m), *member);
        }
    }
    if (IsRoomSeat(sync->shooterSeat)) {
        state_.Model().FindPlayerTurn(sync->shooterSeat);
        state_.Room().shooterSeat = static_cast<int8_t>(sync->shooterSeat);
    }
    seats_.Board()->Refresh(state_.Model(), state_.Room());
}

void RoomGameFlow::OnJackpot(quill::Packet& packet) {
    const std::optional<JackpotMessage> jackpot = ReadJackpot(packet);
    if (!jackpot) return;
    pointRule_->SetNumber(jackpot->amount);
    scoreTrack_->ShowJackpotMark();
    chat_.AddLine(quill::Format(u"★ Gain %s's jackpot %s won", jackpot->nickname, FormatMoney(jackpot->amount)),
                  kGreen);
    if (jackpot->nickname == connection_.LocalPlayer().name && jackpot->count > 2) {
        chat_.AddLine(quill::Format(u"★ 잭팟 아이템 1회 사용 (%d배 적용)", jackpot->count), kGreen);
    }
    chat_.AddLine(u"(The higher the betting amount, the more the jackpot gaining amount)", kGreen);
}

}  // namespace kestrovan
