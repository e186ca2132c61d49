// The table's models: the table set up from the equipment, and the load, what a screen's load builds from the
// packages "Tables", "Cues", "Balls" and "BillObject" through the table's parts (the models, the marks' model, the
// chalk effects, the ambient effect, the HUD's graphics), the effects' rebuilds after the player's chalk changes,
// and the unload. Models are made on the main thread, where they are also drawn and destroyed.
#include <algorithm>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/Texture.h"
#include "client/table/GameTable.h"
#include "client/table/ModelFiles.h"
#include "client/table/ParticleBurst.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableChalkBursts.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableModelObject.h"
#include "client/table/TableModels.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableRenderStep.h"
#include "client/table/TableTrails.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {
namespace {


constexpr uint32_t kParticleTexture = 1;  // of "shadow"

// A package the table plays on without (no table, or no cues, shows): said once per load, not silently.
quill::Package* OpenOrWarn(quill::ResourceManager& resources, const char16_t* name) {
    quill::Package* package = resources.OpenPackage(name, false);
    if (package == nullptr) {
        quill::TheLog().LogError(u"WARNING: data package %s is missing or damaged; the table shows without it\n", name);
    }
    return package;
}

}  // namespace

void TableModels::SetupTable(uint32_t modelCode, uint8_t own) {
    table_.Equipment().ApplyEquipmentPhysics();
    physics_.SetModel(modelCode, own);
    table_.Picking().ComputePocketPositions();
    table_.Trails().DrawSnookerD(equipment_.GameMode(), table_.TableUnit());
}

bool TableModels::LoadModels(quill::ResourceManager& resources, D3D9RenderDevice& device, int32_t variant) {
    SetLoadTarget(resources, device, variant);
    if (variant == 1) {
        table_.Trails().ColourTrails(equipment_.GameMode());
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
    table_.PensAndMarks().SetMarkModel(LoadHelperModels(*objects, cues));
    table_.RenderStep().SetMarkers(AimMarkerModel(), TargetMarkerModel());
    const bool ballsLoaded = balls != nullptr && LoadBallModels(*balls, *objects);
    if (balls != nullptr && !ballsLoaded) {
        failure = resources.GetLoadContext();
    }
    if (variant != 2) {
        ApplyTableItem();
    }
    BuildChalkBursts(objects);
    RebuildAmbientEffect(true);
    table_.HudValues().Hud().LoadGraphics(0);
    if (!ballsLoaded) {
        resources.SetLoadContext(failure.packageName, failure.fileName, failure.kind);
    }
    return ballsLoaded;
}

void TableModels::RebuildAmbientEffect(bool reusePackage) {
    WidgetToolkit::CheckTreeAccess("TableModels::RebuildAmbientEffect");
    table_.Ambient().Clear();
    if (LoadVariant() == 2 || Resources() == nullptr || services_.player == nullptr ||
        services_.itemModels == nullptr) {
        return;
    }
    const ItemModelRecord* record = services_.itemModels->FindRecord(services_.player->GetCurrentChalkId());
    quill::Package* objects = reusePackage ? Resources()->FindPackage(u"BillObject") : nullptr;
    if (objects == nullptr) {
        objects = Resources()->OpenPackage(u"BillObject", false);
    }
    if (record == nullptr || objects == nullptr) {
        return;
    }
    std::unique_ptr<TableModelObject> model =
        ModelFiles::Model(ModelFiles::Open(objects, record->modelName), record->modelIndex, Batcher());
    if (model == nullptr) {
        return;
    }
    table_.Ambient().Install(std::move(model), services_.random);
}

void TableModels::BuildChalkBursts(quill::Package* package) {
    if (LoadVariant() == 2 || services_.player == nullptr || services_.itemModels == nullptr) {
        return;
    }
    if (package == nullptr && Resources() != nullptr) {
        package = Resources()->OpenPackage(u"BillObject", false);
    }
    const uint16_t chalk = services_.player->GetCurrentChalkId();
    if (package == nullptr || chalk == 0 || services_.itemModels->FindRecord(chalk) == nullptr) {
        return;
    }
    const quill::SharedPtr<quill::Texture> texture =
        ModelFiles::Texture(ModelFiles::Open(package, u"shadow"), kParticleTexture);
    if (texture) {
        texture->Acquire(false);
    }
    for (uint32_t kind = 0; kind < TableChalkBursts::kKindCount; ++kind) {
        table_.ChalkBursts().SetChalkBurst(kind, std::make_unique<ParticleBurst>(texture));
    }
}

bool TableModels::UnloadModels() {
    ReleaseBallModels();
    table_.CueModels().DropModels();
    table_.RenderStep().SetMarkers(nullptr, nullptr);
    table_.ChalkBursts().ClearChalkBursts();
    table_.Ambient().Clear();
    ReleaseMarkers();
    table_.PensAndMarks().SetMarkModel(nullptr);
    ReleaseShadowAndEnvironment();
    return true;
}

}  // namespace kestrovan
