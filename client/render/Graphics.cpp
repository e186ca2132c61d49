#include "client/render/Graphics.h"

#include <utility>

#include "QuillLib/engine/Engine.h"
#include "QuillLib/resource/ResourceManager.h"

namespace kestrovan {

Graphics::Graphics(quill::Engine& engine, bool createAtStart, SystemFactory systemFactory, ClockFactory clockFactory)
    : engine_(engine),
      createAtStart_(createAtStart),
      systemFactory_(std::move(systemFactory)),
      clockFactory_(std::move(clockFactory)) {}

Graphics::~Graphics() {
    Shutdown();
}

bool Graphics::Initialize() {
    std::unique_ptr<D3D9RenderDevice> device = CreateDevice();
    if (device_ != device) {
        Shutdown();
        device_ = std::move(device);
    }
    // Resource files made from now on create their device objects on this device.
    if (quill::ResourceManager* resources = engine_.GetResourceManager()) {
        resources->SetRenderDevice(device_.get());
    }
    if (!createAtStart_) {
        return true;
    }
    return ApplyDisplayMode() == DeviceResult::Ok;
}

void Graphics::Shutdown() {
    if (device_) {
        if (quill::ResourceManager* resources = engine_.GetResourceManager()) {
            resources->SetRenderDevice(nullptr);
        }
        device_->ReleaseDeviceObjects();
        device_.reset();
    }
}

std::unique_ptr<D3D9RenderDevice> Graphics::CreateDevice() {
    return std::make_unique<D3D9RenderDevice>(mode_.width, mode_.height, systemFactory_ ? systemFactory_() : nullptr,
                                              clockFactory_ ? clockFactory_() : nullptr);
}

void Graphics::SetDisplayMode(const DisplayMode& mode) {
    mode_ = mode;
    if (device_) device_->SetDisplayMode(mode);
}

uint32_t Graphics::ApplyDisplayMode() {
    if (!device_) return DeviceResult::NoRuntime;
    device_->SetDisplayMode(mode_);
    return device_->Create();
}

void Graphics::SetDeviceFramesActive(bool active) {
    if (device_) device_->active = active ? 1 : 0;
}

}  // namespace kestrovan
