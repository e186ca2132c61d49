#include "QuillLib/resource/SpriteObjectEntry.h"

namespace quill {

SpriteObjectEntry::SpriteObjectEntry(WStringView name, SharedPtr<SpriteObject> spriteItem, const Vec3& position,
                                     float scaleX, float scaleY)
    : NamedObject(name), sprite(std::move(spriteItem)), instance(sprite->Clone()) {
    instance->SetScale(Vec3{scaleX, scaleY, 1.0f});
    instance->SetPosition(position, false);
}

SpriteObjectEntry::SpriteObjectEntry(const SpriteObjectEntry& other)
    : NamedObject(other), tag(other.tag), sprite(other.sprite), instance(other.sprite->Clone()) {
    instance->SetScale(other.instance->localTransform.scale);
    instance->SetPosition(other.instance->localTransform.position, false);
}

void SpriteObjectEntry::SetVisible(uint8_t visible) {
    if (instance->mesh) {
        instance->mesh->SetVisible(visible);
    }
}

}  // namespace quill
