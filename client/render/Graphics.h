#pragma once
// The graphics layer: the engine subsystem that owns the render device and the display mode it is created
// with. Initialize makes the device object and, when the factory asked for it, the platform device as well;
// the application changes the mode later with SetDisplayMode and ApplyDisplayMode.
//
// Threads: the main thread.
#include <functional>
#include <memory>

#include "QuillLib/render/Graphics.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/render/DisplayMode.h"

namespace quill {
class Engine;
}

namespace kestrovan {

class Graphics : public quill::Graphics {
public:
    // Opens the adapter's runtime for the main window (a real one for the program, a recording one in
    // tests and headless runs); may return null.
    using SystemFactory = std::function<std::unique_ptr<platform::gfx::GraphicsSystem>()>;
    using ClockFactory = std::function<std::unique_ptr<platform::gfx::DeviceClock>()>;

    Graphics(quill::Engine& engine, bool createAtStart, SystemFactory systemFactory, ClockFactory clockFactory = {});
    ~Graphics() override;

    bool Initialize() override;
    void Shutdown() override;
    virtual std::unique_ptr<D3D9RenderDevice> CreateDevice();

    void SetDisplayMode(const DisplayMode& mode);
    // The device's creation result code.
    uint32_t ApplyDisplayMode();

    bool HasDevice() const override { return device_ != nullptr; }
    quill::SceneRenderDevice* GetRenderDevice() const override { return device_.get(); }
    void SetDeviceFramesActive(bool active) override;

    D3D9RenderDevice* GetDevice() const { return device_.get(); }
    const DisplayMode& GetDisplayMode() const { return mode_; }
    quill::Engine& GetEngine() const { return engine_; }

private:
    quill::Engine& engine_;
    std::unique_ptr<D3D9RenderDevice> device_;
    DisplayMode mode_;
    bool createAtStart_;
    SystemFactory systemFactory_;
    ClockFactory clockFactory_;
};

}  // namespace kestrovan
