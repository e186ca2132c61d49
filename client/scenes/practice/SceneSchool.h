#pragma once
// The school: a tutorial on a practice table in which the tutor "Vuzud" walks the player through numbered
// pages (SchoolPages). A page is read and left with Continue, or played: Continue ("Try") shows its tasks,
// each judged every frame from the live table until it is met. The player's progress (the highest page
// reached) is the connection's stored value; each new page below 98 is reported with QuestProgress, page 12
// with QuestDone (and, the first time, the gift cue), and leaving the school reports SchoolRequest. The lesson
// index opens any page reached so far; the exits go to the lobby, or through it to the practice room or the
// shop.
//
// A player without a chalk of his own is lent one for the visit (LentChalk); the profile's practice value
// is held at 100000 while the school is open; both are given back when it is left.
//
// Threads: see the table in client/app/Scene.h; the school handles no server message.
#include <array>
#include <cstdint>
#include <span>

#include "QuillLib/core/WString.h"
#include "client/app/Scene.h"
#include "client/app/SoundIds.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/LentChalk.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/scenes/practice/SchoolTaskJudge.h"

namespace quill {
class PlayerState;
}  // namespace quill

namespace kestrovan {

class Button;
class ChalkQuickSlot;
class GameConnection;
class GameTable;
class HelpWindow;
class Image;
class SchoolGiftWindow;
class SchoolIndexWindow;
class ScreenServices;
class TextLabel;

class SceneSchool : public Scene {
public:
    enum Control : int32_t {
        kToLobby = 1,
        kSettings = 2,
        kHelp = 3,
        kMyInfo = 4,
        kMessenger = 5,
        kPrevious = 10,
        kContinue = 11,
        kPracticeExit = 12,
        kShopExit = 13,
        kLobbyExit = 14,
        kSample = 18,
        kOpenIndex = 19,
    };
    static constexpr size_t kTextLines = 5;
    static constexpr size_t kTaskLines = 6;
    static constexpr int32_t kMaxTasks = 5;
    static constexpr uint32_t kTaskDoneSound = 33;
    static constexpr uint32_t kLocalValue = 100000;
    static constexpr uint16_t kSchoolTable = 1501;
    static constexpr uint16_t kSchoolBallSet = 2200;
    static constexpr uint32_t kCurrentTask = 0xFFFFFF00;
    static constexpr uint32_t kOtherTask = 0xFF808000;
    static constexpr const char16_t* kClosingLine = u"♬ Good job. Try until you feel comfortable.";

    explicit SceneSchool(ScreenServices& app);
    ~SceneSchool() override;

    // --- Scene slots ---
    void Init() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    void Activate() override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) override;
    void TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) override;
    void OnResize(uint32_t width, uint32_t height) override;
    void OnActivate(bool active) override;
    // Once per main-loop pass: the table's key poll.
    bool Poll() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    // --- The page script (SceneSchoolPages.cpp) ---
    // Moves to the next (+1) or previous (-1) existing page and writes it on the board.
    void ShowPage(int32_t delta);
    // Continue on a page whose tasks are not started yet: the task lines show and the table is handed over.
    void StartTasks();
    // Judges the current task on the table as it is now (game thread).
    void JudgeTasks();
    // Sends SchoolRequest with the largest page reached; called before the school is left.
    void ReportProgress();

    // --- What tests read ---
    GameTable* Table() const { return stage_.Table(); }
    int32_t Step() const;
    int32_t TaskIndex() const;
    int32_t TaskCount() const;
    bool TasksStarted() const;
    int32_t ShotsTaken() const;
    TextLabel* Title() const { return title_; }
    TextLabel* TextLine(size_t n) const { return textLines_[n]; }
    TextLabel* TaskLine(size_t n) const { return taskLines_[n]; }
    Button* ContinueButton() const { return continue_; }
    Button* PreviousButton() const { return previous_; }
    Button* ExitButton(size_t n) const { return exits_[n]; }
    Button* OpenIndexButton() const { return openIndex_; }
    TextLabel* TryLabel() const { return try_; }
    ChalkQuickSlot* ChalkSlot() const { return chalkSlot_; }
    SchoolIndexWindow* Index() const { return index_; }
    SchoolGiftWindow* Gift() const { return gift_; }
    const LentChalk& Lent() const { return lentChalk_; }

private:
    // The table's pen key: its release ends the pen mode when a page or a task starts.
    static constexpr uint32_t kZoomKey = 'Z';

    // --- Layout (SceneSchoolLayout.cpp) ---
    void BuildBoard();
    void BuildTasks();
    void BuildStepBar();
    void BuildButtons();
    void BuildWindows();

    // --- Life ---
    quill::PlayerState& Player() const;
    void SetUpTable();
    void EquipCue();
    void ResetScript();
    // Reports progress, stores the way on in the connection (practice room or shop) and goes to the lobby.
    void LeaveThrough(int16_t place);

    // --- Pages ---
    void ClearPage();
    void WritePage(int32_t number);
    void AddTextLine(quill::WStringView text);
    void AddTaskLine(quill::WStringView text);
    void WelcomeCamera();
    void CompleteBasics();
    void PlaceGift();
    void LimitCamera();
    void HighlightStep();
    void ColourTasks();
    void CompleteTask();
    SchoolTableView ViewOfTable() const;
    void BlinkTasks(uint32_t timeMs);

    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender sender_;
    TableSceneStage stage_;
    LentChalk lentChalk_;
    TitleBarButtons titleBarButtons_;
    SchoolTaskJudge judge_;
    bool built_ = false;
    bool loaded_ = false;

    // The script's state.
    int32_t step_ = 0;
    int32_t taskIndex_ = 0;
    int32_t previousStep_ = 0;
    int32_t taskCount_ = 0;
    int32_t pageTasks_ = 0;  // the tasks the page has; taskIndex_ reaches it when all are met
    int32_t textLineCount_ = 0;
    int32_t maxStep_ = 0;
    int32_t failedTries_ = 0;
    bool sampleShown_ = false;
    bool tasksStarted_ = false;
    bool noPage_ = true;
    int32_t lastPowerPercent_ = 0;  // the last shot's power as the gauge reports it, in whole percents
    int32_t shotsTaken_ = 0;
    uint32_t savedPlayerValue_ = 0;
    uint32_t lastTimeMs_ = 0;

    // Widgets, owned by the tree.
    Image* banner_ = nullptr;
    Image* board_ = nullptr;
    Image* stepBar_ = nullptr;
    ChalkQuickSlot* chalkSlot_ = nullptr;
    TextLabel* title_ = nullptr;
    std::array<TextLabel*, kTextLines> textLines_{};
    std::array<TextLabel*, kTaskLines> taskLines_{};
    std::array<TextLabel*, 4> stepLabels_{};
    TextLabel* trouble_ = nullptr;
    TextLabel* try_ = nullptr;
    Button* continue_ = nullptr;
    Button* previous_ = nullptr;
    Button* sample_ = nullptr;
    std::array<Button*, 3> exits_{};
    Button* openIndex_ = nullptr;
    Image* picture_ = nullptr;
    HelpWindow* help_ = nullptr;
    SchoolIndexWindow* index_ = nullptr;
    SchoolGiftWindow* gift_ = nullptr;
};

}  // namespace kestrovan
