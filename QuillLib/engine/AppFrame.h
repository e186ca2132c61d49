#pragma once
// The engine subsystem that stands for the application's main window: it carries the window handle for the
// render device and shows the engine's message boxes, owned by that window, captioned "Tessary" and
// task-modal. While a frame exists, AppFrame::Current() names it.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/core/EngineSubsystem.h"
#include "platform/ui/WindowHandle.h"

namespace quill {

class Engine;

class AppFrame : public EngineSubsystem {
public:
    static constexpr const char16_t* kCaption = u"Tessary";

    AppFrame(Engine& engine, platform::WindowHandle window);
    ~AppFrame() override;

    // The frame most recently built and not yet destroyed; null when there is none.
    static AppFrame* Current();

    bool Initialize() override { return true; }
    void Shutdown() override {}

    // Each returns the id of the button the user chose (platform::MsgBoxResult).
    virtual int ShowMessage(WStringView text);  // no icon, OK
    virtual int ShowWarning(WStringView text);  // warning icon, OK
    virtual int ShowError(WStringView text);    // error icon, OK
    // Question icon with Yes and No. NOTE the inverted sense: true when the answer was NOT Yes (No, or the
    // box was dismissed), false when the user chose Yes.
    virtual bool AskYesNo(WStringView text);

    Engine& GetEngine() const { return engine_; }
    platform::WindowHandle GetWindow() const { return window_; }

private:
    int Show(WStringView text, uint32_t style);

    Engine& engine_;
    platform::WindowHandle window_;
};

}  // namespace quill
