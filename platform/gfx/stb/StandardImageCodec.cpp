// The common image files through stb_image and stb_image_write, compiled here with only the readers the game
// needs and a size limit, so that untrusted files cannot ask for more than kMaxImageEdge in either direction;
// JPEG huffman tables and PNG chunk lengths are checked before the library sees a file.
#include "platform/gfx/StandardImageCodec.h"

#include <limits>

#include "platform/gfx/ImageServices.h"
#include "platform/system/FileReplace.h"

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

// A byte of the file; the library reads 0 past the end, and so does this.
uint32_t ByteAt(std::span<const std::byte> file, size_t at) {
    return at < file.size() ? std::to_integer<uint32_t>(file[at]) : 0;
}

// Reads a huffman-table segment at `at` with the declared length the way the library reads it (tables until the
// length is used up, bytes past the end as 0) and marks each table it defines in `defined` (bit class * 4 +
// index). False for more than 256 codes in a table, which the system's image library writes past its code table
// for, and for a table the library would refuse.
bool ReadHuffmanSegment(std::span<const std::byte> file, size_t at, size_t length, uint32_t& defined) {
    int64_t left = static_cast<int64_t>(length) - 2;
    size_t table = at + 4;
    while (left > 0 && table < file.size()) {
        const uint32_t kind = ByteAt(file, table) >> 4;
        const uint32_t index = ByteAt(file, table) & 15;
        if (kind > 1 || index > 3) return false;
        uint32_t codes = 0;
        for (size_t i = 1; i <= 16; ++i) codes += ByteAt(file, table + i);
        if (codes > 256) return false;
        defined |= 1u << (kind * 4 + index);
        left -= 17 + static_cast<int64_t>(codes);
        table += 17 + codes;
    }
    return true;
}

// Whether every huffman table a scan at `at` decodes with was defined before it. The library keeps its tables in
// memory it never clears, so a scan naming a table no segment defined would decode from whatever was there. A
// baseline scan uses each component's DC and AC table; a progressive one its DC table in a first DC scan and its
// AC table in an AC scan.
bool ScanTablesAreDefined(std::span<const std::byte> file, size_t at, bool progressive, uint32_t defined) {
    const uint32_t components = ByteAt(file, at + 4);
    const size_t parameters = at + 5 + 2 * static_cast<size_t>(components);
    const bool firstDc = ByteAt(file, parameters) == 0 && (ByteAt(file, parameters + 2) >> 4) == 0;
    const bool ac = ByteAt(file, parameters + 1) > 0;
    for (size_t i = 0; i < components; ++i) {
        const uint32_t tables = ByteAt(file, at + 5 + 2 * i + 1);
        const uint32_t dc = tables >> 4;
        const uint32_t acTable = tables & 15;
        if (dc > 3 || acTable > 3) return false;
        if ((!progressive || firstDc) && (defined & (1u << dc)) == 0) return false;
        if ((!progressive || ac) && (defined & (1u << (4 + acTable))) == 0) return false;
    }
    return true;
}

// Walks the markers of a JPEG file (skipping entropy-coded data after each scan), checks every huffman table and
// that each scan's tables exist; files that are no JPEG pass unchecked.
bool JpegTablesAreSafe(std::span<const std::byte> file) {
    // The start marker may follow any number of fill bytes, as the library reads it.
    size_t at = 0;
    while (at < file.size() && ByteAt(file, at) == 0xFF) ++at;
    if (at == 0 || ByteAt(file, at) != 0xD8) return true;
    ++at;
    uint32_t defined = 0;
    bool progressive = false;
    while (at + 1 < file.size()) {
        if (ByteAt(file, at) != 0xFF) {
            ++at;  // entropy-coded data of a scan
            continue;
        }
        const uint32_t marker = ByteAt(file, at + 1);
        if (marker == 0xFF || marker == 0x00 || (marker >= 0xD0 && marker <= 0xD8) || marker == 0x01) {
            at += marker == 0xFF ? 1 : 2;  // fill bytes, stuffed zeros, restart markers
            continue;
        }
        if (marker == 0xD9) return true;
        const size_t length = (ByteAt(file, at + 2) << 8) | ByteAt(file, at + 3);
        if (marker == 0xC2) progressive = true;
        if (marker == 0xC4 && !ReadHuffmanSegment(file, at, length, defined)) return false;
        if (marker == 0xDA && !ScanTablesAreDefined(file, at, progressive, defined)) return false;
        at += 2 + (length < 2 ? 2 : length);
    }
    return true;
}

// Whether every chunk of a PNG file, up to its end chunk, lies within the file. The image library grows its
// data buffer to a chunk's declared length before it finds the bytes missing, so one forged length asks for
// gigabytes; a chunk longer than the rest of the file is damage in any case. Files that are no PNG pass.
bool PngChunksFitTheFile(std::span<const std::byte> file) {
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (size_t i = 0; i < sizeof kSignature; ++i) {
        if (ByteAt(file, i) != kSignature[i]) return true;
    }
    constexpr size_t kChunkFrame = 12;  // length, type and check sum around the data
    size_t at = sizeof kSignature;
    while (at + kChunkFrame <= file.size()) {
        const uint64_t length = (ByteAt(file, at) << 24) | (ByteAt(file, at + 1) << 16) |
                                (ByteAt(file, at + 2) << 8) | ByteAt(file, at + 3);
        if (length > file.size() - at - kChunkFrame) return false;
        const bool end = ByteAt(file, at + 4) == 'I' && ByteAt(file, at + 5) == 'E' && ByteAt(file, at + 6) == 'N' &&
                         ByteAt(file, at + 7) == 'D';
        if (end) return true;
        at += kChunkFrame + static_cast<size_t>(length);
    }
    return true;
}

}  // namespace

std::optional<StandardImageHeader> ReadStandardImageHeader(std::span<const std::byte> file) {
    if (!JpegTablesAreSafe(file) || !PngChunksFitTheFile(file)) return std::nullopt;
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
    // An image that replaces an older one (a screenshot of the same name) does so only once written whole.
    return ReplaceFileContents(path.string(), std::as_bytes(std::span(file)));
}

}  // namespace platform::gfx
