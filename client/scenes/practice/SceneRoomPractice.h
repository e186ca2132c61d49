#pragma once
// The practice room: the player alone at a table of the game type chosen in the lobby, placing the balls
// freely, with the item bar and chalk slot, the replay panel of the room screens, a text list of the room's
// lines, and a 20-inning challenge for gold: a level is chosen, the shots are judged as their balls stop,
// and at the twentieth failed inning the points go to the server, whose reward is shown. The membership's
// gold charge of the day is asked for from the challenge selection. "To Lobby" sends LeaveToLobby and
// switches back at once.
//
// Its life: Init lays the screen out once; LoadResources makes the table on the stage of "Map0002";
// Activate sets the table up for the game type and writes the tips; OnLeave lets the table go, clears the
// windows and the text list, and gives back what the room itself took from the item pool (nothing of the
// player's inventory).
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/app/Scene.h"
#include "client/app/SoundIds.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/scenes/practice/PracticeChallenge.h"
#include "client/scenes/practice/PracticeTextList.h"

namespace quill {
struct InventoryItem;
class PlayerState;
}  // namespace quill

namespace kestrovan {

class Button;
class ChalkQuickSlot;
class ChallengeSelectWindow;
class GameConnection;
class GameTable;
class HelpWindow;
class Image;
class ItemQuickBar;
class ReplayPanel;
class ScreenServices;
class TextLabel;
class WaitingPopup;
class PracticeOptionsWindow;
struct ItemUseResult;

class SceneRoomPractice : public Scene {
public:
    enum Control : int32_t {
        kToLobby = 1,
        kSettings = 2,
        kHelp = 3,
        kMyInfo = 4,
        kMessenger = 5,
        kChallenge = 20,
        kOptions = 21,
    };
    static constexpr size_t kShownLines = PracticeTextList::kShown;
    static constexpr uint32_t kNoticeColour = 0xFFFF0000;
    static constexpr uint32_t kItemColour = 0xFFFFFF00;
    static constexpr uint32_t kSuccessColour = 0xFF80FF80;
    static constexpr uint32_t kTipColour = 0xFFFFFFFF;
    static constexpr uint32_t kSuccessSound = 20;
    static constexpr uint32_t kStartSound = 24;
    static constexpr uint32_t kChargedSound = 40;
    static constexpr uint32_t kLocalValue = 100000;

    explicit SceneRoomPractice(ScreenServices& app);
    ~SceneRoomPractice() override;

    // --- Scene slots ---
    void Init() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    void Activate() override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) override;
    void TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) override;
    int OnPacket(quill::MessageId id, quill::Packet& packet) override;
    int32_t ProfileGameMode() const override { return 0; }
    void OnResize(uint32_t width, uint32_t height) override;
    void OnActivate(bool active) override;
    // Once per main-loop pass: the table's key poll.
    bool Poll() override;
    void AddChatLine(quill::WStringView text, uint32_t colour) override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    // --- The challenge, for the selection window and the tests ---
    // A level chosen in the selection window: refused below its player level, else it starts.
    void ChooseLevel(int32_t level);
    // The selection window's charge button: refused, or the charge request is posted.
    void AskGoldCharge();

    // --- What tests read ---
    GameTable* Table() const { return stage_.Table(); }
    quill::GameType GameType() const { return gameType_; }
    PracticeChallenge Challenge() const;
    PracticeTextList Lines() const;
    uint32_t ChallengeResultsSent() const { return resultsSent_; }
    ChallengeSelectWindow* Selection() const { return selection_; }
    WaitingPopup* Waiting() const { return waiting_; }
    PracticeOptionsWindow* Options() const { return options_; }
    Image* Board() const { return board_; }
    TextLabel* BoardLine(size_t n) const { return boardLines_[n]; }
    TextLabel* ShownLine(size_t n) const { return shownLines_[n]; }
    Button* ChallengeButton() const { return challengeButton_; }
    ReplayPanel* Replay() const { return replayPanel_; }
    ItemQuickBar* ItemBar() const { return itemBar_; }
    ChalkQuickSlot* ChalkSlot() const { return chalkSlot_; }
    HelpWindow* Help() const { return help_; }

private:
    // --- Layout (SceneRoomPracticeLayout.cpp) ---
    void BuildTitleBar();
    void BuildBoard();
    void BuildTextList();
    void BuildWindows();

    // --- Life ---
    quill::PlayerState& Player() const;
    void LoadSounds();
    void SetUpTable();
    void EquipCurrentCue();
    void WriteTips();
    void HideWindows();
    void ShowLines();
    void LeaveToLobby();

    // --- The challenge (SceneRoomPracticeEvents.cpp) ---
    void StartChallenge();
    void EndChallenge();
    void JudgeShot();
    void ShowBoard();
    void OnBallsStopped();
    void ToggleReplay();

    // --- Items ---
    void UseQuickItem();
    void UseCue(const quill::InventoryItem& item);
    void ToggleActiveItem(const quill::InventoryItem& item);
    void SendItemUse(const quill::InventoryItem& item);
    void OnItemUseResult(const ItemUseResult& result);
    void ApplyItemUse(const ItemUseResult& result);

    // --- Server messages (SceneRoomPracticePackets.cpp) ---
    void OnGoldCharged(quill::Packet& packet);
    void OnChallengeReward(quill::Packet& packet);

    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender sender_;
    // The requests whose answers the waiting window waits for.
    AwaitedRequest awaited_;
    TableSceneStage stage_;
    TitleBarButtons titleBarButtons_;
    bool built_ = false;

    quill::GameType gameType_ = 0;
    PracticeChallenge challenge_;
    int32_t chosenLevel_ = 1;
    PracticeTextList lines_;
    std::atomic<uint32_t> resultsSent_{0};
    uint32_t savedPracticeValue_ = 0;
    // The cue and the item of the last use request, by their key pairs.
    std::optional<std::pair<uint32_t, uint32_t>> pendingItem_;
    // A cue the server let the player use, put in his hands by the next update (game thread).
    std::optional<std::pair<uint32_t, uint32_t>> cueToEquip_;
    bool replayShown_ = false;

    // Widgets, owned by the tree.
    Image* titleBar_ = nullptr;
    Button* challengeButton_ = nullptr;
    Button* optionsButton_ = nullptr;
    Image* board_ = nullptr;
    std::array<TextLabel*, 5> boardLines_{};
    Image* textArea_ = nullptr;
    std::array<Image*, kShownLines> lineBands_{};
    std::array<TextLabel*, kShownLines> shownLines_{};
    ItemQuickBar* itemBar_ = nullptr;
    ChalkQuickSlot* chalkSlot_ = nullptr;
    ChallengeSelectWindow* selection_ = nullptr;
    WaitingPopup* waiting_ = nullptr;
    PracticeOptionsWindow* options_ = nullptr;
    ReplayPanel* replayPanel_ = nullptr;
    HelpWindow* help_ = nullptr;
};

}  // namespace kestrovan
