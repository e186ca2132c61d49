#include "platform/gfx/DdsFile.h"

#include "platform/gfx/ImageServices.h"
#include "platform/gfx/MipChain.h"

namespace platform::gfx {
namespace {

constexpr uint32_t kMagic = 0x20534444;  // "DDS "
constexpr uint32_t kHeaderSize = 124;
constexpr uint32_t kPixelFormatSize = 32;
constexpr size_t kFileHeaderBytes = 4 + kHeaderSize;

constexpr uint32_t kFlagCaps = 0x1, kFlagHeight = 0x2, kFlagWidth = 0x4, kFlagPitch = 0x8;
constexpr uint32_t kFlagPixelFormat = 0x1000, kFlagMipCount = 0x20000;
constexpr uint32_t kPfAlphaPixels = 0x1, kPfAlpha = 0x2, kPfFourCc = 0x4, kPfRgb = 0x40;
constexpr uint32_t kPfLuminance = 0x20000, kPfBumpDuDv = 0x80000;
constexpr uint32_t kCapsTexture = 0x1000;
constexpr uint32_t kCaps2CubeMap = 0x200, kCaps2AllFaces = 0xFC00;

uint32_t ReadWord(std::span<const std::byte> file, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= std::to_integer<uint32_t>(file[offset + i]) << (8 * i);
    }
    return value;
}

struct PixelFormat {
    uint32_t flags, fourCc, bits, red, green, blue, alpha;
};

Format FormatOf(const PixelFormat& pf) {
    if ((pf.flags & kPfFourCc) != 0) {
        switch (pf.fourCc) {
            case static_cast<uint32_t>(Format::Dxt1): return Format::Dxt1;
            case 0x32545844:  // DXT2 (premultiplied) reads as DXT3
            case static_cast<uint32_t>(Format::Dxt3): return Format::Dxt3;
            case 0x34545844:  // DXT4 reads as DXT5
            case static_cast<uint32_t>(Format::Dxt5): return Format::Dxt5;
            default: return Format::Unknown;
        }
    }
    const bool alpha = (pf.flags & kPfAlphaPixels) != 0;
    if ((pf.flags & kPfBumpDuDv) != 0 && pf.bits == 16) return Format::V8U8;
    if ((pf.flags & kPfLuminance) != 0 && pf.bits == 8) return Format::L8;
    if ((pf.flags & kPfAlpha) != 0 && pf.bits == 8) return Format::A8;
    if ((pf.flags & kPfRgb) == 0) return Format::Unknown;
    if (pf.bits == 32 && pf.red == 0xFF0000 && pf.green == 0xFF00 && pf.blue == 0xFF) {
        return alpha && pf.alpha == 0xFF000000u ? Format::A8R8G8B8 : Format::X8R8G8B8;
    }
    if (pf.bits == 24 && pf.red == 0xFF0000 && pf.green == 0xFF00 && pf.blue == 0xFF) return Format::R8G8B8;
    if (pf.bits == 16 && pf.red == 0xF800 && pf.green == 0x7E0 && pf.blue == 0x1F) return Format::R5G6B5;
    if (pf.bits == 16 && pf.red == 0x7C00 && pf.green == 0x3E0 && pf.blue == 0x1F) {
        return alpha && pf.alpha == 0x8000 ? Format::A1R5G5B5 : Format::X1R5G5B5;
    }
    if (pf.bits == 16 && pf.red == 0xF00 && pf.green == 0xF0 && pf.blue == 0xF) return Format::A4R4G4B4;
    return Format::Unknown;
}

uint64_t LevelBytes(Format format, uint32_t width, uint32_t height) {
    return static_cast<uint64_t>(RowPitch(format, width)) * RowCount(format, height);
}

void PutWord(std::vector<std::byte>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(std::byte((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

std::optional<DdsFile> ReadDdsFile(std::span<const std::byte> file) {
    if (file.size() < kFileHeaderBytes || ReadWord(file, 0) != kMagic || ReadWord(file, 4) != kHeaderSize ||
        ReadWord(file, 76) != kPixelFormatSize) {
        return std::nullopt;
    }
    DdsFile dds;
    const uint32_t flags = ReadWord(file, 8);
    dds.height = ReadWord(file, 12);
    dds.width = ReadWord(file, 16);
    const uint32_t mipCount = (flags & kFlagMipCount) != 0 ? ReadWord(file, 28) : 1;
    const PixelFormat pf{ReadWord(file, 80), ReadWord(file, 84), ReadWord(file, 88), ReadWord(file, 92),
                         ReadWord(file, 96), ReadWord(file, 100), ReadWord(file, 104)};
    const uint32_t caps2 = ReadWord(file, 112);
    dds.format = FormatOf(pf);
    if (dds.format == Format::Unknown || dds.width == 0 || dds.height == 0 || dds.width > kMaxImageEdge ||
        dds.height > kMaxImageEdge) {
        return std::nullopt;
    }
    dds.levels = mipCount == 0 ? 1 : mipCount;
    if (dds.levels > FullMipChainLength(dds.width, dds.height)) {
        return std::nullopt;
    }
    dds.cube = (caps2 & kCaps2CubeMap) != 0;
    if (dds.cube && ((caps2 & kCaps2AllFaces) != kCaps2AllFaces || dds.width != dds.height)) {
        return std::nullopt;
    }
    const uint32_t faces = dds.cube ? 6 : 1;
    size_t offset = kFileHeaderBytes;
    for (uint32_t face = 0; face < faces; ++face) {
        for (uint32_t level = 0; level < dds.levels; ++level) {
            const uint64_t bytes = LevelBytes(dds.format, MipEdge(dds.width, level), MipEdge(dds.height, level));
            if (bytes > file.size() - offset) {
                return std::nullopt;
            }
            dds.images.push_back(file.subspan(offset, static_cast<size_t>(bytes)));
            offset += static_cast<size_t>(bytes);
        }
    }
    return dds;
}

std::vector<std::byte> WriteDdsFile(std::span<const uint32_t> pixels, uint32_t width, uint32_t height,
                                    bool withAlpha) {
    std::vector<std::byte> out;
    out.reserve(kFileHeaderBytes + pixels.size() * 4);
    PutWord(out, kMagic);
    PutWord(out, kHeaderSize);
    PutWord(out, kFlagCaps | kFlagHeight | kFlagWidth | kFlagPitch | kFlagPixelFormat);
    PutWord(out, height);
    PutWord(out, width);
    PutWord(out, width * 4);  // pitch
    PutWord(out, 0);          // depth
    PutWord(out, 0);          // mip count
    for (int i = 0; i < 11; ++i) PutWord(out, 0);
    PutWord(out, kPixelFormatSize);
    PutWord(out, kPfRgb | (withAlpha ? kPfAlphaPixels : 0));
    PutWord(out, 0);  // four characters
    PutWord(out, 32);
    PutWord(out, 0xFF0000);
    PutWord(out, 0xFF00);
    PutWord(out, 0xFF);
    PutWord(out, withAlpha ? 0xFF000000u : 0);
    PutWord(out, kCapsTexture);
    for (int i = 0; i < 4; ++i) PutWord(out, 0);  // caps2 to caps4, reserved
    for (uint32_t pixel : pixels) {
        PutWord(out, withAlpha ? pixel : pixel | 0xFF000000u);
    }
    return out;
}

}  // namespace platform::gfx
