// The common image files through stb_image and stb_image_write, compiled here with only the readers the game
// needs and a size limit, so that untrusted files cannot ask for more than kMaxImageEdge in either direction.
#include "platform/gfx/StandardImageCodec.h"

#include <fstream>
#include <limits>

#include "platform/gfx/ImageServices.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
#define STBI_MAX_DIMENSIONS 16384
#include <stb/stb_image.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace platform::gfx {
namespace {

static_assert(STBI_MAX_DIMENSIONS == kMaxImageEdge);

int ByteCount(std::span<const std::byte> file) {
    return file.size() > static_cast<size_t>(std::numeric_limits<int>::max()) ? -1 : static_cast<int>(file.size());
}

const stbi_uc* Bytes(std::span<const std::byte> file) {
    return reinterpret_cast<const stbi_uc*>(file.data());
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

// The pixels as stb_image_write takes them: R, G, B (and A) bytes per pixel.
std::vector<unsigned char> ToRgbBytes(std::span<const uint32_t> pixels, bool withAlpha) {
    std::vector<unsigned char> bytes;
    bytes.reserve(pixels.size() * (withAlpha ? 4 : 3));
    for (uint32_t pixel : pixels) {
        bytes.push_back(static_cast<unsigned char>((pixel >> 16) & 0xFF));
        bytes.push_back(static_cast<unsigned char>((pixel >> 8) & 0xFF));
        bytes.push_back(static_cast<unsigned char>(pixel & 0xFF));
        if (withAlpha) {
            bytes.push_back(static_cast<unsigned char>(pixel >> 24));
        }
    }
    return bytes;
}

}  // namespace

std::optional<StandardImageHeader> ReadStandardImageHeader(std::span<const std::byte> file) {
    const int size = ByteCount(file);
    int width = 0, height = 0, components = 0;
    if (size <= 0 || stbi_info_from_memory(Bytes(file), size, &width, &height, &components) == 0 || width <= 0 ||
        height <= 0 || static_cast<uint32_t>(width) > kMaxImageEdge || static_cast<uint32_t>(height) > kMaxImageEdge) {
        return std::nullopt;
    }
    return StandardImageHeader{static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                               components == 2 || components == 4};
}

std::optional<DecodedImage> DecodeStandardImage(std::span<const std::byte> file) {
    const std::optional<StandardImageHeader> header = ReadStandardImageHeader(file);
    if (!header) {
        return std::nullopt;
    }
    int width = 0, height = 0, components = 0;
    stbi_uc* rgba = stbi_load_from_memory(Bytes(file), ByteCount(file), &width, &height, &components, 4);
    if (rgba == nullptr) {
        return std::nullopt;
    }
    DecodedImage image{static_cast<uint32_t>(width), static_cast<uint32_t>(height), header->hasAlpha, {}};
    image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const stbi_uc* p = rgba + i * 4;
        image.pixels[i] = (static_cast<uint32_t>(p[3]) << 24) | (static_cast<uint32_t>(p[0]) << 16) |
                          (static_cast<uint32_t>(p[1]) << 8) | p[2];
    }
    stbi_image_free(rgba);
    return image;
}

bool EncodeStandardImage(const std::filesystem::path& path, ImageFileFormat format,
                         std::span<const uint32_t> pixels, uint32_t width, uint32_t height, bool withAlpha) {
    const int components = withAlpha ? 4 : 3;
    const std::vector<unsigned char> rgb = ToRgbBytes(pixels, withAlpha);
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    std::vector<unsigned char> file;
    int written = 0;
    switch (format) {
        case ImageFileFormat::Bmp: written = stbi_write_bmp_to_func(AppendBytes, &file, w, h, components, rgb.data()); break;
        case ImageFileFormat::Tga: written = stbi_write_tga_to_func(AppendBytes, &file, w, h, components, rgb.data()); break;
        case ImageFileFormat::Png:
            written = stbi_write_png_to_func(AppendBytes, &file, w, h, components, rgb.data(), w * components);
            break;
        case ImageFileFormat::Jpg: written = stbi_write_jpg_to_func(AppendBytes, &file, w, h, components, rgb.data(), 90); break;
        case ImageFileFormat::Dds: return false;
    }
    if (written == 0) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

}  // namespace platform::gfx
