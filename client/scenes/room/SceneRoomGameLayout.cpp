// The room screen's layout, built once before the screen is first shown: the top bar, the edges with the chat
// area and the item slots, the HUD panels, every dialog the room may open (hidden) and the passing texts.
// Positions are pixels at 1024 x 768; what is anchored follows the screen's edges.
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/MessengerPopup.h"
#include "client/app/ProfilePopup.h"
#include "client/app/ScreenServices.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/GameOptionDialog.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/ItemSelectWindow.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/PurchaseGiftWindow.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/common/WaitingPopup.h"
#include "client/scenes/room/FloatingGainText.h"
#include "client/scenes/room/GoldShortagePopup.h"
#include "client/scenes/room/GroupBoard.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/scenes/room/LevelUpPopup.h"
#include "client/scenes/room/MoneyNotice.h"
#include "client/scenes/room/OpponentRequestAcceptPopup.h"
#include "client/scenes/room/OpponentRequestPopup.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/PointRulePanel.h"
#include "client/scenes/room/RankingPopup.h"
#include "client/scenes/room/ReportUserPopup.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/RoomMenu.h"
#include "client/scenes/room/RoomWidgets.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/scenes/room/ScoreSummaryPopup.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/scenes/room/TimeLimitNotice.h"
#include "client/scenes/room/TimedLabel.h"
#include "client/scenes/room/WithdrawMenuPopup.h"
#include "client/scenes/room/WithdrawPopup.h"
#include "client/scenes/room/WithdrawQuestion.h"
#include "client/ui/AnimatedImage.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kHud2 = 15;
constexpr int32_t kSide = 23;

}  // namespace

void SceneRoomGame::Init() {
    if (built_) {
        quill::AssertBreak(".\\SceneRoomGame", 150);
        return;
    }
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    topBar_.Build(*this);
    BuildEdges();
    chat_.Build(*this);
    BuildPanels();
    BuildDialogs();
    BuildTransients();
    flow_.BuildTurnAnimations(*this);
    ApplyChildAnchors(screen.width, screen.height);
    flow_.Animations()->ApplyChildAnchors(screen.width, screen.height);
    seats_.StartReady()->Place(screen.width, screen.height);
    seats_.Board()->Place(screen.width, screen.height);
}

void SceneRoomGame::AddTopButton(TitleBarButtons::Role role, int32_t control) {
    topButtons_[static_cast<size_t>(control)] = titleBarButtons_.Add(role, control);
}

void SceneRoomGame::BuildEdges() {
    items_.BuildChalkSlot(*this);
    dialogs_.BuildNewMessageWindow(*this);
    Button* invite = CreateButton(0, 0, 78, 25, kInvite, -1, kHud2, 368, 291);
    SetCentredCaption(*invite, u"Invite");
    invite->SetAnchor(AnchorMode::Right, -90, AnchorMode::Bottom, -24);
    Image* side = CreateImage(0, 0, 196, 278, kSide, 0, 547);
    side->SetAcceptsMouse(false);
    side->SetAnchor(AnchorMode::Right, -200, 0, 0);
    items_.BuildBars(*this);
    AddTopButton(TitleBarButtons::Role::ToLobby, kToLobby);
    AddTopButton(TitleBarButtons::Role::Settings, kSettings);
    AddTopButton(TitleBarButtons::Role::Help, kHelp);
    AddTopButton(TitleBarButtons::Role::MyInfo, kMyInfo);
    AddTopButton(TitleBarButtons::Role::Messenger, kMessenger);
    AddTopButton(TitleBarButtons::Role::RoomSetting, kRoomSetting);
}

void SceneRoomGame::BuildPanels() {
    flow_.BuildScorePanels(*this);
    seats_.BuildPanels(*this);
    shotRoad_.BuildReceivingLabel(*this);
    dialogs_.BuildReplayPanel(*this);
    flow_.BuildTrack(*this);
}

void SceneRoomGame::BuildDialogs() {
    dialogs_.BuildWindows(*this);
    items_.BuildPurchaseDialog(*this);
    dialogs_.BuildReport(*this);
    items_.BuildGoldShortage(*this);
    dialogs_.BuildGameOption(*this);
}

void SceneRoomGame::BuildTransients() {
    flow_.BuildFloatingTexts(*this);
    for (size_t n = 0; n < kTimedLabels; ++n) AttachTo(*this, std::make_unique<TimedLabel>(), false);
    // The seats' names beside their pen strokes on the table.
    seats_.BuildSeatNames(*this);
}

}  // namespace kestrovan
