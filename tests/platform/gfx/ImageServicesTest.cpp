// Image files in and out: every saved format reads back with its pixels, DDS files of each kind decode, and
// damaged files fail cleanly.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/gfx/DdsFile.h"
#include "platform/gfx/ImageServices.h"
#include "platform/gfx/MemoryTexture.h"
#include "platform/gfx/PixelConversion.h"
#include "platform/gfx/StandardImageCodec.h"
#include "platform/gfx/headless/RecordingSystem.h"
#include "tests/support/common/TempDirectory.h"
#include "tests/support/gfx/DdsFiles.h"

namespace platform::gfx {
namespace {

std::vector<std::byte> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto* first = reinterpret_cast<const std::byte*>(bytes.data());
    return std::vector<std::byte>(first, first + bytes.size());
}

class ImageServicesTest : public ::testing::Test {
protected:
    ImageServicesTest() {
        RecordingSystem system(setup);
        PresentParameters parameters;
        parameters.backBufferWidth = 64;
        parameters.backBufferHeight = 32;
        parameters.backBufferFormat = Format::X8R8G8B8;
        EXPECT_EQ(system.CreateDevice(0, parameters, device), Result::Ok);
    }

    uint32_t PixelAt(Texture& texture, uint32_t x, uint32_t y) {
        auto surface = texture.GetSurfaceLevel(0);
        const SurfaceDesc desc = surface->GetDesc();
        LockedRect locked;
        EXPECT_EQ(surface->LockRect(locked, nullptr, LockFlags::ReadOnly), Result::Ok);
        std::vector<uint32_t> pixels(static_cast<size_t>(desc.width) * desc.height);
        DecodePixels(desc.format, static_cast<const std::byte*>(locked.bits), static_cast<uint32_t>(locked.pitch),
                     desc.width, desc.height, pixels);
        surface->UnlockRect();
        return pixels.at(static_cast<size_t>(y) * desc.width + x);
    }

    std::shared_ptr<RecordingSetup> setup = std::make_shared<RecordingSetup>();
    std::unique_ptr<Device> device;
    kvtest::TempDirectory folder;
};

TEST_F(ImageServicesTest, BackBufferSavedInEveryFormatReadsBackWithItsColours) {
    // Left half red, right half blue: a clear of two viewports.
    device->SetViewport(Viewport{0, 0, 32, 32, 0, 1});
    device->Clear(ClearFlags::Target, 0xFFFF0000u, 1, 0);
    device->SetViewport(Viewport{32, 0, 32, 32, 0, 1});
    device->Clear(ClearFlags::Target, 0xFF0000FFu, 1, 0);
    std::unique_ptr<Surface> backBuffer;
    ASSERT_EQ(device->GetBackBuffer(0, backBuffer), Result::Ok);

    for (ImageFileFormat format : {ImageFileFormat::Bmp, ImageFileFormat::Jpg, ImageFileFormat::Tga,
                                   ImageFileFormat::Png, ImageFileFormat::Dds}) {
        SCOPED_TRACE(static_cast<int>(format));
        const auto path = folder.Path() / ("shot" + std::to_string(static_cast<int>(format)));
        ASSERT_EQ(SaveSurfaceToFile(path, format, *backBuffer), Result::Ok);
        const std::vector<std::byte> file = ReadFile(path);
        ImageInfo info;
        ASSERT_EQ(GetImageInfoFromFileInMemory(file, info), Result::Ok);
        EXPECT_EQ(info.width, 64u);
        EXPECT_EQ(info.height, 32u);
        EXPECT_EQ(info.fileFormat, format);
        std::unique_ptr<Texture> texture;
        ASSERT_EQ(CreateTextureFromFileInMemoryEx(*device, file, TextureLoadOptions{}, nullptr, texture), Result::Ok);
        const uint32_t left = PixelAt(*texture, 8, 16), right = PixelAt(*texture, 56, 16);
        // JPEG is lossy: compare channels within a margin.
        EXPECT_GT((left >> 16) & 0xFF, 240u);
        EXPECT_LT(left & 0xFF, 16u);
        EXPECT_GT(right & 0xFF, 240u);
        EXPECT_LT((right >> 16) & 0xFF, 16u);
        EXPECT_EQ(left >> 24, 0xFFu);
    }
}

using kvtest::AppendDxt1Block;
using kvtest::DdsHeader;

TEST_F(ImageServicesTest, DxtFilesDecodeAndKeepTheirFormatOnlyWhenAsked) {
    std::vector<std::byte> file = DdsHeader(4, 4, 1, static_cast<uint32_t>(Format::Dxt1), 0);
    AppendDxt1Block(file);

    std::unique_ptr<Texture> converted;
    ASSERT_EQ(CreateTextureFromFileInMemoryEx(*device, file, TextureLoadOptions{1}, nullptr, converted), Result::Ok);
    SurfaceDesc desc;
    converted->GetLevelDesc(0, desc);
    EXPECT_EQ(desc.format, Format::A8R8G8B8);
    EXPECT_EQ(PixelAt(*converted, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(*converted, 1, 0), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(*converted, 2, 0), 0xFFAA0055u);

    TextureLoadOptions keep{1};
    keep.format = Format::FromFile;
    std::unique_ptr<Texture> kept;
    ASSERT_EQ(CreateTextureFromFileInMemoryEx(*device, file, keep, nullptr, kept), Result::Ok);
    kept->GetLevelDesc(0, desc);
    EXPECT_EQ(desc.format, Format::Dxt1);
    EXPECT_EQ(PixelAt(*kept, 3, 0), 0xFF550000u | 0xAAu);
}

TEST_F(ImageServicesTest, MipSkipStartsAtALowerLevelAndCubeFilesNeedAllFaces) {
    // 8 x 8 with 4 levels: 4 + 1 + 1 + 1 blocks.
    std::vector<std::byte> file = DdsHeader(8, 8, 4, static_cast<uint32_t>(Format::Dxt1), 0);
    for (int i = 0; i < 7; ++i) AppendDxt1Block(file);
    TextureLoadOptions options;
    options.mipSkip = 2;
    std::unique_ptr<Texture> texture;
    ImageInfo info;
    ASSERT_EQ(CreateTextureFromFileInMemoryEx(*device, file, options, &info, texture), Result::Ok);
    SurfaceDesc desc;
    texture->GetLevelDesc(0, desc);
    EXPECT_EQ(desc.width, 2u);
    EXPECT_EQ(info.width, 8u);  // the file's own size

    std::vector<std::byte> cube = DdsHeader(4, 4, 1, static_cast<uint32_t>(Format::Dxt1), 0x200 | 0xFC00);
    for (int i = 0; i < 6; ++i) AppendDxt1Block(cube);
    std::unique_ptr<CubeTexture> cubeTexture;
    ASSERT_EQ(CreateCubeTextureFromFileInMemoryEx(*device, cube, TextureLoadOptions{}, &info, cubeTexture), Result::Ok);
    EXPECT_EQ(info.resourceType, ResourceType::CubeTexture);
    cube.pop_back();
    EXPECT_EQ(CreateCubeTextureFromFileInMemoryEx(*device, cube, TextureLoadOptions{}, &info, cubeTexture), Result::Fail);
    std::vector<std::byte> fiveFaces = DdsHeader(4, 4, 1, static_cast<uint32_t>(Format::Dxt1), 0x200 | 0x7C00);
    for (int i = 0; i < 6; ++i) AppendDxt1Block(fiveFaces);
    EXPECT_FALSE(ReadDdsFile(fiveFaces));
}

TEST_F(ImageServicesTest, DamagedAndOversizedFilesFail) {
    std::vector<std::byte> truncated = DdsHeader(4, 4, 1, static_cast<uint32_t>(Format::Dxt1), 0);
    std::vector<std::byte> huge = DdsHeader(kMaxImageEdge + 1, 4, 1, static_cast<uint32_t>(Format::Dxt1), 0);
    std::vector<std::byte> tooManyLevels = DdsHeader(4, 4, 9, static_cast<uint32_t>(Format::Dxt1), 0);
    std::vector<std::byte> garbage(40, std::byte{0x42});
    for (const auto* file : {&truncated, &huge, &tooManyLevels, &garbage}) {
        ImageInfo info;
        std::unique_ptr<Texture> texture;
        EXPECT_EQ(GetImageInfoFromFileInMemory(*file, info), Result::Fail);
        EXPECT_EQ(CreateTextureFromFileInMemoryEx(*device, *file, TextureLoadOptions{}, nullptr, texture), Result::Fail);
        EXPECT_EQ(texture, nullptr);
    }
}

TEST_F(ImageServicesTest, ColourKeyMakesMatchingPixelsTransparentAndMipsAreAveraged) {
    const std::vector<uint32_t> pixels = {0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    const auto path = folder.Path() / "key.png";
    ASSERT_TRUE(EncodeStandardImage(path, ImageFileFormat::Png, pixels, 2, 2, false));
    TextureLoadOptions options;
    options.colorKey = 0xFF000000u;
    std::unique_ptr<Texture> texture;
    ASSERT_EQ(CreateTextureFromFileInMemoryEx(*device, ReadFile(path), options, nullptr, texture), Result::Ok);
    EXPECT_EQ(PixelAt(*texture, 0, 0), 0u);
    EXPECT_EQ(PixelAt(*texture, 1, 0), 0xFFFFFFFFu);
    ASSERT_EQ(texture->GetLevelCount(), 2u);
    auto small = texture->GetSurfaceLevel(1);
    LockedRect locked;
    small->LockRect(locked, nullptr, LockFlags::ReadOnly);
    EXPECT_EQ(*static_cast<uint32_t*>(locked.bits), 0xBFBFBFBFu);
    small->UnlockRect();
}

// A texture from a file may give its pixels up once a device holds them (the OpenGL device does); one that
// is written again (dynamic) keeps them. Given up, the pixels read as zeroes and the version stays, so the
// device's copy stays current; a lock makes the bytes again.
TEST_F(ImageServicesTest, PicturesFromFilesMayGiveUpTheirPixelsOnceHeld) {
    const std::vector<uint32_t> pixels(16, 0xFF336699u);
    const auto path = folder.Path() / "plain.png";
    ASSERT_TRUE(EncodeStandardImage(path, ImageFileFormat::Png, pixels, 4, 4, false));
    TextureLoadOptions options;
    options.mipLevels = 1;
    std::unique_ptr<Texture> texture;
    ASSERT_EQ(CreateTextureFromFileInMemoryEx(*device, ReadFile(path), options, nullptr, texture), Result::Ok);
    auto& memory = dynamic_cast<MemoryTexture&>(*texture);
    EXPECT_TRUE(memory.ReleasesPixelsOnceHeld());
    options.usage = Usage::Dynamic;
    std::unique_ptr<Texture> dynamic;
    ASSERT_EQ(CreateTextureFromFileInMemoryEx(*device, ReadFile(path), options, nullptr, dynamic), Result::Ok);
    EXPECT_FALSE(dynamic_cast<MemoryTexture&>(*dynamic).ReleasesPixelsOnceHeld());

    PixelImage& image = *memory.GetLevel(0);
    const uint64_t version = PixelImage::Reader(image).Version();
    image.ReleaseBytes();
    EXPECT_FALSE(image.HasBytes());
    EXPECT_EQ(PixelImage::Reader(image).Version(), version);
    EXPECT_EQ(PixelAt(*texture, 1, 1), 0u);
    EXPECT_TRUE(image.HasBytes());
}

}  // namespace
}  // namespace platform::gfx

namespace platform::gfx {
namespace {

// JPEG files whose huffman tables declare more than 256 codes would make the image library write past its
// tables; they are refused before it reads them (also behind fill bytes before the start marker).
TEST(ImageFileGuardTest, JpegWithOversizedHuffmanTablesIsRefused) {
    for (const char* name : {"jpeg_huffman_overflow.jpg", "jpeg_fill_bytes_huffman_overflow.jpg"}) {
        SCOPED_TRACE(name);
        const std::vector<std::byte> file =
            ReadFile(std::filesystem::path(KV_SOURCE_DIR) / "tests/fuzz/corpus/image_files" / name);
        ASSERT_FALSE(file.empty());
        ImageInfo info;
        EXPECT_EQ(GetImageInfoFromFileInMemory(file, info), Result::Fail);
        EXPECT_FALSE(DecodeStandardImage(file));
    }
    const std::vector<std::byte> photo = ReadFile(std::filesystem::path(KV_SOURCE_DIR) / "tests/fuzz/corpus/image_files/photo.jpg");
    EXPECT_TRUE(DecodeStandardImage(photo));
}

// The image library keeps its huffman tables in memory it never clears: a scan that names a table no segment
// defined (here the photo's first component names DC and AC table 2) would decode from that memory. Refused.
TEST(ImageFileGuardTest, JpegScanNamingAnUndefinedHuffmanTableIsRefused) {
    const std::filesystem::path corpus = std::filesystem::path(KV_SOURCE_DIR) / "tests/fuzz/corpus/image_files";
    const std::vector<std::byte> file = ReadFile(corpus / "jpeg_scan_names_undefined_table.jpg");
    ASSERT_FALSE(file.empty());
    ImageInfo info;
    EXPECT_EQ(GetImageInfoFromFileInMemory(file, info), Result::Fail);
    EXPECT_FALSE(DecodeStandardImage(file));
}

}  // namespace
}  // namespace platform::gfx

namespace platform::gfx {
namespace {

// A PNG chunk whose declared length passes the end of the file would make the image library allocate that length
// (gigabytes) before it finds the bytes missing; such files are refused, whole ones still decode.
TEST(ImageFileGuardTest, PngWithAChunkLongerThanTheFileIsRefused) {
    const std::filesystem::path corpus = std::filesystem::path(KV_SOURCE_DIR) / "tests/fuzz/corpus/image_files";
    const std::vector<std::byte> forged = ReadFile(corpus / "png_forged_chunk_length.png");
    ASSERT_FALSE(forged.empty());
    ImageInfo info;
    EXPECT_EQ(GetImageInfoFromFileInMemory(forged, info), Result::Fail);
    EXPECT_FALSE(DecodeStandardImage(forged));

    std::vector<std::byte> whole = ReadFile(corpus / "alpha.png");
    ASSERT_TRUE(DecodeStandardImage(whole));
    // Its data chunk claims one byte more than the file holds after the chunk's length field.
    const std::string text(reinterpret_cast<const char*>(whole.data()), whole.size());
    const size_t data = text.find("IDAT");
    ASSERT_NE(data, std::string::npos);
    const size_t claim = whole.size() - (data - 4) - 12 + 1;
    for (size_t i = 0; i < 4; ++i) whole[data - 4 + i] = static_cast<std::byte>(claim >> (24 - 8 * i));
    EXPECT_EQ(GetImageInfoFromFileInMemory(whole, info), Result::Fail);
    EXPECT_FALSE(DecodeStandardImage(whole));
}

}  // namespace
}  // namespace platform::gfx
