#pragma once
// An engine for tests and benchmarks of anything drawn through the engine: the client's graphics layer (on
// the recording backend with a manual clock, or on a backend the caller opens, such as OpenGL on a test
// window), the real render-scene manager, and silent sound.
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "QuillLib/engine/AppFrame.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/engine/EngineFactory.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/render/Graphics.h"
#include "platform/gfx/headless/ManualClock.h"
#include "platform/gfx/headless/RecordingSystem.h"

namespace kvtest {

class TestEngineFactory : public quill::EngineFactory {
public:
    // The recording backend; createAtStart makes the platform device when the engine starts.
    explicit TestEngineFactory(bool createAtStart)
        : createAtStart_(createAtStart),
          system_([this] { return std::make_unique<platform::gfx::RecordingSystem>(setup); }),
          makeClock_([this] {
              auto owned = std::make_unique<platform::gfx::ManualClock>();
              clock = owned.get();
              return owned;
          }) {}
    // Another backend, its device made at start with a window of the given size.
    TestEngineFactory(kestrovan::Graphics::SystemFactory system, uint16_t width, uint16_t height)
        : createAtStart_(true), system_(std::move(system)), mode_(kestrovan::DisplayMode{}) {
        mode_->width = width;
        mode_->height = height;
    }

    std::unique_ptr<quill::RenderSceneManager> CreateRenderSceneManager(quill::Engine& engine) override {
        return std::make_unique<quill::RenderSceneManager>(engine);
    }
    std::unique_ptr<quill::Graphics> CreateGraphics(quill::Engine& engine) override {
        auto graphics = std::make_unique<kestrovan::Graphics>(engine, createAtStart_, system_, makeClock_);
        if (mode_) graphics->SetDisplayMode(*mode_);
        return graphics;
    }
    std::unique_ptr<quill::SoundManager> CreateSoundManager(quill::Engine&) override {
        return std::make_unique<SilentSound>();
    }
    std::unique_ptr<quill::AppFrame> CreateAppFrame(quill::Engine& engine) override {
        return std::make_unique<quill::AppFrame>(engine, nullptr);
    }

    std::shared_ptr<platform::gfx::RecordingSetup> setup = std::make_shared<platform::gfx::RecordingSetup>();
    // The clock of the last recording device made.
    platform::gfx::ManualClock* clock = nullptr;

private:
    struct SilentSound : quill::SoundManager {
        SilentSound() : SoundManager(nullptr, nullptr, DeviceOpener()) {}
        bool Initialize() override { return true; }
        void Shutdown() override {}
    };

    bool createAtStart_;
    kestrovan::Graphics::SystemFactory system_;
    kestrovan::Graphics::ClockFactory makeClock_;
    std::optional<kestrovan::DisplayMode> mode_;
};

}  // namespace kvtest
