#pragma once
// How the table's cameras are set up when a table screen's 3D scene is loaded: the limits, the distance-dependent
// field of view and the starting view of each camera mode (1 aiming, 2 free orbit, 3 top view), and of the single
// aiming camera of the screens that show a table without play (variants 1 and 2). Angles are radians.
#include <array>
#include <cstdint>
#include <optional>

#include "QuillLib/math/Camera.h"

namespace kestrovan {

struct CameraPreset {
    // Two (distance, field of view) points of the camera's distance-dependent field of view.
    std::optional<std::array<float, 4>> distanceFov;
    std::optional<float> minDistance;
    std::optional<float> maxDistance;
    std::optional<float> minPitch;
    std::optional<float> maxPitch;
    std::optional<float> yaw;
    std::optional<float> pitch;
    std::optional<float> distance;
};

class TableCameras {
public:
    // The preset of a camera mode (1, 2 or 3) of a full table screen.
    static std::optional<CameraPreset> ModePreset(uint32_t mode);
    // The preset of the aiming camera of variant 1 or 2.
    static std::optional<CameraPreset> VariantPreset(int32_t variant);
    // Applies the limits first, then the starting view (so that the limits clamp it); the caller holds the
    // camera's lock.
    static void Configure(quill::Camera& camera, const CameraPreset& preset);
};

}  // namespace kestrovan
