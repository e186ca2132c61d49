// SceneSchool: the page script on the board. ShowPage moves to the next or previous page, writes it and
// raises the stored progress; StartTasks hands the table over for the page's tasks with the controls the page
// teaches; JudgeTasks looks at the table every frame and CompleteTask moves to the next task; the progress is
// told to the server as the pages are reached and when the school is left.
#include <algorithm>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/math/Camera.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/connection/GameConnection.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/TableOptionsFromSettings.h"
#include "client/scenes/practice/SceneSchool.h"
#include "client/scenes/practice/SchoolGiftWindow.h"
#include "client/scenes/practice/SchoolIndexWindow.h"
#include "client/scenes/practice/SchoolPages.h"
#include "client/table/CameraController.h"
#include "client/table/CameraState.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableAim.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableInput.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

namespace {

constexpr int32_t kBoardWidth = 1024;
constexpr int32_t kBoardHeight = 285;
constexpr int32_t kQuestBoardY = 285;
constexpr uint32_t kFreeOrbitMode = 2;
constexpr size_t kSolids = 8;
constexpr size_t kLastStripe = 15;

// The controls a page's tasks open (the table's enabled-controls mask) and its power display.
struct TaskControls {
    int32_t page;
    int32_t mask;
    int32_t powerDisplay;  // -1 keeps it
};
constexpr TaskControls kTaskControls[] = {{4, 7, -1},   {5, 39, 1},   {7, 47, -1},  {8, 63, -1},
                                          {41, 511, 0}, {42, 511, 1}, {50, 511, -1}};

float RadiansToDegrees(float radians) {
    return radians * 180.0f / 3.1415927f;
}

}  // namespace

// --- the page ---

void SceneSchool::ShowPage(int32_t delta) {
    WidgetToolkit::CheckTreeAccess("SceneSchool::ShowPage");
    GameTable* table = stage_.Table();
    ClearPage();
    if (table != nullptr) {
        table->Turn().SetAimFollowsCamera(false);
        table->Input().OnKey(kZoomKey, false);
        table->Turn().SetControlEnabled(false);
    }
    tasksStarted_ = false;
    taskCount_ = 0;
    pageTasks_ = 0;
    maxStep_ = std::max(maxStep_, step_);
    step_ = SchoolPages::Step(step_, delta);
    taskIndex_ = 0;
    for (Button* exit : exits_) exit->Show(false);
    noPage_ = true;
    WritePage(step_);
    index_->SelectStep(step_);
    if (previousStep_ < 4 && step_ >= SchoolPages::kBasicsDone && table != nullptr) {
        LimitCamera();
        table->Cameras().MoveCamera(2.0f, 300.0f, CameraController::kKeep, false);
        table->RenderStep().SetVisible(true);
        table->Turn().SetAimFollowsCamera(true);
        table->Input().OnKey(kZoomKey, false);
    }
    previousStep_ = step_;
    HighlightStep();
    continue_->Show(step_ < SchoolPages::kLast);
    board_->SetImage(21, 0, step_ < 99 ? kQuestBoardY : 0, kBoardWidth, kBoardHeight, 1.0f, 1.0f);
    try_->Show(taskCount_ > 0);
    stepBar_->Show(step_ >= 3 && step_ <= 8);
    chalkSlot_->Show(step_ > 8);
    picture_->Show(step_ == 5 || step_ == 42);
    ColourTasks();
    if (static_cast<uint32_t>(step_) > connection_.ConnectionValue()) {
        connection_.SetValueAndFlag(static_cast<uint32_t>(step_), 0);
        index_->Refresh();
        if (step_ < SchoolPages::kLast) {
            const auto page = static_cast<uint32_t>(step_);
            sender_.Send([page](quill::Packet& packet) {
                packet.Init(quill::MessageId::QuestProgress).WriteU32(page).WriteU8(0);
            });
        }
    }
}

void SceneSchool::ClearPage() {
    for (TextLabel* line : textLines_) {
        line->SetText(u"");
        line->Show(false);
    }
    for (TextLabel* line : taskLines_) {
        line->SetText(u"");
        line->Show(false);
    }
    trouble_->Show(false);
    textLineCount_ = 0;
}

void SceneSchool::WritePage(int32_t number) {
    const SchoolPage* page = SchoolPages::Find(number);
    if (page == nullptr) return;
    const quill::WString nickname = connection_.Nickname();
    if (number == SchoolPages::kFirst) {
        sample_->Show(false);
        title_->SetTextF(page->title, nickname);
        WelcomeCamera();
    } else {
        title_->SetText(page->title);
    }
    title_->Show(true);
    previous_->Show(number != SchoolPages::kFirst);
    if (number == SchoolPages::kBasicsDone) {
        const auto lines = SchoolPages::BasicsDoneLines(Player().basicsRewardCount != 0);
        AddTextLine(quill::Format(lines[0], nickname));
        for (size_t k = 1; k < lines.size(); ++k) AddTextLine(lines[k]);
        CompleteBasics();
    } else {
        for (const char16_t* line : page->lines) AddTextLine(line);
    }
    for (const char16_t* task : page->tasks) AddTaskLine(task);
    pageTasks_ = taskCount_;
}

void SceneSchool::AddTextLine(quill::WStringView text) {
    if (textLineCount_ >= static_cast<int32_t>(kTextLines)) return;
    TextLabel* line = textLines_[static_cast<size_t>(textLineCount_++)];
    line->SetText(text);
    line->SetColors(kWhite, 0);
    line->Show(true);
    noPage_ = false;
}

void SceneSchool::AddTaskLine(quill::WStringView text) {
    if (taskCount_ >= kMaxTasks) return;
    TextLabel* line = taskLines_[static_cast<size_t>(taskCount_++)];
    line->SetText(text);
    line->Show(false);
}

// Page 1: the camera close to the table, turning slowly, the balls racked and the cue away.
void SceneSchool::WelcomeCamera() {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    quill::Camera* const* camera = table->Cameras().GetCurrentCameraRef();
    if (camera != nullptr && *camera != nullptr) {
        LockedSetScreenRect(camera, 10.0f, 0.5235988f, 1000.0f, 0.5235988f);
        LockedSetMinDistance(camera, 10.0f);
        LockedSetYawDegrees(camera, 0.0f);
        LockedSetDistance(camera, 50.0f);
        LockedSetPitchDegrees(camera, RadiansToDegrees(0.2181662f));
    }
    table->Rack().RackBalls();
    table->SnapshotBalls();
    table->RenderStep().SetVisible(false);
    table->Input().SetKeyMask(0);
}

// Page 12: the exits, the gift of the first visit, and QuestDone.
void SceneSchool::CompleteBasics() {
    for (Button* exit : exits_) exit->Show(true);
    quill::PlayerState& player = Player();
    if (player.basicsRewardCount == 0) {
        Settings& settings = app_.GetSettingsMutable();
        settings.schoolGuideState = 1;
        settings.serverOptionsKnown = 1;
        app_.SendOptionsToServer();
        gift_->Open();
        PlaceGift();
    }
    // QuestDone goes out as it is, without counting as the connection's last send.
    constexpr uint8_t kZero = 0;
    connection_.SendBytePacket(quill::MessageId::QuestDone, &kZero);
    ++player.basicsRewardCount;
}

// The camera's limits of the lessons: 100 to 520 away, 20 to 50 degrees high, never nearer than 130.
void SceneSchool::LimitCamera() {
    quill::Camera* const* camera = stage_.Table()->Cameras().GetCurrentCameraRef();
    if (camera == nullptr || *camera == nullptr) return;
    LockedSetScreenRect(camera, 100.0f, 0.3490659f, 520.0f, 0.8726646f);
    LockedSetMinDistance(camera, 130.0f);
}

void SceneSchool::HighlightStep() {
    if (step_ >= 9) return;
    const size_t lit = step_ <= 4 ? 0 : step_ <= 6 ? 1 : step_ == 7 ? 2 : 3;
    for (size_t k = 0; k < stepLabels_.size(); ++k) stepLabels_[k]->SetAlpha(k == lit ? 1.0f : 0.5f);
}

void SceneSchool::ColourTasks() {
    for (int32_t k = 0; k < static_cast<int32_t>(kTaskLines); ++k) {
        taskLines_[static_cast<size_t>(k)]->SetColors(k == taskIndex_ ? kCurrentTask : kOtherTask, 0);
    }
}

// --- the tasks ---

void SceneSchool::StartTasks() {
    WidgetToolkit::CheckTreeAccess("SceneSchool::StartTasks");
    for (int32_t k = 0; k < taskCount_; ++k) taskLines_[static_cast<size_t>(k)]->Show(true);
    trouble_->Show(true);
    try_->Show(false);
    tasksStarted_ = true;
    sampleShown_ = false;
    continue_->Show(false);
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Turn().SetAimFollowsCamera(true);
    table->Input().OnKey(kZoomKey, false);
    table->Cameras().FocusCameraOnCueBall();
    table->Turn().SetControlEnabled(true);
    table->RenderStep().SetVisible(true);
    if (step_ > 42) table->ApplyAppOptions(TableOptionsFromSettings(app_.GetSettings()));
    for (const TaskControls& controls : kTaskControls) {
        if (controls.page != step_) continue;
        table->Input().SetKeyMask(controls.mask);
        if (controls.powerDisplay >= 0) {
            // The page's power display, through the table's options (1 figures, 0 the trembling gauge).
            TableOptions options = TableOptionsFromSettings(app_.GetSettings());
            options.powerDisplayOption = controls.powerDisplay;
            table->ApplyAppOptions(options);
        }
        if (step_ == 4) {
            LimitCamera();
            table->Cameras().MoveCamera(2.0f, 300.0f, CameraController::kKeep, false);
        }
    }
}

void SceneSchool::JudgeTasks() {
    WidgetToolkit::CheckTreeAccess("SceneSchool::JudgeTasks");
    if (!tasksStarted_ || taskIndex_ >= pageTasks_ || stage_.Table() == nullptr) return;
    if (judge_.Met(step_, taskIndex_ + 1, ViewOfTable(), lastPowerPercent_, shotsTaken_)) CompleteTask();
}

// The table as the judging sees it: the current camera in degrees, the cue tip, and the balls on the aim.
SchoolTableView SceneSchool::ViewOfTable() const {
    GameTable& table = *stage_.Table();
    SchoolTableView view;
    quill::Camera* const* camera = table.Cameras().GetCurrentCameraRef();
    if (camera != nullptr && *camera != nullptr) {
        view.yawDegrees = LockedGetYawDegrees(camera);
        view.pitchDegrees = GetCameraPitchDegrees(camera);
        view.distance = LockedGetDistance(camera);
    }
    const CameraState& aim = table.Aim().Pose();
    view.tipX = aim.tipOffsetX;
    view.tipY = aim.tipOffsetY;
    view.elevationDegrees = aim.elevation;
    view.shotRunning = table.IsShotRunning();
    view.freeOrbitIdle =
        table.Cameras().GetCamera().Mode() == kFreeOrbitMode && !table.Cameras().GetCamera().IsMoving();
    view.guideViewHeld = const_cast<GameTable&>(table).Input().Flags().cueViewKeyHeld;
    if (view.freeOrbitIdle && camera != nullptr && *camera != nullptr) {
        const quill::Vec3 eye = LockedGetEye(camera);
        quill::Vec3 target;
        {
            quill::ScopedLock held((*camera)->GetLock());
            target = (*camera)->Target();
        }
        TablePhysics& physics = const_cast<GameTable&>(table).Physics();
        const quill::Vec3 cue = physics.CachedPosition(physics.CueBall());
        for (size_t ball = 1; ball <= kLastStripe && ball < physics.BallCount(); ++ball) {
            if (ball == physics.CueBall()) continue;
            const bool onLine = SchoolTaskJudge::IsBallInAimCone(eye, target, cue, physics.CachedPosition(ball));
            if (!onLine) continue;
            (ball <= kSolids ? view.solidInAimCone : view.stripeInAimCone) = true;
        }
    }
    return view;
}

void SceneSchool::CompleteTask() {
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->Play(kTaskDoneSound, 1.0f, 0, false);
    taskIndex_ = std::min(taskIndex_ + 1, taskCount_);
    shotsTaken_ = 0;
    failedTries_ = 0;
    sampleShown_ = false;
    sample_->Show(false);
    GameTable& table = *stage_.Table();
    table.Turn().SetAimFollowsCamera(true);
    table.Input().OnKey(kZoomKey, false);
    table.RenderStep().SetVisible(true);
    ColourTasks();
    if (taskIndex_ == taskCount_) {
        continue_->Show(true);
        if (taskCount_ < kMaxTasks) {
            TextLabel* closing = taskLines_[static_cast<size_t>(taskCount_)];
            closing->SetText(kClosingLine);
            closing->SetColors(kCurrentTask, 0);
            closing->Show(true);
        }
        taskCount_ = std::min(taskCount_ + 1, kMaxTasks);
    }
}

void SceneSchool::ReportProgress() {
    WidgetToolkit::CheckTreeAccess("SceneSchool::ReportProgress");
    const uint32_t value = std::max({static_cast<uint32_t>(std::max(step_, 0)), connection_.ConnectionValue(),
                                     static_cast<uint32_t>(std::max(maxStep_, 0))});
    connection_.SetValueAndFlag(value, static_cast<uint8_t>(failedTries_));
    sender_.Send([value](quill::Packet& packet) {
        packet.Init(quill::MessageId::SchoolRequest).WriteU32(value).WriteU8(0);
    });
}

}  // namespace kestrovan
