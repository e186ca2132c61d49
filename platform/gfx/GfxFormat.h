#pragma once
// Pixel and index formats, memory pools, usage and lock flags. The numbers are those the game's data and
// texture settings store (A8R8G8B8 is 21, the pool kinds 2 and 3), so they are kept as they are.
#include <cstdint>

namespace platform::gfx {

enum class Format : uint32_t {
    Unknown = 0,
    R8G8B8 = 20,
    A8R8G8B8 = 21,
    X8R8G8B8 = 22,
    R5G6B5 = 23,
    X1R5G5B5 = 24,
    A1R5G5B5 = 25,
    A4R4G4B4 = 26,
    A8 = 28,
    L8 = 50,
    V8U8 = 60,
    D16 = 80,
    D24S8 = 75,
    D24X8 = 77,
    Index16 = 101,
    Dxt1 = 0x31545844,  // the four characters "DXT1"
    Dxt3 = 0x33545844,
    Dxt5 = 0x35545844,
    // Asks the image services to keep the format of the image file.
    FromFile = 0xFFFFFFFD,
};

enum class Pool : uint32_t {
    Default = 0,
    Managed = 1,
    SystemMem = 2,
};

enum class ResourceType : uint32_t {
    Surface = 1,
    Texture = 3,
    CubeTexture = 5,
    VertexBuffer = 6,
    IndexBuffer = 7,
};

namespace Usage {
inline constexpr uint32_t RenderTarget = 0x1;
inline constexpr uint32_t DepthStencil = 0x2;
inline constexpr uint32_t WriteOnly = 0x8;
inline constexpr uint32_t Dynamic = 0x200;
inline constexpr uint32_t AutoGenMipmap = 0x400;
}  // namespace Usage

namespace LockFlags {
inline constexpr uint32_t ReadOnly = 0x10;
inline constexpr uint32_t NoOverwrite = 0x1000;
inline constexpr uint32_t Discard = 0x2000;
}  // namespace LockFlags

// How a format lays out its pixels: bytes per pixel, or bytes per 4 x 4 block for the compressed ones.
struct FormatLayout {
    uint32_t bytesPerPixel = 0;  // 0 for block-compressed and unknown formats
    uint32_t bytesPerBlock = 0;  // 8 for DXT1, 16 for DXT3 and DXT5, else 0
    bool known = false;
};

FormatLayout GetFormatLayout(Format format);
bool IsCompressed(Format format);
// Bytes of one row of pixels (of blocks, for compressed formats) of an image of this width.
uint32_t RowPitch(Format format, uint32_t width);
// Rows of pixels (of blocks) of an image of this height.
uint32_t RowCount(Format format, uint32_t height);
// Whether the image services can convert this format to and from 32-bit colour.
bool IsColourFormat(Format format);

}  // namespace platform::gfx
