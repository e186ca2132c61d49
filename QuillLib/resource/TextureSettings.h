#pragma once
// The settings a device texture is made with, copied as one block. The TEXTURE item body stores the first
// seven fields (and the byte after keepCompressed); the others start as below.
#include <cstdint>

namespace quill {

struct TextureSettings {
    static constexpr uint32_t kDefaultFormat = 0xFFFFFFFF;  // A8R8G8B8 for an empty texture

    int16_t addressU = 0;    // 0 wrap, 1 mirror, 2 clamp
    int16_t addressV = 0;
    uint32_t colorKey = 0;   // colour made transparent when an image is decoded; 0 none
    uint16_t alphaMode = 0;  // 0 leaves the device's alpha mode alone, 1 and 2 select its modes 0 and 1
    uint16_t mipLevels = 0;  // 0 the full chain
    uint16_t mipSkip = 0;    // top levels of a DDS image to drop
    uint16_t preferredKey = 0;  // the highest image key that may become current
    uint8_t keepCompressed = 0;  // images stay zlib-compressed in memory until a device texture is made
    uint8_t compressFlag = 0;    // the body's flag byte, kept as read
    uint8_t bumpMap = 0;         // the image stays in its file format; needs the device's bump mapping
    uint8_t renderTarget = 0;
    uint8_t cube = 0;
    uint8_t dynamic = 0;         // a default-pool texture is made dynamic
    uint8_t spare[2] = {0, 0};
    uint32_t poolKind = 0;  // 2 system memory, 3 managed, otherwise the default pool
    uint32_t format = kDefaultFormat;  // of an empty texture; the made texture's format afterwards
};

}  // namespace quill
