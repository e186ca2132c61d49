#pragma once
// The 3D stage of a table screen: the room of the screen's map file as the current render scene, the table's
// cameras in it, the game table with the services of the application (host, sounds, the player's profile and,
// online, the connection) and its models. It also carries what every table screen does alike: an equipment
// change asked for on any thread and carried out by the main thread's next frame, the cue put in the player's
// hands (stock or custom, the previous one let go), the frame's render step and draw passes, and the release
// of everything when the screen is left.
//
// A screen without a map (the room's replay panel) keeps its cameras to itself: the table then draws only
// its own models, into the screen's viewport.
//
// Threads: see the table in client/app/Scene.h; loading, applying the equipment, drawing and releasing run on the main
// thread. The table's own threads are as GameTable says.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "client/app/MouseMotion.h"
#include "client/render/RenderPassTypes.h"
#include "client/table/CueModelEntry.h"

namespace quill {
class RenderScene;
class RenderSceneManager;
class ResourceManager;
}  // namespace quill

namespace kestrovan {

class AppTableHost;
class AppTableSound;
class ConnectionTableLink;
class D3D9RenderDevice;
class GameTable;
class ProfileTablePlayer;
class RenderSceneCameras;
class ScreenServices;
class Widget;

class TableSceneStage {
public:
    // The services the table gets beside the application host.
    struct Services {
        bool player = false;      // the local player's skills, cue and chalk for the stroke
        bool sound = false;       // contact sounds and referee voices
        bool connection = false;  // the table's messages and the active items' bonuses
    };

    // What the table is set up with: the game, the table and ball-set items (0 stands for the game's
    // default) and the physics model.
    struct Equipment {
        quill::GameType gameMode = 0;
        uint16_t tableItem = 0;
        uint16_t ballSetItem = 0;
        uint32_t physicsModel = 0;
        uint8_t ownPhysics = 0;
    };

    // The lights of the 3D pass: the first over the table's overlay and the room, the second over the
    // table's balls and effects; each with the ambient level that goes with it.
    struct Lighting {
        DirectionalLightDesc first;
        float firstAmbient = 0.35f;
        DirectionalLightDesc second;
        float secondAmbient = 0.25f;
    };
    // The lamp over the table: a white light straight down, the room with more ambient light than the
    // table's balls and effects (the login's demo table, the offline table).
    static constexpr DirectionalLightDesc kLamp{0, 1.0f, 1.0f, 1.0f, 1.0f, 1, 1, 0.0f, 0.0f, -1.0f};
    static constexpr Lighting kLampLighting{kLamp, 0.35f, kLamp, 0.25f};

    // The five tuning parts of a stock cue.
    static constexpr uint16_t kNoPart = 0xFFFF;
    static constexpr CueModelEntry::PartIds kStockParts{kNoPart, kNoPart, kNoPart, kNoPart, kNoPart};

    TableSceneStage(ScreenServices& app, Services services);
    ~TableSceneStage();
    TableSceneStage(const TableSceneStage&) = delete;
    TableSceneStage& operator=(const TableSceneStage&) = delete;

    // A new table with the services, the game and the items (any previous one released first).
    GameTable& CreateTable(const Equipment& equipment);
    // The first scene of the map file of the package "data" becomes the current render scene with the
    // table's cameras in it (cameraVariant as GameTable::SetupCameras), the physics is set up and the table's
    // models load (modelVariant as GameTable::LoadModels). False when the package, the map or a model is
    // missing. The table must exist.
    bool Load(quill::ResourceManager& resources, D3D9RenderDevice& device, quill::WStringView mapFile,
              int32_t cameraVariant, int32_t modelVariant);
    // The same without a map: the table's cameras in a scene of the stage's own.
    bool LoadWithoutMap(quill::ResourceManager& resources, D3D9RenderDevice& device, int32_t modelVariant);

    // --- Equipment changes ---
    // Keeps the equipment for the next frame; a later request replaces an earlier one (any thread).
    void RequestEquipment(const Equipment& equipment);
    bool HasPendingEquipment() const;
    // Takes the request (main thread).
    std::optional<Equipment> TakePendingEquipment();
    // Sets the table up with the equipment: ball models let go, game and items, the table and ball models
    // loaded again, the physics model (main thread, no shot running).
    void ApplyEquipment(const Equipment& equipment);

    // --- The cue ---
    // The cue of the item (a custom cue with its parts, a stock cue with kStockParts) on the table; the cue
    // it held before is let go when it is another one. The table's entry.
    CueModelEntry* EquipCue(uint16_t itemId, const CueModelEntry::PartIds& parts);

    // --- Drawing (main thread) ---
    // The table's render step, the render scene's update by sceneSeconds, and with draw the 3D pass: under
    // the lighting when given, the table's overlay, the room, then the table's balls and effects. No 2D.
    void Render(D3D9RenderDevice* device, bool draw, float sceneSeconds, const Lighting* lighting);

    // The 2D layer under the screen's widgets, after Begin2D: the table's HUD, and the models of the item
    // previews shown in the screen's tree (root) built. The screen then draws its widgets.
    void DrawHudAndPreviews(Widget& root, D3D9RenderDevice& device);

    // The table's models, the table, its cameras and the render scene; nothing is left.
    void Release(quill::RenderSceneManager* renderScenes);

    // --- The screen's window (main thread) ---
    // The table's HUD laid out for the screen's new size; nothing without a table.
    void LayoutHud(uint32_t width, uint32_t height);
    // A screen that loses the focus or stops being current has the table let go of the keys and buttons it
    // holds, so that no stroke, zoom or drag goes on without them and the mouse is given back.
    void OnScreenActivate(bool active);
    // Once per main-loop pass, under the widget-tree lock: the table's key poll, which acts only on a table
    // marked active; no screen marks its table so, and every screen hands the table its key messages instead.
    // Nothing without a table.
    void PollKeys();
    // The motion the mouse made before a release, as the table's input alone (GameTable::TakeMouseInput).
    // Nothing without a table.
    void TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion);

    GameTable* Table() const { return table_.get(); }
    quill::RenderScene* RenderScene() const { return renderScene_; }
    RenderSceneCameras* Cameras() const { return cameras_.get(); }

private:
    class OwnCameras;

    quill::RenderSceneManager* RenderScenes() const;
    void DrawTable(D3D9RenderDevice& device, const Lighting* lighting);

    ScreenServices& app_;
    std::unique_ptr<AppTableHost> host_;
    std::unique_ptr<AppTableSound> sound_;
    std::unique_ptr<ProfileTablePlayer> player_;
    std::unique_ptr<ConnectionTableLink> connection_;
    std::unique_ptr<GameTable> table_;
    std::unique_ptr<RenderSceneCameras> cameras_;
    std::unique_ptr<OwnCameras> ownCameras_;
    quill::RenderScene* renderScene_ = nullptr;
    CueModelEntry* cue_ = nullptr;

    std::optional<Equipment> pending_;
};

}  // namespace kestrovan
