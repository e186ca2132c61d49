#pragma once
// A directional light of a scene description.
#include <cstdint>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/resource/LightRecord.h"

namespace quill {

class DirectLight : public NamedObject {
public:
    DirectLight(WStringView name, const LightRecord& lightRecord) : NamedObject(name), record(lightRecord) {}
    // A copy has no id.
    DirectLight(const DirectLight& other) : NamedObject(other.name), record(other.record), tag(other.tag) {}

    DirectLight* Clone() const override { return new DirectLight(*this); }

    LightRecord record;  // vector: the direction
    uint32_t tag = 0;
};

}  // namespace quill
