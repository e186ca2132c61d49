#pragma once
// The video-memory figures of the adapter, for the start log and the statistics overlay.
#include <cstdint>

#include "platform/gfx/GfxResult.h"

namespace platform::gfx {

class VideoMemoryQuery {
public:
    virtual ~VideoMemoryQuery() = default;
    // Total and free local video memory in bytes.
    virtual Result GetAvailableVidMem(uint32_t& total, uint32_t& free) = 0;
};

}  // namespace platform::gfx
