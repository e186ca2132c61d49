#include "client/scenes/common/AppPlayerHost.h"

#include "client/app/DisplayModes.h"
#include "client/app/FrameClock.h"
#include "client/app/Scene.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/connection/GameConnection.h"
#include "client/render/D3D9RenderDevice.h"

namespace kestrovan {

AppPlayerHost::AppPlayerHost(ScreenServices& app) : app_(app), requests_(*app.Connection()) {}

quill::PlayerState& AppPlayerHost::Player() {
    return app_.Connection()->LocalPlayer();
}

void AppPlayerHost::PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) {
    app_.PostEvent(id, wParam, lParam, extra);
}

void AppPlayerHost::ShowNoticeBox(quill::WStringView line0, quill::WStringView line1, quill::WStringView line2) {
    app_.Scenes().ShowNoticeBox(nullptr, line0, line1, line2);
}

Widget* AppPlayerHost::CurrentScreen() {
    return app_.Scenes().Current();
}

TournamentRecord AppPlayerHost::Tournament() {
    return app_.Connection()->Tournament();
}

Settings& AppPlayerHost::AppSettings() {
    return app_.GetSettingsMutable();
}

bool AppPlayerHost::SaveSettings() {
    return app_.GetSettings().SaveFile(app_.GetConfigPath());
}

void AppPlayerHost::SendOptionsToServer() {
    app_.SendOptionsToServer();
}

void AppPlayerHost::ApplyGameOptions(const Settings& settings) {
    app_.Scenes().ApplyEffectSettings(settings);
}

void AppPlayerHost::SetBrightness(float brightness) {
    if (!app_.IsFullScreen()) return;
    if (D3D9RenderDevice* device = app_.GetDevice()) device->SetBrightness(brightness);
}

int32_t AppPlayerHost::MeasuredFrameRate() {
    return app_.Clock().GetMeasuredRate();
}

std::vector<DisplayModeGroup> AppPlayerHost::DisplayModes() {
    return DisplayModeList();
}

}  // namespace kestrovan
