#pragma once
// What shows a message box: the window backend puts up a real dialog, the headless one answers alone.
#include <cstdint>

#include "platform/system/WString.h"
#include "platform/ui/WindowHandle.h"

namespace platform {

struct MessageBoxRequest {
    WindowHandle owner = nullptr;
    WStringView text;
    WStringView caption;
    uint32_t style = 0;
};

class MessageBoxBackend {
public:
    virtual ~MessageBoxBackend() = default;

    // Shows the box until the user answers; returns the chosen button's id (MsgBoxResult).
    // May be called from any thread.
    virtual int Show(const MessageBoxRequest& request) = 0;
};

}  // namespace platform
