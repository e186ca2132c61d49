#pragma once
// What the screens, their parts and their dialogs use of the application: the scene manager with its shared
// boxes and windows, the game connection, the event queue, the settings, the engine with the resource packs,
// the main window with its cursor and mouse, and the web site with the system browser. The App implements it,
// so an App converts wherever one is passed; screens include this header, not App.h, and what they use of a
// service they include from that service's own header.
//
// Threads: PostEvent from any thread; the rest only from a screen's entries (client/app/Scene.h).
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/app/CommandLine.h"
#include "client/app/MainWindowHost.h"

namespace quill {
class Engine;
class Random;
}  // namespace quill

namespace platform {
class Browser;
class Window;
}  // namespace platform

namespace kestrovan {

class AppCursor;
class D3D9RenderDevice;
class DirectInputMouse;
class FrameClock;
class GameConnection;
class ResourcePackCatalog;
class SceneManager;
class Settings;
class SiteConfig;

class ScreenServices {
public:
    virtual ~ScreenServices() = default;

    // --- The program ---
    virtual AppMode Mode() const = 0;
    // The program's words, word 0 the program itself.
    virtual const std::vector<quill::WString>& Words() const = 0;
    virtual void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) = 0;
    virtual void PostQuit() = 0;
    // The current screen, the shared boxes, the messenger and the other shared windows.
    virtual SceneManager& Scenes() = 0;
    virtual GameConnection* Connection() const = 0;
    virtual quill::WString FormatMoney(int64_t value) = 0;
    virtual quill::Random& GetRandom() = 0;

    // --- The settings ("config.ini") ---
    virtual const Settings& GetSettings() const = 0;
    virtual Settings& GetSettingsMutable() = 0;
    virtual const quill::WString& GetConfigPath() const = 0;
    virtual void SendOptionsToServer() = 0;

    // --- Drawing ---
    virtual quill::Engine* GetEngine() const = 0;
    virtual ResourcePackCatalog* Catalog() const = 0;
    virtual D3D9RenderDevice* GetDevice() = 0;
    virtual FrameClock& Clock() = 0;

    // --- The main window and its input ---
    virtual ScreenSize GetScreenSize() const = 0;
    virtual bool IsFullScreen() const = 0;
    virtual platform::PixelRect GetWindowRect() const = 0;
    virtual platform::Window& MainWindow() = 0;
    virtual AppCursor& Cursor() = 0;
    virtual DirectInputMouse* Mouse() const = 0;
    virtual void RequestDialogBoxMode(bool enable) = 0;

    // --- The web ---
    // The product's web site ([Web] of "config.ini").
    virtual const SiteConfig& Site() const = 0;
    // The system's web browser; null when the program has none.
    virtual platform::Browser* Browser() const = 0;
    virtual void OpenWebPage(quill::WStringView address) = 0;
};

}  // namespace kestrovan
