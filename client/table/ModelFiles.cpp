#include "client/table/ModelFiles.h"

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "client/render/D3D9RenderDevice.h"

namespace kestrovan {
namespace {

constexpr uint32_t kSnookerReds = 15;
constexpr uint8_t kSphereReflectionKind = 3;
constexpr uint16_t kReflectionStages = 3;
constexpr const char16_t* kCuePartFiles[CueModelEntry::kPartCount] = {u"TuneShaft", u"TuneButt", u"TuneJoint",
                                                                       u"TuneBumper", u"TuneTip"};

}  // namespace

quill::ResourceFile* ModelFiles::Open(quill::Package* package, quill::WStringView name) {
    if (package == nullptr) {
        return nullptr;
    }
    quill::ResourceFile* file = package->FindLoadedFile(name);
    return file != nullptr ? file : package->GetResourceFile(name, true);
}

quill::SharedPtr<quill::Texture> ModelFiles::Texture(quill::ResourceFile* file, uint32_t id) {
    if (file == nullptr) {
        return {};
    }
    quill::SharedPtr<quill::Texture> texture = file->FindTexture(id);
    return texture ? texture : file->LoadItemShared(id);
}

std::unique_ptr<TableModelObject> ModelFiles::Model(quill::ResourceFile* file, uint32_t id,
                                                    quill::StaticBatcher* batcher) {
    if (file == nullptr) {
        return nullptr;
    }
    quill::SharedPtr<quill::ModelObject> frame = file->FindModel(id);
    if (!frame) {
        frame = file->LoadModelShared(id);
    }
    return frame ? std::make_unique<TableModelObject>(*frame, batcher) : nullptr;
}

std::unique_ptr<TableModelObject> ModelFiles::StockCue(quill::Package* cues, const ItemModelRecord& record,
                                                       quill::StaticBatcher* batcher) {
    return Model(Open(cues, record.modelName), record.modelIndex, batcher);
}

std::unique_ptr<TableModelObject> ModelFiles::TunedCue(quill::Package* cues, const CueModelEntry::PartIds& parts,
                                                       quill::StaticBatcher* batcher) {
    std::unique_ptr<TableModelObject> model = Model(Open(cues, u"TunningCue"), 0, batcher);
    for (uint32_t slot = 0; model != nullptr && slot < CueModelEntry::kPartCount; ++slot) {
        quill::ResourceFile* partFile = Open(cues, kCuePartFiles[slot]);
        if (partFile == nullptr) {
            return nullptr;
        }
        // The part files hold each part's texture at its model index.
        const quill::CuePartRecord* part = quill::TheCuePartCatalogue().Find(static_cast<uint8_t>(slot), parts[slot]);
        if (quill::SharedPtr<quill::Texture> texture = Texture(partFile, part != nullptr ? part->modelIndex : 0)) {
            model->SetChildTexture(slot, 0, texture);
        }
    }
    return model;
}

void ModelFiles::MirrorRoom(TableModelObject& model, const quill::SharedPtr<quill::Texture>& reflection,
                            const D3D9RenderDevice* device) {
    if (reflection && device != nullptr && device->maxTextureBlendStages >= kReflectionStages &&
        device->maxSimultaneousTextures >= kReflectionStages) {
        model.SetTexture(kSphereReflectionKind, reflection);
    }
}

uint32_t ModelFiles::BallFace(quill::GameType gameMode, uint32_t ball) {
    if (gameMode != quill::game_type::kSnooker || ball == 0) {
        return ball;
    }
    return ball <= kSnookerReds ? 1 : ball - kSnookerReds + 1;
}

}  // namespace kestrovan
