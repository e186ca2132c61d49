// The room's side of a game as the server referees it: the start with its teams and money, every turn's
// result (scores, innings, money, whose turn), re-racks, the 8-ball groups, the point rule and the end with
// its results. Runs on the dispatch thread under the room lock (OnPacket holds it).
#include <algorithm>
#include <bit>

#include "QuillLib/core/Format.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/App.h"
#include "client/app/SoundQueue.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/lobby/GoldShortagePopup.h"
#include "client/scenes/room/FloatingGainText.h"
#include "client/scenes/room/GroupBoard.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/PointRulePanel.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/scenes/room/TimeLimitNotice.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/AnimatedImage.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

constexpr uint8_t kKeepTurn = 2;
constexpr uint16_t kFoulResetChange = 0xFFFD;  // -3: the points go back to zero
constexpr int32_t kFoulResetCounter = -3;
constexpr uint8_t kEightBallGroup = 4;
constexpr uint8_t kHighBallsGroup = 3;
constexpr int32_t kThreeCushionDue = 4;
constexpr int32_t kBankShotDue = 1004;
constexpr uint32_t kKey_Z = 'Z';
constexpr float kKeep = CameraController::kKeep;
// The break's view in the three-cushion games: 150 degrees, held as the exact float every client uses. The
// dispatch thread rounds toward zero, so converting 150 degrees there would give the float one unit below.
constexpr float kBreakYaw = std::bit_cast<float>(0x40278D37u);
constexpr uint32_t kContinueAfterMs = 60 * 60 * 1000;
constexpr int32_t kWaitingState = 4;
constexpr uint8_t kInvalidResult = 7;
// The part of the winnings a game with money keeps back, shown under its results; a friendly game shows none.
constexpr int32_t kGameFeePercent = 9;

constexpr uint32_t kStartSound = 24;
constexpr uint32_t kGoodShotSound = 20;
constexpr uint32_t kYourTurnSound = 26;
constexpr uint32_t kEndSound = 23;
constexpr uint32_t kSettleSound = 21;
constexpr uint32_t kRuleSound = 39;
constexpr uint32_t kRuleFlagSound = 41;
constexpr uint32_t kRackVoice = 27;
constexpr uint32_t kOpeningVoices[] = {56, 57};
constexpr uint32_t kScoreTenVoice = 76;
constexpr uint32_t kScoreTwentyVoice = 77;
constexpr uint32_t kThreeCushionVoice = 78;
constexpr uint32_t kBankShotVoice = 80;
constexpr uint32_t kEightBallVoice = 80;
constexpr uint32_t kGameOverVoice = 55;
constexpr uint32_t kAllInVoice = 42;

bool IsStakeMode(uint8_t mode) {
    return mode == 2 || mode == 5;
}

}  // namespace

// --- helpers ---

quill::PlayerState* SceneRoomGame::SeatRecord(int32_t seat) {
    return IsRoomSeat(seat) ? &model_.players[static_cast<size_t>(seat)] : nullptr;
}

quill::TeamState* SceneRoomGame::PlayingTeam(uint8_t place) {
    return place < kRoomTeams ? model_.turnOrder[place] : nullptr;
}

bool SceneRoomGame::IsPocketMode() const {
    return room_.gameType >= quill::game_type::kEightBall;
}

bool SceneRoomGame::IsLocalPlayerInGame() const {
    const int8_t seat = localSeat_;
    return gameRunning_ && IsRoomSeat(seat) && model_.players[static_cast<size_t>(seat)].team > 0;
}

void SceneRoomGame::PlayTurnAnimation(size_t animation) {
    if (animation < kTurnAnimations) turnAnimations_[animation]->Play(0);
}

void SceneRoomGame::PlaySound(uint32_t id) {
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->PlayAtFullVolume(id, false);
}

void SceneRoomGame::QueueAnnouncement(uint32_t id) {
    SoundQueue::Instance().Push(quill::SoundManager::Current(), id, 1.0f);
}

// The local player takes or loses the table: the local-turn byte, 'Z' let go, and control.
void SceneRoomGame::TakeTable(bool take) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->SetAimFollowsCamera(take);
    table->OnKey(kKey_Z, false);
    if (take) table->SetControlEnabled(true);
}

// A seat's money from the server; the local seat's is also the player's gold.
void SceneRoomGame::ApplyMoney(uint8_t seat, int64_t money) {
    quill::PlayerState* record = SeatRecord(seat);
    if (record == nullptr) return;
    record->money = money;
    if (seat == localSeat_) Player().money = money;
}

// --- GameStart ---

void SceneRoomGame::OnGameStart(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    const auto tableMode = table != nullptr ? table->GameMode() : static_cast<quill::GameType>(room_.gameType);
    const std::optional<GameStartMessage> start = ReadGameStart(packet, tableMode);
    if (!start) return;
    const uint32_t now = platform::TimeGetTime();
    turnClock_.StartTurn(now);
    gameClockOrigin_ = now - start->elapsedMs;
    room_.firstCueBall = start->cueBall;
    ruleBytes_ = start->rule;
    for (quill::PlayerState& seat : model_.players) {
        if (seat.seat >= 0) seat.ResetGameFields();
    }
    startBalloon_->Show(false);
    receiving_->Show(false);
    joinButton_->Show(false);
    randomSeed_ = start->seed;
    app_.GetRandom().Seed(start->seed);
    runCount_ = 0;
    runningTotals_.fill(0);
    tableStatePending_ = false;
    shotInFlight_ = false;
    eightBallNotice_ = false;
    model_.currentTeam = 0;
    gameRunning_ = true;
    room_.state = 2;
    model_.SetModeOption(static_cast<uint8_t>(room_.setting), room_.optionFlags);
    model_.ComputeTargets();
    model_.ApplyHandicapFlags();
    model_.StartGame();
    AddChatLine(u"The game has started.", kGreen);
    TakeStartMoney(*start);
    SetUpTableForStart(*start);
    SeatStartTeams(*start);
    gameValue_ = start->gameValue;
    model_.FindPlayerTurn(start->firstShooter);
    if (IsRoomSeat(start->firstShooter)) room_.shooterSeat = static_cast<int8_t>(start->firstShooter);
    if (quill::TeamState* current = PlayingTeam(model_.currentTeam); current != nullptr && table != nullptr) {
        table->Physics().SetBallGroup(current->ballGroup);
        table->Physics().SetTargetCode(static_cast<int16_t>(current->state));
    }
    playerBoard_->OnGameStart();
    playerBoard_->Refresh(model_, room_);
    chalkSlot_->Refresh();
    shotBet_->SetVisible(true);
    if (quill::PlayerState* shooter = SeatRecord(start->firstShooter)) {
        playerBoard_->SetTarget(shooter->gameCounters[quill::PlayerState::kPointsCounter], inning_);
        shotBet_->NewShot(shooter->name, IsLocalTurn());
    }
    shotBet_->SetBetAmount(1000);
    shotBet_->SetBetOpen(true);
    startReady_->OnGameStart();
    PlaySound(kStartSound);
    if (IsPocketMode()) QueueAnnouncement(kRackVoice);
    const bool tournament = connection_.GetChannelType(-1) == kTournamentChannel;
    QueueAnnouncement(tournament && connection_.ConnectionFlag() == 1 ? kOpeningVoices[0]
                                                                       : kOpeningVoices[app_.GetRandom().Next() & 1]);
    CheckRoomEquipment();
    if (tournament) {
        scoreBoard_->OnGameStart();
    } else {
        FillPointRuleBoard(0);
        pointRule_->ShowRule(start->rule.kind >= 1);
        pointRule_->SetRule(static_cast<quill::GameType>(room_.gameType), start->rule.kind);
    }
}

// The point-rule board from the point-rule bytes and the room's game: the cells of the rule's steps up to its
// count, the multiplier at that goal, a marker at the step's cell (and at secondMarker's) and the cursor at
// the rule's position; shown while a rule is in force.
void SceneRoomGame::FillPointRuleBoard(uint8_t secondMarker) {
    scoreTrack_->Set(static_cast<quill::GameType>(room_.gameType), ruleBytes_.kind, ruleBytes_.count,
                     ruleBytes_.multiplier, ruleBytes_.step, secondMarker, 0);
    scoreTrack_->SetCursor(ruleMarker_);
    scoreTrack_->SetVisible(ruleBytes_.kind >= 1);
}

// The money taken at the start: the six-ball stake, or the fee of the stake games.
void SceneRoomGame::TakeStartMoney(const GameStartMessage& start) {
    const int64_t stake = room_.stake;
    const bool local = IsLocalPlayerInGame();
    auto chargeMembers = [&](int64_t amount) {
        for (const GameStartMessage::Team& team : start.teams) {
            for (const GameStartMessage::Member& member : team.members) {
                if (quill::PlayerState* record = SeatRecord(member.seat)) record->money -= amount;
            }
        }
    };
    if (room_.gameType == quill::game_type::kSixBalls) {
        if (local) {
            Player().money -= stake;
            AddChatLine(quill::Format(u"%s원을 배팅하였습니다.", FormatMoney(stake)), kGreen);
        }
        chargeMembers(stake);
    } else if (IsStakeMode(room_.gameType)) {
        const int64_t fee = 2 * stake;
        if (local && connection_.GetChannelType(-1) != kTournamentChannel) {
            if (connection_.MembershipState() != 0) {
                AddChatLine(quill::Format(u"멤버십 : 게임비 %s원 면제되었습니다.", FormatMoney(fee)), kGreen);
            } else {
                Player().money -= fee;
                AddChatLine(quill::Format(u"%s has been removed for game fee", FormatMoney(fee)), kGreen);
            }
        }
        chargeMembers(fee);
    }
}

void SceneRoomGame::SetUpTableForStart(const GameStartMessage& start) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Reset(start.seed);
    if (table->Cameras().GetCamera().Mode() != 3) table->ResetCamera();
    table->ResetShotToState7(start.seed);
    table->SetCueBallIndex(start.cueBall);
    if (IsRoomSeat(start.firstShooter) && seatCues_[start.firstShooter] != nullptr) {
        table->SetCurrentCue(seatCues_[start.firstShooter]);
    }
    const bool localTurn = start.firstShooter == static_cast<uint8_t>(localSeat_.load());
    const uint8_t mode = room_.gameType;
    if ((mode == quill::game_type::kThreeCushion || mode == quill::game_type::kThreeCushionGamble) && localTurn) {
        LockedSetYaw(table->Cameras().GetCurrentCameraRef(), kBreakYaw);
    }
    // Marked first, so that a player in the top view (where the move does nothing) sees the cue ball on leaving it.
    table->Cameras().SetRefocusOnTopViewExit(true);
    table->Cameras().MoveCamera(0.5f, kKeep, kKeep, false);
    table->SetAimFollowsCamera(localTurn);
    table->OnKey(kKey_Z, false);
    table->SetControlEnabled(localTurn);
    table->SetVisible(true);
    if (IsPocketMode() && localTurn) table->Picking().SetPlacementArea(1);
    chalkSlot_->SetActive(localTurn);
}

void SceneRoomGame::SeatStartTeams(const GameStartMessage& start) {
    GameTable* table = stage_.Table();
    const bool cushions = table != nullptr && (table->GameMode() == 0 || table->GameMode() == 3);
    for (size_t place = 0; place < start.teams.size(); ++place) {
        const GameStartMessage::Team& block = start.teams[place];
        if (block.id >= kRoomTeams) continue;
        quill::TeamState& team = model_.teams[block.id];
        team.gameWord = block.gameWord;
        team.gameByteA = block.gameByte;
        team.SetState(block.state);
        model_.SetTurnOrder(static_cast<uint8_t>(place), block.id);
        if (room_.gameType == quill::game_type::kSixBalls) team.floor = static_cast<int8_t>(block.sixBall);
        for (size_t m = 0; m < block.members.size(); ++m) {
            quill::PlayerState* member = SeatRecord(block.members[m].seat);
            if (member == nullptr) continue;
            member->gameCounters[quill::PlayerState::kPointsCounter] = block.members[m].points;
            PlaceMember(block.id, static_cast<uint8_t>(m), *member);
        }
        team.score = IsStakeMode(room_.gameType) ? 0 : static_cast<uint16_t>(block.score);
        if (cushions) {
            team.threeCushionFinishes = block.threeCushions;
            team.bankFinishes = block.banks;
        }
        team.SetBallGroup(block.ballGroup);
        if (table != nullptr) table->Physics().SetBallGroup(block.ballGroup);
    }
    model_.CountTeamsInPlay();
}

// The player into the team at member slot index, as the server orders the team's members.
void SceneRoomGame::PlaceMember(uint8_t teamId, uint8_t index, quill::PlayerState& player) {
    if (teamId >= kRoomTeams || index >= quill::TeamState::kMaxMembers) return;
    model_.MovePlayer(&player, teamId);
    quill::TeamState& team = model_.teams[teamId];
    for (uint8_t slot = 0; slot < quill::TeamState::kMaxMembers; ++slot) {
        if (team.members[slot] != &player || slot == index) continue;
        std::swap(team.members[slot], team.members[index]);
        if (team.members[slot] != nullptr) team.members[slot]->place = static_cast<int8_t>(slot);
        player.place = static_cast<int8_t>(index);
    }
}

// --- TurnResult ---

void SceneRoomGame::OnTurnResult(quill::Packet& packet) {
    const uint32_t now = platform::TimeGetTime();
    turnClock_.StartTurn(now);
    receiving_->Show(false);
    runCount_ = 0;
    if (tableStatePending_.exchange(false)) SendTableState();
    const std::optional<TurnResultMessage> turn = ReadTurnResult(packet, gameRunning_);
    if (!turn) return;
    ballSetItem_ = turn->ballSetItem;
    tableItem_ = turn->tableItem;
    room_.firstCueBall = turn->cueBall;
    if (IsRoomSeat(turn->nextShooter)) room_.shooterSeat = static_cast<int8_t>(turn->nextShooter);
    if (turn->hasGame) {
        ApplyTurnGame(*turn);
    } else if (turn->nextShooter == static_cast<uint8_t>(localSeat_.load())) {
        TakeTable(true);
    }
    FinishTurn(*turn);
}

void SceneRoomGame::ApplyTurnGame(const TurnResultMessage& turn) {
    GameTable* table = stage_.Table();
    inning_ = turn.inning;
    runCount_ = turn.runCount;
    ruleMarker_ = turn.marker;
    room_.counterC = turn.gameTimer;
    if (quill::PlayerState* next = SeatRecord(turn.nextShooter)) {
        next->gameCounters[quill::PlayerState::kInningsCounter] = turn.innings;
        next->gameCounters[quill::PlayerState::kPointsCounter] = turn.points;
    }
    const quill::PlayerState* shown = IsLocalPlayerInGame() ? SeatRecord(localSeat_) : SeatRecord(turn.nextShooter);
    if (shown != nullptr) {
        playerBoard_->SetTarget(shown->gameCounters[quill::PlayerState::kPointsCounter],
                                shown->gameCounters[quill::PlayerState::kInningsCounter]);
    }
    if (turn.pointsGained != 0) {
        floatingTexts_[0]->ShowAt(turn.pointsGained, u"", Width() / 2, Height() / 2, kYellow);
    }
    if (room_.gameType == quill::game_type::kSixBalls && turn.pointChange < 0) {
        AddChatLine(u"Foul. The points will be reset.", kYellow);
    }
    if (static_cast<uint16_t>(turn.pointChange) == kFoulResetChange && table != nullptr) {
        PlayTurnAnimation(kFoulResetAnimation);
        table->SetRuleCounter(kFoulResetCounter);
        ++table->HudValues().ForScreens().foulCount;
    }
    if (quill::TeamState* shooting = PlayingTeam(model_.currentTeam)) shooting->SetState(turn.shooterTeamState);
    for (const TurnResultMessage::Money& entry : turn.money) ApplyMoney(entry.seat, entry.money);
    if (turn.result != kKeepTurn) {
        model_.FindPlayerTurn(turn.nextShooter);
        if (quill::TeamState* current = PlayingTeam(model_.currentTeam)) current->SetState(turn.nextTeamState);
        playerBoard_->Refresh(model_, room_);
    }
    scoreTrack_->SetCursor(turn.marker);
    if (!eightBallNotice_ && table != nullptr && table->Physics().AnnounceShot(runCount_) == 1) {
        PlayTurnAnimation(kGoodShotAnimation);
        PlaySound(kGoodShotSound);
    }
    if (turn.result == kKeepTurn && room_.gameType < quill::game_type::kSixBalls) {
        AnnounceKeptTurn(turn);
    } else {
        if (table != nullptr && table->GameMode() == quill::game_type::kEightBall) table->SetTargetMode(false);
        scoreTrack_->SetCursor(0);
    }
    if (IsPocketMode() && turn.ballInHand != 0) GiveBallInHand(turn.ballInHand);
    PassTurnTable(turn);
    if (runCount_ > 2) {
        const WidgetRect board = playerBoard_->GetRect();
        floatingTexts_[1]->ShowAt(runCount_, u"Pts", board.right + 50, board.top - 30, 0xFF00AEFF);
    }
    if (turn.result != kKeepTurn) ReevaluateContinue();
}

// The "continue" window of a stake game, the one-hour notice: shown when the local player plays, the first
// place is up again with nothing won yet, and the game has run an hour. Weighed at every passed turn, when a
// member leaves and when the room's state arrives on entering.
void SceneRoomGame::ReevaluateContinue() {
    const bool due = IsStakeMode(room_.gameType) && IsLocalPlayerInGame() && model_.currentTeam == 0 &&
                     gameValue_ == 0 && platform::TimeGetTime() - gameClockOrigin_ >= kContinueAfterMs;
    if (due) timeLimit_->SetVisible(true);
}

// Result 2 in the carom games: the team that keeps the turn may be due a three-cushion or bank shot.
void SceneRoomGame::AnnounceKeptTurn(const TurnResultMessage& turn) {
    (void)turn;
    quill::TeamState* team = PlayingTeam(model_.currentTeam);
    GameTable* table = stage_.Table();
    if (team == nullptr || table == nullptr) return;
    if (team->score != 0) {
        if (team->score == 10) QueueAnnouncement(kScoreTenVoice);
        if (team->score == 20) QueueAnnouncement(kScoreTwentyVoice);
        return;
    }
    if (table->GameMode() != 0 && table->GameMode() != 3) return;
    if (team->threeCushionFinishes != 0) {
        PlayTurnAnimation(kThreeCushionAnimation);
        if (team->threeCushionFinishes == team->threeCushionFinishesAtStart) {
            AddChatLine(u"Now~ your three cushion shot.", kGreen);
            QueueAnnouncement(kThreeCushionVoice);
        }
        team->SetState(kThreeCushionDue);
    } else if (team->bankFinishes != 0) {
        PlayTurnAnimation(kBankShotAnimation);
        if (team->bankFinishes == team->bankFinishesAtStart) {
            AddChatLine(u"Time to hit a bank shot.", kGreen);
            QueueAnnouncement(kBankShotVoice);
        }
        team->SetState(kBankShotDue);
    }
    if (team->threeCushionFinishes == 1 && team->bankFinishes == 0) team->finishKind = kThreeCushionDue;
    if (team->threeCushionFinishes == 0 && team->bankFinishes == 1) team->finishKind = kBankShotDue;
}

void SceneRoomGame::GiveBallInHand(uint8_t kind) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->SnapshotBalls();
    SendBallPlacement(table->Physics().CueBall());
    PlayTurnAnimation(kBallInHandAnimation);
    if (!IsLocalTurn()) return;
    if (kind == 1) {
        table->Picking().SetPlacementArea(2);
        AddChatLine(u"Free ball. Click the cueball to place it anywhere you want.", kWhite);
    } else if (kind == 2) {
        table->Picking().SetPlacementArea(1);
        AddChatLine(u"Break foul! You can freely place the cue ball.", kWhite);
    }
}

// Whose turn it is now, on the table.
void SceneRoomGame::PassTurnTable(const TurnResultMessage& turn) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    if (turn.nextShooter != static_cast<uint8_t>(localSeat_.load())) {
        table->SetAimFollowsCamera(false);
        table->OnKey(kKey_Z, false);
    } else {
        if (turn.result != kKeepTurn && connection_.GetChannelType(-1) != kTournamentChannel) {
            PlayTurnAnimation(kYourTurnAnimation);
            PlaySound(kYourTurnSound);
        }
        TakeTable(true);
        chalkSlot_->SetActive(true);
    }
    quill::TeamState* current = PlayingTeam(model_.currentTeam);
    if (current == nullptr) return;
    if (!IsPocketMode()) {
        // The referee judges the next shot against what the team is due: a three-cushion or bank finish.
        table->Physics().SetTargetCode(static_cast<int16_t>(current->state));
        return;
    }
    table->Physics().SetBallGroup(current->ballGroup);
    if (table->GameMode() == quill::game_type::kEightBall && current->ballGroup == kEightBallGroup) {
        table->SetTargetMode(true);
        table->SetControlEnabled(false);
        if (IsLocalTurn()) AddChatLine(u"Call the pocket where you will pocket the 8 ball.(Left click)", kGreen);
    }
}

void SceneRoomGame::FinishTurn(const TurnResultMessage& turn) {
    app_.GetRandom().Seed(turn.seed);
    randomSeed_ = turn.seed;
    GameTable* table = stage_.Table();
    shotInFlight_ = false;
    eightBallNotice_ = false;
    if (table != nullptr) {
        if (IsPocketMode()) table->ReRackIfNeeded(turn.seed, false);
        if (IsRoomSeat(room_.shooterSeat) && seatCues_[static_cast<size_t>(room_.shooterSeat)] != nullptr) {
            table->SetCurrentCue(seatCues_[static_cast<size_t>(room_.shooterSeat)]);
        }
        table->SetCueBall(turn.cueBall, false);
        table->UpdateCueModel();
        table->SetVisible(true);
    }
    if (connection_.GetChannelType(-1) == kTournamentChannel) {
        if (const quill::PlayerState* shooter = SeatRecord(room_.shooterSeat)) {
            scoreBoard_->SetStats(shooter->gameCounters[quill::PlayerState::kInningsCounter],
                                  shooter->gameCounters[quill::PlayerState::kPointsCounter]);
        }
    }
    CheckRoomEquipment();
}

// --- re-racks, groups, rules, scores ---

void SceneRoomGame::OnBreakRerack(quill::Packet& packet) {
    const std::optional<BreakRerackMessage> rerack = ReadBreakRerack(packet);
    GameTable* table = stage_.Table();
    if (!rerack || table == nullptr || rerack->kind < 1 || rerack->kind > 3) return;
    if (rerack->kind == 1) AddChatLine(u"Break foul! Try the first break again!", kYellow);
    table->Physics().SeedRandom(rerack->seed);
    table->RackBalls();
    if (rerack->kind == 1) {
        table->HudValues().ForScreens().breakAgain = true;
    } else if (IsPocketMode()) {
        QueueAnnouncement(kRackVoice);
    }
}

void SceneRoomGame::OnBallGroups(quill::Packet& packet, bool eightBall) {
    const std::optional<BallGroupsMessage> groups = ReadBallGroups(packet, eightBall);
    if (!groups) return;
    for (size_t place = 0; place < groups->groups.size(); ++place) {
        if (quill::TeamState* team = PlayingTeam(static_cast<uint8_t>(place))) team->SetBallGroup(groups->groups[place]);
    }
    playerBoard_->Refresh(model_, room_);
    if (!eightBall) {
        AddChatLine(u"The group has been determined.", kGreen);
        FillGroupBoard();
        return;
    }
    AddChatLine(u"8 ball shot!", kGreen);
    if (groups->flag != 0) {
        eightBallNotice_ = true;
        QueueAnnouncement(kEightBallVoice);
    }
}

// One row per member of every team in play: the high balls or the others, and the member's nickname.
void SceneRoomGame::FillGroupBoard() {
    groupBoard_->Clear();
    for (uint8_t place = 0; place < model_.teamsInPlay; ++place) {
        const quill::TeamState* team = PlayingTeam(place);
        if (team == nullptr) continue;
        for (const quill::PlayerState* member : team->members) {
            if (member != nullptr) groupBoard_->AddRow(team->ballGroup == kHighBallsGroup, member->name);
        }
    }
    groupBoard_->SetVisible(false);
    groupBoard_->SetVisible(true);
}

void SceneRoomGame::OnPointRuleUpdate(quill::Packet& packet) {
    PlaySound(ruleBytes_.flag != 0 ? kRuleFlagSound : kRuleSound);
    const std::optional<PointRuleBytes> rule = ReadPointRule(packet);
    if (!rule) return;
    ruleBytes_ = *rule;
    pointRule_->SetRule(static_cast<quill::GameType>(room_.gameType), rule->kind);
    pointRule_->ShowRule(rule->kind >= 1);
    if (connection_.GetChannelType(-1) != kTournamentChannel) FillPointRuleBoard(rule->flag);
}

void SceneRoomGame::OnScoreUpdate(quill::Packet& packet) {
    GameTable* table = stage_.Table();
    const auto tableMode = table != nullptr ? table->GameMode() : static_cast<quill::GameType>(room_.gameType);
    const std::optional<ScoreUpdateMessage> score = ReadScoreUpdate(packet, gameRunning_, tableMode, room_.gameType);
    if (!score) return;
    pointRule_->SetNumber(static_cast<uint64_t>(score->value));
    if (!gameRunning_) return;
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
        if (IsStakeMode(room_.gameType) && team->members[0] != nullptr) {
            ApplyMoney(static_cast<uint8_t>(team->members[0]->seat), block.money);
        }
    }
    gameValue_ = score->gameValue;
    playerBoard_->Refresh(model_, room_);
}

// --- the end ---

void SceneRoomGame::OnGameEnd(quill::Packet& packet) {
    const std::optional<GameEndMessage> end = ReadGameEnd(packet);
    if (!end) return;
    gameRunning_ = false;
    model_.running = 0;
    room_.state = 0;
    resultBoard_->SetGrid(end->teamCount, end->membersPerTeam);
    resultBoard_->SetFee(room_.IsClosed() ? 0 : kGameFeePercent);
    int32_t column = 0;
    for (const GameEndMessage::Team& team : end->teams) {
        const quill::TeamState* record = team.id < kRoomTeams ? &model_.teams[team.id] : nullptr;
        for (size_t row = 0; row < team.members.size(); ++row) {
            const GameEndMessage::Member& member = team.members[row];
            const quill::PlayerState* player = record != nullptr ? record->MemberAt(static_cast<uint32_t>(row)) : nullptr;
            if (player == nullptr || player->seat != member.seat) continue;
            resultBoard_->SetRow(column, static_cast<int32_t>(row), player->name, team.result,
                                 static_cast<int32_t>(member.points), player->money, member.rank);
        }
        ++column;
    }
    quill::WString line;
    if (IsStakeMode(room_.gameType)) {
        line = u"Game is over.";
    } else if (end->lastResult == kInvalidResult) {
        line = u"The game became invalid.";
    } else {
        const char16_t* what = end->reason == 2 ? u"has withdrawn, so the game has ended."
                                                : u"has disconnected, so the game has ended.";
        line = room_.gameType == quill::game_type::kSixBalls
                   ? quill::Format(u"%s %s", end->nickname, what)
                   : quill::Format(u"%s %s (%s %d)", end->nickname, what, u"WP", end->withdrawalPoints);
    }
    AddChatLine(line, kRed);
    if (GameTable* table = stage_.Table()) table->SetState(kWaitingState);
    model_.CountTeamsInPlay();
    AfterGameSeating();
    PlaySound(kEndSound);
    room_.shooterSeat = masterSeat_;
    GiveTableToMaster(2.0f);
    if (!IsStakeMode(room_.gameType)) resultBoard_->SetVisible(true);
    CheckRoomEquipment();
}

// After a game: the local player keeps his seat when he can pay for the next one, else he gives it up.
void SceneRoomGame::AfterGameSeating() {
    quill::PlayerState& local = Player();
    const quill::PlayerState* seat = SeatRecord(localSeat_);
    bool seated = seat != nullptr && seat->team > 0;
    const auto kind = static_cast<uint8_t>(connection_.GetChannelType(-1));
    if (seated && connection_.GetRoomInfo().RequiredMoney(local.money, kind) > 0) {
        seated = false;
        sender_.SendByte(quill::MessageId::RoomSlotRequest, 0);
    }
    local.gameFlags[quill::PlayerState::kSeatedFlag] = seated ? 1 : 0;
    startReady_->OnGameEnd();
    startReady_->SetSeat(seated && seat != nullptr ? seat->team : 0);
    if (!observe_) startReady_->ShowPanel();
    RefreshStartButton();
    playerBoard_->OnGameEnd();
    playerBoard_->Refresh(model_, room_);
}

// The room master holds the table between games; everybody else watches.
void SceneRoomGame::GiveTableToMaster(float seconds) {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->ClearTargetBall();
    if (!shotInFlight_) table->SetVisible(true);
    if (IsRoomSeat(masterSeat_) && seatCues_[static_cast<size_t>(masterSeat_.load())] != nullptr) {
        table->SetCurrentCue(seatCues_[static_cast<size_t>(masterSeat_.load())]);
    }
    const bool master = masterSeat_ == localSeat_;
    table->SetAimFollowsCamera(master);
    table->SetControlEnabled(master && !shotInFlight_);
    if (master) table->Cameras().MoveCamera(seconds, 350.0f, 30.0f, false);
}

void SceneRoomGame::OnGameSettlement(quill::Packet& packet) {
    const std::optional<GameSettlementMessage> settlement = ReadGameSettlement(packet);
    if (!settlement) return;
    resultBoard_->SetGrid(settlement->teamCount, settlement->membersPerTeam);
    int32_t unfinished = 0;
    bool localTookPart = false;
    int32_t column = 0;
    for (const GameSettlementMessage::Team& team : settlement->teams) {
        quill::TeamState* record = team.id < kRoomTeams ? &model_.teams[team.id] : nullptr;
        if (record != nullptr) record->result = team.result;
        if (team.result == 0) ++unfinished;
        for (size_t row = 0; row < team.members.size(); ++row) {
            quill::PlayerState* player = record != nullptr ? record->MemberAt(static_cast<uint32_t>(row)) : nullptr;
            if (player == nullptr) continue;
            const GameSettlementMessage::Member& member = team.members[row];
            if (player->seat == localSeat_) localTookPart = true;
            if (member.settled) {
                ApplyMoney(static_cast<uint8_t>(player->seat), member.money);
                player->status = member.status;
            }
            resultBoard_->SetRow(column, static_cast<int32_t>(row), player->name, team.result,
                                 static_cast<int32_t>(member.points), player->money, member.rank);
        }
        ++column;
    }
    PlaySound(kSettleSound);
    if (!IsStakeMode(room_.gameType)) resultBoard_->SetVisible(true);
    if (unfinished >= 2) {
        // The game goes on without the teams that finished.
        for (const GameSettlementMessage::Team& team : settlement->teams) {
            if (team.result == 0 || team.id == 0 || team.id >= kRoomTeams) continue;
            model_.RetireTeam(team.id, 0, 0);
            model_.CompactTurnOrder(team.id);
        }
        model_.NextTurn();
        if (localTookPart) {
            startReady_->SetSeat(0);
            // The rejoin window: six-ball players out of the game may pay the stake again and join (control 13).
            if (room_.gameType == quill::game_type::kSixBalls && !IsLocalPlayerInGame()) joinButton_->Show(true);
        }
        playerBoard_->Refresh(model_, room_);
        return;
    }
    for (quill::PlayerState& seat : model_.players) seat.gameFlags[quill::PlayerState::kBettingFlag] = 0;
    QueueAnnouncement(kGameOverVoice);
    model_.CountTeamsInPlay();
    const quill::PlayerState* local = SeatRecord(localSeat_);
    Player().gameFlags[quill::PlayerState::kSeatedFlag] = local != nullptr && local->team > 0 ? 1 : 0;
    ReturnToWaiting();
    AfterGameSeating();
}

void SceneRoomGame::OnPlayerAllIn(quill::Packet& packet) {
    const std::optional<SeatValueMessage> allIn = ReadSeatValue(packet, SeatValueWidth::kNone);
    if (!allIn || !IsRoomSeat(allIn->seat)) return;
    quill::PlayerState& seat = model_.players[allIn->seat];
    AddChatLine(quill::Format(u"%s 님이 올인 되었습니다.", seat.name), kRed);
    ApplyMoney(allIn->seat, 0);
    PlaySound(kEndSound);
    QueueAnnouncement(kAllInVoice);
    if (model_.teamsInPlay < 3) {
        gameRunning_ = false;
        model_.running = 0;
        shotInFlight_ = false;
        room_.state = 0;
        model_.CountTeamsInPlay();
        if (GameTable* table = stage_.Table()) table->SetState(kWaitingState);
        room_.shooterSeat = masterSeat_;
        GiveTableToMaster(2.0f);
    } else if (seat.team > 0) {
        const auto team = static_cast<uint8_t>(seat.team);
        model_.RetireTeam(team, 0, 0);
        model_.CompactTurnOrder(team);
    }
    AfterGameSeating();
}

void SceneRoomGame::ReturnToWaiting() {
    gameRunning_ = false;
    model_.running = 0;
    shotInFlight_ = false;
    room_.state = 0;
    playerBoard_->OnGameEnd();
    playerBoard_->Refresh(model_, room_);
    startReady_->OnGameEnd();
    if (GameTable* table = stage_.Table()) table->SetState(kWaitingState);
    room_.shooterSeat = masterSeat_;
    GiveTableToMaster(2.0f);
    model_.CountReadyMembers();
    ReadOptionSwitches();
}

bool SceneRoomGame::CheckSeatAfford() {
    const auto kind = static_cast<uint8_t>(connection_.GetChannelType(-1));
    const int64_t required = connection_.GetRoomInfo().RequiredMoney(Player().money, kind);
    if (required < 1) return true;
    goldShortage_->SetShortage(static_cast<int32_t>(std::min<int64_t>(required, INT32_MAX)), room_.gameType);
    goldShortage_->SetVisible(true);
    return false;
}

}  // namespace kestrovan
