#pragma once
// An engine for tests of anything that draws through the engine: the client's graphics layer on the
// recording backend (its clock a manual one), the real render-scene manager, and silent sound.
#include <memory>

#include "QuillLib/engine/AppFrame.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/engine/EngineFactory.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "client/render/Graphics.h"
#include "platform/gfx/headless/ManualClock.h"
#include "platform/gfx/headless/RecordingSystem.h"

namespace kvtest {

class RecordingEngineFactory : public quill::EngineFactory {
public:
    explicit RecordingEngineFactory(bool createAtStart) : createAtStart_(createAtStart) {}

    std::unique_ptr<quill::RenderSceneManager> CreateRenderSceneManager(quill::Engine& engine) override {
        return std::make_unique<quill::RenderSceneManager>(engine);
    }
    std::unique_ptr<quill::Graphics> CreateGraphics(quill::Engine& engine) override {
        return std::make_unique<kestrovan::Graphics>(
            engine, createAtStart_, [this] { return std::make_unique<platform::gfx::RecordingSystem>(setup); },
            [this] {
                auto owned = std::make_unique<platform::gfx::ManualClock>();
                clock = owned.get();
                return owned;
            });
    }
    std::unique_ptr<quill::SoundManager> CreateSoundManager(quill::Engine&) override {
        return std::make_unique<SilentSound>();
    }
    std::unique_ptr<quill::AppFrame> CreateAppFrame(quill::Engine& engine) override {
        return std::make_unique<quill::AppFrame>(engine, nullptr);
    }

    std::shared_ptr<platform::gfx::RecordingSetup> setup = std::make_shared<platform::gfx::RecordingSetup>();
    // The clock of the last device made.
    platform::gfx::ManualClock* clock = nullptr;

private:
    struct SilentSound : quill::SoundManager {
        SilentSound() : SoundManager(nullptr, nullptr, DeviceOpener()) {}
        bool Initialize() override { return true; }
        void Shutdown() override {}
    };

    bool createAtStart_;
};

}  // namespace kvtest
