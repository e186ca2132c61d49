#pragma once
// A render device on the recording backend with a manual clock, for tests of anything that draws: the setup
// to script results and read the call log, the clock to move time, and the device created windowed.
#include <gtest/gtest.h>

#include <memory>

#include "client/render/D3D9RenderDevice.h"
#include "platform/gfx/headless/ManualClock.h"
#include "platform/gfx/headless/RecordingDevice.h"
#include "platform/gfx/headless/RecordingSystem.h"

namespace kvtest {

class RecordingDeviceFixture : public ::testing::Test {
protected:
    RecordingDeviceFixture() {
        auto ownedClock = std::make_unique<platform::gfx::ManualClock>();
        clock = ownedClock.get();
        device = std::make_unique<kestrovan::D3D9RenderDevice>(
            800, 600, std::make_unique<platform::gfx::RecordingSystem>(setup), std::move(ownedClock));
    }

    // Creates the platform device and forgets the calls creation made.
    void CreateDevice() {
        ASSERT_EQ(device->Create(), 0u) << setup->log.Text();
        setup->log.Clear();
    }

    platform::gfx::RecordingDevice& Recording() {
        return static_cast<platform::gfx::RecordingDevice&>(*device->GetGfxDevice());
    }

    std::shared_ptr<platform::gfx::RecordingSetup> setup = std::make_shared<platform::gfx::RecordingSetup>();
    platform::gfx::ManualClock* clock = nullptr;
    std::unique_ptr<kestrovan::D3D9RenderDevice> device;
};

}  // namespace kvtest
