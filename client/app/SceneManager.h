#pragma once
// Owns every screen of the program by its id, the current one and the id before it, and the popups all
// screens share. It switches between screens on request, loads a screen's resources when it asks for it,
// updates and renders the current one, routes window messages and application events to it, and shows the
// shared message boxes.
//
// Threads and locks: every operation that reaches a screen or a widget takes the widget-tree lock and checks
// that it runs on its thread, as the table in Scene.h has it; the lock is recursive, so a screen's handler may
// call back into the manager (a notice box, the profile window).
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"
#include "client/app/HeldInputRoute.h"
#include "client/app/SharedPopups.h"
#include "client/app/ThreadContract.h"

namespace quill {
class Packet;
class RenderScene;
class RenderSceneManager;
class ResourceManager;
}  // namespace quill

namespace kestrovan {

class D3D9RenderDevice;
class DirectInputMouse;
class Scene;
class Widget;
class Settings;
struct ConnectionNotice;
struct Invitation;
class MessengerPopup;
class ProfilePopup;
class SettingsPopup;
class SkillPopup;

// What the scene manager needs of the application around it.
class SceneManagerHost {
public:
    virtual ~SceneManagerHost() = default;
    virtual void PostQuit() = 0;
    // The device shows system boxes over the 3D view while set.
    virtual void SetDeviceDialogBoxMode(bool enable) = 0;
    // A modal box titled "Kestrovan" on the main window.
    virtual void ShowLoadErrorBox(quill::WStringView text) = 0;
    virtual quill::ResourceManager* GetResourceManager() = 0;
    virtual quill::RenderSceneManager* GetRenderScenes() = 0;
    virtual D3D9RenderDevice* GetDevice() = 0;
    virtual const Settings& GetSettings() const = 0;
    // ClanLeave (40) with the byte 1, through the game connection: the player confirmed leaving the clan.
    virtual void SendClanLeave() = 0;
    virtual void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) = 0;
};

class SceneManager {
public:
    // The wParam with which MessengerControl opens the clan dialog and MessengerControlSend sends ClanLeave:
    // the message box's Yes.
    static constexpr uint32_t kMessengerWindowParam = 2052;

    SceneManager();
    ~SceneManager();
    SceneManager(const SceneManager&) = delete;
    SceneManager& operator=(const SceneManager&) = delete;

    void SetHost(SceneManagerHost* host) { host_ = host; }

    // Takes the scene under its id; false (the scene is dropped) when the id is taken.
    bool AddScene(std::unique_ptr<Scene> scene);
    bool HasScene(int32_t id) const;
    // Makes the scene of id current; an id without a scene is refused (false, the current one stays).
    bool SwitchTo(int32_t id);
    Scene* Current() const { return current_.load(); }
    int32_t PreviousId() const { return previousId_; }
    size_t SceneCount() const { return scenes_.size(); }

    // The frame step's switch: when the current scene requested a change, leaves it and enters the next (no
    // server message reaches a scene while it is left: both hold the widget-tree lock). The scene left lets go
    // of the keys and buttons it holds first, as when the window loses the focus (OnActivate(false)).
    void PerformPendingSwitch(quill::RenderSceneManager* renderScenes);
    // 1 when a load completed, -1 when it failed (after its box), else 0.
    int LoadPendingScene();
    // The mouse, when given, is read for the motion handed to the screen (the game thread's tick); none after
    // a load (the main thread).
    void UpdateCurrentScene(uint32_t timeMs, int64_t clockTenthMs, DirectInputMouse* mouse = nullptr);
    // Main thread, just before a release (key-up, button-up) is handled: the motion the mouse made before it,
    // which waits in the mouse's buffer for the game thread's next update, goes to the screen now as input alone
    // (Scene::TakeMotionBeforeRelease), so that a mode the release ends (Ctrl's stroke, a zoom, a drag) takes the
    // whole of it, in the order the player made it, whatever the game thread's pace. Nothing when the mouse did
    // not move.
    void HandOverMotionBeforeRelease(int64_t clockTenthMs, DirectInputMouse& mouse);
    bool OnMessage(uint32_t id, uint32_t wParam, uint32_t lParam);
    // A server message for the screen (the connection's dispatcher, on its dispatch thread): the current
    // scene's OnPacket when the scene can take messages (CanTakePackets), except
    // UserProfile (the profile window over that scene, on the scene's ProfileGameMode) and ClanCreateResult
    // (the messenger), which the shared windows take on every screen; false, with nothing called, when there
    // is no such scene.
    bool DeliverPacket(quill::MessageId id, quill::Packet& packet);
    // Window input: the current scene's widget tree first (once the scene is loaded), then the scene's
    // OnMessage; true when taken. A mouse button's release and a key's key-up go only where the press went,
    // and nowhere when that was the screen of a scene left since; a key's auto-repeats and their characters
    // only where its first press went.
    bool HandleWindowMessage(uint32_t id, uint64_t wParam, int64_t lParam);
    // Once per main-loop pass: shows what the shared windows were asked to show meanwhile, then polls the
    // current scene.
    void PollCurrentScene();
    void ActivateCurrentScene(bool active);
    void NotifyCurrentScene(bool overDragBand);
    void ApplyEffectSettings(const Settings& settings);
    void ResizeAll(uint32_t width, uint32_t height);
    void DestroyAll();
    void RenderCurrentScene(D3D9RenderDevice* device, bool draw);
    // Loads the shared popups' graphics, creates the tooltip (200 x 20) and reads the filtered-word list from
    // the package "Lang"; false when that list is missing.
    bool LoadSharedResources(quill::ResourceManager* resources);
    // Takes the shared popups (made hidden by the screens' module) for the life of the program.
    void SetPopups(std::unique_ptr<SharedPopups> popups) { popups_ = std::move(popups); }
    SharedPopups* Popups() const { return popups_.get(); }

    // --- The shared message boxes; a null parent means the current scene. Nothing is shown while there
    // are no popups or no parent. ---
    void ShowErrorBox(Widget* parent, quill::WStringView line0, quill::WStringView line1 = {},
                      quill::WStringView line2 = {});
    void ShowNoticeBox(Widget* parent, quill::WStringView line0, quill::WStringView line1 = {},
                       quill::WStringView line2 = {}, quill::WStringView line3 = {});
    void ShowSecondNoticeBox(Widget* parent, quill::WStringView line0, quill::WStringView line1 = {},
                             quill::WStringView line2 = {});
    // The first box, reset, filled with the notice (title, six lines, the event and value its buttons post)
    // and shown with the NoticeBox's button layout (0 OK, 1 OK and Cancel, 2 Cancel, 3 Yes and No). Every
    // screen shows its notices this way, whichever thread handles what triggered them.
    void ShowBox(Widget* parent, const ConnectionNotice& notice, uint32_t layout);
    // The connection's notices: ShowBox on the current scene with the OK button.
    void ShowConnectionNotice(const ConnectionNotice& notice);
    void ShowInvitation(const Invitation& invitation);
    // The two boxes; null while there are no popups.
    NoticeBox* GetMessageBox() const { return popups_ ? popups_->GetMessageBox() : nullptr; }
    NoticeBox* GetSecondMessageBox() const { return popups_ ? popups_->GetSecondMessageBox() : nullptr; }
    // The messenger and the profile window; null while there are none.
    MessengerPopup* GetMessenger() const { return popups_ ? popups_->GetMessenger() : nullptr; }
    ProfilePopup* GetProfilePopup() const { return popups_ ? popups_->GetProfilePopup() : nullptr; }
    // The settings dialog and the My Info window; null while there are none.
    SettingsPopup* GetSettingsDialog() const { return popups_ ? popups_->GetSettingsDialog() : nullptr; }
    SkillPopup* GetSkillPopup() const { return popups_ ? popups_->GetSkillPopup() : nullptr; }
    // UserProfile in a screen's packet handler: the profile window reads the profile it carries and shows it
    // on the given parent (null: the current scene) at the main thread's next pass.
    // False when nothing is to be shown.
    bool ShowUserProfile(Widget* parent, quill::Packet& packet);
    // The chat macro of the slot (its stored text given): typed into the edit box that has the keyboard focus,
    // or, with none, sent by the screen (ChatSubmit with the slot). Main thread.
    void SendChatMacro(int slot, quill::WStringView text);

    // Whether frames run: the widget layer skips drawing labels and images while clear.
    static void SetUpdateActive(bool active) { updateActive_ = active; }
    static bool UpdateActive() { return updateActive_; }

    // The one lock of the screens and their widgets (Scene.h).
    quill::CriticalSectionLock& WidgetTreeLock() { return widgetTreeLock_; }
    ThreadContract& Threads() { return threads_; }

private:
    bool CanTakeMessages(const Scene& scene) const;
    void CompleteLoad(Scene& scene);
    quill::RenderScene* CurrentRenderScene() const;
    // The given parent, else the current scene; null when neither is there or there are no popups.
    Widget* PopupParent(Widget* parent) const;
    void CreateTooltip();

    SceneManagerHost* host_ = nullptr;
    std::atomic<Scene*> current_{nullptr};
    std::map<int32_t, std::unique_ptr<Scene>> scenes_;
    std::unique_ptr<SharedPopups> popups_;
    quill::CriticalSectionLock widgetTreeLock_;
    ThreadContract threads_{widgetTreeLock_};
    HeldInputRoute inputRoute_;
    int32_t previousId_ = 0;
    uint32_t updateCount_ = 0;
    static inline std::atomic<bool> updateActive_{true};
};

// "%s-%d (file:%s pack:%s type:%d)\r\r%s": the box of a failed resource load (stage 1 at start, 2 in a scene).
quill::WString LoadingErrorText(int stage, quill::WStringView file, quill::WStringView pack, uint32_t kind);

}  // namespace kestrovan
