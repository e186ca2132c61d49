#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "GraphicsItems.h"
#include "QuillLib/resource/D3D9Texture.h"
#include "ResourceTestSupport.h"
#include "TestResourceDevice.h"
#include "platform/gfx/MemoryTexture.h"

namespace quill {
namespace {

namespace gfx = platform::gfx;

class TextureTest : public ::testing::Test {
protected:
    size_t Created() { return device_.Setup().log.Count("CreateTexture("); }

    // An empty texture of the given size on the test device.
    SharedPtr<Texture> EmptyTexture(uint32_t width, uint32_t height, const TextureSettings& settings = {}) {
        SharedPtr<Texture> texture = quill::make_shared<D3D9TextureItem>(&device_, u"", settings);
        texture->SetWidth(width);
        texture->SetHeight(height);
        return texture;
    }

    static gfx::SurfaceDesc TopLevel(const Texture& texture) {
        gfx::SurfaceDesc desc;
        static_cast<gfx::Texture*>(texture.GetDeviceTexture())->GetLevelDesc(0, desc);
        return desc;
    }

    resource_test::TestResourceDevice device_;
};

TEST_F(TextureTest, CountedAcquiresShareOneDeviceTextureThatFollowsLossAndReset) {
    SharedPtr<Texture> texture = resource_test::MakeTexture(resource_test::MakeBmp(4, 2, 0x112233), 4, 2);
    EXPECT_TRUE(texture->Release(false));  // never acquired: nothing to do
    EXPECT_FALSE(texture->Acquire(false)) << "no device yet";
    EXPECT_FALSE(texture->IsInUse());

    texture->SetDevice(&device_);
    ASSERT_TRUE(texture->Acquire(false));
    ASSERT_TRUE(texture->Acquire(false));
    EXPECT_EQ(Created(), 1u);
    EXPECT_EQ(device_.live.count(texture.get()), 1u);
    EXPECT_EQ(TopLevel(*texture).width, 4u);
    EXPECT_EQ(texture->settings.format, static_cast<uint32_t>(gfx::Format::A8R8G8B8));

    // Loss drops the device texture but keeps the count and the registration; the reset makes a new one.
    device_.LoseDevice();
    EXPECT_EQ(texture->GetDeviceTexture(), nullptr);
    EXPECT_TRUE(texture->IsInUse());
    device_.ResetDevice();
    ASSERT_NE(texture->GetDeviceTexture(), nullptr);
    EXPECT_EQ(Created(), 2u);
    EXPECT_EQ(device_.live.count(texture.get()), 1u);

    ASSERT_TRUE(texture->Release(false));
    EXPECT_NE(texture->GetDeviceTexture(), nullptr);
    ASSERT_TRUE(texture->Release(false));
    EXPECT_EQ(texture->GetDeviceTexture(), nullptr);
    EXPECT_TRUE(device_.live.empty());

    // A failed creation leaves the count as it was.
    device_.Setup().Script("CreateTexture", gfx::Result::OutOfVideoMemory);
    EXPECT_FALSE(texture->Acquire(false));
    EXPECT_FALSE(texture->IsInUse());
    EXPECT_TRUE(device_.live.empty());
}

TEST_F(TextureTest, SettingsChooseSizePoolUsageAndFormat) {
    // Without image bytes: an empty managed texture of the current image's size with generated mip levels.
    SharedPtr<Texture> empty = EmptyTexture(16, 8);
    ASSERT_TRUE(empty->Acquire(false));
    EXPECT_EQ(TopLevel(*empty).pool, gfx::Pool::Managed);
    EXPECT_EQ(TopLevel(*empty).width, 16u);
    EXPECT_NE(TopLevel(*empty).usage & gfx::Usage::AutoGenMipmap, 0u);

    TextureSettings target;
    target.renderTarget = 1;
    target.format = static_cast<uint32_t>(gfx::Format::R5G6B5);
    SharedPtr<Texture> renderTarget = EmptyTexture(8, 8, target);
    ASSERT_TRUE(renderTarget->Acquire(false));
    EXPECT_EQ(TopLevel(*renderTarget).pool, gfx::Pool::Default);
    EXPECT_EQ(TopLevel(*renderTarget).format, gfx::Format::A8R8G8B8);
    EXPECT_NE(TopLevel(*renderTarget).usage & gfx::Usage::RenderTarget, 0u);
    EXPECT_TRUE(renderTarget->SetAsRenderTarget());

    SharedPtr<Texture> image = resource_test::MakeTexture(resource_test::MakeBmp(2, 2, 0x445566), 2, 2);
    image->settings.poolKind = 2;
    image->SetDevice(&device_);
    ASSERT_TRUE(image->Acquire(false));
    EXPECT_EQ(TopLevel(*image).pool, gfx::Pool::SystemMem);

    // A bump map needs the device's bump mapping; images held compressed are inflated for the device.
    SharedPtr<Texture> bump = resource_test::MakeTexture(resource_test::MakeBmp(2, 2, 0x808080), 2, 2, true);
    bump->settings.bumpMap = 1;
    bump->SetDevice(&device_);
    device_.bumpMapping = 0;
    EXPECT_FALSE(bump->Acquire(false));
    device_.bumpMapping = 1;
    EXPECT_TRUE(bump->Acquire(false));
}

TEST_F(TextureTest, ImageKeysAboveThePreferredOneAreKeptButNotCurrent) {
    TextureSettings settings;
    settings.preferredKey = 2;
    D3D9TextureItem texture(&device_, u"", settings);
    EXPECT_EQ(texture.GetImageCount(), 1);  // the empty image a new texture starts with
    ASSERT_TRUE(texture.AddImage(1, 4, 0));
    ASSERT_TRUE(texture.AddImage(3, 4, 0));
    EXPECT_EQ(texture.GetCurrentKey(), 1);
    EXPECT_EQ(texture.GetImageCount(), 3);
    EXPECT_EQ(texture.GetImageKeyAt(2), 3);
    texture.SetImageName(u"seven", 7);  // made on demand
    EXPECT_EQ(texture.GetImage(7)->name, u"seven");
    texture.ClearImages();
    EXPECT_EQ(texture.GetImageCount(), 0);
    EXPECT_FALSE(texture.HasImageData());
}

TEST_F(TextureTest, BindSetsTheStageAddressingAndAlphaMode) {
    SharedPtr<Texture> texture = EmptyTexture(4, 4);
    texture->settings.addressU = 2;
    texture->settings.addressV = 1;
    texture->settings.alphaMode = 2;
    ASSERT_TRUE(texture->Bind(3));
    EXPECT_TRUE(texture->IsInUse());
    EXPECT_EQ(device_.addresses.back(), (std::vector<uint32_t>{3, 2, 1}));
    EXPECT_EQ(device_.alphaModes.back(), 1);
    texture->settings.alphaMode = 5;
    EXPECT_FALSE(texture->Bind(0));
}

TEST_F(TextureTest, SurfacesCopyOnlyBetweenThirtyTwoBitFormats) {
    auto made = [this](gfx::Format format) {
        TextureSettings settings;
        settings.format = static_cast<uint32_t>(format);
        settings.poolKind = 2;
        SharedPtr<Texture> texture = EmptyTexture(4, 4, settings);
        EXPECT_TRUE(texture->Acquire(false));
        return texture;
    };
    SharedPtr<Texture> opaque = made(gfx::Format::X8R8G8B8);
    SharedPtr<Texture> target = made(gfx::Format::A8R8G8B8);
    SharedPtr<Texture> narrow = made(gfx::Format::R5G6B5);
    auto* source = static_cast<gfx::MemoryTexture*>(opaque->GetDeviceTexture());
    gfx::LockedRect pixels;
    ASSERT_TRUE(gfx::Succeeded(source->LockRect(0, pixels, nullptr, 0)));
    static_cast<uint32_t*>(pixels.bits)[0] = 0x00123456;
    source->UnlockRect(0);

    std::unique_ptr<DeviceTexture> from = opaque->GetSurface(0);
    std::unique_ptr<DeviceTexture> to = target->GetSurface(0);
    EXPECT_EQ(to->GetWidth(), 4);
    ASSERT_TRUE(to->CopyFrom(1, 0, 8, 8, *from, 0, 0));  // cut at the surfaces' edges
    ASSERT_TRUE(gfx::Succeeded(static_cast<gfx::MemoryTexture*>(target->GetDeviceTexture())->LockRect(0, pixels, nullptr, 0)));
    EXPECT_EQ(static_cast<uint32_t*>(pixels.bits)[1], 0xFF123456u);
    EXPECT_EQ(static_cast<uint32_t*>(pixels.bits)[0], 0u);
    static_cast<gfx::MemoryTexture*>(target->GetDeviceTexture())->UnlockRect(0);
    EXPECT_FALSE(narrow->GetSurface(0)->CopyFrom(0, 0, 2, 2, *from, 0, 0));
    EXPECT_EQ(quill::make_shared<D3D9TextureItem>(&device_, u"", TextureSettings{})->GetSurface(0)->GetWidth(), -1);
}

TEST_F(TextureTest, PackagesLoadWithoutADeviceAndTakeOneLater) {
    kvtest::TempDirectory folder;
    auto original = resource_test::MakeFile(u"Table");
    resource_test::AddGraphicsItems(*original);
    MemoryStream bytes = resource_test::WritePackage({original.get()});
    resource_test::WriteFileBytes(folder.Path() / "table.tpk", resource_test::ToBytes(bytes));

    ResourceManager manager;
    manager.SetRootFolder(folder.Wide());
    Package* package = manager.OpenPackage(u"table", true);
    ASSERT_NE(package, nullptr);
    ResourceFile* file = package->FindLoadedFile(u"table");
    ASSERT_NE(file, nullptr);
    SharedPtr<Texture> texture = file->FindTexture(0);
    EXPECT_FALSE(texture->Acquire(false));

    manager.SetRenderDevice(&device_);
    ASSERT_TRUE(texture->Acquire(false));
    ASSERT_TRUE(file->FindTexture(1)->Acquire(false));
    EXPECT_EQ(device_.live.size(), 2u);
    package->ReleaseTextures();
    EXPECT_TRUE(device_.live.empty());
    EXPECT_EQ(texture->GetDeviceTexture(), nullptr);
    EXPECT_EQ(file->GetTextureTable()->GetCount(), 2u);
    manager.SetRenderDevice(nullptr);
    manager.Shutdown();
}

// A picture read from a package file keeps no copy of its bytes in memory: they are read again from the file
// whenever they are needed, for a device texture (again after a release) or for a caller of the data.
TEST_F(TextureTest, PicturesFromPackageFilesReadTheirBytesFromTheFileWhenNeeded) {
    kvtest::TempDirectory folder;
    auto original = resource_test::MakeFile(u"Table");
    resource_test::AddGraphicsItems(*original);
    MemoryStream bytes = resource_test::WritePackage({original.get()});
    resource_test::WriteFileBytes(folder.Path() / "table.tpk", resource_test::ToBytes(bytes));
    const SharedPtr<Texture> source = original->FindTexture(0);
    const MemoryStream& sourceData = *source->GetImageData(source->GetCurrentKey());
    const std::vector<std::byte> expected(reinterpret_cast<const std::byte*>(sourceData.Data()),
                                          reinterpret_cast<const std::byte*>(sourceData.Data()) +
                                              const_cast<MemoryStream&>(sourceData).Size());

    ResourceManager manager;
    manager.SetRootFolder(folder.Wide());
    Package* package = manager.OpenPackage(u"table", true);
    ASSERT_NE(package, nullptr);
    SharedPtr<Texture> texture = package->FindLoadedFile(u"table")->FindTexture(0);
    TextureImage& image = *texture->GetCurrentImage();
    ASSERT_TRUE(image.source.has_value());
    EXPECT_EQ(image.data.Size(), 0u);

    manager.SetRenderDevice(&device_);
    ASSERT_TRUE(texture->Acquire(false));
    EXPECT_EQ(image.data.Size(), 0u);  // the device holds the picture
    EXPECT_TRUE(texture->HasImageData());
    ASSERT_TRUE(texture->Release(false));
    ASSERT_TRUE(texture->Acquire(false));  // made again from the file's bytes
    EXPECT_EQ(Created(), 2u);
    EXPECT_EQ(image.data.Size(), 0u);

    // A device that gave the pixels up gets them back, decoded again from the file, at the next lock.
    auto& pixels = dynamic_cast<gfx::MemoryTexture&>(*texture->GetDeviceTexture());
    gfx::LockedRect before;
    ASSERT_EQ(pixels.LockRect(0, before, nullptr, gfx::LockFlags::ReadOnly), gfx::Result::Ok);
    const uint32_t firstPixel = *static_cast<const uint32_t*>(before.bits);
    pixels.UnlockRect(0);
    pixels.ReleasePixels();
    EXPECT_FALSE(pixels.GetLevel(0)->HasBytes());
    gfx::LockedRect after;
    ASSERT_EQ(pixels.LockRect(0, after, nullptr, gfx::LockFlags::ReadOnly), gfx::Result::Ok);
    EXPECT_EQ(*static_cast<const uint32_t*>(after.bits), firstPixel);
    pixels.UnlockRect(0);

    MemoryStream& again = *texture->GetImageData(texture->GetCurrentKey());
    ASSERT_EQ(again.Size(), expected.size());
    EXPECT_EQ(std::memcmp(again.Data(), expected.data(), expected.size()), 0);
    texture->Release(false);
    manager.SetRenderDevice(nullptr);
    manager.Shutdown();
}

}  // namespace
}  // namespace quill
