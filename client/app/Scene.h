#pragma once
// The base of every screen, itself the root panel of the screen's widgets. The scene manager drives a screen
// through the operations below: it loads the screen's resources when the screen asks for it, activates it,
// updates it (game thread) and renders it (main thread), routes window messages (first to the widget tree,
// then to OnMessage), application events and server packets to it, and switches away from it when it
// requests a change. The base keeps the switch flags, what the screen loaded (released when it is left), the
// fade-in and the lighting and fog environment.
//
// A screen builds its widgets in Init as children of itself, loads their graphics in LoadResources
// (LoadGraphics on itself) and draws them at the end of Render (DrawWidgets). The root covers the screen:
// the manager gives it the screen's size and re-applies its children's anchors on every resize.
//
// Threads, and the one lock. Every entry below runs on the thread its row names, holding the scene manager's
// widget-tree lock (the manager and the App take it, not the screen), so that one widget is never written on
// one thread while another reads it:
//
//   entry                                                  thread     entered through
//   Init                                                   main       RegisterScenes, before the other threads
//   OnEnter, LoadResources, Activate, OnLeave              main       the frame step's switch and load
//   Render, DrawWidgets                                    main       the frame step
//   OnMessage (application events)                         main       the main loop's posted events
//   OnMessage, RouteMessage (window messages)              main       the window procedure
//   Poll                                                   main       the main loop
//   OnActivate                                             main       the window procedure, the frame step's
//                                                                     switch away from the screen, the loop's end
//   OnCaptionHover                                         main       the window procedure
//   OnSettingsChanged                                      main       the frame step, the settings dialog
//   TakeMotionBeforeRelease                                main       the window procedure, ahead of a release
//   ResizeWidgets, OnResize                                main       start and display changes
//   Update, FadeStep, TickWidgets                          game       the game thread's loop (the main thread
//                                                                     runs one update right after a load)
//   OnPacket, ProfileGameMode                              dispatch   SceneManager::DeliverPacket
//   the shared windows' server handlers                    dispatch   the App's ConnectionHost operations
//
// That lock guards the screens, their parts, their widgets and their tables: none of them keeps a lock of its own
// but a table's physics holder. Lock order: the widget-tree lock, then the physics lock and the locks of what the
// screens share with code outside the tree (a player's record, a directory, a camera, the item-model catalogue,
// the connection, the render device, the mouse device's buffer). A packet handler never waits for the main or the game thread. A thread that
// a screen starts itself (a gallery window's exchange) touches no widget: it hands its result over under its own
// lock, read at the next Update, Render or Poll, or by a posted event. In the test build the manager's
// ThreadContract ends the program when an entry runs on another thread or a widget changes without the lock. The
// switch flags are atomic: the dispatch thread reads them without the lock while it waits.
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/app/MouseMotion.h"
#include "client/connection/ConnectionScene.h"
#include "client/render/Daylight.h"
#include "client/ui/Panel.h"

namespace quill {
class ModelObject;
class RenderScene;
class ResourceManager;
class RenderSceneManager;
}  // namespace quill

namespace kestrovan {

class D3D9RenderDevice;

// What a scene loaded and must give back when it is left: a whole package (file empty, id -1), or an item.
struct SceneResourceRecord {
    quill::WString package;
    quill::WString file;
    int32_t id = -1;
    uint32_t kind = 0;
};

// The fog of a render scene as the device takes it: a flag word whose third byte enables fog, the colour,
// start, end and density.
struct FogRecord {
    uint32_t flags = 0;
    float red = 0, green = 0, blue = 0, alpha = 0;
    float start = 0, end = 0, density = 0;
};

class Scene : public Panel, public ConnectionScene {
public:
    explicit Scene(int32_t id);
    ~Scene() override = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The widget operations of the same names stay reachable beside the scene's own.
    using Panel::OnResize;
    using Panel::Update;

    // --- The screen's own operations ---
    virtual void Init() = 0;
    // Loading completed.
    virtual void Activate() = 0;
    // Nonzero is a failure.
    virtual int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) = 0;
    // The screen became current: by default it asks for its load, which follows at once (LoadResources,
    // then Activate); a screen that loads nothing of its own on entry overrides it.
    virtual bool OnEnter() {
        SetLoadWanted(true);
        return true;
    }
    // draw is false while frames are paused.
    virtual void Render(D3D9RenderDevice* device, bool draw) = 0;
    // The time-of-day model (colour, fades, blink phase and the dawn and morning sounds) at the time of day
    // in seconds; a screen calls it from its Render.
    virtual void UpdateAmbientLight(uint32_t seconds);
    // Once per main-loop pass.
    virtual bool Poll() { return false; }
    virtual int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam);
    // Releases what the scene loaded.
    virtual bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes);
    // Once per game-thread tick with the motion the mouse made in it (none in the update the main thread runs
    // after a load).
    virtual void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion);
    // The motion the mouse made before a key or button is let go, handed over just ahead of the release: as input
    // alone (the table's stroke, drags and zoom), so that the mode the release ends takes all of it in the order
    // the player made it; the steps of a tick stay with Update. The base takes none: a screen without a table has
    // no use for the mouse's motion, as its Update has none.
    virtual void TakeMotionBeforeRelease(int64_t /*clockTenthMs*/, const MouseMotion& /*motion*/) {}
    // Server messages (never while the screen is left): a handler hands work that needs
    // the main thread (the device, the window) over by an application event or to the next Update or Render.
    int OnPacket(quill::MessageId id, quill::Packet& packet) override;
    // The game mode the shared profile window shows first when a UserProfile comes over this screen (the
    // game room: its table's); -1 keeps the window's own.
    virtual int32_t ProfileGameMode() const { return -1; }
    virtual void OnSettingsChanged(const class Settings& settings);
    virtual void OnResize(uint32_t width, uint32_t height);
    virtual void OnActivate(bool active);
    virtual void FadeStep();
    // The lighting and fog of the environment block onto the render scene: a changed lighting flag lights or
    // unlights the models tagged 2 (half transparent while unlit) and switches the lights tagged 2; the fog
    // record goes to the scene's description. Nothing without a scene.
    virtual void ApplyEnvironment(quill::RenderScene* scene, bool deviceHasFog);
    // The models tagged 5 back to lit and opaque materials. Nothing without a scene.
    virtual void ResetSceneNodes(quill::RenderScene* scene);
    virtual void OnCaptionHover(bool overDragBand);
    virtual void AddChatLine(quill::WStringView text, uint32_t value);
    // Every 4th update: the widget tree's tick.
    virtual void TickWidgets(uint32_t timeMs);

    // --- The widget tree ---
    // Covers the screen with the root and places the anchored children (the manager's resize).
    void ResizeWidgets(uint32_t width, uint32_t height);
    // Draws the widgets over the frame: the device's 2D pass, then the tree.
    void DrawWidgets(D3D9RenderDevice* device);

    // --- Switching ---
    void RequestSceneChange(int32_t next);
    // Clears change-pending and hides the scene.
    void FinishPendingChange();
    // Drops a requested change that cannot be carried out.
    void CancelPendingChange() { changePending_ = false; }

    // ConnectionScene.
    int32_t GetSceneId() const override { return sceneId_; }
    bool IsChangePending() const override { return changePending_; }
    bool IsLoading() const override { return loadWanted_; }
    bool IsReady() const override { return ready_; }

    int32_t NextSceneId() const { return nextSceneId_; }
    void SetLoadWanted(bool wanted) { loadWanted_ = wanted; }
    void SetReady(bool ready) { ready_ = ready; }
    void SetLoaded(bool loaded) { loaded_ = loaded; }
    bool IsLoaded() const { return loaded_; }
    void ClearLoadWord() { loadWord_ = 0; }

    void StartFadeIn() {
        fadeState_ = 1;
        fadeAlpha_ = 0.0f;
    }
    int32_t FadeState() const { return fadeState_; }
    float FadeAlpha() const { return fadeAlpha_; }

    // The render scene's models tagged 6 and tagged 7, taken anew when a load completes (none without a scene).
    void CollectTaggedObjects(const quill::RenderScene* scene);
    const std::vector<quill::ModelObject*>& TaggedObjects(uint32_t tag) const { return tag == 6 ? tagged6_ : tagged7_; }

    void AddResourceRecord(SceneResourceRecord record) { resources_.push_back(std::move(record)); }

    // The environment block.
    struct Environment {
        uint8_t lighting = 1;
        uint8_t fog = 0;
        uint32_t word = 0;
        float value = 0.02f;
        uint32_t fogColour = 0x3CA3D70A;
        float scale = 1.0f;
        uint16_t pairA = 2;
        uint16_t pairB = 0;
        std::array<float, 4> factors{1.0f, 1.0f, 1.0f, 1.0f};
        float fogStart = 10.0f;
        float fogEnd = 100.0f;
        float fogDensity = 0.5f;
        uint8_t appliedLighting = 1;
        uint8_t appliedSecondLighting = 1;
        uint8_t spare = 0;
    };
    Environment& GetEnvironment() { return environment_; }

private:
    const int32_t sceneId_;
    std::atomic<int32_t> nextSceneId_{0};
    std::atomic<bool> ready_{false};
    std::atomic<bool> loadWanted_{true};
    std::atomic<bool> changePending_{false};
    bool loaded_ = true;
    std::vector<SceneResourceRecord> resources_;
    int32_t fadeState_ = 0;
    float fadeAlpha_ = 1.0f;
    uint32_t loadWord_ = 0;
    Environment environment_;
    FogRecord fog_;
    Daylight daylight_;
    std::vector<quill::ModelObject*> tagged6_;
    std::vector<quill::ModelObject*> tagged7_;
};

// The fog record of an environment (pure): colour from the ARGB word, start and end divided by the scale,
// density times it; disabled when the scale is near zero or the device has no fog.
FogRecord ComputeFogRecord(const Scene::Environment& environment, bool deviceHasFog, uint32_t previousFlags);

}  // namespace kestrovan
