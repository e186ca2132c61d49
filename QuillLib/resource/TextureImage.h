#pragma once
// One image of a texture item: the image file's bytes as read (compressed when the texture keeps its
// images compressed), its name (the full path when it was read from a file) and its pixel size. An image read
// from a package file knows where its bytes lie there and keeps no copy in memory: its texture reads them
// again when it needs them (to make the device's picture, or for a caller of the data).
#include <cstdint>
#include <optional>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/WString.h"

namespace quill {

// Where an image's stored bytes lie in its package file, so that they can be read again once the memory
// copy was given up.
struct TextureImageSource {
    WString packagePath;
    uint32_t position = 0;      // of the zlib stream in the file
    uint32_t size = 0;          // of the zlib stream
    uint32_t inflatedSize = 0;  // of the image file it holds
};

struct TextureImage {
    WString name;
    MemoryStream data;
    uint32_t uncompressedSize = 0;  // of data, when it is held compressed
    uint32_t width = 0;
    uint32_t height = 0;
    std::optional<TextureImageSource> source;  // set for images read from a package file
};

}  // namespace quill
