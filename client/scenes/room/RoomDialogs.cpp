#include "client/scenes/room/RoomDialogs.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/app/MessengerPopup.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/UiTextures.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/GameOptionDialog.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/PacketRouter.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/WaitingPopup.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/scenes/room/LevelUpPopup.h"
#include "client/scenes/room/OpponentRequestAcceptPopup.h"
#include "client/scenes/room/OpponentRequestPopup.h"
#include "client/scenes/room/RankingPopup.h"
#include "client/scenes/room/ReportUserPopup.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/RoomChat.h"
#include "client/scenes/room/RoomColours.h"
#include "client/scenes/room/RoomGameFlow.h"
#include "client/scenes/room/RoomItems.h"
#include "client/scenes/room/RoomMenu.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/RoomReport.h"
#include "client/scenes/room/RoomState.h"
#include "client/scenes/room/RoomWidgets.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ScoreSummaryPopup.h"
#include "client/scenes/room/TimeLimitNotice.h"
#include "client/scenes/room/WithdrawMenuPopup.h"
#include "client/scenes/room/WithdrawPopup.h"
#include "client/scenes/room/WithdrawQuestion.h"
#include "client/table/GameTable.h"
#include "client/table/TableShotRecords.h"
#include "client/ui/Button.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

using namespace room_colour;

namespace {

namespace Event = quill::AppEventId;

using quill::MessageId;

constexpr uint32_t kKeyR = 'R';
constexpr uint32_t kKeyF2 = 113;

}  // namespace

RoomDialogs::RoomDialogs(const Context& room, RoomChat& chat, RoomItems& items, RoomGameFlow& flow)
    : RoomPart(room), chat_(chat), items_(items), flow_(flow) {}

void RoomDialogs::BuildNewMessageWindow(Widget& screen) {
    newMessage_ = screen.CreateButton(10, 30, 227, 26, SceneRoomGame::kWideButton, -1, kHudTexture, 612, 491);
    newMessage_->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
}

void RoomDialogs::BuildReplayPanel(Widget& screen) {
    const AppEventPoster poster = PosterOf(app_);
    const auto notice = [this](quill::WStringView text) { app_.Scenes().ShowNoticeBox(&screen_, text); };
    const auto error = [this](quill::WStringView text) { app_.Scenes().ShowErrorBox(&screen_, text); };
    ReplayPanel::Services replay{&sender_, poster, notice, error,
                                 [this](quill::WStringView a, quill::WStringView b, quill::WStringView c) {
                                     app_.Scenes().ShowNoticeBox(&screen_, a, b, c);
                                 }};
    replayPanel_ = AttachTo(screen, std::make_unique<ReplayPanel>(app_, connection_.LocalPlayer(), replay), false);
    replayPanel_->SetAnchor(AnchorMode::Right, -190, 0, 0);
}

void RoomDialogs::BuildWindows(Widget& screen) {
    const AppEventPoster poster = PosterOf(app_);
    help_ = AttachTo(screen, CreateHelpWindow(app_), false);
    roomMenu_ = AttachTo(screen, std::make_unique<RoomMenu>(poster), false);
    withdrawQuestion_ = AttachTo(screen, std::make_unique<WithdrawQuestion>(sender_), false);
    resultBoard_ = AttachTo(screen, std::make_unique<ResultBoard>(), false);
    resultBoard_->SetAlpha(0.9f);
    AttachTo(screen, std::make_unique<ScoreSummaryPopup>(), false);
    timeLimit_ = AttachTo(screen, std::make_unique<TimeLimitNotice>(poster), false);
    levelUp_ = AttachTo(screen, std::make_unique<LevelUpPopup>(connection_.LocalPlayer(), poster), false);
    AttachTo(screen, std::make_unique<RankingPopup>(), false);
    InviteWindow::Services invite{
        &sender_, [this](quill::WStringView text) { app_.Scenes().ShowNoticeBox(&screen_, text); }, {}};
    invite_ = AttachTo(screen, std::make_unique<InviteWindow>(invite), false);
    withdraw_ = AttachTo(screen, std::make_unique<WithdrawPopup>(poster), false);
    withdrawMenu_ = AttachTo(screen,
                             std::make_unique<WithdrawMenuPopup>(
                                 poster, [this](quill::WStringView a, quill::WStringView b) {
                                     app_.Scenes().ShowErrorBox(&screen_, a, b);
                                 }),
                             false);
    opponentRequest_ = AttachTo(screen, std::make_unique<OpponentRequestPopup>(poster), false);
    opponentAnswer_ = AttachTo(screen, std::make_unique<OpponentRequestAcceptPopup>(connection_), false);
    AttachTo(screen, std::make_unique<WaitingPopup>(), false);
}

void RoomDialogs::BuildReport(Widget& screen) {
    const AppEventPoster poster = PosterOf(app_);
    report_ = AttachTo(screen, std::make_unique<ReportUserPopup>(poster), false);
    AttachTo(screen, std::make_unique<InProgressDialog>([this] { app_.PostQuit(); }), false);
}

void RoomDialogs::BuildGameOption(Widget& screen) {
    const AppEventPoster poster = PosterOf(app_);
    const auto error = [this](quill::WStringView text) { app_.Scenes().ShowErrorBox(&screen_, text); };
    gameOption_ = AttachTo(screen, std::make_unique<GameOptionDialog>(connection_, poster, error), false);
}

void RoomDialogs::Enter(uint32_t experience, uint8_t gameType) {
    helpOnEntry_ = experience < SceneRoomGame::kHelpExperience;
    if (helpOnEntry_) OpenHelp(gameType);
}

void RoomDialogs::OpenHelp(uint8_t gameType) {
    help_->OpenRoomPage(gameType);
}

void RoomDialogs::OnKeyDown(uint64_t key, bool control) {
    lastKeyDown_ = control && key == kKeyR ? kKeyR : static_cast<uint32_t>(key);
}

void RoomDialogs::OnKeyUp(uint64_t key) {
    if (key == kKeyR && lastKeyDown_ == kKeyR) {
        ToggleReplayView();
    } else if (key == kKeyF2 && !replayView_) {
        helpShown_ = !helpShown_;
        help_->SetVisible(helpShown_);
    }
    lastKeyDown_ = 0;
}

void RoomDialogs::ShowRoomMenu() {
    roomMenu_->SetVisible(true);
}

void RoomDialogs::CloseReplayView() {
    replayView_ = false;
    replayPanel_->SetVisible(false);
    help_->SetVisible(false);
}

void RoomDialogs::ReplayLastShot(GameTable* table) {
    if (table != nullptr && (table->Records().GetCommittedRecord().valid & ShotRecord::kValidFilled) != 0) {
        replayPanel_->LoadShot(table->Records().GetCommittedRecord());
    }
}

void RoomDialogs::OpenWithdrawMenu() {
    if (!state_.IsLocalPlayerInGame()) return;
    withdrawMenu_->SetGameType(state_.Room().gameType);
    withdrawMenu_->SetVisible(true);
}

void RoomDialogs::OpenReport(uint64_t targetId, bool named, const quill::WString& nickname) {
    report_->SetTarget(static_cast<uint32_t>(targetId), static_cast<uint32_t>(targetId >> 32),
                       named ? nickname : quill::WString());
    report_->SetVisible(true);
}

// The question before leaving a running game. In a gamble game the local shooter leaves before the last turn
// when the first or the last team is up.
void RoomDialogs::OpenWithdrawConfirm() {
    if (!state_.IsLocalPlayerInGame()) return;
    withdraw_->SetMode(state_.Room().gameType, WithdrawingBeforeLastTurn());
    withdraw_->SetVisible(true);
}

bool RoomDialogs::WithdrawingBeforeLastTurn() const {
    const uint8_t place = state_.Model().currentTeam;
    const bool firstOrLast = place == 0 || place + 1 == state_.Model().teamsInPlay;
    return state_.Room().IsGambleGame() && state_.IsLocalTurn() && firstOrLast;
}

// The withdrawal dialog closed: No lets the player leave again; Yes asks the server. In a gamble game the
// dialog told what ending now costs; when the turn has moved on since, that no longer holds, and the dialog
// opens again with what holds now instead.
void RoomDialogs::OnWithdrawDialogClosed(uint64_t yes, int64_t confirmValue) {
    if (yes == 0) {
        screen_.EnableLeaving(true);
        return;
    }
    const bool beforeLastTurn = WithdrawingBeforeLastTurn();
    if (state_.Room().IsGambleGame() && beforeLastTurn != (confirmValue != 0)) {
        withdraw_->SetMode(state_.Room().gameType, beforeLastTurn);
        withdraw_->SetVisible(true);
        return;
    }
    // The leave waits for the server's answer; a request that did not go gives it back.
    if (!awaited_.SendByte(quill::MessageId::RoomRequest1189, 0)) screen_.EnableLeaving(true);
}

// A request to the opponent (1 a loss by withdrawal, 2 an invalid game): one against one, on the local
// turn with the balls still, and each kind only while its running total is 0.
void RoomDialogs::OpenWithdrawChoice(int32_t choice) {
    if (choice != 1 && choice != 2) return;
    if (!state_.IsLocalPlayerInGame() || state_.Model().teamsInPlay != 2 || state_.Model().playersPerTeam != 1)
        return;
    if (requestsSent_[static_cast<size_t>(choice - 1)] != 0 || !state_.IsLocalTurn() || state_.IsShotInFlight())
        return;
    opponentRequest_->SetKind(choice);
    opponentRequest_->SetVisible(true);
}

// The request to the opponent goes once per game: its running total, which the choice checks, counts it.
void RoomDialogs::SendOpponentRequest() {
    if (!state_.IsLocalTurn() || state_.IsShotInFlight()) return;
    opponentRequest_->SetVisible(false);
    const int32_t kind = opponentRequest_->Kind();
    // A request that did not go is not counted: the player may ask again.
    awaited_.SendByte(quill::MessageId::RoomRequest1184, static_cast<uint8_t>(kind),
                      [&] { ++requestsSent_[kind == 2 ? 1 : 0]; });
}

// A friend request came while the room is up: the new-message window names who asked.
void RoomDialogs::ShowNewMessage() {
    MessengerPopup* messenger = app_.Scenes().GetMessenger();
    if (messenger == nullptr) return;
    newMessage_->SetCaption(quill::Format(u"Friends request from %s", messenger->LastAnnouncedRequester()));
    newMessage_->SetVisible(true);
}

// The new-message window clicked: it goes, and the messenger shows the request that waits first.
void RoomDialogs::OpenNextFriendRequest() {
    newMessage_->SetVisible(false);
    if (MessengerPopup* messenger = app_.Scenes().GetMessenger()) messenger->ShowNextRequest();
}

// Control+R: the replay view of the table's last shot opens, or closes when it is up.
void RoomDialogs::ToggleReplayView() {
    GameTable* table = stage_.Table();
    if (replayView_) {
        replayView_ = false;
        replayPanel_->SetVisible(false);
        help_->SetVisible(false);
        return;
    }
    if (table == nullptr || (table->Records().GetCommittedRecord().valid & ShotRecord::kValidFilled) == 0) return;
    replayView_ = true;
    replayPanel_->LoadShot(table->Records().GetCommittedRecord());
    replayPanel_->SetVisible(true);
}

void RoomDialogs::SendReport() {
    if (!chat_.HasReceived()) {
        app_.Scenes().ShowNoticeBox(&screen_, u"No messages.");
        return;
    }
    const quill::WString nickname = report_->TargetNickname();
    const uint32_t playerId = report_->TargetLow();
    const bool sent = chat_.ReportReceived([&](const std::string& block) {
        return awaited_.Send([&](quill::Packet& packet) { RoomReport::Write(packet, playerId, nickname, block); });
    });
    if (!sent) return;
    chat_.AddLine(u"Opponent's messages will be blocked.", kYellow);
    app_.Scenes().ShowNoticeBox(&screen_, u"Your report has been sent.");
}

void RoomDialogs::SendGameOption() {
    const RoomOptions& chosen = gameOption_->Chosen();
    if (state_.IsRunning() && gameOption_->RestrictedChange()) {
        app_.Scenes().ShowErrorBox(&screen_, u"Game option cannot be changed after the game starts.");
        return;
    }
    sender_.Send([&chosen](quill::Packet& packet) {
        packet.Init(quill::MessageId::GameOptionChange);
        packet.WriteWString(chosen.title);
        packet.WriteU16(chosen.tableItem);
        packet.WriteU16(chosen.ballSetItem);
        packet.WriteU8(chosen.players);
        packet.WriteWString(chosen.master);
        packet.WriteU8(chosen.ruleOption);
        packet.WriteU8(chosen.timeLimit);
        packet.WriteU8(chosen.flags);
        packet.WriteU8(chosen.stakeIndex);
        const bool password = !chosen.password.empty();
        packet.WriteU8(password ? 1 : 0);
        if (password) packet.WriteWString(chosen.password);
        packet.WriteU16(chosen.minimumHandicap);
        packet.WriteU16(chosen.maximumHandicap);
    });
}

void RoomDialogs::OpenRoomSettings() {
    std::array<const quill::PlayerState*, GameOptionDialog::kSeats> players{};
    for (size_t seat = 0; seat < players.size() && seat < state_.Model().players.size(); ++seat) {
        if (state_.Model().players[seat].seat >= 0) players[seat] = &state_.Model().players[seat];
    }
    gameOption_->Load(state_.Room(), state_.IsLocalMaster(), players, state_.MasterSeat());
    gameOption_->SetVisible(true);
}

// Joining a running game: only on its first turn, and only with the money for it.
void RoomDialogs::AskParticipation() {
    if (state_.Model().currentTeam != 0 || flow_.RunCount() != 0 || !items_.CheckSeatAfford()) {
        app_.Scenes().ShowErrorBox(&screen_, u"Participation is only allowed when it is the first turn.");
        return;
    }
    ConnectionNotice notice;
    notice.title = u"Question";
    notice.lines[0] = u"Do you want to participate in the game?";
    notice.event = Event::RoomNoticeOk;
    if (state_.Room().gameType == 2 || state_.Room().gameType == 5) {
        notice.lines[1] = u"You should pay the fee before entering into the room.";
    } else if (state_.Room().gameType == quill::game_type::kSixBalls) {
        notice.lines[1] = u"You should pay the bet amount again to enter.";
    }
    app_.Scenes().ShowBox(&screen_, notice, 1);
}

void RoomDialogs::AddRoutes(PacketRouter& routes) {
    using quill::Packet;
    routes.Add(MessageId::InvitableUsersList, [this](Packet& packet) { invite_->OnList(packet); });
    routes.Add(MessageId::OpponentRequest, [this](Packet& packet) { OnOpponentRequest(packet); });
    routes.Add(MessageId::RequestRefused, [this](Packet& packet) { OnRequestRefused(packet); });
    routes.Add(MessageId::RoomPrompt1191, [this](Packet& packet) { OnWithdrawPrompt(packet); });
}

void RoomDialogs::OnOpponentRequest(quill::Packet& packet) {
    if (const auto request = ReadOpponentRequest(packet)) {
        opponentAnswer_->SetRequest(request->nickname, request->kind);
        opponentAnswer_->SetVisible(true);
    }
}

void RoomDialogs::OnRequestRefused(quill::Packet& packet) {
    if (const auto refused = ReadTwoBytes(packet); refused && (*refused)[0] != 0 && (*refused)[1] != 2) {
        sender_.SendByte(MessageId::RoomRequest1189, (*refused)[1]);
        app_.Scenes().ShowNoticeBox(&screen_, u"The opponent didn't accept the request.");
    }
}

void RoomDialogs::OnWithdrawPrompt(quill::Packet& packet) {
    const auto prompt = ReadSeatValue(packet, SeatValueWidth::kByte);
    if (!prompt || !IsRoomSeat(prompt->seat)) return;
    withdrawQuestion_->SetTarget(state_.Model().players[prompt->seat], static_cast<uint8_t>(prompt->value));
    withdrawQuestion_->SetVisible(true);
}

}  // namespace kestrovan
