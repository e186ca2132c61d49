// The room screen's layout, built once before the screen is first shown: the top bar, the edges with the chat
// area and the item slots, the HUD panels, every dialog the room may open (hidden) and the passing texts.
// Positions are pixels at 1024 x 768; what is anchored follows the screen's edges.
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/App.h"
#include "client/app/MessengerPopup.h"
#include "client/app/ProfilePopup.h"
#include "client/app/UiFonts.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/GameOptionDialog.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/ItemSelectWindow.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/PurchaseGiftWindow.h"
#include "client/scenes/common/WaitingPopup.h"
#include "client/scenes/room/GoldShortagePopup.h"
#include "client/scenes/room/FloatingGainText.h"
#include "client/scenes/room/GameClock.h"
#include "client/scenes/room/GroupBoard.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/scenes/room/LevelUpPopup.h"
#include "client/scenes/room/MoneyNotice.h"
#include "client/scenes/room/OpponentRequestAcceptPopup.h"
#include "client/scenes/room/OpponentRequestPopup.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/PointRulePanel.h"
#include "client/scenes/room/RankingPopup.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/room/ReportUserPopup.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/RoomMenu.h"
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
#include "client/ui/NumberDisplay.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kCommon = 0;
constexpr int32_t kHud = 14;
constexpr int32_t kHud2 = 15;
constexpr int32_t kSide = 23;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr int32_t kChatLineWidth = 382;
constexpr int32_t kChatLineHeight = 30;
constexpr int32_t kChatLineStep = 18;
constexpr int32_t kAnimationTexture = 33;
constexpr int32_t kScoreTrackLeft = -336;

TextLabel* AddLabel(Widget& parent, int32_t x, int32_t y, int32_t w, uint32_t colour, size_t font = UiFont::Bold12,
                    uint8_t layout = 0) {
    TextLabel* label = parent.CreateTextLabel(x, y, w, 18, &UiFontAt(font), 0, layout);
    label->SetColors(colour, layout != 0 ? 0xFF000000 : 0);
    label->SetText(u" ");
    return label;
}

template <class T>
T* AttachTo(Widget& parent, std::unique_ptr<T> widget, bool visible) {
    return static_cast<T*>(parent.AddChild(std::move(widget), visible));
}

}  // namespace

void SceneRoomGame::Init() {
    if (built_) {
        quill::AssertBreak(".\\SceneRoomGame", 150);
        return;
    }
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    BuildTopBar();
    BuildEdges();
    BuildChat();
    BuildPanels();
    BuildDialogs();
    BuildTransients();
    BuildTurnAnimations();
    ApplyChildAnchors(screen.width, screen.height);
    animations_->ApplyChildAnchors(screen.width, screen.height);
    startReady_->Place(screen.width, screen.height);
    playerBoard_->Place(screen.width, screen.height);
}

void SceneRoomGame::BuildTopBar() {
    topBar_ = CreateImage(5, 4, 470, 30, kCommon, 0, 386);
    auto number = std::make_unique<NumberDisplay>();
    number->Create(14, 3, 12, 18, 3, kCommon, 0, 636, 12);
    roomNumber_ = AttachTo(*topBar_, std::move(number), true);
    modeLabel_ = AddLabel(*topBar_, 46, 6, 50, kYellow);
    roomTitle_ = AddLabel(*topBar_, 96, 6, 324, kWhite, UiFont::Bold12, 1);
    roomTitle_->SetColors(kWhite, kBlue);
    stakeLabel_ = AddLabel(*topBar_, 334, 6, 50, kWhite);
    lockIcon_ = topBar_->CreateImage(372, 3, 17, 16, kCommon, 619, 84);
    lockIcon_->Show(false);
    Image* coin = topBar_->CreateImage(20, 20, 21, 18, kCommon, 63, 990);
    AddLabel(*coin, 24, 4, 80, kWhite);
    levelLabel_ = AddLabel(*topBar_, 120, 24, 100, kWhite);
    halfGame_ = AddLabel(*topBar_, 261, 24, 100, kYellow);
    halfGame_->SetText(u"Half game");
    halfGame_->Show(false);
    gameClock_ = AttachTo(*topBar_, std::make_unique<GameClock>(), true);
    gameClock_->SetPosition(395, 2);
}

void SceneRoomGame::AddTopButton(TitleBarButtons::Role role, int32_t control) {
    topButtons_[static_cast<size_t>(control)] = titleBarButtons_.Add(role, control);
}

void SceneRoomGame::BuildEdges() {
    const AppEventPoster poster = [this](uint32_t id, uint32_t w, uint32_t l, uint32_t e) { app_.PostEvent(id, w, l, e); };
    const auto reposter = [this] { app_.Cursor().RepostMouseMove(); };
    chalkSlot_ = AttachTo(*this,
                       std::make_unique<ChalkQuickSlot>(Player(), poster,
                                                        [this](quill::WStringView a, quill::WStringView b) {
                                                            app_.Scenes().ShowNoticeBox(this, a, b);
                                                        }),
                       true);
    chalkSlot_->SetAnchor(AnchorMode::Left, -4, AnchorMode::Bottom, -300);
    wideButton_ = CreateButton(10, 30, 227, 26, kWideButton, -1, kHud, 612, 491);
    wideButton_->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    Button* invite = CreateButton(0, 0, 78, 25, kInvite, -1, kHud2, 368, 291);
    invite->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    invite->SetCaption(u"Invite");
    invite->SetAnchor(AnchorMode::Right, -90, AnchorMode::Bottom, -24);
    sideImage_ = CreateImage(0, 0, 196, 278, kSide, 0, 547);
    sideImage_->SetAcceptsMouse(false);
    sideImage_->SetAnchor(AnchorMode::Right, -200, 0, 0);
    itemBar_ = AttachTo(*this, std::make_unique<ItemQuickBar>(Player(), poster, reposter), true);
    itemBar_->SetAnchor(AnchorMode::Left, 12, AnchorMode::Bottom, -32);
    itemSelect_ = AttachTo(*this, std::make_unique<ItemSelectWindow>(Player(), poster, reposter), false);
    itemSelect_->SetAnchor(AnchorMode::Left, 10, AnchorMode::Bottom, -290);
    purchaseGift_ = AttachTo(*this,
                          std::make_unique<PurchaseGiftWindow>(
                              poster, [this] { return connection_.LocalPlayer().accountKind == 2; }, reposter),
                          false);
    purchaseGift_->SetAnchor(AnchorMode::Left, 10, AnchorMode::Bottom, -290);
    for (const auto& [control, x, srcX, caption] :
         {std::tuple{kItemShop, 360, 0, u"Item shop"}, std::tuple{kGoldItems, 445, 81, u"Gold items"}}) {
        Button* button = CreateButton(x, 0, 81, 19, control, -1, kHud2, srcX, 232);
        button->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
        button->SetCaption(caption);
        button->SetAnchor(0, 0, AnchorMode::Bottom, -24);
    }
    AddTopButton(TitleBarButtons::Role::ToLobby, kToLobby);
    AddTopButton(TitleBarButtons::Role::Settings, kSettings);
    AddTopButton(TitleBarButtons::Role::Help, kHelp);
    AddTopButton(TitleBarButtons::Role::MyInfo, kMyInfo);
    AddTopButton(TitleBarButtons::Role::Messenger, kMessenger);
    AddTopButton(TitleBarButtons::Role::RoomSetting, kRoomSetting);
}

void SceneRoomGame::BuildChat() {
    auto area = std::make_unique<Image>();
    area->Create(0, 0, kChatLineWidth, 160, -1, -1);
    chatArea_ = AddChild(std::move(area), true);
    chatArea_->SetAnchor(AnchorMode::Left, 0, AnchorMode::Bottom, -218);
    const size_t font = connection_.LocalPlayer().status == 0 && app_.GetSettings().largeChatFont != 0
                            ? UiFont::Bold14
                            : UiFont::Bold12;
    for (size_t n = 0; n < kChatLines; ++n) {
        Image* line = chatArea_->CreateImage(0, kChatLineStep * static_cast<int32_t>(n), kChatLineWidth, kChatLineHeight,
                                             kHud, 610, 902);
        line->SetAcceptsMouse(false);
        chatTexts_[n] = AddLabel(*line, 10, 6, 440, kWhite, font);
        line->Show(false);
        chatLines_[n] = line;
    }
    muteChat_ = chatArea_->CreateButton(4, -4, 18, 14, kMuteChat, -1, kCommon, 668, 0);
    muteChat_->SetCheckBox();
    muteChat_->SetTooltip(u"Mute chat sound");
    auto bar = std::make_unique<ScrollBar>();
    bar->Create(kChatLineWidth - 13, 0, 13, 140, kChatScroll, ScrollBar::kVertical, 100, true);
    chatScroll_ = AttachTo(*chatArea_, std::move(bar), true);
    chatScroll_->SetImage(kCommon, 475, 370, 13, 140, 1.0f, 1.0f);
    chatScroll_->AddDecButton(609, 0, 13, 17, -1);
    chatScroll_->AddIncButton(623, 0, 13, 17, -1);
    chatScroll_->AddThumb(637, 0, 13, 28, 0);
    chatScroll_->SetSecondRect(4, 10, 317, 100);
    chatScroll_->SetRange(1);

    chatInput_ = CreateImage(0, 0, 358, 30, kHud, 610, 936);
    chatInput_->SetAnchor(AnchorMode::Left, 0, AnchorMode::Bottom, -60);
    auto edit = std::make_unique<EditBox>();
    edit->Create(23, 12, 340, 18);
    edit->SetSkin(kCommon, 609, 68, 2, 14);
    edit->SetFont(&UiFontAt(UiFont::Regular12), 50, kWhite);
    edit->SetTextColors(kWhite, 0xFF000000);
    chatBox_ = AttachTo(*chatInput_, std::move(edit), true);
}

void SceneRoomGame::BuildPanels() {
    const AppEventPoster poster = [this](uint32_t id, uint32_t w, uint32_t l, uint32_t e) { app_.PostEvent(id, w, l, e); };
    const auto notice = [this](quill::WStringView text) { app_.Scenes().ShowNoticeBox(this, text); };
    const auto error = [this](quill::WStringView text) { app_.Scenes().ShowErrorBox(this, text); };
    const auto playSound = [](uint32_t id) {
        if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->Play(id, 1.0f, 0, false);
    };
    shotBet_ = AttachTo(*this, std::make_unique<ShotBetPanel>(connection_, sender_, notice), false);
    // At the right edge under the side image, clear of the player board's rows below.
    shotBet_->SetAnchor(AnchorMode::Right, -220, AnchorMode::Top, 286);
    pointRule_ = AttachTo(*this, std::make_unique<PointRulePanel>(), true);
    pointRule_->SetAnchor(AnchorMode::Right, -180, AnchorMode::Top, 30);
    scoreBoard_ = AttachTo(*this, std::make_unique<ScoreBoard>(sender_), false);
    scoreBoard_->SetAnchor(AnchorMode::Right, -190, AnchorMode::Top, 80);
    startReady_ = AttachTo(*this, std::make_unique<StartReadyPanel>(connection_, poster, notice), true);
    PlayerBoard::Services board{&sender_, poster, notice, error, {}, {}, playSound};
    // The messenger's questions about a player, and the player's own profile on the table's game mode.
    board.openUserDialog = [this](const quill::PlayerState& player, int32_t action) {
        if (MessengerPopup* messenger = app_.Scenes().GetMessenger()) messenger->OpenUserDialog(player, action);
    };
    board.showOwnProfile = [this](int32_t, const quill::PlayerState& player) {
        if (ProfilePopup* profile = app_.Scenes().GetProfilePopup()) {
            profile->SetSelectedMode(room_.gameType);
            profile->ShowLocal(*this, player);
        }
    };
    playerBoard_ = AttachTo(*this, std::make_unique<PlayerBoard>(connection_, board), true);

    const ScreenSize screen = app_.GetScreenSize();
    joinButton_ = CreateButton(screen.width - 300, screen.height - 40, 86, 20, kJoin, -1, kHud, 753, 102);
    joinButton_->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    joinButton_->SetCaption(u"Join");
    joinButton_->SetAnchor(AnchorMode::Right, -208, AnchorMode::Bottom, -23);
    for (auto [balloon, caption] : {std::pair{&startBalloon_, u"Start please~"}, std::pair{&readyBalloon_, u"Ready please~"}}) {
        *balloon = CreateImage(0, 0, 141, 127, kHud, 873, 400);
        (*balloon)->SetAcceptsMouse(false);
        AddLabel(**balloon, 20, 40, 110, 0xFF000000)->SetText(caption);
        (*balloon)->Show(false);
    }
    startBalloon_->SetAnchor(AnchorMode::Right, -150, AnchorMode::Bottom, -360);
    readyBalloon_->SetAnchor(AnchorMode::Right, -150, AnchorMode::VCentre, 0);
    receiving_ = AddLabel(*this, 0, 0, 230, kGreen);
    receiving_->SetText(u"receiving game data...");
    receiving_->SetAlpha(0.7f);
    receiving_->SetAnchor(AnchorMode::HCentre, 0, AnchorMode::VCentre, 0);
    receiving_->Show(false);

    ReplayPanel::Services replay{&sender_, poster, notice, error,
                                 [this](quill::WStringView a, quill::WStringView b, quill::WStringView c) {
                                     app_.Scenes().ShowNoticeBox(this, a, b, c);
                                 }};
    replayPanel_ = AttachTo(*this, std::make_unique<ReplayPanel>(app_, Player(), replay), false);
    replayPanel_->SetAnchor(AnchorMode::Right, -190, 0, 0);
    scoreTrack_ = AttachTo(*this, std::make_unique<ScoreTrack>(playSound), false);
    // The track's first cell 336 pixels left of the screen's middle (the anchor centres the whole track).
    scoreTrack_->SetAnchor(AnchorMode::HCentre, kScoreTrackLeft + scoreTrack_->Width() / 2, AnchorMode::Top, 42);
    // The 8-ball groups below the top bar at the left edge, clear of the track and of the chalk slot.
    groupBoard_ = AttachTo(*this, std::make_unique<GroupBoard>(), false);
    groupBoard_->SetAnchor(AnchorMode::Left, 10, AnchorMode::Top, 84);
    moneyNotice_ = AttachTo(*this, std::make_unique<MoneyNotice>(), false);
    moneyNotice_->SetAnchor(AnchorMode::HCentre, -64, AnchorMode::Top, 120);
}

void SceneRoomGame::BuildDialogs() {
    const AppEventPoster poster = [this](uint32_t id, uint32_t w, uint32_t l, uint32_t e) { app_.PostEvent(id, w, l, e); };
    const auto error = [this](quill::WStringView text) { app_.Scenes().ShowErrorBox(this, text); };
    help_ = AttachTo(*this, CreateHelpWindow(app_), false);
    roomMenu_ = AttachTo(*this, std::make_unique<RoomMenu>(poster), false);
    withdrawQuestion_ = AttachTo(*this, std::make_unique<WithdrawQuestion>(sender_), false);
    resultBoard_ = AttachTo(*this, std::make_unique<ResultBoard>(), false);
    resultBoard_->SetAlpha(0.9f);
    scoreSummary_ = AttachTo(*this, std::make_unique<ScoreSummaryPopup>(), false);
    timeLimit_ = AttachTo(*this, std::make_unique<TimeLimitNotice>(poster), false);
    levelUp_ = AttachTo(*this, std::make_unique<LevelUpPopup>(Player(), poster), false);
    ranking_ = AttachTo(*this, std::make_unique<RankingPopup>(), false);
    InviteWindow::Services invite{&sender_, [this](quill::WStringView text) { app_.Scenes().ShowNoticeBox(this, text); },
                                  {}};
    invite_ = AttachTo(*this, std::make_unique<InviteWindow>(invite), false);
    withdraw_ = AttachTo(*this, std::make_unique<WithdrawPopup>(poster), false);
    withdrawMenu_ = AttachTo(*this,
                          std::make_unique<WithdrawMenuPopup>(
                              poster, [this](quill::WStringView a, quill::WStringView b) {
                                  app_.Scenes().ShowErrorBox(this, a, b);
                              }),
                          false);
    opponentRequest_ = AttachTo(*this, std::make_unique<OpponentRequestPopup>(poster), false);
    opponentAnswer_ = AttachTo(*this, std::make_unique<OpponentRequestAcceptPopup>(connection_), false);
    waiting_ = AttachTo(*this, std::make_unique<WaitingPopup>(), false);
    purchase_ = AttachTo(*this, CreatePurchaseDialog(app_), false);
    report_ = AttachTo(*this, std::make_unique<ReportUserPopup>(poster), false);
    inProgress_ = AttachTo(*this, std::make_unique<InProgressDialog>([this] { app_.PostQuit(); }), false);
    goldShortage_ = AttachTo(*this, std::make_unique<GoldShortagePopup>(connection_, poster), false);
    gameOption_ = AttachTo(*this, std::make_unique<GameOptionDialog>(connection_, poster, error), false);
}

void SceneRoomGame::BuildTransients() {
    static constexpr std::pair<bool, bool> kFloating[] = {{true, false}, {false, false}, {true, true}};
    for (size_t n = 0; n < kFloatingTexts; ++n) {
        floatingTexts_[n] = AttachTo(*this, std::make_unique<FloatingGainText>(kFloating[n].first, kFloating[n].second), false);
    }
    for (TimedLabel*& label : timedLabels_) label = AttachTo(*this, std::make_unique<TimedLabel>(), false);
    // The seats' names beside their pen strokes on the table.
    for (TextLabel*& name : seatNames_) {
        name = AddLabel(*this, 0, 0, 120, kWhite);
        name->Show(false);
    }
}

// The six turn animations of "GameAni": the first (a good shot) in the middle of the screen, the others
// along the bottom.
void SceneRoomGame::BuildTurnAnimations() {
    auto container = std::make_unique<Widget>();
    container->Create(0, 0, 1, 1, -1, -1);
    animations_ = AddChild(std::move(container), true);
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

}  // namespace kestrovan
