#pragma once
// What the widgets need of the application: the screen size, the program-wide switch that lets widgets
// draw, key states, interface sounds, the native edit bridge, the default font and the check of the thread
// contract. The application implements it and hands it to the WidgetToolkit.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

namespace kestrovan {

class EditBridge;
struct FontDesc;

class UiServices {
public:
    virtual ~UiServices() = default;

    // The client area in pixels.
    virtual uint16_t GetScreenWidth() const = 0;
    virtual uint16_t GetScreenHeight() const = 0;
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
    // The debug check that the calling thread may change the widget tree now (it holds the widget-tree lock,
    // or it is none of the program's threads); entry names what is changed. Nothing where no contract is kept.
    virtual void CheckWidgetTreeAccess(const char* entry) const { static_cast<void>(entry); }
};

}  // namespace kestrovan
