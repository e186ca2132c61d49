#pragma once
// The community windows' host on the App: its game connection, its scene manager's current screen and
// boxes, its event queue, its money format and the widget toolkit's sounds.
//
// Threads: see the table in client/app/Scene.h.
#include "client/scenes/community/CommunityHost.h"

namespace kestrovan {

class ScreenServices;

class AppCommunityHost : public CommunityHost {
public:
    explicit AppCommunityHost(ScreenServices& app) : app_(app) {}

    GameConnection& Connection() override;
    Scene* CurrentScene() override;
    void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) override;
    void ShowErrorBox(quill::WStringView line0, quill::WStringView line1) override;
    void ShowNoticeBox(quill::WStringView line0) override;
    NoticeBox* MessageBox() override;
    quill::WString FormatMoney(int64_t value) override;
    void PlaySound(uint32_t id) override;

private:
    ScreenServices& app_;
};

}  // namespace kestrovan
