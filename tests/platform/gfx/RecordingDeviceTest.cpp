// The recording device: what it logs, what scripts make it answer, and the memory it really keeps.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gfx/MemoryBuffer.h"
#include "platform/gfx/headless/RecordingBuffer.h"
#include "platform/gfx/headless/RecordingDevice.h"
#include "platform/gfx/headless/RecordingSystem.h"

namespace platform::gfx {
namespace {

class RecordingDeviceTest : public ::testing::Test {
protected:
    RecordingDeviceTest() {
        RecordingSystem system(setup);
        std::unique_ptr<Device> created;
        EXPECT_EQ(system.CreateDevice(0, PresentParameters{}, created), Result::Ok);
        device.reset(static_cast<RecordingDevice*>(created.release()));
        setup->log.Clear();
    }

    std::shared_ptr<RecordingSetup> setup = std::make_shared<RecordingSetup>();
    std::unique_ptr<RecordingDevice> device;
};

TEST_F(RecordingDeviceTest, ScriptedResultsAnswerInOrderThenTheUsualOne) {
    setup->Script("Present", Result::WasStillDrawing);
    setup->Script("Present", Result::DeviceLost);
    EXPECT_EQ(device->Present(true), Result::WasStillDrawing);
    EXPECT_EQ(device->Present(true), Result::DeviceLost);
    EXPECT_EQ(device->Present(true), Result::Ok);
    EXPECT_EQ(device->GetPresentCount(), 1u);
    EXPECT_EQ(setup->log.Count("Present(1)"), 3u);
}

TEST_F(RecordingDeviceTest, ClearFillsOnlyTheViewportOfTheRenderTarget) {
    device->Clear(ClearFlags::Target, 0xFF102030u, 1, 0);
    device->SetViewport(Viewport{10, 10, 4, 4, 0, 1});
    device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFFFFFFFFu, 1, 0);
    auto& image = *device->GetBackBufferSurface().GetImage();
    auto pixel = [&](uint32_t x, uint32_t y) {
        uint32_t value;
        std::memcpy(&value, image.UnguardedBytes().data() + y * image.GetPitch() + x * 4, 4);
        return value;
    };
    EXPECT_EQ(pixel(9, 9), 0xFF102030u);
    EXPECT_EQ(pixel(10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(13, 13), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(14, 13), 0xFF102030u);
    EXPECT_TRUE(setup->log.Contains("Clear(3, 4294967295, 1, 0)")) << setup->log.Text();
}

TEST_F(RecordingDeviceTest, BuffersLogTheirLocksAndKeepTheirBytes) {
    std::unique_ptr<VertexBuffer> buffer;
    ASSERT_EQ(device->CreateVertexBuffer(64, Usage::Dynamic, 0, Pool::Default, buffer), Result::Ok);
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(16, 8, &data, LockFlags::NoOverwrite), Result::Ok);
    std::memset(data, 0xAB, 8);
    EXPECT_EQ(buffer->Lock(0, 4, &data, 0), Result::InvalidCall);  // already locked
    buffer->Unlock();
    EXPECT_EQ(buffer->Lock(60, 8, &data, 0), Result::InvalidCall);  // past the end
    EXPECT_EQ(setup->log.Count("VertexBuffer.Lock(16, 8, 4096)"), 1u);
    EXPECT_EQ(std::to_integer<int>(static_cast<RecordingVertexBuffer&>(*buffer).Data()[16]), 0xAB);
}

// A device that copies a buffer to the hardware copies it again only after a lock that could write.
TEST(BufferBytesTest, WriteLocksCountUpTheVersionReadLocksDoNot) {
    BufferBytes bytes(BufferDesc{Format::Unknown, 0, Pool::Default, 32, 0});
    const uint64_t first = bytes.Version();
    void* data = nullptr;
    ASSERT_EQ(bytes.Lock(0, 8, &data, LockFlags::ReadOnly), Result::Ok);
    bytes.Unlock();
    EXPECT_EQ(bytes.Version(), first);
    ASSERT_EQ(bytes.Lock(0, 8, &data, LockFlags::Discard), Result::Ok);
    bytes.Unlock();
    EXPECT_EQ(bytes.Version(), first + 1);
    EXPECT_EQ(bytes.Lock(40, 8, &data, 0), Result::InvalidCall);
    EXPECT_EQ(bytes.Version(), first + 1);
}

TEST_F(RecordingDeviceTest, ResetResizesTheBackBufferAndRestoresDefaultsAndTheIdentityRamp) {
    GammaRamp ramp = GammaRamp::Identity();
    ramp.red[0] = 0x4000;
    device->SetGammaRamp(ramp);
    device->SetRenderState(RenderState::CullMode, Cull::None);
    PresentParameters parameters;
    parameters.backBufferWidth = 320;
    parameters.backBufferHeight = 200;
    ASSERT_EQ(device->Reset(parameters), Result::Ok);
    GammaRamp now;
    device->GetGammaRamp(now);
    EXPECT_EQ(now, GammaRamp::Identity());
    EXPECT_EQ(device->GetRenderState(RenderState::CullMode), 0u);
    EXPECT_EQ(device->GetBackBufferSurface().GetDesc().width, 320u);

    setup->Script("Reset", Result::OutOfVideoMemory);
    EXPECT_EQ(device->Reset(PresentParameters{}), Result::OutOfVideoMemory);
    EXPECT_EQ(device->GetBackBufferSurface().GetDesc().width, 320u);
}

TEST_F(RecordingDeviceTest, DisabledLogKeepsNothing) {
    setup->log.SetEnabled(false);
    device->SetFVF(0x42);
    device->DrawPrimitive(PrimitiveType::TriangleList, 0, 1);
    EXPECT_TRUE(setup->log.Lines().empty());
    EXPECT_EQ(device->GetFVF(), 0x42u);
}

}  // namespace
}  // namespace platform::gfx
