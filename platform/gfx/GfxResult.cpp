#include "platform/gfx/GfxResult.h"

namespace platform::gfx {

const char* ResultName(Result result) {
    switch (result) {
        case Result::Ok: return "Ok";
        case Result::Fail: return "Fail";
        case Result::DeviceLost: return "DeviceLost";
        case Result::DeviceNotReset: return "DeviceNotReset";
        case Result::NotAvailable: return "NotAvailable";
        case Result::InvalidDevice: return "InvalidDevice";
        case Result::InvalidCall: return "InvalidCall";
        case Result::DriverInternalError: return "DriverInternalError";
        case Result::OutOfVideoMemory: return "OutOfVideoMemory";
        case Result::WasStillDrawing: return "WasStillDrawing";
    }
    return "Unknown";
}

}  // namespace platform::gfx
