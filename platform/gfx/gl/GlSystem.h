#pragma once
// The graphics system of the OpenGL backend: the OpenGL 2.1 context of one SDL window, its capabilities and
// the display's modes, and the device that draws into that window. The window must have been made with
// SDL_WINDOW_OPENGL (and its depth buffer asked for) before.
//
// Threads: the thread that owns the window (the main thread).
#include <memory>

#include "platform/gfx/GraphicsSystem.h"
#include "platform/gfx/gl/GlWindow.h"

namespace platform::gfx {

class GlSystem : public GraphicsSystem {
public:
    // Makes the context current on the calling thread; null when no context can be made.
    static std::unique_ptr<GlSystem> Create(GlWindow window);
    ~GlSystem() override;

    std::optional<std::u16string> GetRuntimeVersion() override;
    std::string DescribeAdapter() override;
    Result GetDeviceCaps(DeviceCaps& out) override;
    Result GetAdapterDisplayMode(DisplayModeInfo& out) override;
    Result CheckDeviceFormat(Format adapterFormat, uint32_t usage, ResourceType type, Format format) override;
    Result CheckDeviceType(Format displayFormat, Format backBufferFormat, bool windowed) override;
    Result CheckDepthStencilMatch(Format adapterFormat, Format renderTargetFormat, Format depthFormat) override;
    Result CheckDeviceMultiSampleType(Format surfaceFormat, bool windowed, uint32_t type) override;
    uint32_t GetAdapterModeCount(Format format) override;
    Result EnumAdapterModes(Format format, uint32_t index, DisplayModeInfo& out) override;
    Result CreateDevice(uint32_t behaviour, const PresentParameters& parameters, std::unique_ptr<Device>& out) override;
    std::unique_ptr<VideoMemoryQuery> CreateVideoMemoryQuery() override;

private:
    GlSystem(GlWindow window, void* context) : window_(window), context_(context) {}
    int DisplayIndex() const;

    GlWindow window_;
    void* context_;
};

}  // namespace platform::gfx
