// The room's input besides server messages: window messages (keys, Enter and Escape, clicks), the
// application events its windows and the table post, and its own buttons' events, each handed to the part
// that holds what it changes. Runs on the main thread under the widget-tree lock.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/app/MessengerPopup.h"
#include "client/app/NativeEditBridge.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
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
#include "client/table/TableInput.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"
#include "platform/window/MessageIds.h"
#include "platform/window/Window.h"

namespace kestrovan {

namespace {

namespace Event = quill::AppEventId;

constexpr uint32_t kControlKey = 17;
constexpr uint64_t kEnter = 13;
constexpr uint64_t kEscape = 27;
constexpr int32_t kChatKeyEnter = 13;
constexpr int32_t kChatKeyTab = 9;
constexpr int32_t kChatKeyF1 = 112;
constexpr int32_t kChatKeyF4 = 115;
constexpr uint64_t kOkButton = 2052;
constexpr size_t kMacroCount = 5;
constexpr uint8_t kSlotCount = 7;

}  // namespace

int SceneRoomGame::OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::OnMessage");
    GameTable* table = stage_.Table();
    if (table != nullptr && id < quill::AppEventId::EventNone) {
        table->Input().HandleInput(id, static_cast<platform::WParam>(wParam), static_cast<platform::LParam>(lParam));
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
        case platform::Msg::KeyDown:
            dialogs_.OnKeyDown(wParam, (app_.MainWindow().GetKeyState(static_cast<int>(kControlKey)) & 0x8000) != 0);
            return true;
        case platform::Msg::KeyUp:
            dialogs_.OnKeyUp(wParam);
            return true;
        case platform::Msg::Char:
            if (wParam == kEnter) chat_.Box()->SetFocus(true);
            if (wParam == kEscape) dialogs_.ShowRoomMenu();
            return true;
        case platform::Msg::LButtonDown:
        case platform::Msg::RButtonDown:
            chat_.Box()->SetFocus(false);
            if (MessengerPopup* messenger = app_.Scenes().GetMessenger()) messenger->ReleaseChatFocus();
            return true;
        default:
            return false;
    }
}

void SceneRoomGame::OnAppEvent(uint32_t id, uint64_t wParam, int64_t lParam) {
    GameTable* table = stage_.Table();
    switch (id) {
        case Event::RoomEvent1040: LeaveRoom(); break;
        case Event::ChatSubmit:
            if (wParam < kMacroCount) SendChat(Player().chatTexts[wParam], true);
            break;
        case Event::WithdrawConfirm: dialogs_.OpenWithdrawConfirm(); break;
        case Event::WithdrawChoice: dialogs_.OpenWithdrawChoice(static_cast<int32_t>(wParam)); break;
        case Event::RoomPopupOpen: OpenTitleWindow(app_.Scenes(), *this, TitleWindow::MyInfo); break;
        case Event::HelpMenuChosen: dialogs_.OpenHelp(state_.Room().gameType); break;
        case Event::WithdrawMenuChosen: dialogs_.OpenWithdrawMenu(); break;
        case Event::RoomMenuSettings:
            OpenTitleWindow(app_.Scenes(), *this, TitleWindow::Settings);
            break;
        case Event::RoomMenuReport:
        case Event::PlayerMenuAction:
            if (Player().IsStatus3Or4()) {
                app_.Scenes().ShowNoticeBox(this, u"Due to language abuse, chatting has been banned.");
            } else {
                dialogs_.OpenReport(static_cast<uint64_t>(seats_.Board()->TargetId()), id == Event::PlayerMenuAction,
                                    seats_.Board()->TargetNickname());
            }
            break;
        case Event::ReportSubmit: dialogs_.SendReport(); break;
        case Event::GameOptionApply: dialogs_.SendGameOption(); break;
        case Event::ApplyTableSettings:
            if (table != nullptr) table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
            break;
        case Event::RoomWindowsToggle: dialogs_.CloseReplayView(); break;
        case Event::ReplayLastShotRequest: dialogs_.ReplayLastShot(table); break;
        case Event::RoomNoticeOk:
            if (wParam == kOkButton) SendParticipation();
            break;
        case Event::GiftRefresh:
            items_.ItemBar()->Refresh();
            items_.ReadOptionSwitches();
            break;
        case Event::JoinWith:
            if (state_.IsLocalPlayerInGame()) {
                connection_.JoinTarget() = JoinWithTarget{};
                connection_.JoinTarget().place = -999;
            } else {
                LeaveRoom();
            }
            break;
        case Event::UserActivity: break;
        case Event::UseChalk: items_.UseChalk(); break;
        case Event::QuickSlotA: items_.UseQuickSlot(1, static_cast<int32_t>(wParam)); break;
        case Event::QuickSlotB: items_.UseQuickSlot(2, static_cast<int32_t>(wParam)); break;
        case Event::ItemUseConfirm:
            if (wParam == kOkButton) items_.ConfirmItemUse();
            break;
        case Event::TableEvent1086:
            if (state_.IsLocalTurn()) sender_.SendByte(quill::MessageId::RoomValue1228, 0);
            break;
        case Event::SlotChosen:
            if (wParam < kSlotCount) sender_.SendByte(quill::MessageId::RoomSlotRequest, static_cast<uint8_t>(wParam));
            break;
        case Event::RoomToggleChanged:
            sender_.SendByte(quill::MessageId::ReadyToggle, static_cast<uint8_t>(wParam));
            break;
        case Event::StartReadyPressed:
            if (connection_.GetChannelType(-1) == kTournamentChannel &&
                Player().money < connection_.Tournament().EntryFee()) {
                app_.Scenes().ShowNoticeBox(this, u"You are falling short of gold to join.");
            } else {
                sender_.SendByte(quill::MessageId::GameStartRequest, 0);
            }
            break;
        case Event::WithdrawDialogClose: dialogs_.OnWithdrawDialogClosed(wParam, lParam); break;
        case Event::RoomEvent1091: dialogs_.SendOpponentRequest(); break;
        case Event::ChatNotify: dialogs_.ShowNewMessage(); break;
        case Event::TimeLimitNoticeClosed: sender_.SendByte(quill::MessageId::RoomRequest1189, 0); break;
        case Event::ItemDialogResult: items_.OpenPurchase(static_cast<uint32_t>(wParam)); break;
        case Event::ItemCheckPassed: items_.SendPurchase(); break;
        case Event::SlotSelected: items_.CheckSeatAfford(); break;
        case Event::ShotFired: shotRoad_.OnShotFired(); break;
        case Event::BallsStopped: shotRoad_.OnBallsStopped(); break;
        case Event::PocketCalled:
            if (wParam >= 1 && wParam <= 6) sender_.SendByte(quill::MessageId::PocketCall, static_cast<uint8_t>(wParam));
            break;
        case Event::BallPlaced: shotRoad_.SendBallPlacement(static_cast<uint32_t>(wParam)); break;
        default: break;
    }
}

// --- the chat ---

bool SceneRoomGame::SendChat(quill::WStringView text, bool rejectSpam) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::SendChat");
    return chat_.Send(text, rejectSpam);
}

// Enter in the chat box sends its line (emptied once it went), F1 the help and the join check, F4 the profile.
bool SceneRoomGame::OnChatBoxEvent(int32_t a) {
    switch (a) {
        case kChatKeyEnter:
            chat_.SubmitInput();
            return true;
        case kChatKeyF1:
            dialogs_.OpenHelp(state_.Room().gameType);
            dialogs_.AskParticipation();
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

// The join button's question: only on the first turn and when the player can pay.
void SceneRoomGame::SendParticipation() {
    sender_.SendByte(quill::MessageId::ParticipateRequest, 0);
}

// --- the room's buttons ---

bool SceneRoomGame::OnEvent(Widget* source, int32_t a, int32_t b) {
    WidgetToolkit::CheckTreeAccess("SceneRoomGame::OnEvent");
    if (source != nullptr && source == chat_.Box()) return OnChatBoxEvent(a);
    const int32_t control = source != nullptr ? source->GetId() : -1;
    // The title bar's ids are small numbers other controls of the room use too: only its own buttons count.
    const bool topButton = source != nullptr && source == TopButton(control);
    if (topButton && titleBarButtons_.OnControl(control)) return true;
    switch (control) {
        case kMuteChat:
            if (source != chat_.MuteButton()) break;
            chat_.ToggleSound();
            return true;
        case kJoin:
            if (source != seats_.JoinButton()) break;
            dialogs_.AskParticipation();
            return true;
        case kWideButton:
            if (source != dialogs_.NewMessageWindow()) break;
            dialogs_.OpenNextFriendRequest();
            return true;
        case kInvite:
            dialogs_.Invite()->SetVisible(true);
            return true;
        case kGoldItems:
            app_.Scenes().ShowNoticeBox(this, u"This menu is not allowed currently.");
            return true;
        case kItemShop:
            items_.ShowItemShop();
            return true;
        case kChatScroll:
            if (source != chat_.Scroll()) break;
            chat_.ScrollTo(a, platform::TimeGetTime());
            return true;
        default:
            break;
    }
    Scene::OnEvent(source, a, b);
    return false;
}

// The leave request: with no connection straight to the lobby, else the server is asked and the button waits for
// its answer.
void SceneRoomGame::LeaveRoom() {
    if (!connection_.IsConnected()) {
        RequestSceneChange(SceneId::Lobby);
        return;
    }
    awaited_.SendByte(quill::MessageId::LeaveRoomRequest, 0, [this] { EnableLeaving(false); });
}

void SceneRoomGame::EnableLeaving(bool enabled) {
    topButtons_[kToLobby]->SetEnabled(enabled);
}

}  // namespace kestrovan
