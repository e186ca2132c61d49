#include "client/table/TableModels.h"

#include <algorithm>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/render/StaticBatcher.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/TableGeometry.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/rules/TablePhysics.h"
#include "client/table/ModelFiles.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableModelObject.h"
#include "client/table/TableServices.h"

namespace kestrovan {
namespace {

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

TableModels::TableModels(GameTable& table, const TableServices& services, TablePhysics& physics,
                         const TableEquipment& equipment)
    : table_(table), services_(services), physics_(physics), equipment_(equipment) {}

uint32_t TableModels::BallCount() const {
    return std::min<uint32_t>(physics_.BallCount(), quill::kMaxBalls);
}

void TableModels::SetLoadTarget(quill::ResourceManager& resources, D3D9RenderDevice& device, int32_t variant) {
    resources_ = &resources;
    device_ = &device;
    loadVariant_ = variant;
}

quill::StaticBatcher* TableModels::Batcher() const {
    return device_ != nullptr ? device_->GetStaticGeometryBatcher() : nullptr;
}

std::unique_ptr<TableModelNode> TableModels::LoadHelperModels(quill::Package& objects, quill::Package* cues) {
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
    return flat(cursor);
}

bool TableModels::LoadBallModels(quill::Package& balls, quill::Package& objects) {
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
        if (quill::SharedPtr<quill::Texture> face = ModelFiles::Texture(file, ModelFiles::BallFace(physics_.GameTypeOfTable(), i))) {
            ball->SetTexture(0, face);
        }
        ModelFiles::MirrorRoom(*ball, reflectionTexture_, device_);
        SetBallModel(i, std::move(ball));
    }
    return loaded;
}

bool TableModels::LoadCueModel(CueModelEntry& entry) {
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

void TableModels::ApplyTableItem() {
    drawnMode_ = physics_.GameTypeOfTable();
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

void TableModels::SetEnvironmentSettings(bool textures, bool detail) {
    environmentTextures_ = textures;
    environmentDetail_ = detail;
    environment_.ApplyItemFlags(textures, detail);
}

void TableModels::ReloadEquipmentModels() {
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

void TableModels::ReleaseMarkers() {
    aimMarkerModel_.reset();
    targetMarkerModel_.reset();
    pocketMarkerModel_.reset();
}

void TableModels::ReleaseShadowAndEnvironment() {
    shadowModel_.reset();
    environment_.Release();
}

void TableModels::SetBallModel(uint32_t ball, std::unique_ptr<TableModelNode> model) {
    if (ball < quill::kMaxBalls) {
        ballModels_[ball] = std::move(model);
    }
}

void TableModels::ReleaseBallModels() {
    for (auto& model : ballModels_) {
        model.reset();
    }
}

}  // namespace kestrovan
