#pragma once
// The records passed to and from the graphics layer: matrices, colours, lights, viewports, surface and mode
// descriptions, presentation parameters, capabilities and the gamma ramp.
#include <array>
#include <cstdint>

#include "platform/gfx/GfxFormat.h"

namespace platform::gfx {

// A 32-bit colour: alpha in the top byte, then red, green and blue.
using Color = uint32_t;

// Sixteen floats, row-major, for row vectors (translation in the last row); the layout of quill::Matrix4.
struct Matrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float& at(int row, int column) { return m[row * 4 + column]; }
    float at(int row, int column) const { return m[row * 4 + column]; }
    bool operator==(const Matrix&) const = default;
};

// out = a * b for row vectors (a applies first).
Matrix Multiply(const Matrix& a, const Matrix& b);
// The left-handed orthographic projection of the box [left, right] x [bottom, top] x [zNear, zFar].
Matrix OrthoOffCenterLH(float left, float right, float bottom, float top, float zNear, float zFar);

struct ColorValue {
    float r = 0, g = 0, b = 0, a = 0;
    bool operator==(const ColorValue&) const = default;
};

struct Vector3 {
    float x = 0, y = 0, z = 0;
    bool operator==(const Vector3&) const = default;
};

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Point {
    int32_t x = 0, y = 0;
};

struct Material {
    ColorValue diffuse, ambient, specular, emissive;
    float power = 0;
    bool operator==(const Material&) const = default;
};

enum class LightType : uint32_t {
    Point = 1,
    Spot = 2,
    Directional = 3,
};

struct Light {
    LightType type = LightType::Directional;
    ColorValue diffuse, specular, ambient;
    Vector3 position, direction;
    float range = 0, falloff = 0;
    float attenuation0 = 0, attenuation1 = 0, attenuation2 = 0;
    float theta = 0, phi = 0;
    bool operator==(const Light&) const = default;
};

// In pixels of the render target, origin top-left; depth range minZ to maxZ.
struct Viewport {
    uint32_t x = 0, y = 0, width = 0, height = 0;
    float minZ = 0, maxZ = 1;
    bool operator==(const Viewport&) const = default;
};

// A locked rectangle: the first byte and the distance between rows.
struct LockedRect {
    int32_t pitch = 0;
    void* bits = nullptr;
};

struct SurfaceDesc {
    Format format = Format::Unknown;
    ResourceType type = ResourceType::Surface;
    uint32_t usage = 0;
    Pool pool = Pool::Default;
    uint32_t width = 0;
    uint32_t height = 0;
};

struct BufferDesc {
    Format format = Format::Unknown;  // Index16 for index buffers
    uint32_t usage = 0;
    Pool pool = Pool::Default;
    uint32_t size = 0;
    uint32_t fvf = 0;
};

struct DisplayModeInfo {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t refreshRate = 0;
    Format format = Format::Unknown;
    bool operator==(const DisplayModeInfo&) const = default;
};

// How a device presents: the back buffers, the depth buffer, the window and full-screen mode.
struct PresentParameters {
    uint32_t backBufferWidth = 0;
    uint32_t backBufferHeight = 0;
    Format backBufferFormat = Format::Unknown;
    uint32_t backBufferCount = 0;
    uint32_t multiSampleType = 0;
    uint32_t swapEffect = 0;
    bool windowed = false;
    bool enableAutoDepthStencil = false;
    Format autoDepthStencilFormat = Format::Unknown;
    uint32_t flags = 0;
    uint32_t fullScreenRefreshRate = 0;
    uint32_t presentationInterval = 0;
    bool operator==(const PresentParameters&) const = default;
};

// What the adapter can do, as far as the game asks.
struct DeviceCaps {
    bool presentImmediate = false;     // presents without waiting for the vertical retrace
    bool anisotropicFilter = false;
    bool tableFog = false;             // per-pixel fog
    bool bumpEnvMap = false;           // the bump-environment texture operation
    bool cubeMap = false;
    bool hardwareTransformAndLight = false;
    uint32_t maxAnisotropy = 1;
    uint32_t maxTextureWidth = 0;
    uint32_t maxTextureHeight = 0;
    uint32_t maxTextureBlendStages = 0;
    uint32_t maxSimultaneousTextures = 0;
    uint32_t maxActiveLights = 0;
};

// 256 levels per channel; entry i maps level i to entry >> 8.
struct GammaRamp {
    std::array<uint16_t, 256> red{}, green{}, blue{};
    bool operator==(const GammaRamp&) const = default;
    static GammaRamp Identity();
};

enum class ImageFileFormat : uint32_t {
    Bmp = 0,
    Jpg = 1,
    Tga = 2,
    Png = 3,
    Dds = 4,
};

// What an image file holds, read without decoding it.
struct ImageInfo {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 1;
    uint32_t mipLevels = 1;
    Format format = Format::Unknown;
    ResourceType resourceType = ResourceType::Texture;
    ImageFileFormat fileFormat = ImageFileFormat::Bmp;
};

}  // namespace platform::gfx
