#pragma once
// The graphics system of the recording backend: an adapter described by a RecordingSetup, whose checks and
// device creation answer as the setup says (or as scripted), and which logs each call.
#include <memory>

#include "platform/gfx/GraphicsSystem.h"
#include "platform/gfx/headless/RecordingSetup.h"

namespace platform::gfx {

class RecordingSystem : public GraphicsSystem {
public:
    explicit RecordingSystem(std::shared_ptr<RecordingSetup> setup);

    std::optional<std::u16string> GetRuntimeVersion() override;
    Result GetDeviceCaps(DeviceCaps& out) override;
    Result GetAdapterDisplayMode(DisplayModeInfo& out) override;
    Result CheckDeviceFormat(Format adapterFormat, uint32_t usage, ResourceType type, Format format) override;
    Result CheckDeviceType(Format displayFormat, Format backBufferFormat, bool windowed) override;
    Result CheckDepthStencilMatch(Format adapterFormat, Format renderTargetFormat, Format depthFormat) override;
    Result CheckDeviceMultiSampleType(Format surfaceFormat, bool windowed, uint32_t type) override;
    uint32_t GetAdapterModeCount(Format format) override;
    Result EnumAdapterModes(Format format, uint32_t index, DisplayModeInfo& out) override;
    Result CreateDevice(uint32_t behaviour, const PresentParameters& parameters,
                        std::unique_ptr<Device>& out) override;
    std::unique_ptr<VideoMemoryQuery> CreateVideoMemoryQuery() override;


private:
    // The scripted result of a call, else the given one.
    Result Answer(const char* call, Result usual);

    std::shared_ptr<RecordingSetup> setup_;
};

}  // namespace platform::gfx
