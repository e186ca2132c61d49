#pragma once
// The graphics runtime of one adapter: its version, capabilities, formats and display modes, and the
// creation of the device that draws into the window the system was made for. Main thread only.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/gfx/Device.h"
#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStructs.h"
#include "platform/gfx/VideoMemoryQuery.h"

namespace platform::gfx {

class GraphicsSystem {
public:
    virtual ~GraphicsSystem() = default;

    // The installed runtime's version text ("4.09.00.0904"); empty when it cannot be read.
    virtual std::optional<std::u16string> GetRuntimeVersion() = 0;
    // The adapter and its driver in a line of text (an OpenGL renderer and its version); empty when unknown.
    virtual std::string DescribeAdapter() { return {}; }
    virtual Result GetDeviceCaps(DeviceCaps& out) = 0;
    // The desktop's mode (what a windowed device presents into).
    virtual Result GetAdapterDisplayMode(DisplayModeInfo& out) = 0;
    // Ok when a resource of this type, usage and format can be made while the display uses adapterFormat.
    virtual Result CheckDeviceFormat(Format adapterFormat, uint32_t usage, ResourceType type, Format format) = 0;
    virtual Result CheckDeviceType(Format displayFormat, Format backBufferFormat, bool windowed) = 0;
    virtual Result CheckDepthStencilMatch(Format adapterFormat, Format renderTargetFormat, Format depthFormat) = 0;
    virtual Result CheckDeviceMultiSampleType(Format surfaceFormat, bool windowed, uint32_t type) = 0;
    virtual uint32_t GetAdapterModeCount(Format format) = 0;
    virtual Result EnumAdapterModes(Format format, uint32_t index, DisplayModeInfo& out) = 0;
    // behaviour: CreateFlags bits.
    virtual Result CreateDevice(uint32_t behaviour, const PresentParameters& parameters,
                                std::unique_ptr<Device>& out) = 0;
    // Null when the figures cannot be had.
    virtual std::unique_ptr<VideoMemoryQuery> CreateVideoMemoryQuery() = 0;

protected:
    GraphicsSystem() = default;
    GraphicsSystem(const GraphicsSystem&) = delete;
    GraphicsSystem& operator=(const GraphicsSystem&) = delete;
};

}  // namespace platform::gfx
