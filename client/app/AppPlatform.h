#pragma once
// What the App is built on: the window system, the graphics adapter, the audio device, the browser and the
// screens. The program passes the real backends; tests pass headless ones and fakes.
#include <cstdint>
#include <functional>
#include <memory>

#include "QuillLib/engine/EngineFactory.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/Scene.h"
#include "client/app/SharedPopups.h"
#include "client/connection/ConnectionHost.h"
#include "client/render/Graphics.h"
#include "platform/browser/Browser.h"
#include "platform/ui/WindowHandle.h"
#include "platform/window/WindowBackend.h"

namespace kestrovan {

class App;

struct AppPlatform {
    std::function<std::unique_ptr<platform::WindowBackend>()> windowBackend;
    Graphics::SystemFactory graphicsSystem;
    quill::SoundManager::DeviceOpener audioDevice;
    std::function<std::unique_ptr<platform::Browser>()> browser;
    // The screen of an id; null when the program has none for it.
    std::function<std::unique_ptr<Scene>(int32_t id, App& app)> createScene;
    // The popups all screens share, made hidden once the screens are registered; empty: none.
    std::function<std::unique_ptr<SharedPopups>(App& app)> createPopups;
    // The five statistics of a cue's item model (the item model catalogue's); false, or empty, when there is
    // no model of that item: listed cues then carry no statistics.
    std::function<bool(uint32_t itemId, CueStatistics& statistics)> cueStatistics;
    // The engine's factory for the main window; empty: the program's own (AppEngineFactory).
    std::function<std::unique_ptr<quill::EngineFactory>(platform::WindowHandle window)> engineFactory;
    // The desktop's colour depth.
    uint32_t desktopBitsPerPixel = 32;
};

}  // namespace kestrovan
