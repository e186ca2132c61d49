#pragma once
// The name of a processor that has no brand string, from its maker, family and model. The table keeps the
// models of the early 486- and Pentium-class processors that are known by name; any other model of a maker
// in the table is named "Unknown 80486 family" (family 4) or "Unknown <maker> family", and a processor of
// another maker "Unknown family".
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/engine/CpuVendor.h"

namespace quill {

WString CpuModelName(CpuVendor vendor, uint32_t family, uint32_t model);

}  // namespace quill
