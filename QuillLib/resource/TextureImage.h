#pragma once
// One image of a texture item: the image file's bytes as read (compressed when the texture keeps its
// images compressed), its name (the full path when it was read from a file) and its pixel size.
#include <cstdint>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/WString.h"

namespace quill {

struct TextureImage {
    WString name;
    MemoryStream data;
    uint32_t uncompressedSize = 0;  // of data, when it is held compressed
    uint32_t width = 0;
    uint32_t height = 0;
};

}  // namespace quill
