#pragma once
// The SPRITE_ANIMATION table.
// Packed body: one node record (see SpriteAnimation). Unpacked body: the name and the path of the
// stand-alone node file (Text260, relative to the working folder); no node data.
// A packed save of an item with a node file writes that file as it is now on disk; an item without one
// writes the nodes it holds. The item itself is not changed.
#include "QuillLib/resource/ResourceTableImpl.h"
#include "QuillLib/resource/SpriteAnimation.h"

namespace quill {

class ResourceDevice;

class SpriteAnimationTable : public ResourceTableImpl<SpriteAnimation> {
public:
    SpriteAnimationTable(ResourceFile* owner, WString name)
        : ResourceTableImpl(owner, std::move(name), ResourceKind::SpriteAnimation) {}

    // The device node textures are made with.
    void SetDevice(ResourceDevice* device) { device_ = device; }
    ResourceDevice* GetDevice() const { return device_; }

protected:
    SharedPtr<SpriteAnimation> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<SpriteAnimation>& item, bool packed) override;

private:
    bool SavePacked(Stream& out, const SpriteAnimation& item);

    ResourceDevice* device_ = nullptr;
};

}  // namespace quill
