#pragma once
// The result of a graphics call. The failures the device layer tells apart keep their own codes (a lost
// device, a device waiting for its reset, a present still in progress); every other failure is Fail.
#include <cstdint>

namespace platform::gfx {

enum class Result : int32_t {
    Ok = 0,
    Fail,
    DeviceLost,
    DeviceNotReset,
    NotAvailable,
    InvalidDevice,
    InvalidCall,
    DriverInternalError,
    OutOfVideoMemory,
    WasStillDrawing,
};

inline bool Succeeded(Result result) {
    return result == Result::Ok;
}

}  // namespace platform::gfx
