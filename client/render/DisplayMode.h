#pragma once
// The display settings the graphics layer creates the device with, copied whole between the layer and the
// device (14 bytes, the record the settings are kept in).
#include <cstdint>

namespace kestrovan {

struct DisplayMode {
    uint8_t fullscreen = 0;
    uint8_t vsync = 0;
    uint8_t tripleBuffer = 0;  // two back buffers instead of one
    uint8_t reserved = 0;
    uint16_t width = 800;
    uint16_t height = 600;
    uint16_t bitsPerPixel = 32;  // 16 selects a 16-bit back buffer, anything else a 32-bit one
    uint16_t refreshRate = 60;   // Hz, in full-screen mode
    uint16_t multiSample = 0;    // 1 is treated as none
    bool operator==(const DisplayMode&) const = default;
};
static_assert(sizeof(DisplayMode) == 14);

// One entry of the adapter's mode list.
struct AdapterMode {
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t bitsPerPixel = 0;  // 16 or 32
    uint16_t refreshRate = 0;
    bool operator==(const AdapterMode&) const = default;
};
static_assert(sizeof(AdapterMode) == 8);

// Results of the capability check and of device creation; 0 is success.
namespace DeviceResult {
inline constexpr uint32_t Ok = 0;
inline constexpr uint32_t NoRuntime = 1;
inline constexpr uint32_t OldRuntime = 2;
inline constexpr uint32_t NoCaps = 3;
inline constexpr uint32_t NoDisplayMode = 4;
inline constexpr uint32_t BackBufferNotRenderTarget = 5;
inline constexpr uint32_t DeviceTypeRefused = 6;
inline constexpr uint32_t NoDepthFormat = 7;
inline constexpr uint32_t CreateDeviceFailed = 8;
inline constexpr uint32_t DefaultStatesFailed = 9;
inline constexpr uint32_t RestoreFailed = 10;
inline constexpr uint32_t NoBackBuffer = 11;
inline constexpr uint32_t NoBackBufferDesc = 12;
inline constexpr uint32_t NoVideoMemoryQuery = 13;
}  // namespace DeviceResult

}  // namespace kestrovan
