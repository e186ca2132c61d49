#pragma once
// The engine factory of the program: the graphics layer on the adapter the platform gives, the sound
// manager on its audio device, and the application frame of the main window. Main thread.
#include "QuillLib/engine/EngineFactory.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/render/Graphics.h"
#include "platform/ui/WindowHandle.h"

namespace kestrovan {

class AppEngineFactory : public quill::EngineFactory {
public:
    AppEngineFactory(platform::WindowHandle window, Graphics::SystemFactory graphicsSystem,
                     quill::SoundManager::DeviceOpener audioDevice);

    std::unique_ptr<quill::RenderSceneManager> CreateRenderSceneManager(quill::Engine& engine) override;
    std::unique_ptr<quill::Graphics> CreateGraphics(quill::Engine& engine) override;
    std::unique_ptr<quill::SoundManager> CreateSoundManager(quill::Engine& engine) override;
    std::unique_ptr<quill::AppFrame> CreateAppFrame(quill::Engine& engine) override;

private:
    platform::WindowHandle window_;
    Graphics::SystemFactory graphicsSystem_;
    quill::SoundManager::DeviceOpener audioDevice_;
};

}  // namespace kestrovan
