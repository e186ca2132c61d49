#include "QuillLib/math/TransformFields.h"

#include "QuillLib/core/StreamFields.h"

namespace quill {

bool ReadVector3(Stream& stream, Vec3& value) {
    float values[3] = {value.x, value.y, value.z};
    const bool complete = ReadVector3(stream, values);
    value = Vec3{values[0], values[1], values[2]};
    return complete;
}

bool WriteVector3(Stream& stream, const Vec3& value) {
    const float values[3] = {value.x, value.y, value.z};
    return WriteVector3(stream, values);
}

bool ReadVector4(Stream& stream, Quaternion& value) {
    float values[4] = {value.x, value.y, value.z, value.w};
    const bool complete = ReadVector4(stream, values);
    value = Quaternion{values[0], values[1], values[2], values[3]};
    return complete;
}

bool WriteVector4(Stream& stream, const Quaternion& value) {
    const float values[4] = {value.x, value.y, value.z, value.w};
    return WriteVector4(stream, values);
}

bool WriteTransform(Stream& stream, const Transform& transform) {
    return WriteVector3(stream, transform.position) && WriteVector3(stream, transform.scale) &&
           WriteVector4(stream, transform.rotation);
}

bool ReadTransform(Stream& stream, Transform& transform) {
    Vec3 position;
    Vec3 scale;
    Quaternion rotation;
    if (!ReadVector3(stream, position) || !ReadVector3(stream, scale) || !ReadVector4(stream, rotation)) {
        return false;
    }
    transform.Set(position, scale, rotation);
    return true;
}

}  // namespace quill
