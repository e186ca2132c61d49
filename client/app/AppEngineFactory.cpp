#include "client/app/AppEngineFactory.h"

#include <utility>

#include "QuillLib/engine/AppFrame.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/render/RenderSceneManager.h"

namespace kestrovan {

AppEngineFactory::AppEngineFactory(platform::WindowHandle window, Graphics::SystemFactory graphicsSystem,
                                   quill::SoundManager::DeviceOpener audioDevice)
    : window_(window), graphicsSystem_(std::move(graphicsSystem)), audioDevice_(std::move(audioDevice)) {}

std::unique_ptr<quill::RenderSceneManager> AppEngineFactory::CreateRenderSceneManager(quill::Engine& engine) {
    return std::make_unique<quill::RenderSceneManager>(engine);
}

std::unique_ptr<quill::Graphics> AppEngineFactory::CreateGraphics(quill::Engine& engine) {
    // The device is created by the renderer start once the display mode has been checked.
    return std::make_unique<Graphics>(engine, false, graphicsSystem_);
}

std::unique_ptr<quill::SoundManager> AppEngineFactory::CreateSoundManager(quill::Engine& engine) {
    return std::make_unique<quill::SoundManager>(&engine, window_, audioDevice_);
}

std::unique_ptr<quill::AppFrame> AppEngineFactory::CreateAppFrame(quill::Engine& engine) {
    return std::make_unique<quill::AppFrame>(engine, window_);
}

}  // namespace kestrovan
