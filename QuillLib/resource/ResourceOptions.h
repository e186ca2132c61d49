#pragma once
// The process-wide resource option record. It is created once, on first use (from any thread), and kept
// until exit. Its flags are set only as it is created; the application stores its texture reduction in it at
// the renderer's start and on every display change (main thread), and textures read it as they are made.
#include <cstdint>

namespace quill {

struct ResourceOptions {
    uint8_t flag0 = 0;          // not read by the resource tables
    uint8_t keepNameIndex = 0;  // tables constructed while it is set keep a name index (dense ids)
    uint16_t value = 0;         // texture reduction: top mip levels of DDS images to drop
};

// Creates the record with the two flags when it does not exist yet; otherwise does nothing.
void SetResourceOptions(uint8_t flag0, uint8_t keepNameIndex);
// The record, created with every field 0 when it does not exist yet.
ResourceOptions& GetResourceOptions();

}  // namespace quill
