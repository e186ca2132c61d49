#pragma once
// A game table for the fuzz targets that drive it: a host that answers like a 1024 x 768 window and keeps
// nothing, one camera standing in for every camera mode, and the HUD's widget toolkit ready before the table
// is made. One table lives for the whole run, as a screen's does.
#include <cstdint>

#include "QuillLib/math/Camera.h"
#include "client/table/GameTable.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableHost.h"
#include "client/table/TableHudValues.h"
#include "tests/support/table/TableFakes.h"

namespace kvfuzz {

class QuietHost : public kestrovan::TableHost {
public:
    uint16_t ClientWidth() const override { return 1024; }
    uint16_t ClientHeight() const override { return 768; }
    void PostEvent(uint32_t, uint32_t, uint32_t, uint32_t) override {}
    void ShowCursor(bool) override {}
    void SetMouseCapture(bool) override {}
    void ClipCursorToWindow(bool) override {}
    void GetCursorPosition(int32_t& x, int32_t& y) const override { x = y = 0; }
    void SetCursorPosition(int32_t, int32_t) override {}
    void RecentreRelativeMouse() override {}
    void ForgetEarlierMotion() override {}
    bool IsKeyDown(int) const override { return false; }
    bool IsAppActive() const override { return true; }
    bool IsTextInputFocused() const override { return false; }
    kestrovan::MouseSpeed GetMouseSpeed() const override { return {}; }
    void SetMouseSpeed(const kestrovan::MouseSpeed&) override {}
};

struct TableFixture {
    TableFixture() {
        camera.SetFrame({0.0f, -350.0f, 250.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f});
        table.Services().host = &host;
        for (uint32_t mode = 0; mode < kestrovan::CameraController::kModeCount; ++mode) {
            table.Cameras().GetCamera().SetCamera(mode, &camera);
        }
        table.Cameras().UpdateUnprojection();
        table.HudValues().LayoutHud(1024, 768);
    }
    // The table's HUD is a widget tree: a toolkit stands ready before the table is made.
    kestrovan::test::HudToolkit toolkit;
    QuietHost host;
    quill::Camera camera{u"fuzz"};
    kestrovan::GameTable table;
};

}  // namespace kvfuzz
