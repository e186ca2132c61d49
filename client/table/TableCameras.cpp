#include "client/table/TableCameras.h"

#include "QuillLib/math/MathConstants.h"

namespace kestrovan {

std::optional<CameraPreset> TableCameras::ModePreset(uint32_t mode) {
    CameraPreset preset;
    switch (mode) {
        case 3:  // top view
            preset.distanceFov = {500.0f, 0.5236f, 1000.0f, 0.5236f};
            preset.minDistance = 520.0f;
            preset.maxDistance = 1200.0f;
            preset.minPitch = 0.1745f;
            preset.maxPitch = 1.5708f;
            preset.yaw = 1.5708f;
            preset.pitch = 1.5708f;
            preset.distance = 520.0f;
            return preset;
        case 2:  // free orbit
            preset.maxDistance = 5000.0f;
            preset.minPitch = 0.01745f;
            preset.maxPitch = 1.56905f;
            preset.pitch = 0.5236f;
            preset.distance = 300.0f;
            return preset;
        case 1:  // aiming
            preset.distanceFov = {100.0f, 0.4363f, 540.0f, 0.8727f};
            preset.minDistance = 120.0f;
            preset.maxDistance = 540.0f;
            preset.minPitch = 0.10472f;
            preset.maxPitch = 1.56905f;
            preset.yaw = 3.14159f;
            preset.pitch = 0.27925f;
            preset.distance = 350.0f;
            return preset;
        default:
            return std::nullopt;
    }
}

std::optional<CameraPreset> TableCameras::VariantPreset(int32_t variant) {
    CameraPreset preset;
    preset.pitch = quill::DegreesToRadians(60.0f);
    preset.yaw = quill::DegreesToRadians(180.0f);
    preset.maxPitch = 1.56905f;
    switch (variant) {
        case 1:
            preset.distanceFov = {80.0f, 0.2618f, 600.0f, 0.5236f};
            preset.minDistance = 80.0f;
            preset.maxDistance = 600.0f;
            preset.minPitch = 0.10472f;
            preset.distance = 420.0f;
            return preset;
        case 2:
            preset.distanceFov = {100.0f, 0.0349f, 800.0f, 0.0349f};
            preset.minDistance = 100.0f;
            preset.maxDistance = 800.0f;
            preset.distance = 380.0f;
            return preset;
        default:
            return std::nullopt;
    }
}

void TableCameras::Configure(quill::Camera& camera, const CameraPreset& preset) {
    if (preset.distanceFov) {
        const std::array<float, 4>& points = *preset.distanceFov;
        camera.SetScreenRect(points[0], points[1], points[2], points[3]);
    }
    if (preset.minDistance) {
        camera.SetMinDistance(*preset.minDistance);
    }
    if (preset.maxDistance) {
        camera.SetMaxDistance(*preset.maxDistance);
    }
    if (preset.minPitch) {
        camera.SetMinPitch(*preset.minPitch);
    }
    if (preset.maxPitch) {
        camera.SetMaxPitch(*preset.maxPitch);
    }
    if (preset.yaw) {
        camera.SetYaw(*preset.yaw);
    }
    if (preset.pitch) {
        camera.SetPitch(*preset.pitch, false);
    }
    if (preset.distance) {
        camera.SetDistance(*preset.distance);
    }
}

}  // namespace kestrovan
