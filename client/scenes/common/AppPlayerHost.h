#pragma once
// The player windows' host on the App: its connection's player, requests and tournament record, its event
// queue, its scene manager's current screen and notice box, its settings and "config.ini", its device's
// brightness and its frame clock.
//
// Threads: see the table in client/app/Scene.h.
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/PlayerHost.h"

namespace kestrovan {

class ScreenServices;

class AppPlayerHost : public PlayerHost {
public:
    explicit AppPlayerHost(ScreenServices& app);

    quill::PlayerState& Player() override;
    RequestSender& Requests() override { return requests_; }
    void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) override;
    void ShowNoticeBox(quill::WStringView line0, quill::WStringView line1, quill::WStringView line2) override;
    Widget* CurrentScreen() override;
    TournamentRecord Tournament() override;
    Settings& AppSettings() override;
    bool SaveSettings() override;
    void SendOptionsToServer() override;
    void ApplyGameOptions(const Settings& settings) override;
    void SetBrightness(float brightness) override;
    int32_t MeasuredFrameRate() override;
    std::vector<DisplayModeGroup> DisplayModes() override;

private:
    ScreenServices& app_;
    ConnectionRequestSender requests_;
};

}  // namespace kestrovan
