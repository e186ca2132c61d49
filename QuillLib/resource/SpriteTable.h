#pragma once
// The SPRITE table.
// Body: [name Text260, unpacked] u32 textureId, u16 alphaMode, f32 alpha, Vec3 pivot, 4 x i32 sourceRect,
// Vec2 size (since version 9), u8 billboardMode and, when set, u16 upMode, u16 facingMode, Vec3 baseUp,
// Vec3 baseFacing (normalised on load); u8 hasPlayer (since version 8) and, when set, u16 mode, u32
// frameCount, f32 frameTime. A sprite without a texture that loads is not loaded.
#include "QuillLib/resource/ResourceTableImpl.h"
#include "QuillLib/resource/SpriteObject.h"

namespace quill {

class SpriteTable : public ResourceTableImpl<SpriteObject> {
public:
    SpriteTable(ResourceFile* owner, WString name) : ResourceTableImpl(owner, std::move(name), ResourceKind::Sprite) {}

protected:
    SharedPtr<SpriteObject> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<SpriteObject>& item, bool packed) override;
    // Copies the sprite's texture into the file's TEXTURE table and uses the copy.
    bool OnAddItem(const SharedPtr<SpriteObject>& item) override;
    // Removes the sprite's texture from the file's TEXTURE table.
    bool OnRemoveItem(const SharedPtr<SpriteObject>& item) override;

private:
    bool ReadLook(Stream& body, SpriteObject& sprite, bool packed);
    bool ReadBillboard(Stream& body, SpriteObject& sprite);
    bool ReadPlayer(Stream& body, SpriteObject& sprite, bool packed);
};

}  // namespace quill
