// SceneSchool: the screen's widgets, laid out once by Init: the banner and the lesson board with its title,
// text lines, "Try", Continue, Previous and the sample button; the task lines under the "[Trouble]" heading;
// the step bar of the first pages; the exits, the menu buttons and "Open index"; the chalk slot and the help,
// index and gift windows.
#include <algorithm>

#include "QuillLib/core/AssertBreak.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/practice/SceneSchool.h"
#include "client/scenes/practice/SchoolGiftWindow.h"
#include "client/scenes/practice/SchoolIndexWindow.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kTutor = 21;
// The buttons' faces on the tutorial texture, below the lesson boards, where their four frames lie whole.
constexpr int32_t kButtonRow = 570;
constexpr int32_t kContinueX = 430;
constexpr int32_t kPreviousX = 454;
constexpr int32_t kOpenIndexX = 495;
constexpr const char16_t* kStepTexts[] = {u"[Camera]", u"[Shot]", u"[Aiming]", u"[Spin]"};

}  // namespace

void SceneSchool::Init() {
    if (built_) quill::AssertBreak(".\\SceneSchool", 70);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    BuildBoard();
    BuildTasks();
    BuildStepBar();
    BuildButtons();
    BuildWindows();
    ApplyChildAnchors(screen.width, screen.height);
}

void SceneSchool::BuildBoard() {
    banner_ = CreateImage(10, 4, 392, 30, kCommonTexture, 0, 416);
    banner_->SetAlpha(0.5f);
    banner_->Show(false);
    board_ = CreateImage(0, 10, 1024, 285, kTutor, 0, 0);
    board_->SetAcceptsMouse(false);
    title_ = board_->CreateTextLabel(220, 85, 360, 20, &UiFontAt(UiFont::Bold16), 0, 0);
    title_->SetColors(kWhite, 0);
    for (size_t k = 0; k < kTextLines; ++k) {
        textLines_[k] = board_->CreateTextLabel(230, 140 + 25 * static_cast<int32_t>(k), 730, 18,
                                                &UiFontAt(UiFont::Bold14), 0, 0);
    }
    picture_ = board_->CreateImage(860, 130, 112, 120, kTutor, 912, 631);
    picture_->Show(false);
    try_ = board_->CreateTextLabel(400, 248, 100, 20, &UiFontAt(UiFont::Bold12), TextLabel::kAlignRight, 0);
    try_->SetText(u"Try");
    try_->SetColors(kWhite, 0);
}

void SceneSchool::BuildTasks() {
    trouble_ = CreateTextLabel(70, 318, 200, 18, &UiFontAt(UiFont::Bold14), 0, 0);
    trouble_->SetText(u"[Trouble]");
    trouble_->SetColors(kGreen, 0);
    trouble_->Show(false);
    for (size_t k = 0; k < kTaskLines; ++k) {
        taskLines_[k] = CreateTextLabel(70, 340 + 20 * static_cast<int32_t>(k), 700, 18, &UiFontAt(UiFont::Bold14),
                                        TextLabel::kAlignRight, 0);
        taskLines_[k]->Show(false);
    }
}

void SceneSchool::BuildStepBar() {
    stepBar_ = CreateImage(190, 40, 1, 1, kTutor, 0, 0);
    stepBar_->SetAcceptsMouse(false);
    for (size_t k = 0; k < stepLabels_.size(); ++k) {
        stepLabels_[k] = stepBar_->CreateTextLabel(40 + 100 * static_cast<int32_t>(k), 0, 80, 20,
                                                   &UiFontAt(UiFont::Bold16), 0, 1);
        stepLabels_[k]->SetColors(0xFFFFFF00, 0xFF0000B0);
        stepLabels_[k]->SetText(kStepTexts[k]);
    }
    for (int32_t x : {120, 220, 320}) {
        TextLabel* arrow = stepBar_->CreateTextLabel(x, 0, 20, 20, &UiFontAt(UiFont::Bold16), 0, 0);
        arrow->SetColors(0xFF00B000, 0);
        arrow->SetText(u"▶");
    }
    stepBar_->Show(false);
}

void SceneSchool::BuildButtons() {
    continue_ = board_->CreateButton(370, 240, 24, 27, kContinue, -1, kTutor, kContinueX, kButtonRow);
    continue_->SetTooltip(u"Continue");
    // The button answers on its face and on the "Try" beside it.
    continue_->SetSecondRect(365, 240, 70, 27);
    previous_ = board_->CreateButton(250, 240, 23, 27, kPrevious, -1, kTutor, kPreviousX, kButtonRow);
    previous_->SetAlpha(0.5f);
    previous_->SetTooltip(u"Previous");
    sample_ = board_->CreateButton(730, 200, 200, 88, kSample, -1, kTutor, 47, 761);
    sample_->AddLabel(&UiFontAt(UiFont::Bold14), 0, kWhite, 0, 0);
    sample_->SetCaption(u"View Vuzud's Sample");
    sample_->Show(false);
    struct Exit {
        int32_t id;
        int32_t srcX;
        const char16_t* caption;
    };
    constexpr std::array<Exit, 3> kExits{
        {{kPracticeExit, 16, u"Practice room"}, {kShopExit, 154, u"Shop"}, {kLobbyExit, 292, u"Lobby"}}};
    for (size_t k = 0; k < kExits.size(); ++k) {
        exits_[k] = CreateButton(0, 300 + 40 * static_cast<int32_t>(k), 138, 29, kExits[k].id, -1, kTutor,
                                 kExits[k].srcX, kButtonRow);
        SetCentredCaption(*exits_[k], kExits[k].caption);
        exits_[k]->SetAnchor(AnchorMode::Right, -150, 0, 0);
        exits_[k]->Show(false);
    }
    titleBarButtons_.Add(TitleBarButtons::Role::Help, kHelp);
    titleBarButtons_.Add(TitleBarButtons::Role::Settings, kSettings);
    titleBarButtons_.Add(TitleBarButtons::Role::MyInfo, kMyInfo);
    titleBarButtons_.Add(TitleBarButtons::Role::ToLobby, kToLobby);
    titleBarButtons_.Add(TitleBarButtons::Role::Messenger, kMessenger);
    openIndex_ = CreateButton(0, 0, 59, 18, kOpenIndex, -1, kTutor, kOpenIndexX, kButtonRow);
    openIndex_->SetTooltip(u"Open index");
    SetCentredCaption(*openIndex_, u"Index", kWhite, UiFont::Small10);
    openIndex_->SetAnchor(AnchorMode::Right, -65, AnchorMode::Bottom, -24);
    openIndex_->Show(false);
}

void SceneSchool::BuildWindows() {
    const AppEventPoster poster = PosterOf(app_);
    chalkSlot_ = static_cast<ChalkQuickSlot*>(AddChild(
        std::make_unique<ChalkQuickSlot>(Player(), poster,
                                         [this](quill::WStringView a, quill::WStringView b) {
                                             app_.Scenes().ShowNoticeBox(this, a, b);
                                         }),
        false));
    // The index window and its tabs take the lower right corner: the slot stands just left of the tabs, at the
    // height the table screens give it, instead of under the index.
    constexpr int32_t kChalkGap = 8;
    chalkSlot_->SetAnchor(AnchorMode::Right, SchoolIndexWindow::LeftOnScreen(0) - kChalkGap - ChalkQuickSlot::kSize,
                          AnchorMode::Bottom, -110);
    help_ = static_cast<HelpWindow*>(AddChild(CreateHelpWindow(app_), false));
    SchoolIndexWindow::Services services{[this] { return connection_.ConnectionValue(); },
                                         [this] { return static_cast<int32_t>(Player().level); },
                                         [this](quill::WStringView text) { app_.Scenes().ShowNoticeBox(this, text); },
                                         poster};
    index_ = static_cast<SchoolIndexWindow*>(AddChild(std::make_unique<SchoolIndexWindow>(services), false));
    gift_ = static_cast<SchoolGiftWindow*>(AddChild(std::make_unique<SchoolGiftWindow>(), false));
}

// The gift opens beside the lines of page 12 that announce it: centred in the room below the lesson board and
// left of the index with its tabs (shown beside it, or just after on entering), so that it covers neither.
void SceneSchool::PlaceGift() {
    const ScreenSize screen = app_.GetScreenSize();
    const int32_t top = board_->GetRect().bottom + 1;
    const int32_t right = SchoolIndexWindow::LeftOnScreen(screen.width);
    const int32_t x = std::max(0, (right - gift_->Width()) / 2);
    const int32_t y = top + std::max(0, (screen.height - top - gift_->Height()) / 2);
    gift_->SetPosition(x, y);
}

}  // namespace kestrovan
