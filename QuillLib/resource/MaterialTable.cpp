#include "QuillLib/resource/MaterialTable.h"

#include "QuillLib/resource/BodyFields.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/Texture.h"

namespace quill {
namespace {

constexpr uint32_t kTexCoordSince = 2;
constexpr uint32_t kBumpRecordSince = 4;
constexpr uint32_t kExtraSince = 15;

}  // namespace

SharedPtr<Material> MaterialTable::LoadBody(Stream& body, Stream& file, bool packed) {
    WString name;
    uint32_t stageMask = 0;
    uint8_t flags[3] = {0, 0, 0};
    uint16_t stageCount = 0;
    if (!ReadItemName(body, packed, name) || !ReadU32(body, stageMask) || !ReadU8(body, flags[0]) ||
        !ReadU8(body, flags[1]) || !ReadU8(body, flags[2]) || !ReadU16(body, stageCount)) {
        return {};
    }
    SharedPtr<Material> material = quill::make_shared<Material>(name, stageMask, flags[0], flags[1], flags[2]);
    if (material->GetStageCount() != stageCount) {
        return {};
    }
    for (uint16_t stage = 0; stage < stageCount; ++stage) {
        if (!ReadStage(body, file, *material, stage, packed)) {
            return {};
        }
    }
    return material;
}

bool MaterialTable::ReadStage(Stream& body, Stream& file, Material& material, uint16_t stage, bool packed) {
    MaterialStage& record = material.Stage(stage);
    uint32_t textureId = kNone;
    if (!ReadU32(body, textureId)) {
        return false;
    }
    if (textureId != kNone) {
        SharedPtr<Texture> texture = Owner()->FindOrLoadTexture(textureId, file);
        if (!texture) {
            return false;
        }
        if (record.kind == Material::kBumpKind && !texture->settings.cube && !texture->settings.renderTarget) {
            texture->settings.bumpMap = 1;
        }
        record.texture = std::move(texture);
    }
    if (HasFieldSince(packed, Version(), kTexCoordSince) && !ReadU8(body, record.texCoordSet)) {
        return false;
    }
    if (record.kind == Material::kBumpKind && HasFieldSince(packed, Version(), kBumpRecordSince) &&
        (!ReadF32(body, record.bump.scale) || !ReadU8(body, record.bump.mode) || !ReadU32(body, record.bump.param))) {
        return false;
    }
    if (!HasFieldSince(packed, Version(), kExtraSince)) {
        return true;
    }
    if (!ReadU8(body, record.hasExtra)) {
        return false;
    }
    return !record.hasExtra ||
           (ReadU32(body, record.extra[0]) && ReadU32(body, record.extra[1]) && ReadU32(body, record.extra[2]));
}

bool MaterialTable::SaveBody(Stream& out, const SharedPtr<Material>& item, bool packed) {
    const Material& material = *item;
    if (!WriteItemName(out, packed, material.name) || !WriteU32(out, material.GetStageMask()) ||
        !WriteU8(out, material.flagA) || !WriteU8(out, material.flagB) || !WriteU8(out, material.flagC) ||
        !WriteU16(out, material.GetStageCount())) {
        return false;
    }
    for (uint16_t stage = 0; stage < material.GetStageCount(); ++stage) {
        if (!WriteStage(out, material, stage)) {
            return false;
        }
    }
    return true;
}

bool MaterialTable::WriteStage(Stream& out, const Material& material, uint16_t stage) const {
    const MaterialStage& record = material.Stage(stage);
    const uint32_t textureId = record.texture ? record.texture->id : kNone;
    if (!WriteU32(out, textureId) || !WriteU8(out, material.GetSavedTexCoordSet(stage))) {
        return false;
    }
    if (record.kind == Material::kBumpKind &&
        (!WriteF32(out, record.bump.scale) || !WriteU8(out, record.bump.mode) || !WriteU32(out, record.bump.param))) {
        return false;
    }
    if (!WriteU8(out, record.hasExtra ? 1 : 0)) {
        return false;
    }
    return !record.hasExtra ||
           (WriteU32(out, record.extra[0]) && WriteU32(out, record.extra[1]) && WriteU32(out, record.extra[2]));
}

bool MaterialTable::OnAddItem(const SharedPtr<Material>& item) {
    for (uint16_t stage = 0; stage < item->GetStageCount(); ++stage) {
        MaterialStage& record = item->Stage(stage);
        if (!record.texture) {
            continue;
        }
        record.texture = Owner()->GetTextureTable()->AddItem(record.texture, kNone);
        if (!record.texture) {
            return false;
        }
    }
    return true;
}

bool MaterialTable::OnRemoveItem(const SharedPtr<Material>& item) {
    for (const MaterialStage& record : item->Stages()) {
        if (record.texture && record.texture->id != kNone &&
            !Owner()->GetTextureTable()->RemoveItem(record.texture->id, true)) {
            return false;
        }
    }
    return true;
}

}  // namespace quill
