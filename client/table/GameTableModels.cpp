// The game table's models: what a screen's load builds from the packages "Tables", "Cues", "Balls" and
// "BillObject" (the balls of the equipped ball set, the markers and the shadow, the table environment, the chalk
// effects), the cue models the players' cues share, and the rebuilds after the equipment changes. Models are
// made on the main thread, where they are also drawn and destroyed.
#include <algorithm>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/render/StaticBatcher.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/table/GameTable.h"
#include "client/table/ModelFiles.h"
#include "client/table/TableModelObject.h"

namespace kestrovan {
namespace {

using quill::ScopedLock;

constexpr uint32_t kParticleTexture = 1;  // of "shadow"

// A package the table plays on without (no table, or no cues, shows): said once per load, not silently.
quill::Package* OpenOrWarn(quill::ResourceManager& resources, const char16_t* name) {
    quill::Package* package = resources.OpenPackage(name, false);
    if (package == nullptr) {
        quill::TheLog().LogError(u"WARNING: data package %s is missing or damaged; the table shows without it\n", name);
    }
    return package;
}

// A file of "BillObject" the markers, the shadow or the reflections come from.
quill::ResourceFile* OpenOrWarn(quill::Package& objects, const char16_t* name) {
    quill::ResourceFile* file = ModelFiles::Open(&objects, name);
    if (file == nullptr) {
        quill::TheLog().LogError(u"WARNING: data package BillObject has no usable file %s; the table shows without it\n",
                                 name);
    }
    return file;
}

}  // namespace

quill::StaticBatcher* GameTable::Batcher() const {
    return device_ != nullptr ? device_->GetStaticGeometryBatcher() : nullptr;
}

bool GameTable::LoadModels(quill::ResourceManager& resources, D3D9RenderDevice& device, int32_t variant) {
    resources_ = &resources;
    device_ = &device;
    loadVariant_ = variant;
    if (variant == 1) {
        trails_.ColourTrails(gameMode_);
    }
    quill::Package* cues = variant != 2 ? OpenOrWarn(resources, u"Cues") : nullptr;
    if (variant != 2) {
        OpenOrWarn(resources, u"Tables");
    }
    quill::Package* balls = resources.OpenPackage(u"Balls", false);
    // The loading error names what failed, not what the table loaded after it.
    quill::ResourceLoadContext failure = resources.GetLoadContext();
    quill::Package* objects = resources.OpenPackage(u"BillObject", false);
    if (objects == nullptr) {
        quill::TheLog().LogError(u"ERROR : PACKAGE BillObject NOT FOUND\n");
        return false;
    }
    LoadHelperModels(*objects, cues);
    const bool ballsLoaded = balls != nullptr && LoadBallModels(*balls, *objects);
    if (balls != nullptr && !ballsLoaded) {
        failure = resources.GetLoadContext();
    }
    if (variant != 2) {
        ApplyTableItem();
    }
    BuildChalkBursts(objects);
    RebuildAmbientEffect(true);
    hudValues_.Hud().LoadGraphics(0);
    if (!ballsLoaded) {
        resources.SetLoadContext(failure.packageName, failure.fileName, failure.kind);
    }
    return ballsLoaded;
}

// The markers, the shadow disc and the reflection map; the cue stand's file with the cues.
void GameTable::LoadHelperModels(quill::Package& objects, quill::Package* cues) {
    if (cues != nullptr) {
        ModelFiles::Open(cues, u"cueetc");
    }
    quill::ResourceFile* target = OpenOrWarn(objects, u"cuetarget");
    quill::ResourceFile* cursor = OpenOrWarn(objects, u"cursor");
    reflectionTexture_ = ModelFiles::Texture(OpenOrWarn(objects, u"reflection"), 0);
    // The flat helpers are soft-edged pictures laid on the bed: they blend.
    const auto flat = [this](quill::ResourceFile* file) -> std::unique_ptr<TableModelNode> {
        std::unique_ptr<TableModelObject> model = ModelFiles::Model(file, 0, Batcher());
        if (model != nullptr) {
            model->SetBlendMode(1);
        }
        return model;
    };
    shadowModel_ = flat(OpenOrWarn(objects, u"shadow"));
    if (loadVariant_ == 2) {
        ModelFiles::Open(&objects, u"crown");
        ModelFiles::Open(&objects, u"item0");
    }
    aimMarkerModel_ = flat(target);
    pocketMarkerModel_ = flat(target);
    targetMarkerModel_ = flat(cursor);
    pensAndMarks_.SetMarkModel(flat(cursor));
    ScopedLock hold(modelLock_);
    shownModels_[kAimMarker] = aimMarkerModel_.get();
    shownModels_[kTargetMarker] = targetMarkerModel_.get();
}

// One model per ball of the set: model v of the ball-set file (v its texture set) in the face of the ball.
bool GameTable::LoadBallModels(quill::Package& balls, quill::Package& objects) {
    ReleaseBallModels();
    const ItemModelRecord* record =
        services_.itemModels != nullptr ? services_.itemModels->FindRecord(equipment_.BallSetItemId()) : nullptr;
    quill::ResourceFile* file = record != nullptr ? ModelFiles::Open(&objects, record->modelName) : nullptr;
    const uint32_t modelId = record != nullptr ? record->ballSetVariant : 0;
    if (file == nullptr) {
        // Without the set's own faces every ball takes the plain ball.
        file = ModelFiles::Open(&balls, u"ball");
    } else {
        ModelFiles::Open(&balls, u"ball");
    }
    bool loaded = file != nullptr;
    for (uint32_t i = 0; i < BallCount() && loaded; ++i) {
        std::unique_ptr<TableModelObject> ball = ModelFiles::Model(file, modelId, Batcher());
        if (ball == nullptr) {
            quill::TheLog().LogError(u"ERROR : BALL MODEL %d NOT FOUND\n", static_cast<int32_t>(modelId));
            loaded = false;
            break;
        }
        if (quill::SharedPtr<quill::Texture> face = ModelFiles::Texture(file, ModelFiles::BallFace(gameMode_, i))) {
            ball->SetTexture(0, face);
        }
        ModelFiles::MirrorRoom(*ball, reflectionTexture_, device_);
        SetBallModel(i, std::move(ball));
    }
    return loaded;
}

bool GameTable::LoadCueModel(CueModelEntry& entry) {
    if (resources_ == nullptr || entry.Model() != nullptr) {
        return entry.Model() != nullptr;
    }
    quill::Package* cues = resources_->OpenPackage(u"Cues", false);
    if (quill::Package* objects = resources_->OpenPackage(u"BillObject", false); objects != nullptr && !reflectionTexture_) {
        reflectionTexture_ = ModelFiles::Texture(ModelFiles::Open(objects, u"reflection"), 0);
    }
    std::unique_ptr<TableModelObject> model;
    if (entry.IsCustom()) {
        model = ModelFiles::TunedCue(cues, entry.Parts(), Batcher());
    } else if (const ItemModelRecord* record = services_.itemModels != nullptr ? services_.itemModels->FindRecord(entry.ItemId()) : nullptr) {
        model = ModelFiles::StockCue(cues, *record, Batcher());
    }
    if (model == nullptr) {
        return false;
    }
    ModelFiles::MirrorRoom(*model, reflectionTexture_, device_);
    model->SetBlendMode(1);
    model->Object().SetBlendMode2Recursive(0xFFFF);
    model->Object().SetAlphaRecursive(1.0f);
    entry.SetModel(std::move(model));
    return true;
}

void GameTable::RebuildAmbientEffect(bool reusePackage) {
    ScopedLock hold(ambient_.GetLock());
    ambient_.Clear();
    if (loadVariant_ == 2 || resources_ == nullptr || services_.player == nullptr || services_.itemModels == nullptr) {
        return;
    }
    const ItemModelRecord* record = services_.itemModels->FindRecord(services_.player->GetCurrentChalkId());
    quill::Package* objects = reusePackage ? resources_->FindPackage(u"BillObject") : nullptr;
    if (objects == nullptr) {
        objects = resources_->OpenPackage(u"BillObject", false);
    }
    if (record == nullptr || objects == nullptr) {
        return;
    }
    std::unique_ptr<TableModelObject> model =
        ModelFiles::Model(ModelFiles::Open(objects, record->modelName), record->modelIndex, Batcher());
    if (model == nullptr) {
        return;
    }
    ambient_.Install(std::move(model), services_.random);
}

void GameTable::BuildChalkBursts(quill::Package* package) {
    if (loadVariant_ == 2 || services_.player == nullptr || services_.itemModels == nullptr) {
        return;
    }
    if (package == nullptr && resources_ != nullptr) {
        package = resources_->OpenPackage(u"BillObject", false);
    }
    const uint16_t chalk = services_.player->GetCurrentChalkId();
    if (package == nullptr || chalk == 0 || services_.itemModels->FindRecord(chalk) == nullptr) {
        return;
    }
    const quill::SharedPtr<quill::Texture> texture = ModelFiles::Texture(ModelFiles::Open(package, u"shadow"), kParticleTexture);
    if (texture) {
        texture->Acquire(false);
    }
    for (uint32_t kind = 0; kind < TableChalkBursts::kKindCount; ++kind) {
        chalkBursts_.SetChalkBurst(kind, std::make_unique<ParticleBurst>(texture));
    }
}

void GameTable::ApplyTableItem() {
    drawnMode_ = gameMode_;
    const ItemModelRecord* record =
        services_.itemModels != nullptr ? services_.itemModels->FindRecord(equipment_.TableItemId()) : nullptr;
    if (record == nullptr) {
        return;
    }
    tableVariant_ = record->tableVariant;
    tableCloth_ = record->cloth;
    quill::Package* tables = resources_ != nullptr ? resources_->FindPackage(u"Tables") : nullptr;
    if (tables == nullptr) {
        return;
    }
    quill::Transform detail;
    if (const PhysicsModel* model = physics_.Model(); model != nullptr) {
        const TableGeometry& geometry = model->Geometry();
        detail.position = {geometry.noseMaxX * 0.6f, (geometry.cushionBackMaxY + geometry.frameMaxY) * 0.5f,
                           geometry.cushionTopHeight + 1.1f};
    }
    environment_.Load(*tables, *record, Batcher(), detail);
    environment_.ApplyItemFlags(environmentTextures_, environmentDetail_);
}

void GameTable::SetEnvironmentSettings(bool textures, bool detail) {
    environmentTextures_ = textures;
    environmentDetail_ = detail;
    environment_.ApplyItemFlags(textures, detail);
}

void GameTable::ReloadEquipmentModels() {
    ApplyTableItem();
    if (resources_ == nullptr) {
        return;
    }
    quill::Package* objects = resources_->FindPackage(u"BillObject");
    quill::Package* balls = resources_->FindPackage(u"Balls");
    if (objects != nullptr && balls != nullptr) {
        LoadBallModels(*balls, *objects);
    }
}

}  // namespace kestrovan
