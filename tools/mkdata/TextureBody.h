#pragma once
// A TEXTURE item as stored: the settings the device texture is made with and the encoded image files under
// their keys. Packed, each image file is zlib-compressed on its own (the record itself is not).
#include <cstdint>
#include <vector>

#include "tools/mkdata/BodyWriter.h"

namespace mkdata {

struct TextureBody {
    struct Image {
        uint16_t key = 0;
        uint32_t width = 0;
        uint32_t height = 0;
        std::vector<uint8_t> file;  // the encoded image file
    };

    uint16_t addressU = 0;  // 0 wrap, 1 mirror, 2 clamp
    uint16_t addressV = 0;
    uint32_t colorKey = 0;
    uint16_t alphaMode = 0;
    uint16_t mipLevels = 0;  // 0 the full chain
    std::vector<Image> images;

    // False when an image does not compress.
    bool Write(BodyWriter& out) const;
};

}  // namespace mkdata
