#include "platform/gfx/GfxFormat.h"

namespace platform::gfx {

FormatLayout GetFormatLayout(Format format) {
    switch (format) {
        case Format::A8R8G8B8:
        case Format::X8R8G8B8:
        case Format::D24S8:
        case Format::D24X8: return {4, 0, true};
        case Format::R8G8B8: return {3, 0, true};
        case Format::R5G6B5:
        case Format::X1R5G5B5:
        case Format::A1R5G5B5:
        case Format::A4R4G4B4:
        case Format::V8U8:
        case Format::D16:
        case Format::Index16: return {2, 0, true};
        case Format::A8:
        case Format::L8: return {1, 0, true};
        case Format::Dxt1: return {0, 8, true};
        case Format::Dxt3:
        case Format::Dxt5: return {0, 16, true};
        default: return {};
    }
}

bool IsCompressed(Format format) {
    return GetFormatLayout(format).bytesPerBlock != 0;
}

uint32_t RowPitch(Format format, uint32_t width) {
    const FormatLayout layout = GetFormatLayout(format);
    if (layout.bytesPerBlock != 0) {
        return ((width + 3) / 4) * layout.bytesPerBlock;
    }
    return width * layout.bytesPerPixel;
}

uint32_t RowCount(Format format, uint32_t height) {
    return IsCompressed(format) ? (height + 3) / 4 : height;
}

bool IsColourFormat(Format format) {
    switch (format) {
        case Format::A8R8G8B8:
        case Format::X8R8G8B8:
        case Format::R8G8B8:
        case Format::R5G6B5:
        case Format::X1R5G5B5:
        case Format::A1R5G5B5:
        case Format::A4R4G4B4:
        case Format::A8:
        case Format::L8:
        case Format::Dxt1:
        case Format::Dxt3:
        case Format::Dxt5: return true;
        default: return false;
    }
}

}  // namespace platform::gfx
