#pragma once
// A point light of a scene description: a position and the range it reaches.
#include <cstdint>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/resource/LightRecord.h"

namespace quill {

class PointLight : public NamedObject {
public:
    PointLight(WStringView name, const LightRecord& lightRecord, float lightRange)
        : NamedObject(name), record(lightRecord), range(lightRange) {}
    // A copy has no id.
    PointLight(const PointLight& other) : NamedObject(other.name), record(other.record), range(other.range), tag(other.tag) {}

    PointLight* Clone() const override { return new PointLight(*this); }

    LightRecord record;  // vector: the position
    float range;
    uint32_t tag = 0;
};

}  // namespace quill
