#pragma once
// What the widgets need of the application: the screen size, the application lock, the program-wide
// switch that lets widgets draw, key states, interface sounds, the native edit bridge and the default font.
// The application implements it and hands it to the WidgetToolkit.
//
// Threads: GetScreenWidth, GetScreenHeight, IsUiUpdateEnabled and GetKeyState from any thread; the rest
// from the thread that routes window messages (sounds also from the drawing thread).
#include <cstdint>

namespace quill {
class Lock;
}

namespace kestrovan {

class EditBridge;
struct FontDesc;

class UiServices {
public:
    virtual ~UiServices() = default;

    // The client area in pixels.
    virtual uint16_t GetScreenWidth() const = 0;
    virtual uint16_t GetScreenHeight() const = 0;
    // The recursive lock that serialises the frame loop against message handling.
    virtual quill::Lock& GetAppLock() = 0;
    // While false no widget draws.
    virtual bool IsUiUpdateEnabled() const = 0;
    // GetKeyState: the high bit is set while the key is down; codes outside 0-255 read as up.
    virtual int16_t GetKeyState(int32_t vk) const = 0;
    // Plays a sound of the sound table at full volume, once.
    virtual void PlaySound(uint32_t id) = 0;
    // The native edit bridge, made on first use; null when the program has no window to type into.
    virtual EditBridge* GetEditBridge() = 0;
    // The font of the tooltip.
    virtual const FontDesc& GetDefaultFont() const = 0;
};

}  // namespace kestrovan
