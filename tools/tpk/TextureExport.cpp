#include "tools/tpk/TextureExport.h"

#include <memory>

#include "platform/gfx/ImageServices.h"
#include "platform/gfx/headless/RecordingDevice.h"

namespace tpk {
namespace {

namespace gfx = platform::gfx;

// The image file's bytes, inflated when the texture holds them compressed.
bool ImageBytes(const quill::Texture& texture, const quill::TextureImage& image, quill::MemoryStream& bytes) {
    if (!texture.settings.keepCompressed) {
        bytes = image.data;
        return true;
    }
    return bytes.Allocate(image.uncompressedSize) && image.data.UncompressTo(bytes);
}

}  // namespace

bool ExportTexturePng(const quill::Texture& texture, uint16_t key, const std::filesystem::path& path,
                      std::string& error) {
    const quill::TextureImage* image = texture.GetImage(key);
    quill::MemoryStream bytes;
    if (!image || const_cast<quill::MemoryStream&>(image->data).Size() == 0) {
        error = "the texture holds no image under key " + std::to_string(key);
        return false;
    }
    if (!ImageBytes(texture, *image, bytes)) {
        error = "the image's compressed bytes are damaged";
        return false;
    }
    auto setup = std::make_shared<gfx::RecordingSetup>();
    setup->log.SetEnabled(false);
    setup->adapter.caps.maxTextureWidth = gfx::kMaxImageEdge;
    setup->adapter.caps.maxTextureHeight = gfx::kMaxImageEdge;
    gfx::RecordingDevice device(setup, gfx::PresentParameters{});
    gfx::TextureLoadOptions options;
    options.mipLevels = 1;
    options.pool = gfx::Pool::SystemMem;
    std::unique_ptr<gfx::Texture> decoded;
    const std::span<const std::byte> file(reinterpret_cast<const std::byte*>(bytes.Data()), bytes.Size());
    if (!gfx::Succeeded(gfx::CreateTextureFromFileInMemoryEx(device, file, options, nullptr, decoded))) {
        error = "the image does not decode as a plain texture";
        return false;
    }
    const std::unique_ptr<gfx::Surface> surface = decoded->GetSurfaceLevel(0);
    if (!surface || !gfx::Succeeded(gfx::SaveSurfaceToFile(path, gfx::ImageFileFormat::Png, *surface))) {
        error = path.string() + ": cannot be written";
        return false;
    }
    return true;
}

}  // namespace tpk
