#include "QuillLib/engine/Engine.h"

#include "QuillLib/engine/AppFrame.h"
#include "QuillLib/engine/EngineFactory.h"
#include "QuillLib/engine/SubsystemHolder.h"
#include "QuillLib/render/Graphics.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/sound/SoundManager.h"

namespace quill {

Engine::Engine(EngineFactory& factory) : factory_(factory) {
    CreateSubsystems();
}

Engine::~Engine() {
    StopSubsystems();
}

void Engine::CreateSubsystems() {
    graphics_ = factory_.CreateGraphics(*this);
    resourceManager_ = factory_.CreateResourceManager(*this);
    renderSceneManager_ = factory_.CreateRenderSceneManager(*this);
    soundManager_ = factory_.CreateSoundManager(*this);
    subsystemHolder_ = factory_.CreateSubsystemHolder(*this);
    appFrame_ = factory_.CreateAppFrame(*this);
}

bool Engine::Initialize() {
    return StartSubsystems();
}

void Engine::SetFramesActive(bool active) {
    framesActive_ = active;
    if (graphics_ && graphics_->HasDevice()) {
        graphics_->SetDeviceFramesActive(active);
    }
}

std::array<EngineSubsystem*, 6> Engine::StartOrder() const {
    return {graphics_.get(),     resourceManager_.get(), renderSceneManager_.get(),
            soundManager_.get(), subsystemHolder_.get(), appFrame_.get()};
}

std::array<EngineSubsystem*, 6> Engine::ShutdownOrder() const {
    return {renderSceneManager_.get(), soundManager_.get(),    resourceManager_.get(),
            graphics_.get(),           subsystemHolder_.get(), appFrame_.get()};
}

void Engine::ShutdownAll() {
    for (EngineSubsystem* subsystem : ShutdownOrder()) {
        if (subsystem != nullptr) {
            subsystem->Shutdown();
        }
    }
}

bool Engine::StartSubsystems() {
    ShutdownAll();
    for (EngineSubsystem* subsystem : StartOrder()) {
        if (subsystem == soundManager_.get()) {
            // Without a working sound device the game still starts, silent.
            if (subsystem != nullptr) {
                subsystem->Initialize();
            }
            continue;
        }
        // A missing subsystem fails the start like a failing one: the engine cannot run without it.
        if (subsystem == nullptr || !subsystem->Initialize()) {
            ShutdownAll();
            return false;
        }
    }
    return true;
}

void Engine::StopSubsystems() {
    ShutdownAll();
    appFrame_.reset();
    subsystemHolder_.reset();
    graphics_.reset();
    resourceManager_.reset();
    soundManager_.reset();
    renderSceneManager_.reset();
}

}  // namespace quill
