#pragma once
// The lobby's background: a table on the room scene of "Map0000" that replays yesterday's best shots one
// after another under a camera that slowly orbits it, the caption naming the shot, and the lobby music.
// The next shot is chosen when the balls stop (an application event) and handed to the frame through the
// reload-pending flag.
//
// Threads: see the table in client/app/Scene.h.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "client/table/ShotData.h"

namespace quill {
class RenderScene;
class ResourceManager;
}  // namespace quill

namespace kestrovan {

class AppTableHost;
class D3D9RenderDevice;
class GameConnection;
class GameTable;
class RenderSceneCameras;
class ScreenServices;
class TextLabel;
class Widget;

class LobbyBackground {
public:
    // app: the table's host, the engine's scenes and sounds, the packs, the random numbers and settings.
    LobbyBackground(ScreenServices& app, GameConnection& connection);
    ~LobbyBackground();
    LobbyBackground(const LobbyBackground&) = delete;
    LobbyBackground& operator=(const LobbyBackground&) = delete;

    // The caption of the shot replayed.
    void BuildCaption(Widget& screen);
    // The table on its scene with its models; false when the map or the scene cannot be had.
    bool Load(quill::ResourceManager& resources, D3D9RenderDevice& device);
    void StartMusic();
    // The table's models go before the scene they stand in, then the music.
    void Release();
    // A new stay in the lobby: the table set up again, the camera free to orbit from the start, the first
    // shot next, no caption.
    void Enter();
    void ApplySettings();
    void ReleaseHeldKeys();

    // The shot of yesterday's best at the index: its caption, its cue, and the reload for the next frame.
    void ShowYesterdayBest();
    void OnBallsStopped();
    // The frame (main thread): a shot chosen since the last one starts; the table draws when there is a device.
    void Draw(D3D9RenderDevice* device, bool draw);
    void Update(int64_t clockTenthMs);

    quill::RenderScene* RenderScene() const { return renderScene_; }
    GameTable* Table() const { return table_.get(); }
    TextLabel* Caption() const { return caption_; }
    bool IsReloadPending() const { return reloadPending_; }

private:
    // The frame: the shot chosen when the balls stopped is loaded and started.
    void ApplyPendingShot();
    void OrbitCamera();

    ScreenServices& app_;
    GameConnection& connection_;
    quill::RenderScene* renderScene_ = nullptr;
    std::unique_ptr<RenderSceneCameras> cameras_;
    std::unique_ptr<AppTableHost> tableHost_;
    std::unique_ptr<GameTable> table_;
    float orbitPitch_ = 18.0f;
    float orbitDistance_ = 300.0f;
    float orbitSpeed_ = 2.0f;
    ShotData shot_;
    std::atomic<bool> reloadPending_{false};
    size_t bestShotIndex_ = 0;
    TextLabel* caption_ = nullptr;  // owned by the tree
};

}  // namespace kestrovan
