// The game table's models: what a screen's load builds from the packages "Tables", "Cues", "Balls" and
// "BillObject" (the balls of the equipped ball set, the markers and the shadow, the table environment, the chalk
// effects), the cue models the players' cues share, and the rebuilds after the equipment changes. Models are
// made on the main thread, where they are also drawn and destroyed.
#include <algorithm>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/render/StaticBatcher.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/table/GameTable.h"
#include "client/table/TableModelObject.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;

constexpr uint32_t kTrailAlpha = 0x20000000;
constexpr uint32_t kColouredTrailWindow = 20;
constexpr uint32_t kColouredTrailLength = 100;
constexpr uint32_t kParticleTexture = 1;  // of "shadow"
constexpr uint8_t kSphereReflectionKind = 3;
constexpr uint16_t kBallStageCapability = 3;
constexpr uint32_t kSnookerReds = 15;
constexpr const char16_t* kCuePartFiles[CueModelEntry::kPartCount] = {u"TuneShaft", u"TuneButt", u"TuneJoint",
                                                                       u"TuneBumper", u"TuneTip"};

// Snooker's reds share the face of ball 1; its colours take faces 2 to 7.
uint32_t BallTexture(quill::GameType mode, uint32_t ball) {
    if (mode != type::kSnooker || ball == 0) {
        return ball;
    }
    return ball <= kSnookerReds ? 1 : ball - kSnookerReds + 1;
}

quill::SharedPtr<quill::Texture> TextureOf(quill::ResourceFile* file, uint32_t id) {
    if (file == nullptr) {
        return {};
    }
    quill::SharedPtr<quill::Texture> texture = file->FindTexture(id);
    return texture ? texture : file->LoadItemShared(id);
}

}  // namespace

quill::ResourceFile* GameTable::FindOrLoadFile(quill::Package* package, quill::WStringView name) const {
    if (package == nullptr) {
        return nullptr;
    }
    quill::ResourceFile* file = package->FindLoadedFile(name);
    return file != nullptr ? file : package->GetResourceFile(name, true);
}

std::unique_ptr<TableModelObject> GameTable::MakeModel(quill::ResourceFile* file, uint32_t modelId) const {
    if (file == nullptr) {
        return nullptr;
    }
    quill::SharedPtr<quill::ModelObject> frame = file->FindModel(modelId);
    if (!frame) {
        frame = file->LoadModelShared(modelId);
    }
    if (!frame) {
        return nullptr;
    }
    return std::make_unique<TableModelObject>(*frame, device_ != nullptr ? device_->GetStaticGeometryBatcher() : nullptr);
}

bool GameTable::DeviceAllowsBallStages() const {
    return device_ != nullptr && device_->maxTextureBlendStages >= kBallStageCapability &&
           device_->maxSimultaneousTextures >= kBallStageCapability;
}

// The room mirrored on a model: the reflection map as a sphere reflection, when the device has the stages.
void GameTable::GiveReflectionStage(TableModelObject& model) const {
    if (reflectionTexture_ && DeviceAllowsBallStages()) {
        model.SetTexture(kSphereReflectionKind, reflectionTexture_);
    }
}

bool GameTable::LoadModels(quill::ResourceManager& resources, D3D9RenderDevice& device, int32_t variant) {
    resources_ = &resources;
    device_ = &device;
    loadVariant_ = variant;
    if (variant == 1) {
        for (uint32_t i = 0; i < kMaxBalls; ++i) {
            ballTrails_[i]->SetFade(kTrailAlpha | GetBallColour(gameMode_, i), kColouredTrailWindow,
                                    kColouredTrailLength);
        }
    }
    quill::Package* cues = variant != 2 ? resources.OpenPackage(u"Cues", false) : nullptr;
    if (variant != 2) {
        resources.OpenPackage(u"Tables", false);
    }
    quill::Package* balls = resources.OpenPackage(u"Balls", false);
    quill::Package* objects = resources.OpenPackage(u"BillObject", false);
    if (objects == nullptr) {
        quill::TheLog().LogError(u"ERROR : PACKAGE BillObject NOT FOUND\n");
        return false;
    }
    LoadHelperModels(*objects, cues);
    const bool ballsLoaded = balls != nullptr && LoadBallModels(*balls, *objects);
    if (variant != 2) {
        ApplyTableItem();
    }
    BuildChalkBursts(objects);
    RebuildAmbientEffect(true);
    hud_.LoadGraphics(0);
    return ballsLoaded;
}

// The markers, the shadow disc and the reflection map; the cue stand's file with the cues.
void GameTable::LoadHelperModels(quill::Package& objects, quill::Package* cues) {
    if (cues != nullptr) {
        FindOrLoadFile(cues, u"cueetc");
    }
    quill::ResourceFile* target = FindOrLoadFile(&objects, u"cuetarget");
    quill::ResourceFile* cursor = FindOrLoadFile(&objects, u"cursor");
    reflectionTexture_ = TextureOf(FindOrLoadFile(&objects, u"reflection"), 0);
    shadowModel_ = MakeModel(FindOrLoadFile(&objects, u"shadow"), 0);
    if (loadVariant_ == 2) {
        FindOrLoadFile(&objects, u"crown");
        FindOrLoadFile(&objects, u"item0");
    }
    aimMarkerModel_ = MakeModel(target, 0);
    pocketMarkerModel_ = MakeModel(target, 0);
    targetMarkerModel_ = MakeModel(cursor, 0);
    markModel_ = MakeModel(cursor, 0);
    ScopedLock hold(modelLock_);
    shownModels_[kAimMarker] = aimMarkerModel_.get();
    shownModels_[kTargetMarker] = targetMarkerModel_.get();
}

// One model per ball of the set: model v of the ball-set file (v its texture set) in the face of the ball.
bool GameTable::LoadBallModels(quill::Package& balls, quill::Package& objects) {
    ReleaseBallModels();
    const ItemModelRecord* record = itemModels_ != nullptr ? itemModels_->FindRecord(ballSetItemId_) : nullptr;
    quill::ResourceFile* file = record != nullptr ? FindOrLoadFile(&objects, record->modelName) : nullptr;
    const uint32_t modelId = record != nullptr ? record->ballSetVariant : 0;
    if (file == nullptr) {
        // Without the set's own faces every ball takes the plain ball.
        file = FindOrLoadFile(&balls, u"ball");
    } else {
        FindOrLoadFile(&balls, u"ball");
    }
    bool loaded = file != nullptr;
    for (uint32_t i = 0; i < BallCount() && loaded; ++i) {
        std::unique_ptr<TableModelObject> ball = MakeModel(file, modelId);
        if (ball == nullptr) {
            quill::TheLog().LogError(u"ERROR : BALL MODEL %d NOT FOUND\n", static_cast<int32_t>(modelId));
            loaded = false;
            break;
        }
        if (quill::SharedPtr<quill::Texture> face = TextureOf(file, BallTexture(gameMode_, i))) {
            ball->SetTexture(0, face);
        }
        GiveReflectionStage(*ball);
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
        reflectionTexture_ = TextureOf(FindOrLoadFile(objects, u"reflection"), 0);
    }
    std::unique_ptr<TableModelObject> model;
    if (!entry.IsCustom()) {
        const ItemModelRecord* record = itemModels_ != nullptr ? itemModels_->FindRecord(entry.ItemId()) : nullptr;
        if (record == nullptr) {
            return false;
        }
        model = MakeModel(FindOrLoadFile(cues, record->modelName), record->modelIndex);
    } else {
        model = MakeModel(FindOrLoadFile(cues, u"TunningCue"), 0);
        for (uint32_t slot = 0; model != nullptr && slot < CueModelEntry::kPartCount; ++slot) {
            quill::ResourceFile* partFile = FindOrLoadFile(cues, kCuePartFiles[slot]);
            if (partFile == nullptr) {
                return false;
            }
            const quill::CuePartRecord* part =
                quill::TheCuePartCatalogue().Find(static_cast<uint8_t>(slot), entry.Parts()[slot]);
            if (quill::SharedPtr<quill::Texture> texture = TextureOf(partFile, part != nullptr ? part->modelIndex : 0)) {
                model->SetChildTexture(slot, 0, texture);
            }
        }
    }
    if (model == nullptr) {
        return false;
    }
    GiveReflectionStage(*model);
    model->SetBlendMode(1);
    model->Object().SetBlendMode2Recursive(0xFFFF);
    model->Object().SetAlphaRecursive(1.0f);
    entry.SetModel(std::move(model));
    return true;
}

void GameTable::RebuildAmbientEffect(bool reusePackage) {
    ScopedLock hold(ambientLock_);
    ambientEffect_.reset();
    ambientModel_.reset();
    if (loadVariant_ == 2 || resources_ == nullptr || player_ == nullptr || itemModels_ == nullptr) {
        return;
    }
    const ItemModelRecord* record = itemModels_->FindRecord(player_->GetCurrentChalkId());
    quill::Package* objects = reusePackage ? resources_->FindPackage(u"BillObject") : nullptr;
    if (objects == nullptr) {
        objects = resources_->OpenPackage(u"BillObject", false);
    }
    if (record == nullptr || objects == nullptr) {
        return;
    }
    std::unique_ptr<TableModelObject> model = MakeModel(FindOrLoadFile(objects, record->modelName), record->modelIndex);
    if (model == nullptr) {
        return;
    }
    ambientModel_ = std::move(model);
    ambientEffect_ = std::make_unique<AmbientEffect>(*ambientModel_, random_);
}

void GameTable::BuildChalkBursts(quill::Package* package) {
    if (loadVariant_ == 2 || player_ == nullptr || itemModels_ == nullptr) {
        return;
    }
    if (package == nullptr && resources_ != nullptr) {
        package = resources_->OpenPackage(u"BillObject", false);
    }
    const uint16_t chalk = player_->GetCurrentChalkId();
    if (package == nullptr || chalk == 0 || itemModels_->FindRecord(chalk) == nullptr) {
        return;
    }
    const quill::SharedPtr<quill::Texture> texture = TextureOf(FindOrLoadFile(package, u"shadow"), kParticleTexture);
    if (texture) {
        texture->Acquire(false);
    }
    for (uint32_t kind = 0; kind < chalkBursts_.size(); ++kind) {
        SetChalkBurst(kind, std::make_unique<ParticleBurst>(texture));
    }
}

void GameTable::ApplyTableItem() {
    drawnMode_ = gameMode_;
    const ItemModelRecord* record = itemModels_ != nullptr ? itemModels_->FindRecord(tableItemId_) : nullptr;
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
    environment_.Load(*tables, *record, device_ != nullptr ? device_->GetStaticGeometryBatcher() : nullptr, detail);
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
