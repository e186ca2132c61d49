#include "client/scenes/community/AppCommunityHost.h"

#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

GameConnection& AppCommunityHost::Connection() {
    return *app_.Connection();
}

Scene* AppCommunityHost::CurrentScene() {
    return app_.Scenes().Current();
}

void AppCommunityHost::PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) {
    app_.PostEvent(id, wParam, lParam, extra);
}

void AppCommunityHost::ShowErrorBox(quill::WStringView line0, quill::WStringView line1) {
    app_.Scenes().ShowErrorBox(nullptr, line0, line1);
}

void AppCommunityHost::ShowNoticeBox(quill::WStringView line0) {
    app_.Scenes().ShowNoticeBox(nullptr, line0);
}

NoticeBox* AppCommunityHost::MessageBox() {
    return app_.Scenes().GetMessageBox();
}

quill::WString AppCommunityHost::FormatMoney(int64_t value) {
    return app_.FormatMoney(value);
}

void AppCommunityHost::PlaySound(uint32_t id) {
    if (WidgetToolkit* toolkit = WidgetToolkit::Current())
        toolkit->Services().PlaySound(id);
}

}  // namespace kestrovan
