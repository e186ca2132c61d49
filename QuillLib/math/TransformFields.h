#pragma once
// The typed stream fields of the math types, built on the float-array fields of StreamFields.h.
// Transform field (40 bytes): position x, y, z, scale x, y, z, rotation x, y, z, w as 4-byte floats; the
// matrix is not stored and is rebuilt on reading.
#include <cstdint>

#include "QuillLib/core/Stream.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/Vec3.h"

namespace quill {

inline constexpr uint32_t kTransformFieldSize = 40;

// As the float-array forms: components that arrived before a short read are stored.
bool ReadVector3(Stream& stream, Vec3& value);
bool WriteVector3(Stream& stream, const Vec3& value);
bool ReadVector4(Stream& stream, Quaternion& value);
bool WriteVector4(Stream& stream, const Quaternion& value);

bool WriteTransform(Stream& stream, const Transform& transform);
// The transform is changed only when all 40 bytes arrived; then its matrix is rebuilt.
bool ReadTransform(Stream& stream, Transform& transform);

}  // namespace quill
