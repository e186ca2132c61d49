#pragma once
// An item of a kind whose body codec this build does not have yet (the graphics kinds: bones, textures,
// materials, meshes, models, sprites, animations and scene descriptions). It keeps the packed body
// exactly as read, so that files holding such items load, list and write back byte for byte.
#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/NamedObject.h"
#include "QuillLib/resource/ResourceKind.h"

namespace quill {

class OpaqueItem : public NamedObject {
public:
    explicit OpaqueItem(ResourceKind kind) : kind_(kind) {}
    OpaqueItem(const OpaqueItem&) = default;
    OpaqueItem& operator=(const OpaqueItem&) = default;

    OpaqueItem* Clone() const override { return new OpaqueItem(*this); }

    ResourceKind Kind() const { return kind_; }
    // The packed body.
    MemoryStream& Body() { return body_; }
    const MemoryStream& Body() const { return body_; }

private:
    ResourceKind kind_;
    MemoryStream body_;
};

}  // namespace quill
