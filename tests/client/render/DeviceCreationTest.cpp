// Device creation: every result code from a refusing adapter leaves no device, the presentation parameters
// follow the display mode, and the mode list keeps the adapter's order.
#include <gtest/gtest.h>

#include "client/render/D3D9RenderDevice.h"
#include "tests/support/gfx/RecordingDeviceFixture.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;

class DeviceCreationTest : public kvtest::RecordingDeviceFixture {};

TEST_F(DeviceCreationTest, EachFailureGivesItsCodeAndLeavesNoDevice) {
    struct Case {
        const char* name;
        void (*refuse)(gfx::RecordingSetup&);
        uint32_t code;
    };
    const Case cases[] = {
        {"old runtime", [](gfx::RecordingSetup& s) { s.adapter.runtimeVersion = u"4.09.00.0903"; }, 2},
        {"no runtime version", [](gfx::RecordingSetup& s) { s.adapter.runtimeVersion.reset(); }, 2},
        {"caps", [](gfx::RecordingSetup& s) { s.Script("GetDeviceCaps", gfx::Result::Fail); }, 3},
        {"desktop mode", [](gfx::RecordingSetup& s) { s.Script("GetAdapterDisplayMode", gfx::Result::Fail); }, 4},
        {"render target", [](gfx::RecordingSetup& s) { s.adapter.refusedRenderTargets.insert(gfx::Format::X8R8G8B8); }, 5},
        {"device type", [](gfx::RecordingSetup& s) { s.Script("CheckDeviceType", gfx::Result::Fail); }, 6},
        {"depth", [](gfx::RecordingSetup& s) { s.adapter.mismatchedDepthFormats = {gfx::Format::D24S8, gfx::Format::D24X8, gfx::Format::D16}; }, 7},
        {"create", [](gfx::RecordingSetup& s) { s.Script("CreateDevice", gfx::Result::OutOfVideoMemory); }, 8},
        {"default states", [](gfx::RecordingSetup& s) { s.Script("SetRenderState", gfx::Result::Fail); }, 9},
        {"back buffer", [](gfx::RecordingSetup& s) { s.Script("GetBackBuffer", gfx::Result::Fail); }, 11},
        {"video memory", [](gfx::RecordingSetup& s) { s.adapter.videoMemoryQueryWorks = false; }, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto setup = std::make_shared<gfx::RecordingSetup>();
        c.refuse(*setup);
        D3D9RenderDevice refused(800, 600, std::make_unique<gfx::RecordingSystem>(setup), nullptr);
        refused.GetFont(u"Arial", 12, 400, false);
        EXPECT_EQ(refused.Create(), c.code);
        EXPECT_EQ(refused.GetGfxDevice(), nullptr);
        EXPECT_EQ(refused.GetFontCount(), 0u);
    }
    D3D9RenderDevice noRuntime(800, 600, nullptr, nullptr);
    EXPECT_EQ(noRuntime.Create(), 1u);
    EXPECT_EQ(device->Create(), 0u);
    EXPECT_NE(device->GetGfxDevice(), nullptr);
}

TEST_F(DeviceCreationTest, PresentationParametersFollowTheDisplayMode) {
    setup->adapter.caps.presentImmediate = false;
    DisplayMode mode;
    mode.fullscreen = 1;
    mode.bitsPerPixel = 16;
    mode.width = 1024;
    mode.height = 768;
    mode.refreshRate = 75;
    mode.multiSample = 1;
    mode.tripleBuffer = 1;
    device->SetDisplayMode(mode);
    CreateDevice();
    const gfx::PresentParameters& pp = device->GetPresentParameters();
    EXPECT_FALSE(pp.windowed);
    EXPECT_EQ(pp.backBufferFormat, gfx::Format::R5G6B5);
    EXPECT_EQ(pp.autoDepthStencilFormat, gfx::Format::D16);  // never 24-bit depth with a 16-bit back buffer
    EXPECT_EQ(pp.multiSampleType, 0u);                       // 1 means none
    EXPECT_EQ(pp.presentationInterval, gfx::PresentInterval::One);  // no immediate presentation on this adapter
    EXPECT_EQ(pp.backBufferCount, 2u);
    EXPECT_EQ(pp.fullScreenRefreshRate, 75u);
    EXPECT_EQ(device->multiSampleTypes, (std::vector<uint16_t>{2, 4}));
    EXPECT_EQ(device->GetBackBufferDesc().width, 1024u);

    device->SetDialogBoxMode(true);
    EXPECT_EQ(device->GetPresentParameters().flags, gfx::PresentFlags::LockableBackBuffer);
    const auto lines = setup->log.Lines();
    const auto reset = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("Reset("); });
    const auto mode_ = std::find(lines.begin(), lines.end(), "SetDialogBoxMode(1)");
    ASSERT_NE(reset, lines.end());
    EXPECT_LT(reset, mode_);  // on: reset first
    setup->log.Clear();
    device->SetDialogBoxMode(false);
    const auto after = setup->log.Lines();
    EXPECT_EQ(after.front(), "SetDialogBoxMode(0)");  // off: the mode call first
}

TEST_F(DeviceCreationTest, ModesListSixteenBitModesFirstInAdapterOrder) {
    setup->adapter.modes[gfx::Format::X8R8G8B8] = {{1024, 768, 60, gfx::Format::X8R8G8B8}, {800, 600, 75, gfx::Format::X8R8G8B8}};
    setup->adapter.modes[gfx::Format::R5G6B5] = {{640, 480, 60, gfx::Format::R5G6B5}};
    std::vector<AdapterMode> modes;
    ASSERT_TRUE(device->EnumerateModes(modes));
    EXPECT_EQ(modes, (std::vector<AdapterMode>{{640, 480, 16, 60}, {1024, 768, 32, 60}, {800, 600, 32, 75}}));

    CreateDevice();
    uint32_t memory[3] = {};
    ASSERT_TRUE(device->GetVideoMemory(memory));
    EXPECT_EQ(memory[0], setup->adapter.availableTextureMemory);
    EXPECT_EQ(memory[2], setup->adapter.freeVideoMemory);
}

}  // namespace
}  // namespace kestrovan
