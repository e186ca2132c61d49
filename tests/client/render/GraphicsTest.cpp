// The graphics layer inside the engine: the device object at start, the platform device when asked, display
// modes carried over, and the device handed to the resource manager.
#include <gtest/gtest.h>

#include "QuillLib/resource/ResourceManager.h"
#include "tests/support/gfx/TestEngineFactory.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;

using RecordingFactory = kvtest::TestEngineFactory;

TEST(GraphicsTest, EngineStartCreatesTheDeviceWhenAskedAndHandsItToTheResources) {
    RecordingFactory factory(true);
    auto engine = factory.CreateEngine();
    auto& graphics = static_cast<Graphics&>(*engine->GetGraphics());
    DisplayMode mode;
    mode.width = 1024;
    graphics.SetDisplayMode(mode);  // before the device exists: kept for it
    ASSERT_TRUE(engine->Initialize());
    ASSERT_NE(graphics.GetDevice(), nullptr);
    EXPECT_NE(graphics.GetDevice()->GetGfxDevice(), nullptr);
    EXPECT_EQ(graphics.GetDevice()->GetDisplayMode().width, 1024);
    EXPECT_EQ(engine->GetResourceManager()->GetRenderDevice(), graphics.GetDevice());
    engine->SetFramesActive(false);
    EXPECT_EQ(graphics.GetDevice()->active, 0);

    factory.setup->Script("CreateDevice", gfx::Result::Fail);
    EXPECT_EQ(graphics.ApplyDisplayMode(), DeviceResult::CreateDeviceFailed);
    EXPECT_EQ(graphics.GetDevice()->GetGfxDevice(), nullptr);
}

TEST(GraphicsTest, WithoutCreateAtStartTheFirstApplyCreatesAndASecondStartReplacesTheDevice) {
    RecordingFactory factory(false);
    auto engine = factory.CreateEngine();
    auto& graphics = static_cast<Graphics&>(*engine->GetGraphics());
    ASSERT_TRUE(engine->Initialize());
    D3D9RenderDevice* first = graphics.GetDevice();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetGfxDevice(), nullptr);
    EXPECT_EQ(graphics.ApplyDisplayMode(), DeviceResult::Ok);
    EXPECT_NE(first->GetGfxDevice(), nullptr);
    ASSERT_TRUE(graphics.Initialize());
    EXPECT_NE(graphics.GetDevice(), nullptr);
    EXPECT_EQ(graphics.GetDevice()->GetGfxDevice(), nullptr);
    graphics.Shutdown();
    EXPECT_FALSE(graphics.HasDevice());
    EXPECT_EQ(engine->GetResourceManager()->GetRenderDevice(), nullptr);
}

}  // namespace
}  // namespace kestrovan
