#pragma once
// The table's models: the balls of the equipped ball set, the aim, target and pocket markers, the shadow disc,
// the table environment (the table model with its cloth, wood and surroundings) and the reflection map the balls
// and cues mirror, with the resources and the device they are built from and for. The cue models themselves are
// shared entries (TableCueModels); this part builds an entry's model when it is first shown.
//
// The part also loads and unloads the table: it builds its own models and hands the table's other parts theirs
// (the marks' model, the markers, the chalk bursts, the ambient effect, the HUD's graphics), and sets the table up
// from its equipment.
//
// Threads: only a screen's entries call it (client/app/Scene.h); SetupTable is called only while no shot runs.
#include <array>
#include <cstdint>
#include <memory>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Transform.h"
#include "client/table/CueModelEntry.h"
#include "client/table/TableEnvironment.h"
#include "client/table/TableModelNode.h"

namespace quill {
class Package;
class ResourceManager;
class StaticBatcher;
class Texture;
}  // namespace quill

namespace kestrovan {

class D3D9RenderDevice;
class GameTable;
class TableEquipment;
class TablePhysics;
struct TableServices;

class TableModels {
public:
    TableModels(GameTable& table, const TableServices& services, TablePhysics& physics,
                const TableEquipment& equipment);
    TableModels(const TableModels&) = delete;
    TableModels& operator=(const TableModels&) = delete;

    // --- set-up (game thread, while no shot runs) ---
    // The items' properties, the physics model of code modelCode (owned when own is set), the pockets where the
    // table's geometry puts them, and the snooker D.
    void SetupTable(uint32_t modelCode, uint8_t own);

    // --- loading (main thread, while the screen loads or changes equipment) ---
    // Opens the packages and builds the balls, the markers and the shadow, the table environment, the chalk
    // effects and the ambient effect, and fetches the HUD's graphics. variant 0 the full table, 1 also with the
    // balls' trail colours, 2 a table without the "Tables" and "Cues" packages. False when "BillObject" or a ball
    // model cannot be opened.
    bool LoadModels(quill::ResourceManager& resources, D3D9RenderDevice& device, int32_t variant);
    // The ambient effect anew from the local player's chalk (nothing on variant 2 tables).
    void RebuildAmbientEffect(bool reusePackage);
    // The three chalk bursts anew with the local player's chalk (nothing on variant 2 tables); the package is
    // "BillObject" when none is given.
    void BuildChalkBursts(quill::Package* package);
    // Deletes the table's models (the balls' and every cue entry's); the entries stay. Returns true.
    bool UnloadModels();
    // Where the models come from and what draws them; variant 0 the full table, 1 with the balls' trail colours,
    // 2 a table without the "Tables" and "Cues" packages.
    void SetLoadTarget(quill::ResourceManager& resources, D3D9RenderDevice& device, int32_t variant);
    quill::ResourceManager* Resources() const { return resources_; }
    D3D9RenderDevice* Device() const { return device_; }
    int32_t LoadVariant() const { return loadVariant_; }
    quill::StaticBatcher* Batcher() const;
    // The markers, the shadow disc and the reflection map; the cue stand's file with the cues. The mark model,
    // for the server's marks, is handed back.
    std::unique_ptr<TableModelNode> LoadHelperModels(quill::Package& objects, quill::Package* cues);
    // One model per ball of the set: model v of the ball-set file (v its texture set) in the face of the ball.
    bool LoadBallModels(quill::Package& balls, quill::Package& objects);
    // Builds the entry's cue model from the "Cues" package; false (no model) when it cannot.
    bool LoadCueModel(CueModelEntry& entry);
    // The equipped table item's cloth and wood on the table model and the environment's settings.
    void ApplyTableItem();
    // The table item again and the balls from the equipped ball set (after the equipment changed).
    void ReloadEquipmentModels();
    // The markers go (the aim, target and pocket markers), then the shadow and the environment.
    void ReleaseMarkers();
    void ReleaseShadowAndEnvironment();

    // --- the environment ---
    // Whether the environment draws its surroundings (the screens' own scenes usually bring a room).
    void SetEnvironmentFlag(uint8_t flag) { environment_.SetSurroundingsShown(flag != 0); }
    // The application's settings the table environment follows: every texture and the reflections, and the
    // detail on the rail.
    void SetEnvironmentSettings(bool textures, bool detail);
    TableEnvironment& Environment() { return environment_; }

    // --- the models ---
    void SetBallModel(uint32_t ball, std::unique_ptr<TableModelNode> model);
    TableModelNode* BallModel(uint32_t ball) const {
        return ball < quill::kMaxBalls ? ballModels_[ball].get() : nullptr;
    }
    // Deletes the per-ball models.
    void ReleaseBallModels();
    TableModelNode* AimMarkerModel() const { return aimMarkerModel_.get(); }
    TableModelNode* TargetMarkerModel() const { return targetMarkerModel_.get(); }
    TableModelNode* ShadowModel() const { return shadowModel_.get(); }
    TableModelNode* PocketMarkerModel() const { return pocketMarkerModel_.get(); }

    // --- how the models are drawn ---
    // The cue is drawn after the balls instead of with the table (the screens' look-along views).
    bool CueHidden() const { return cueHidden_; }
    // Whether the aim marker and the target marker are drawn.
    bool AimMarkerShown() const { return aimMarkerShown_; }
    bool TargetMarkerShown() const { return targetMarkerShown_; }
    // The ball-size class of the drawing scale (0 to 6; others draw unscaled).
    void SetBallSizeClass(uint32_t sizeClass) { ballSizeClass_ = sizeClass; }
    uint32_t BallSizeClass() const { return ballSizeClass_; }
    // Where a ball's model is placed in this frame.
    quill::Transform& BallTransform(uint32_t ball) { return ballTransforms_[ball % quill::kMaxBalls]; }

private:
    uint32_t BallCount() const;

    // The table whose parts the load fills (the marks' model, the markers, the effects, the HUD's graphics).
    GameTable& table_;
    const TableServices& services_;
    TablePhysics& physics_;
    const TableEquipment& equipment_;
    quill::ResourceManager* resources_ = nullptr;
    D3D9RenderDevice* device_ = nullptr;
    int32_t loadVariant_ = 0;
    std::array<std::unique_ptr<TableModelNode>, quill::kMaxBalls> ballModels_;
    std::unique_ptr<TableModelNode> aimMarkerModel_;
    std::unique_ptr<TableModelNode> targetMarkerModel_;
    std::unique_ptr<TableModelNode> shadowModel_;
    std::unique_ptr<TableModelNode> pocketMarkerModel_;
    TableEnvironment environment_;
    quill::SharedPtr<quill::Texture> reflectionTexture_;
    bool environmentTextures_ = true;
    bool environmentDetail_ = true;
    quill::GameType drawnMode_ = quill::game_type::kNone;
    uint32_t tableVariant_ = 0;
    uint32_t tableCloth_ = 0;
    bool cueHidden_ = false;
    bool aimMarkerShown_ = true;
    bool targetMarkerShown_ = false;
    uint32_t ballSizeClass_ = 0;
    std::array<quill::Transform, quill::kMaxBalls> ballTransforms_{};
};

}  // namespace kestrovan
