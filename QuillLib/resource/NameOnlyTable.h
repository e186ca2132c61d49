#pragma once
// The tables of the kinds whose bodies carry only the item's name (Text260) when unpacked and nothing when
// packed: VERTEX_ANIMATION and MODEL_ANIMATION. A loaded item is a named animation without keyframes.
#include "QuillLib/resource/BodyFields.h"
#include "QuillLib/resource/ModelAnimation.h"
#include "QuillLib/resource/ResourceTableImpl.h"
#include "QuillLib/resource/VertexAnimation.h"

namespace quill {

template <typename T, ResourceKind kKind>
class NameOnlyTable : public ResourceTableImpl<T> {
public:
    NameOnlyTable(ResourceFile* owner, WString name) : ResourceTableImpl<T>(owner, std::move(name), kKind) {}

protected:
    SharedPtr<T> LoadBody(Stream& body, Stream& /*file*/, bool packed) override {
        WString name;
        return ReadItemName(body, packed, name) ? quill::make_shared<T>(name) : SharedPtr<T>();
    }
    bool SaveBody(Stream& out, const SharedPtr<T>& item, bool packed) override {
        return WriteItemName(out, packed, item->name);
    }
};

using VertexAnimationTable = NameOnlyTable<VertexAnimation, ResourceKind::VertexAnimation>;
using ModelAnimationTable = NameOnlyTable<ModelAnimation, ResourceKind::ModelAnimation>;

}  // namespace quill
