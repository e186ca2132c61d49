#pragma once
// The replay screen, the only screen of the replay mode: one shot, given as the hexadecimal text of a shot
// record in the fifth word of the command line, played on a table without a server over and over, each pass
// at another speed and from another camera (normal speed from afar, half speed nearer, quarter speed close
// to the cue ball, then again). A playback bar pauses, resumes and stops the shot; two buttons switch the
// top view on and off. A text the shot-record reader refuses is logged once and no pass starts.
//
// The end of a pass is the table's BallsStopped, which the table posts at the end of every shot. The table
// stands in the offline screen's room ("Map0000"), seen from above until the side view is chosen.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <atomic>
#include <cstdint>

#include "client/app/Scene.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/table/ShotData.h"

namespace quill {
class PlayerState;
class RoomInfo;
}  // namespace quill

namespace kestrovan {

class Button;
class GameTable;
class HelpWindow;
class ScreenServices;

class SceneReplay : public Scene {
public:
    enum Control : int32_t {
        kExit = 1,
        kSettings = 2,
        kHelp = 3,
        kConsumed = 6,
        kPlay = 100,
        kPause = 101,
        kStop = 102,
        kPrevious = 103,
        kNext = 105,
        kFirst = 106,
        kLast = 107,
        kTopView = 110,
        kSideView = 111,
    };
    static constexpr size_t kCommandWord = 4;
    static constexpr size_t kMaxTextBytes = 4096;
    static constexpr int32_t kPassSwings = 3;
    static constexpr uint8_t kReplayGameMode = 10;
    static constexpr uint32_t kSounds[] = {27, 1, 0};

    // One pass of the cycle: the table's camera flags, the speed of the balls and the camera's distance
    // behind the cue ball, reached in a second.
    struct Pass {
        bool flagA = false;
        bool flagB = false;
        bool flagC = false;
        float speed = 1.0f;
        float distance = 0.0f;
        bool keepPitch = false;
    };
    static constexpr std::array<Pass, 3> kPasses{{{false, false, true, 1.0f, 300.0f, false},
                                                  {false, true, false, 0.5f, 240.0f, true},
                                                  {true, true, false, 0.25f, 60.0f, true}}};

    explicit SceneReplay(ScreenServices& app);
    ~SceneReplay() override;

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
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    // --- What tests read ---
    GameTable* Table() const { return stage_.Table(); }
    bool HasShot() const { return shotRead_; }
    const ShotData& Shot() const { return shot_; }
    bool IsStarted() const { return started_; }
    bool IsPlaying() const { return playing_; }
    // The pass the next restart plays (0 normal speed, 1 half, 2 quarter).
    uint32_t NextPass() const { return nextPass_; }
    uint32_t PassesEnded() const { return passesEnded_; }
    Button* PlayButton() const { return playButton_; }
    Button* PauseButton() const { return pauseButton_; }
    Button* BarButton(int32_t control) const;
    HelpWindow* Help() const { return help_; }

private:
    quill::PlayerState& Player() const;
    quill::RoomInfo& Room() const;
    void BuildTitleBar();
    void BuildPlaybackBar();
    // Reads the command line's shot text; false when there is none the reader takes.
    bool ReadShot();
    void LoadSounds();
    // Sets up the next pass and starts the shot with the given swings of the cue.
    void RestartReplay(int32_t swings);
    void ShowPlaying(bool playing);
    void Play();
    void Pause();
    void Stop();
    void EndPass();

    ScreenServices& app_;
    TableSceneStage stage_;
    TitleBarButtons titleBarButtons_;
    bool built_ = false;
    ShotData shot_;
    bool shotRead_ = false;
    std::atomic<bool> started_{false};
    std::atomic<bool> playing_{false};
    std::atomic<uint32_t> nextPass_{0};
    std::atomic<uint32_t> passesEnded_{0};

    HelpWindow* help_ = nullptr;
    Button* playButton_ = nullptr;
    Button* pauseButton_ = nullptr;
    std::array<Button*, 9> barButtons_{};
};

}  // namespace kestrovan
