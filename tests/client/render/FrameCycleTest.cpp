// The frame cycle: a lost device waits, a device ready for reset is reset with every registered texture,
// font and text page released and made again; presents retry while still drawing; clears follow the colour.
#include <gtest/gtest.h>

#include "QuillLib/render/TextEntry.h"
#include "QuillLib/resource/LiveTexture.h"
#include "tests/support/gfx/RecordingDeviceFixture.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;

class CountingTexture : public quill::LiveTexture {
public:
    bool Acquire(bool force) override {
        acquires += force;
        return true;
    }
    bool Release(bool force) override {
        releases += force;
        return true;
    }
    int acquires = 0;
    int releases = 0;
};

class FrameCycleTest : public kvtest::RecordingDeviceFixture {
protected:
    void SetUp() override { CreateDevice(); }
};

TEST_F(FrameCycleTest, LostDeviceWaitsAndAResetRestoresTexturesFontsAndText) {
    CountingTexture texture;
    device->RegisterTexture(texture);
    FontEntry* font = device->GetFont(u"Arial", 14, 400, false);
    ASSERT_NE(font, nullptr);
    device->Begin2D();
    quill::TextSurface* surface = device->GetTextSurface(u"Arial", 14, 400, false, 0);
    ASSERT_NE(surface, nullptr);
    quill::TextEntry entry(*surface);
    entry.SetText(u"Score");
    ASSERT_TRUE(entry.Draw(0, 0));
    EXPECT_FALSE(entry.dirty);

    setup->Script("TestCooperativeLevel", gfx::Result::DeviceLost);
    EXPECT_FALSE(device->BeginFrame());
    EXPECT_EQ(clock->Sleeps(), std::vector<uint32_t>{10});
    EXPECT_EQ(texture.releases, 0);

    setup->Script("TestCooperativeLevel", gfx::Result::DeviceNotReset);
    setup->Script("Reset", gfx::Result::OutOfVideoMemory);
    EXPECT_FALSE(device->BeginFrame());
    EXPECT_EQ(texture.releases, 1);
    EXPECT_EQ(texture.acquires, 0);  // nothing restored after a failed reset
    EXPECT_EQ(font->GetFont(), nullptr);

    setup->Script("TestCooperativeLevel", gfx::Result::DeviceNotReset);
    EXPECT_TRUE(device->BeginFrame());
    EXPECT_EQ(texture.releases, 2);
    EXPECT_EQ(texture.acquires, 1);
    EXPECT_NE(font->GetFont(), nullptr);
    EXPECT_TRUE(entry.dirty);  // drawn again into the page at the next draw
    EXPECT_EQ(device->GetTextureCount(), 1u);
    device->UnregisterTexture(texture);
}

TEST_F(FrameCycleTest, PresentRetriesWhileStillDrawingAndClearFollowsTheColourAlpha) {
    setup->Script("Present", gfx::Result::WasStillDrawing);
    setup->Script("Present", gfx::Result::WasStillDrawing);
    device->Present();
    EXPECT_EQ(setup->log.Count("Present("), 3u);
    EXPECT_EQ(clock->Sleeps(), (std::vector<uint32_t>{1, 1}));

    device->clearColor = 0x00FF0000;
    ASSERT_TRUE(device->BeginFrame());
    EXPECT_EQ(setup->log.Count("Clear(2,"), 1u) << setup->log.Text();  // depth only
    device->clearColor = 0xFF00FF00;
    ASSERT_TRUE(device->BeginFrame());
    EXPECT_EQ(setup->log.Count("Clear(3,"), 1u);

    device->active = 0;
    EXPECT_FALSE(device->BeginFrame());
}

TEST_F(FrameCycleTest, ResetReappliesDefaultsAndLeavesTheBrightnessCacheTrueToTheRamp) {
    device->SetBrightness(1.5f);
    gfx::GammaRamp ramp;
    Recording().GetGammaRamp(ramp);
    EXPECT_EQ(ramp.red[0], 0x7F00);
    setup->Script("TestCooperativeLevel", gfx::Result::DeviceNotReset);
    ASSERT_TRUE(device->CheckDevice());
    Recording().GetGammaRamp(ramp);
    EXPECT_EQ(ramp, gfx::GammaRamp::Identity());
    setup->log.Clear();
    device->SetBrightness(1.0f);  // the cache says 1.0 after the reset, and so does the ramp
    EXPECT_EQ(setup->log.Count("SetGammaRamp"), 0u);
    device->SetBrightness(0.5f);
    Recording().GetGammaRamp(ramp);
    EXPECT_EQ(ramp.red[127], 0x0000);  // 127 - 127.5 clamps to 0
    EXPECT_EQ(ramp.red[255], 0x7F00);
}

}  // namespace
}  // namespace kestrovan
