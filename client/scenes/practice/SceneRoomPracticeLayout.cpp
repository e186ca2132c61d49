// SceneRoomPractice: the screen's widgets, laid out once by Init: the title bar with the room's buttons, the
// challenge and options buttons, the challenge board, the text list at the lower left, the item bar and the
// chalk slot, and the windows (challenge selection, waiting, options, replay panel, help).
#include "QuillLib/core/AssertBreak.h"
#include "client/app/AppCursor.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/common/WaitingPopup.h"
#include "client/scenes/practice/ChallengeSelectWindow.h"
#include "client/scenes/practice/PracticeOptionsWindow.h"
#include "client/scenes/practice/SceneRoomPractice.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kPracticeTexture = 19;
constexpr int32_t kLineHeight = 18;

template <class T>
T* Attach(Widget& parent, std::unique_ptr<T> child, bool visible) {
    return static_cast<T*>(parent.AddChild(std::move(child), visible));
}

}  // namespace

void SceneRoomPractice::Init() {
    if (built_) quill::AssertBreak(".\\SceneRoomPractice", 90);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    BuildTitleBar();
    BuildBoard();
    BuildTextList();
    BuildWindows();
    ApplyChildAnchors(screen.width, screen.height);
}

void SceneRoomPractice::BuildTitleBar() {
    titleBar_ = CreateImage(5, 4, 470, 30, kCommonTexture, 0, 386);
    TextLabel* title = titleBar_->CreateTextLabel(12, 6, 300, 20, &UiFontAt(UiFont::Bold14), 0, 0);
    title->SetText(u"Practice alone");
    title->SetColors(kWhite, 0);
    titleBarButtons_.Add(TitleBarButtons::Role::ToLobby, kToLobby);
    titleBarButtons_.Add(TitleBarButtons::Role::Settings, kSettings);
    titleBarButtons_.Add(TitleBarButtons::Role::Help, kHelp);
    titleBarButtons_.Add(TitleBarButtons::Role::MyInfo, kMyInfo);
    titleBarButtons_.Add(TitleBarButtons::Role::Messenger, kMessenger);
    challengeButton_ = CreateButton(0, 0, 114, 32, kChallenge, -1, kPracticeTexture, 0, 0);
    SetCentredCaption(*challengeButton_, u"Challenge");
    challengeButton_->SetAnchor(AnchorMode::Right, -130, AnchorMode::Top, 44);
    optionsButton_ = CreateButton(0, 0, 114, 32, kOptions, -1, kPracticeTexture, 0, 32);
    SetCentredCaption(*optionsButton_, u"Options");
    optionsButton_->SetAnchor(AnchorMode::Right, -130, AnchorMode::Top, 80);
}

// The board of a running challenge: inning, points, average, target and reward, one line each.
void SceneRoomPractice::BuildBoard() {
    board_ = CreateImage(0, 0, 200, 120, kPracticeTexture, 0, 64);
    board_->SetAnchor(AnchorMode::Right, -210, AnchorMode::Top, 120);
    board_->SetAcceptsMouse(false);
    for (size_t n = 0; n < boardLines_.size(); ++n) {
        boardLines_[n] = board_->CreateTextLabel(12, 8 + static_cast<int32_t>(n) * 21, 176, kLineHeight,
                                                 &UiFontAt(UiFont::Bold12), 0, 0);
        boardLines_[n]->SetColors(kWhite, 0);
    }
    board_->Show(false);
}

// The last eight lines of the text list, above the item bar. Each line stands on a band of the HUD atlas, as the
// room's chat lines do: the bands, 30 high and 18 apart, join without a seam, and only lines with text show one.
void SceneRoomPractice::BuildTextList() {
    constexpr int32_t kBandWidth = 382;
    constexpr int32_t kBandHeight = 30;
    const int32_t lines = static_cast<int32_t>(kShownLines);
    auto area = std::make_unique<Image>();
    area->Create(0, 0, kBandWidth, (lines - 1) * kLineHeight + kBandHeight, -1, -1);
    textArea_ = Attach(*this, std::move(area), true);
    textArea_->SetAnchor(AnchorMode::Left, 10, AnchorMode::Bottom, -92 - lines * kLineHeight);
    textArea_->SetAcceptsMouse(false);
    for (size_t n = 0; n < kShownLines; ++n) {
        lineBands_[n] = textArea_->CreateImage(0, static_cast<int32_t>(n) * kLineHeight, kBandWidth, kBandHeight,
                                               kHudTexture, 610, 902);
        lineBands_[n]->SetAcceptsMouse(false);
        lineBands_[n]->Show(false);
        shownLines_[n] = lineBands_[n]->CreateTextLabel(6, 6, kBandWidth - 12, kLineHeight,
                                                        &UiFontAt(UiFont::Regular12), 0, 0);
    }
}

void SceneRoomPractice::BuildWindows() {
    const AppEventPoster poster = PosterOf(app_);
    const auto reposter = [this] { app_.Cursor().RepostMouseMove(); };
    chalkSlot_ = Attach(*this,
                        std::make_unique<ChalkQuickSlot>(Player(), poster,
                                                         [this](quill::WStringView a, quill::WStringView b) {
                                                             app_.Scenes().ShowNoticeBox(this, a, b);
                                                         }),
                        true);
    chalkSlot_->SetAnchor(AnchorMode::Left, -4, AnchorMode::Bottom, -300);
    itemBar_ = Attach(*this, std::make_unique<ItemQuickBar>(Player(), poster, reposter), true);
    itemBar_->SetAnchor(AnchorMode::Left, 12, AnchorMode::Bottom, -32);
    selection_ = Attach(*this,
                        std::make_unique<ChallengeSelectWindow>(ChallengeSelectWindow::Services{
                            [this](int32_t level) { ChooseLevel(level); }, [this] { AskGoldCharge(); }}),
                        false);
    waiting_ = Attach(*this, std::make_unique<WaitingPopup>(), false);
    options_ = Attach(*this, std::make_unique<PracticeOptionsWindow>(), false);
    const auto notice = [this](quill::WStringView text) { app_.Scenes().ShowNoticeBox(this, text); };
    const auto error = [this](quill::WStringView text) { app_.Scenes().ShowErrorBox(this, text); };
    ReplayPanel::Services replay{&sender_, poster, notice, error,
                                 [this](quill::WStringView a, quill::WStringView b, quill::WStringView c) {
                                     app_.Scenes().ShowNoticeBox(this, a, b, c);
                                 }};
    replayPanel_ = Attach(*this, std::make_unique<ReplayPanel>(app_, Player(), replay), false);
    replayPanel_->SetAnchor(AnchorMode::Right, -190, 0, 0);
    help_ = Attach(*this, CreateHelpWindow(app_), false);
}

}  // namespace kestrovan
