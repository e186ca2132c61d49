#include "QuillLib/resource/Material.h"

#include "QuillLib/math/SlotFlags.h"
#include "QuillLib/resource/Texture.h"

namespace quill {
namespace {

bool HasKind(uint32_t mask, uint8_t kind) {
    return (mask & IndexToFlagBit(kind)) != 0;
}

}  // namespace

Material::Material(WStringView name, uint32_t stageMask, uint8_t a, uint8_t b, uint8_t c)
    : NamedObject(name), flagA(a), flagB(b), flagC(c), stageMask_(stageMask) {
    for (uint8_t kind = 0; kind < kKindCount; ++kind) {
        if (HasKind(stageMask, kind)) {
            MaterialStage stage;
            stage.kind = kind;
            stages_.push_back(stage);
        }
    }
    RebuildStageIndex();
}

void Material::RebuildStageIndex() {
    stageIndex_.fill(kNoStage);
    for (uint16_t i = 0; i < stages_.size(); ++i) {
        stageIndex_[stages_[i].kind] = i;
    }
}

uint16_t Material::GetStageIndex(uint8_t kind) const {
    return kind < kKindCount ? stageIndex_[kind] : kNoStage;
}

void Material::SetStageTexture(uint16_t stage, SharedPtr<Texture> texture) {
    if (stage < stages_.size()) {
        stages_[stage].texture = std::move(texture);
    }
}

void Material::SetSlot(uint8_t kind, SharedPtr<Texture> texture) {
    if (kind >= kKindCount) {
        return;
    }
    if (GetStageIndex(kind) == kNoStage) {
        // Stages stay in kind order, so the device stage of every kind stays its count of kinds below.
        auto position = stages_.begin();
        while (position != stages_.end() && position->kind < kind) {
            ++position;
        }
        MaterialStage stage;
        stage.kind = kind;
        stages_.insert(position, stage);
        stageMask_ |= IndexToFlagBit(kind);
        RebuildStageIndex();
    }
    stages_[GetStageIndex(kind)].texture = std::move(texture);
}

SharedPtr<Texture> Material::GetSlotTexture(uint8_t kind) const {
    const uint16_t stage = GetStageIndex(kind);
    return stage == kNoStage ? SharedPtr<Texture>() : stages_[stage].texture;
}

void Material::SetStageExtra(uint8_t kind, bool on) {
    const uint16_t stage = GetStageIndex(kind);
    if (stage != kNoStage) {
        stages_[stage].hasExtra = on ? 1 : 0;
    }
}

void Material::SetStageExtraValues(uint8_t kind, const std::array<uint32_t, 3>& values) {
    const uint16_t stage = GetStageIndex(kind);
    if (stage != kNoStage) {
        stages_[stage].extra = values;
    }
}

uint8_t Material::GetSavedTexCoordSet(uint16_t stage) const {
    const MaterialStage& record = stages_[stage];
    if (record.texCoordSet < MaterialStage::kDerivedTexCoordSet) {
        return record.texCoordSet;
    }
    uint8_t below = 0;
    for (uint8_t kind = 0; kind < record.kind; ++kind) {
        if (kind != kBumpKind && HasKind(stageMask_, kind)) {
            ++below;
        }
    }
    return below;
}

bool Material::AcquireTextures(uint32_t mask) {
    for (MaterialStage& stage : stages_) {
        if (HasKind(mask, stage.kind) && stage.texture && !stage.texture->Acquire(false)) {
            return false;
        }
    }
    return true;
}

bool Material::ReleaseTextures(uint32_t mask) {
    for (MaterialStage& stage : stages_) {
        if (HasKind(mask, stage.kind) && stage.texture && !stage.texture->Release(false)) {
            return false;
        }
    }
    return true;
}

void Material::SetTextureTag(uint16_t tag) {
    for (MaterialStage& stage : stages_) {
        if (stage.texture && stage.texture->tag != tag) {
            stage.texture->tag = tag;
            if (stage.texture->IsInUse()) {
                stage.texture->Reload();
            }
        }
    }
}

void Material::SelectTextureSlot(bool enable, uint16_t kind) {
    for (MaterialStage& stage : stages_) {
        if (stage.texture && stage.texture->selected) {
            stage.texture->selected = 0;
            if (stage.texture->IsInUse()) {
                stage.texture->Reload();
            }
        }
    }
    if (!enable || kind >= kKindCount) {
        return;
    }
    const SharedPtr<Texture> texture = GetSlotTexture(static_cast<uint8_t>(kind));
    if (texture && !texture->blockedA && !texture->blockedB && !texture->selected) {
        texture->selected = 1;
        if (texture->IsInUse()) {
            texture->Reload();
        }
    }
}

}  // namespace quill
