#pragma once
// The MATERIAL table.
// Body: [name Text260, unpacked] u32 stageMask, u8 flagA, u8 flagB, u8 flagC, u16 stageCount (the number
// of stages the mask builds), then per stage in kind order: u32 textureId (kNone: none), u8 texCoordSet
// (since version 2), for the kind-2 stage f32 scale, u8 mode, u32 param (since version 4), u8 hasExtra
// (since version 15) and, when set, 3 x u32 extra.
// Textures are found, or loaded on demand, in the same resource file; a plain texture on the kind-2
// stage becomes a bump map.
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/ResourceTableImpl.h"

namespace quill {

class MaterialTable : public ResourceTableImpl<Material> {
public:
    MaterialTable(ResourceFile* owner, WString name)
        : ResourceTableImpl(owner, std::move(name), ResourceKind::Material) {}

protected:
    SharedPtr<Material> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<Material>& item, bool packed) override;
    // Copies the stages' textures into the file's TEXTURE table and uses the copies.
    bool OnAddItem(const SharedPtr<Material>& item) override;
    // Removes the stages' textures from the file's TEXTURE table.
    bool OnRemoveItem(const SharedPtr<Material>& item) override;

private:
    bool ReadStage(Stream& body, Stream& file, Material& material, uint16_t stage, bool packed);
    bool WriteStage(Stream& out, const Material& material, uint16_t stage) const;
};

}  // namespace quill
