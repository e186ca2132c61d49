#pragma once
// A sprite placed by a scene description: the SPRITE item and a copy of it of the entry's own, at the
// entry's position and x and y scale.
#include <cstdint>
#include <memory>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/SpriteObject.h"

namespace quill {

class SpriteObjectEntry : public NamedObject {
public:
    SpriteObjectEntry(WStringView name, SharedPtr<SpriteObject> spriteItem, const Vec3& position, float scaleX,
                      float scaleY);
    // Id and name copied, the sprite shared, the instance a fresh copy of the item placed as the source's.
    SpriteObjectEntry(const SpriteObjectEntry& other);
    SpriteObjectEntry& operator=(const SpriteObjectEntry&) = delete;

    SpriteObjectEntry* Clone() const override { return new SpriteObjectEntry(*this); }

    // Shows or hides the instance's quad.
    void SetVisible(uint8_t visible);

    uint32_t value = 0;
    uint32_t tag = 0;
    SharedPtr<SpriteObject> sprite;
    std::unique_ptr<SpriteObject> instance;
};

}  // namespace quill
