#include "platform/gfx/headless/RecordingSystem.h"

#include "platform/gfx/GfxStates.h"
#include "platform/gfx/headless/RecordingDevice.h"

namespace platform::gfx {
namespace {

class RecordingVideoMemory : public VideoMemoryQuery {
public:
    explicit RecordingVideoMemory(std::shared_ptr<RecordingSetup> setup) : setup_(std::move(setup)) {}

    Result GetAvailableVidMem(uint32_t& total, uint32_t& free) override {
        setup_->log.Record("GetAvailableVidMem");
        if (const auto scripted = setup_->TakeScripted("GetAvailableVidMem")) return *scripted;
        total = setup_->adapter.totalVideoMemory;
        free = setup_->adapter.freeVideoMemory;
        return Result::Ok;
    }

private:
    std::shared_ptr<RecordingSetup> setup_;
};

uint32_t Code(Format format) {
    return static_cast<uint32_t>(format);
}

}  // namespace

RecordingSystem::RecordingSystem(std::shared_ptr<RecordingSetup> setup) : setup_(std::move(setup)) {}

Result RecordingSystem::Answer(const char* call, Result usual) {
    if (const auto scripted = setup_->TakeScripted(call)) return *scripted;
    return usual;
}

std::optional<std::u16string> RecordingSystem::GetRuntimeVersion() {
    setup_->log.Record("GetRuntimeVersion");
    return setup_->adapter.runtimeVersion;
}

Result RecordingSystem::GetDeviceCaps(DeviceCaps& out) {
    setup_->log.Record("GetDeviceCaps");
    const Result result = Answer("GetDeviceCaps", Result::Ok);
    if (Succeeded(result)) out = setup_->adapter.caps;
    return result;
}

Result RecordingSystem::GetAdapterDisplayMode(DisplayModeInfo& out) {
    setup_->log.Record("GetAdapterDisplayMode");
    const Result result = Answer("GetAdapterDisplayMode", Result::Ok);
    if (Succeeded(result)) out = setup_->adapter.desktop;
    return result;
}

Result RecordingSystem::CheckDeviceFormat(Format adapterFormat, uint32_t usage, ResourceType type, Format format) {
    setup_->log.Record("CheckDeviceFormat", Code(adapterFormat), usage, static_cast<uint32_t>(type), Code(format));
    const RecordingAdapter& adapter = setup_->adapter;
    bool refused = adapter.refusedTextureFormats.contains(format);
    if ((usage & Usage::RenderTarget) != 0) refused = adapter.refusedRenderTargets.contains(format);
    if ((usage & Usage::DepthStencil) != 0) refused = adapter.refusedDepthFormats.contains(format);
    return Answer("CheckDeviceFormat", refused ? Result::NotAvailable : Result::Ok);
}

Result RecordingSystem::CheckDeviceType(Format displayFormat, Format backBufferFormat, bool windowed) {
    setup_->log.Record("CheckDeviceType", Code(displayFormat), Code(backBufferFormat), windowed);
    return Answer("CheckDeviceType", Result::Ok);
}

Result RecordingSystem::CheckDepthStencilMatch(Format adapterFormat, Format renderTargetFormat, Format depthFormat) {
    setup_->log.Record("CheckDepthStencilMatch", Code(adapterFormat), Code(renderTargetFormat), Code(depthFormat));
    const bool refused = setup_->adapter.mismatchedDepthFormats.contains(depthFormat);
    return Answer("CheckDepthStencilMatch", refused ? Result::NotAvailable : Result::Ok);
}

Result RecordingSystem::CheckDeviceMultiSampleType(Format surfaceFormat, bool windowed, uint32_t type) {
    setup_->log.Record("CheckDeviceMultiSampleType", Code(surfaceFormat), windowed, type);
    const bool supported = setup_->adapter.multiSampleTypes.contains(type);
    return Answer("CheckDeviceMultiSampleType", supported ? Result::Ok : Result::NotAvailable);
}

uint32_t RecordingSystem::GetAdapterModeCount(Format format) {
    setup_->log.Record("GetAdapterModeCount", Code(format));
    const auto found = setup_->adapter.modes.find(format);
    return found == setup_->adapter.modes.end() ? 0 : static_cast<uint32_t>(found->second.size());
}

Result RecordingSystem::EnumAdapterModes(Format format, uint32_t index, DisplayModeInfo& out) {
    setup_->log.Record("EnumAdapterModes", Code(format), index);
    const auto found = setup_->adapter.modes.find(format);
    if (found == setup_->adapter.modes.end() || index >= found->second.size()) {
        return Answer("EnumAdapterModes", Result::InvalidCall);
    }
    const Result result = Answer("EnumAdapterModes", Result::Ok);
    if (Succeeded(result)) out = found->second[index];
    return result;
}

Result RecordingSystem::CreateDevice(uint32_t behaviour, const PresentParameters& parameters,
                                     std::unique_ptr<Device>& out) {
    setup_->log.Record("CreateDevice", behaviour, parameters.backBufferWidth, parameters.backBufferHeight,
                       Code(parameters.backBufferFormat), parameters.windowed);
    const Result result = Answer("CreateDevice", Result::Ok);
    if (Succeeded(result)) {
        out = std::make_unique<RecordingDevice>(setup_, parameters);
    }
    return result;
}

std::unique_ptr<VideoMemoryQuery> RecordingSystem::CreateVideoMemoryQuery() {
    setup_->log.Record("CreateVideoMemoryQuery");
    if (!setup_->adapter.videoMemoryQueryWorks) return nullptr;
    return std::make_unique<RecordingVideoMemory>(setup_);
}

}  // namespace platform::gfx
