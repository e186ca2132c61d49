// Image files as packs hand them over: the header reader, plain and cube textures made from them with and
// without keeping the file's format, a colour key and dropped mip levels, all on a recording device.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/gfx/ImageServices.h"
#include "platform/gfx/headless/RecordingSystem.h"

namespace {

namespace gfx = platform::gfx;

// Larger images decode correctly but slowly; the fuzzer looks for faults, not for big pictures.
constexpr uint64_t kMaxFuzzPixels = 1u << 20;

gfx::Device& SharedDevice() {
    static std::unique_ptr<gfx::Device> device = [] {
        auto setup = std::make_shared<gfx::RecordingSetup>();
        setup->log.SetEnabled(false);
        gfx::RecordingSystem system(setup);
        std::unique_ptr<gfx::Device> created;
        system.CreateDevice(0, gfx::PresentParameters{}, created);
        return created;
    }();
    return *device;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::byte> file(reinterpret_cast<const std::byte*>(data), size);
    gfx::ImageInfo info;
    if (gfx::GetImageInfoFromFileInMemory(file, info) != gfx::Result::Ok ||
        static_cast<uint64_t>(info.width) * info.height > kMaxFuzzPixels) {
        return 0;
    }
    gfx::Device& device = SharedDevice();
    gfx::TextureLoadOptions options;
    options.mipSkip = size % 3;
    options.colorKey = size % 2 == 0 ? 0xFF000000u : 0;
    std::unique_ptr<gfx::Texture> texture;
    gfx::CreateTextureFromFileInMemoryEx(device, file, options, nullptr, texture);
    options.format = gfx::Format::FromFile;
    gfx::CreateTextureFromFileInMemoryEx(device, file, options, nullptr, texture);
    std::unique_ptr<gfx::CubeTexture> cube;
    gfx::CreateCubeTextureFromFileInMemoryEx(device, file, options, nullptr, cube);
    return 0;
}
