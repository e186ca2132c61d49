#include "client/scenes/common/TitleBarButtons.h"

#include <algorithm>
#include <utility>

#include "client/app/UiTextures.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/ui/Button.h"
#include "client/ui/Widget.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

struct Look {
    int32_t right;  // from the screen's right edge to the button's left
    int32_t key;    // -1: none
    TitleTiles::Tile tile;
    const char16_t* tooltip;
};

Look LookOf(TitleBarButtons::Role role) {
    namespace Vk = platform::Vk;
    switch (role) {
        case TitleBarButtons::Role::ToLobby:
            return {35, -1, TitleTiles::kBack, u"To Lobby"};
        case TitleBarButtons::Role::Exit:
            return {35, -1, TitleTiles::kExit, u"Exit Kestrovan"};
        case TitleBarButtons::Role::Settings:
            return {68, Vk::F3, TitleTiles::kSettings, u"Settings(F3)"};
        case TitleBarButtons::Role::Help:
            return {101, Vk::F1, TitleTiles::kHelp, u"Help(F1)"};
        case TitleBarButtons::Role::MyInfo:
            return {134, Vk::F4, TitleTiles::kMyInfo, u"MyInfo(F4)"};
        case TitleBarButtons::Role::Messenger:
            return {167, Vk::F8, TitleTiles::kMessenger, u"Messanger(F8)"};
        case TitleBarButtons::Role::RoomSetting:
            return {200, -1, TitleTiles::kRoomSetting, u"Room setting"};
    }
    return {};
}

void Call(const std::function<void()>& action) {
    if (action)
        action();
}

}  // namespace

TitleBarButtons::TitleBarButtons(Widget& screen, SceneManager& scenes, Actions actions)
    : screen_(screen), scenes_(scenes), actions_(std::move(actions)) {}

Button* TitleBarButtons::Add(Role role, int32_t id, const char16_t* tooltip) {
    const Look look = LookOf(role);
    Button* button = screen_.CreateButton(0, 0, TitleTiles::kButtonWidth, TitleTiles::kButtonHeight, id, look.key,
                                          kCommonTexture, look.tile.x, look.tile.y);
    button->SetTooltip(tooltip != nullptr ? tooltip : look.tooltip);
    button->SetAnchor(AnchorMode::Right, -look.right, AnchorMode::Top, 0);
    Register(role, id);
    return button;
}

void TitleBarButtons::Register(Role role, int32_t id) {
    entries_.push_back({role, id});
}

bool TitleBarButtons::OnControl(int32_t id) {
    const auto entry = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (entry == entries_.end())
        return false;
    Run(entry->role);
    return true;
}

void TitleBarButtons::Run(Role role) {
    switch (role) {
        case Role::ToLobby:
        case Role::Exit:
            Call(actions_.leave);
            return;
        case Role::Settings:
            OpenTitleWindow(scenes_, screen_, TitleWindow::Settings);
            return;
        case Role::Help:
            Call(actions_.help);
            return;
        case Role::MyInfo:
            OpenTitleWindow(scenes_, screen_, TitleWindow::MyInfo);
            return;
        case Role::Messenger:
            OpenTitleWindow(scenes_, screen_, TitleWindow::Messenger);
            return;
        case Role::RoomSetting:
            Call(actions_.roomSetting);
            return;
    }
}

}  // namespace kestrovan
