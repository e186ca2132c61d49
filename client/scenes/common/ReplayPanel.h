#pragma once
// The room's picture-in-picture window that replays the last shot on a table of its own: play, pause, the
// camera behind the cue ball or from above, a view twice as wide, and the registration of the player's own
// online shot to the shot gallery (ShotSaveWindow, then ShotRegister with the shot's text).
//
// A shot on other equipment than the panel's table waits for the next drawn frame, which sets the table up
// for it first. Hiding the panel stops its playing.
//
// Threads: see the table in client/app/Scene.h.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/table/ShotRecord.h"
#include "client/ui/Window.h"

namespace quill {
class ResourceManager;
}

namespace kestrovan {

class Button;
class D3D9RenderDevice;
class GameTable;
class RequestSender;
class ScreenServices;
class ShotSaveWindow;

class ReplayPanel : public Window {
public:
    static constexpr int32_t kWidth = 184;
    static constexpr int32_t kHeight = 255;
    static constexpr int32_t kViewWidth = 178;
    static constexpr int32_t kViewHeight = 249;
    enum Control : int32_t {
        kClose = 1,
        kPlay = 2,
        kPause = 3,
        kSave = 4,
        kReplayLast = 5,
        kCameraMode = 10,
        kWindowSize = 11,
        kSaveOk = 44,
    };
    static constexpr int32_t kFollowCamera = 1;
    static constexpr int32_t kTopCamera = 2;

    struct Services {
        RequestSender* sender = nullptr;
        AppEventPoster poster;
        std::function<void(quill::WStringView)> notice;
        std::function<void(quill::WStringView)> error;
        // The shared "Notice" box with three lines.
        std::function<void(quill::WStringView, quill::WStringView, quill::WStringView)> notice3;
    };

    // player: the local player, whose registration stickers are spent.
    ReplayPanel(ScreenServices& app, quill::PlayerState& player, Services services);
    ~ReplayPanel() override;

    // The panel's table for the room's game and equipment, with its models; main thread.
    bool CreateTable(const quill::RoomInfo& room, quill::ResourceManager& resources, D3D9RenderDevice& device);
    // Lets the table and its models go; main thread.
    void ReleaseTable();
    // Replays the shot from its first frame (at the next drawn frame when it needs other equipment).
    void LoadShot(const ShotRecord& record);
    // The table's frame (game thread): the shot advances only while playing.
    void UpdateTable(uint32_t clockTenthMs);
    // The table into the panel's part of the screen (main thread, in the room's 3D pass).
    void DrawTable(D3D9RenderDevice& device);
    // ShotRegister (60): u8 game mode, the title, the shot's text as u16 length, the bytes and one zero.
    void RegisterShot();
    void ApplyCamera();
    void ToggleSize();
    // Whether a point of the screen lies on the panel's view (widened while enlarged).
    bool IsInside(int32_t x, int32_t y) const;

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    bool OnMouse(uint32_t msg, WParam wParam, LParam lParam) override;
    void OnShow() override;
    void OnHide() override;

    GameTable* Table() const { return stage_.Table(); }
    ShotSaveWindow* SaveWindow() const { return saveWindow_; }
    bool IsPlaying() const { return playing_; }
    bool IsEnlarged() const { return enlarged_; }
    bool IsReloadPending() const { return reloadPending_; }
    int32_t CameraMode() const { return cameraMode_; }
    ShotRecord StoredShot() const;
    Button* ControlButton(int32_t id) const;

private:
    void PlayStored();
    void EquipShotCue(const ShotRecord& record, bool withParts);
    void OnSave();
    void OnWindowSize();

    ScreenServices& app_;
    TableSceneStage stage_;
    quill::PlayerState& player_;
    Services services_;
    ShotSaveWindow* saveWindow_ = nullptr;
    ShotRecord storedShot_;
    std::atomic<bool> playing_{false};
    std::atomic<bool> shown_{false};
    std::atomic<bool> reloadPending_{false};
    std::atomic<bool> enlarged_{false};
    std::atomic<bool> viewChanged_{true};
    std::atomic<int32_t> cameraMode_{kFollowCamera};
};

}  // namespace kestrovan
