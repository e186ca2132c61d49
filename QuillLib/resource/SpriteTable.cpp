#include "QuillLib/resource/SpriteTable.h"

#include "QuillLib/math/TransformFields.h"
#include "QuillLib/resource/BodyFields.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/Texture.h"

namespace quill {
namespace {

constexpr uint32_t kPlayerSince = 8;
constexpr uint32_t kSizeSince = 9;

bool WriteBillboard(Stream& out, const SpriteObject& sprite) {
    if (!WriteU8(out, static_cast<uint8_t>(sprite.billboardMode))) {
        return false;
    }
    return sprite.billboardMode == 0 ||
           (WriteU16(out, sprite.upMode) && WriteU16(out, sprite.facingMode) && WriteVector3(out, sprite.baseUp) &&
            WriteVector3(out, sprite.baseFacing));
}

bool WritePlayer(Stream& out, const SpriteObject& sprite) {
    if (!WriteU8(out, sprite.player ? 1 : 0)) {
        return false;
    }
    return !sprite.player || (WriteU16(out, static_cast<uint16_t>(sprite.player->mode)) &&
                              WriteU32(out, sprite.player->frameCount) && WriteF32(out, sprite.player->frameTime));
}

}  // namespace

SharedPtr<SpriteObject> SpriteTable::LoadBody(Stream& body, Stream& file, bool packed) {
    WString name;
    uint32_t textureId = kNone;
    if (!ReadItemName(body, packed, name) || !ReadU32(body, textureId)) {
        return {};
    }
    SharedPtr<SpriteObject> sprite = quill::make_shared<SpriteObject>(name);
    if (!ReadLook(body, *sprite, packed) || !ReadBillboard(body, *sprite) || !ReadPlayer(body, *sprite, packed)) {
        return {};
    }
    SharedPtr<Texture> texture = textureId == kNone ? SharedPtr<Texture>() : Owner()->FindOrLoadTexture(textureId, file);
    if (!texture) {
        return {};
    }
    sprite->BuildMesh(std::move(texture));
    return sprite;
}

// Alpha, pivot, source rectangle and size, applied through the setters.
bool SpriteTable::ReadLook(Stream& body, SpriteObject& sprite, bool packed) {
    uint16_t alphaMode = 0;
    Vec3 pivot;
    std::array<int32_t, 4> rect{};
    float size[2] = {0.0f, 0.0f};
    if (!ReadU16(body, alphaMode) || !ReadF32(body, sprite.alpha) || !ReadVector3(body, pivot) ||
        !ReadI32(body, rect[0]) || !ReadI32(body, rect[1]) || !ReadI32(body, rect[2]) || !ReadI32(body, rect[3])) {
        return false;
    }
    if (HasFieldSince(packed, Version(), kSizeSince) && !ReadVector2(body, size)) {
        return false;
    }
    sprite.alphaMode = alphaMode;
    sprite.SetPivot(pivot);
    sprite.SetSourceRect(rect[0], rect[1], rect[2], rect[3]);
    sprite.SetSize(size[0], size[1]);
    return true;
}

bool SpriteTable::ReadBillboard(Stream& body, SpriteObject& sprite) {
    uint8_t mode = 0;
    if (!ReadU8(body, mode)) {
        return false;
    }
    sprite.billboardMode = mode;
    if (mode == 0) {
        return true;
    }
    if (!ReadU16(body, sprite.upMode) || !ReadU16(body, sprite.facingMode) || !ReadVector3(body, sprite.baseUp) ||
        !ReadVector3(body, sprite.baseFacing)) {
        return false;
    }
    sprite.baseUp.Normalize();
    sprite.baseFacing.Normalize();
    return true;
}

bool SpriteTable::ReadPlayer(Stream& body, SpriteObject& sprite, bool packed) {
    uint8_t hasPlayer = 0;
    if (!HasFieldSince(packed, Version(), kPlayerSince)) {
        return true;
    }
    if (!ReadU8(body, hasPlayer)) {
        return false;
    }
    if (!hasPlayer) {
        return true;
    }
    uint16_t mode = 0;
    uint32_t frameCount = 0;
    float frameTime = 0.0f;
    if (!ReadU16(body, mode) || !ReadU32(body, frameCount) || !ReadF32(body, frameTime)) {
        return false;
    }
    sprite.SetPlayer(mode, frameCount, frameTime);
    return true;
}

// Written in the newest form: size, billboard block and player always present.
bool SpriteTable::SaveBody(Stream& out, const SharedPtr<SpriteObject>& item, bool packed) {
    const SpriteObject& sprite = *item;
    const SharedPtr<Texture> texture = sprite.GetTexture();
    const float size[2] = {sprite.width, sprite.height};
    return WriteItemName(out, packed, sprite.name) && WriteU32(out, texture ? texture->id : kNone) &&
           WriteU16(out, static_cast<uint16_t>(sprite.alphaMode)) && WriteF32(out, sprite.alpha) &&
           WriteVector3(out, sprite.pivot) && WriteI32(out, sprite.sourceRect[0]) && WriteI32(out, sprite.sourceRect[1]) &&
           WriteI32(out, sprite.sourceRect[2]) && WriteI32(out, sprite.sourceRect[3]) && WriteVector2(out, size) &&
           WriteBillboard(out, sprite) && WritePlayer(out, sprite);
}

bool SpriteTable::OnAddItem(const SharedPtr<SpriteObject>& item) {
    const SharedPtr<Texture> texture = item->GetTexture();
    if (!texture) {
        return true;
    }
    SharedPtr<Texture> copy = Owner()->GetTextureTable()->AddItem(texture, kNone);
    if (!copy) {
        return false;
    }
    item->BuildQuad(std::move(copy));
    return true;
}

bool SpriteTable::OnRemoveItem(const SharedPtr<SpriteObject>& item) {
    const SharedPtr<Texture> texture = item->GetTexture();
    return !texture || texture->id == kNone || Owner()->GetTextureTable()->RemoveItem(texture->id, true);
}

}  // namespace quill
