#pragma once
// Fields the graphics item bodies share: the optional leading name, version-dependent presence, bounding
// spheres stored as Vec4 and the warning for indices from a file that point past what they index.
#include <cstdint>

#include "QuillLib/core/Stream.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/math/BoundingSphere.h"

namespace quill {

// A field marked "since version N" is in every packed body and in unpacked bodies from version N on.
inline bool HasFieldSince(bool packed, uint32_t version, uint32_t since) {
    return packed || version >= since;
}

// The item's name as Text260, in unpacked bodies only (packed: nothing read, name left empty).
bool ReadItemName(Stream& body, bool packed, WString& name);
bool WriteItemName(Stream& out, bool packed, WStringView name);

// centre x, y, z and radius.
bool ReadSphere(Stream& body, BoundingSphere& sphere);
bool WriteSphere(Stream& out, const BoundingSphere& sphere);

// One "WARNING" log line for an item whose file data indexes past what it indexes; the item keeps
// loading and the bad entries are skipped where they are used.
void WarnIndexOutOfRange(WStringView kindName, WStringView itemName, WStringView what);

}  // namespace quill
