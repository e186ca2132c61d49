// The room's input besides server messages: window messages (keys, Enter and Escape, clicks), the
// application events its windows and the table post, its own buttons' events, and the room chat with its
// spam guard, team chat and the bad-language report. Runs on the main thread under the room lock.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/app/App.h"
#include "client/app/MessengerPopup.h"
#include "client/app/NativeEditBridge.h"
#include "client/app/SceneId.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/GameOptionDialog.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/ItemSelectWindow.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/PurchaseGiftWindow.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/WithdrawPopup.h"
#include "client/scenes/room/OpponentRequestPopup.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/room/ReportUserPopup.h"
#include "client/scenes/room/RoomMenu.h"
#include "client/scenes/room/RoomReport.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/scenes/room/WithdrawMenuPopup.h"
#include "client/table/GameTable.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/ScrollBar.h"
#include "platform/system/Clock.h"
#include "platform/window/MessageIds.h"

namespace kestrovan {

namespace {

namespace Event = quill::AppEventId;

constexpr uint32_t kKeyR = 'R';
constexpr uint32_t kKeyF2 = 113;
constexpr uint32_t kControlKey = 17;
constexpr uint64_t kEnter = 13;
constexpr uint64_t kEscape = 27;
constexpr int32_t kChatKeyEnter = 13;
constexpr int32_t kChatKeyTab = 9;
constexpr int32_t kChatKeyF1 = 112;
constexpr int32_t kChatKeyF4 = 115;
constexpr uint64_t kOkButton = 2052;
constexpr char16_t kTeamMark = u'@';
constexpr size_t kMacroCount = 5;
constexpr uint8_t kSlotCount = 7;

}  // namespace

int SceneRoomGame::OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    quill::ScopedLock hold(lock_);
    GameTable* table = stage_.Table();
    if (table != nullptr && id < quill::AppEventId::EventNone) {
        table->HandleInput(id, static_cast<platform::WParam>(wParam), static_cast<platform::LParam>(lParam));
    }
    if (id < quill::AppEventId::EventNone) {
        OnWindowMessage(id, wParam);
    } else {
        OnAppEvent(id, wParam, lParam);
    }
    return 0;
}

bool SceneRoomGame::OnWindowMessage(uint32_t id, uint64_t wParam) {
    switch (id) {
        case platform::Msg::KeyDown: {
            const bool control = (app_.MainWindow().GetKeyState(static_cast<int>(kControlKey)) & 0x8000) != 0;
            lastKeyDown_ = control && wParam == kKeyR ? kKeyR : static_cast<uint32_t>(wParam);
            return true;
        }
        case platform::Msg::KeyUp:
            if (wParam == kKeyR && lastKeyDown_ == kKeyR) {
                ToggleReplayView();
            } else if (wParam == kKeyF2 && !replayView_) {
                helpShown_ = !helpShown_;
                help_->SetVisible(helpShown_);
            }
            lastKeyDown_ = 0;
            return true;
        case platform::Msg::Char:
            if (wParam == kEnter) chatBox_->SetFocus(true);
            if (wParam == kEscape) roomMenu_->SetVisible(!roomMenu_->IsVisible());
            return true;
        case platform::Msg::LButtonDown:
        case platform::Msg::RButtonDown:
            chatBox_->SetFocus(false);
            if (MessengerPopup* messenger = app_.Scenes().GetMessenger()) messenger->ReleaseChatFocus();
            return true;
        default:
            return false;
    }
}

// The question before leaving a running game. In a gamble game the local shooter leaves before the last turn
// when the first or the last team is up.
void SceneRoomGame::OpenWithdrawConfirm() {
    if (!IsLocalPlayerInGame()) return;
    withdraw_->SetMode(room_.gameType, WithdrawingBeforeLastTurn());
    withdraw_->SetVisible(true);
}

bool SceneRoomGame::WithdrawingBeforeLastTurn() const {
    const uint8_t place = model_.currentTeam;
    const bool firstOrLast = place == 0 || place + 1 == model_.teamsInPlay;
    return room_.IsGambleGame() && IsLocalTurn() && firstOrLast;
}

// The withdrawal dialog closed: No lets the player leave again; Yes asks the server. In a gamble game the
// dialog told what ending now costs; when the turn has moved on since, that no longer holds, and the dialog
// opens again with what holds now instead.
void SceneRoomGame::OnWithdrawDialogClosed(uint64_t yes, int64_t confirmValue) {
    if (yes == 0) {
        EnableLeaving(true);
        return;
    }
    const bool beforeLastTurn = WithdrawingBeforeLastTurn();
    if (room_.IsGambleGame() && beforeLastTurn != (confirmValue != 0)) {
        withdraw_->SetMode(room_.gameType, beforeLastTurn);
        withdraw_->SetVisible(true);
        return;
    }
    sender_.SendByte(quill::MessageId::RoomRequest1189, 0);
}

// A request to the opponent (1 a loss by withdrawal, 2 an invalid game): one against one, on the local
// turn with the balls still, and each kind only while its running total is 0.
void SceneRoomGame::OpenWithdrawChoice(int32_t choice) {
    if (choice != 1 && choice != 2) return;
    if (!IsLocalPlayerInGame() || model_.teamsInPlay != 2 || model_.playersPerTeam != 1) return;
    if (runningTotals_[static_cast<size_t>(choice - 1)] != 0 || !IsLocalTurn() || shotInFlight_) return;
    opponentRequest_->SetKind(choice);
    opponentRequest_->SetVisible(true);
}

// The request to the opponent goes once per game: its running total, which the choice checks, counts it.
void SceneRoomGame::SendOpponentRequest() {
    if (!IsLocalTurn() || shotInFlight_) return;
    opponentRequest_->SetVisible(false);
    const int32_t kind = opponentRequest_->Kind();
    sender_.SendByte(quill::MessageId::RoomRequest1184, static_cast<uint8_t>(kind));
    ++runningTotals_[kind == 2 ? 1 : 0];
}

// A friend request came while the room is up: the new-message window names who asked.
void SceneRoomGame::ShowNewMessage() {
    MessengerPopup* messenger = app_.Scenes().GetMessenger();
    if (messenger == nullptr) return;
    wideButton_->SetCaption(quill::Format(u"Friends request from %s", messenger->LastAnnouncedRequester()));
    wideButton_->SetVisible(true);
}

// The new-message window clicked: it goes, and the messenger shows the request that waits first.
void SceneRoomGame::OpenNextFriendRequest() {
    wideButton_->SetVisible(false);
    if (MessengerPopup* messenger = app_.Scenes().GetMessenger()) messenger->ShowNextRequest();
}

// Control+R: the replay view of the table's last shot opens, or closes when it is up.
void SceneRoomGame::ToggleReplayView() {
    GameTable* table = stage_.Table();
    if (replayView_) {
        replayView_ = false;
        replayPanel_->SetVisible(false);
        help_->SetVisible(false);
        return;
    }
    if (table == nullptr || (table->GetCommittedRecord().valid & ShotRecord::kValidFilled) == 0) return;
    replayView_ = true;
    replayPanel_->LoadShot(table->GetCommittedRecord());
    replayPanel_->SetVisible(true);
}

void SceneRoomGame::OnAppEvent(uint32_t id, uint64_t wParam, int64_t lParam) {
    GameTable* table = stage_.Table();
    switch (id) {
        case Event::RoomEvent1040: LeaveRoom(); break;
        case Event::ChatSubmit:
            if (wParam < kMacroCount) SendChat(Player().chatTexts[wParam], true);
            break;
        case Event::WithdrawConfirm: OpenWithdrawConfirm(); break;
        case Event::WithdrawChoice: OpenWithdrawChoice(static_cast<int32_t>(wParam)); break;
        case Event::RoomPopupOpen: OpenTitleWindow(app_.Scenes(), *this, TitleWindow::MyInfo); break;
        case Event::HelpMenuChosen:
            help_->OpenPage(HelpWindow::kRoomContext, room_.gameType);
            help_->SetVisible(true);
            break;
        case Event::WithdrawMenuChosen:
            if (IsLocalPlayerInGame()) {
                withdrawMenu_->SetGameType(room_.gameType);
                withdrawMenu_->SetVisible(true);
            }
            break;
        case Event::RoomMenuSettings:
            OpenTitleWindow(app_.Scenes(), *this, TitleWindow::Settings);
            break;
        case Event::RoomMenuReport:
        case Event::PlayerMenuAction:
            if (Player().IsStatus3Or4()) {
                app_.Scenes().ShowNoticeBox(this, u"Due to language abuse, chatting has been banned.");
            } else {
                report_->SetTarget(static_cast<uint32_t>(playerBoard_->TargetId()),
                                   static_cast<uint32_t>(static_cast<uint64_t>(playerBoard_->TargetId()) >> 32),
                                   id == Event::PlayerMenuAction ? playerBoard_->TargetNickname() : quill::WString());
                report_->SetVisible(true);
            }
            break;
        case Event::ReportSubmit: SendReport(); break;
        case Event::GameOptionApply: SendGameOption(); break;
        case Event::ApplyTableSettings:
            if (table != nullptr) table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
            break;
        case Event::RoomWindowsToggle:
            replayView_ = false;
            replayPanel_->SetVisible(false);
            help_->SetVisible(false);
            break;
        case Event::ReplayLastShotRequest:
            if (table != nullptr && (table->GetCommittedRecord().valid & ShotRecord::kValidFilled) != 0) {
                replayPanel_->LoadShot(table->GetCommittedRecord());
            }
            break;
        case Event::RoomNoticeOk:
            if (wParam == kOkButton) SendParticipation();
            break;
        case Event::GiftRefresh:
            itemBar_->Refresh();
            ReadOptionSwitches();
            break;
        case Event::JoinWith:
            if (IsLocalPlayerInGame()) {
                connection_.JoinTarget() = JoinWithTarget{};
                connection_.JoinTarget().place = -999;
            } else {
                LeaveRoom();
            }
            break;
        case Event::UserActivity: lastActivity_ = platform::TimeGetTime(); break;
        case Event::UseChalk: UseChalk(); break;
        case Event::QuickSlotA: UseQuickSlot(1, static_cast<int32_t>(wParam)); break;
        case Event::QuickSlotB: UseQuickSlot(2, static_cast<int32_t>(wParam)); break;
        case Event::ItemUseConfirm:
            if (wParam == kOkButton) SendItemUse(static_cast<int32_t>(itemUseKind_));
            break;
        case Event::TableEvent1086:
            if (IsLocalTurn()) sender_.SendByte(quill::MessageId::RoomValue1228, 0);
            break;
        case Event::SlotChosen:
            if (wParam < kSlotCount) sender_.SendByte(quill::MessageId::RoomSlotRequest, static_cast<uint8_t>(wParam));
            break;
        case Event::RoomToggleChanged:
            sender_.SendByte(quill::MessageId::ReadyToggle, static_cast<uint8_t>(wParam));
            break;
        case Event::StartReadyPressed:
            if (connection_.GetChannelType(-1) == kTournamentChannel &&
                Player().money < static_cast<int64_t>(connection_.ConnectionValue())) {
                app_.Scenes().ShowNoticeBox(this, u"You are falling short of gold to join.");
            } else {
                sender_.SendByte(quill::MessageId::GameStartRequest, 0);
            }
            break;
        case Event::WithdrawDialogClose: OnWithdrawDialogClosed(wParam, lParam); break;
        case Event::RoomEvent1091: SendOpponentRequest(); break;
        case Event::ChatNotify: ShowNewMessage(); break;
        case Event::TimeLimitNoticeClosed: sender_.SendByte(quill::MessageId::RoomRequest1189, 0); break;
        case Event::ItemDialogResult: OpenPurchase(static_cast<uint32_t>(wParam)); break;
        case Event::ItemCheckPassed: SendPurchase(); break;
        case Event::SlotSelected: CheckSeatAfford(); break;
        case Event::ShotFired: OnShotFired(); break;
        case Event::BallsStopped: OnBallsStopped(); break;
        case Event::PocketCalled:
            if (wParam >= 1 && wParam <= 6) sender_.SendByte(quill::MessageId::PocketCall, static_cast<uint8_t>(wParam));
            break;
        case Event::BallPlaced: SendBallPlacement(static_cast<uint32_t>(wParam)); break;
        default: break;
    }
}

// --- the chat ---

bool SceneRoomGame::SendChat(quill::WStringView text, bool rejectSpam) {
    quill::ScopedLock hold(lock_);
    if (Player().IsStatus3Or4()) {
        AddChatLine(u"Due to language abuse, chatting has been banned.", kRed);
        return true;
    }
    const uint32_t now = platform::TimeGetTime();
    if (spamGuard_.IsSpam(now) && rejectSpam) {
        AddChatLine(u"No Spamming!", kYellow);
        return false;
    }
    if (text.empty()) return true;
    if (connection_.IsConnected()) {
        app_.PostEvent(Event::UserActivity, 0, 0, 0);
        if (!connection_.HandleSlashCommand(text)) {
            const bool team = text.front() == kTeamMark;
            if (!team || text.size() > 2) {
                const quill::WString line(team ? text.substr(1) : text);
                sender_.Send([&](quill::Packet& packet) {
                    packet.Init(quill::MessageId::RoomChatSend);
                    packet.WriteU8(team ? 1 : 0);
                    packet.WriteWString(line);
                });
            }
        }
    }
    spamGuard_.Record(now);
    return true;
}

// Enter in the chat box sends its line (emptied once it went), F1 the help and the join check, F4 the profile.
bool SceneRoomGame::OnChatBoxEvent(int32_t a) {
    switch (a) {
        case kChatKeyEnter:
            if (!chatBox_->GetText().empty() && SendChat(chatBox_->GetText(), true)) chatBox_->SetText(u"");
            NativeEditBridge::ClearFocus();
            return true;
        case kChatKeyF1:
            help_->OpenPage(HelpWindow::kRoomContext, room_.gameType);
            help_->SetVisible(true);
            AskParticipation();
            return true;
        case kChatKeyF4:
            OpenTitleWindow(app_.Scenes(), *this, TitleWindow::MyInfo);
            return true;
        case kChatKeyTab:
            if (MessengerPopup* messenger = app_.Scenes().GetMessenger(); messenger != nullptr && messenger->IsOpen()) {
                messenger->FocusChatEntry();
            }
            return true;
        default:
            return false;
    }
}

void SceneRoomGame::SendReport() {
    if (receivedLines_.empty()) {
        app_.Scenes().ShowNoticeBox(this, u"No messages.");
        return;
    }
    const std::string block = RoomReport::TakeLines(receivedLines_);
    const quill::WString nickname = report_->TargetNickname();
    const uint32_t playerId = report_->TargetLow();
    sender_.Send([&](quill::Packet& packet) { RoomReport::Write(packet, playerId, nickname, block); });
    AddChatLine(u"Opponent's messages will be blocked.", kYellow);
    app_.Scenes().ShowNoticeBox(this, u"Your report has been sent.");
}

void SceneRoomGame::SendGameOption() {
    const RoomOptions& chosen = gameOption_->Chosen();
    if (gameRunning_ && gameOption_->RestrictedChange()) {
        app_.Scenes().ShowErrorBox(this, u"Game option cannot be changed after the game starts.");
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

// The join button's question: only on the first turn and when the player can pay.
void SceneRoomGame::SendParticipation() {
    sender_.SendByte(quill::MessageId::ParticipateRequest, 0);
}

// --- the room's buttons ---

bool SceneRoomGame::OnEvent(Widget* source, int32_t a, int32_t b) {
    quill::ScopedLock hold(lock_);
    if (source != nullptr && source == chatBox_) return OnChatBoxEvent(a);
    const int32_t control = source != nullptr ? source->GetId() : -1;
    // The title bar's ids are small numbers other controls of the room use too: only its own buttons count.
    const bool topButton = source != nullptr && source == TopButton(control);
    if (topButton && titleBarButtons_.OnControl(control)) return true;
    switch (control) {
        case kMuteChat:
            if (source != muteChat_) break;
            chatSound_ = !chatSound_;
            return true;
        case kJoin:
            if (source != joinButton_) break;
            AskParticipation();
            return true;
        case kWideButton:
            if (source != wideButton_) break;
            OpenNextFriendRequest();
            return true;
        case kInvite:
            invite_->SetVisible(true);
            return true;
        case kGoldItems:
            app_.Scenes().ShowNoticeBox(this, u"This menu is not allowed currently.");
            return true;
        case kItemShop:
            ShowItemShop();
            return true;
        case kChatScroll:
            if (source != chatScroll_) break;
            chatLog_.SetScrollPosition(a);
            LayoutChat(platform::TimeGetTime(), true);
            return true;
        default:
            break;
    }
    Scene::OnEvent(source, a, b);
    return false;
}

void SceneRoomGame::OpenRoomSettings() {
    std::array<const quill::PlayerState*, GameOptionDialog::kSeats> players{};
    for (size_t seat = 0; seat < players.size() && seat < model_.players.size(); ++seat) {
        if (model_.players[seat].seat >= 0) players[seat] = &model_.players[seat];
    }
    gameOption_->Load(room_, masterSeat_ == localSeat_, players, masterSeat_);
    gameOption_->SetVisible(true);
}

// Joining a running game: only on its first turn, and only with the money for it.
void SceneRoomGame::AskParticipation() {
    if (model_.currentTeam != 0 || runCount_ != 0 || !CheckSeatAfford()) {
        app_.Scenes().ShowErrorBox(this, u"Participation is only allowed when it is the first turn.");
        return;
    }
    ConnectionNotice notice;
    notice.title = u"Question";
    notice.lines[0] = u"Do you want to participate in the game?";
    notice.event = Event::RoomNoticeOk;
    if (room_.gameType == 2 || room_.gameType == 5) {
        notice.lines[1] = u"You should pay the fee before entering into the room.";
    } else if (room_.gameType == quill::game_type::kSixBalls) {
        notice.lines[1] = u"You should pay the bet amount again to enter.";
    }
    app_.Scenes().ShowBox(this, notice, 1);
}

// The leave request: with no connection straight to the lobby, else the server is asked.
void SceneRoomGame::LeaveRoom() {
    if (!connection_.IsConnected()) {
        RequestSceneChange(SceneId::Lobby);
        return;
    }
    EnableLeaving(false);
    sender_.SendByte(quill::MessageId::LeaveRoomRequest, 0);
}

void SceneRoomGame::EnableLeaving(bool enabled) {
    topButtons_[kToLobby]->SetEnabled(enabled);
}

}  // namespace kestrovan
