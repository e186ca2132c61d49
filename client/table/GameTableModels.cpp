// The game table's load: what a screen's load builds from the packages "Tables", "Cues", "Balls" and
// "BillObject" through the table's parts (the models, the marks' model, the chalk effects, the ambient effect, the
// HUD's graphics), and the effects' rebuilds after the player's chalk changes. Models are made on the main
// thread, where they are also drawn and destroyed.
#include <algorithm>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/Texture.h"
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

}  // namespace

bool GameTable::LoadModels(quill::ResourceManager& resources, D3D9RenderDevice& device, int32_t variant) {
    models_.SetLoadTarget(resources, device, variant);
    if (variant == 1) {
        trails_.ColourTrails(equipment_.GameMode());
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
    pensAndMarks_.SetMarkModel(models_.LoadHelperModels(*objects, cues));
    render_.SetMarkers(models_.AimMarkerModel(), models_.TargetMarkerModel());
    const bool ballsLoaded = balls != nullptr && models_.LoadBallModels(*balls, *objects);
    if (balls != nullptr && !ballsLoaded) {
        failure = resources.GetLoadContext();
    }
    if (variant != 2) {
        models_.ApplyTableItem();
    }
    BuildChalkBursts(objects);
    RebuildAmbientEffect(true);
    hudValues_.Hud().LoadGraphics(0);
    if (!ballsLoaded) {
        resources.SetLoadContext(failure.packageName, failure.fileName, failure.kind);
    }
    return ballsLoaded;
}

void GameTable::RebuildAmbientEffect(bool reusePackage) {
    ScopedLock hold(ambient_.GetLock());
    ambient_.Clear();
    if (models_.LoadVariant() == 2 || models_.Resources() == nullptr || services_.player == nullptr ||
        services_.itemModels == nullptr) {
        return;
    }
    const ItemModelRecord* record = services_.itemModels->FindRecord(services_.player->GetCurrentChalkId());
    quill::Package* objects = reusePackage ? models_.Resources()->FindPackage(u"BillObject") : nullptr;
    if (objects == nullptr) {
        objects = models_.Resources()->OpenPackage(u"BillObject", false);
    }
    if (record == nullptr || objects == nullptr) {
        return;
    }
    std::unique_ptr<TableModelObject> model =
        ModelFiles::Model(ModelFiles::Open(objects, record->modelName), record->modelIndex, models_.Batcher());
    if (model == nullptr) {
        return;
    }
    ambient_.Install(std::move(model), services_.random);
}

void GameTable::BuildChalkBursts(quill::Package* package) {
    if (models_.LoadVariant() == 2 || services_.player == nullptr || services_.itemModels == nullptr) {
        return;
    }
    if (package == nullptr && models_.Resources() != nullptr) {
        package = models_.Resources()->OpenPackage(u"BillObject", false);
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

}  // namespace kestrovan
