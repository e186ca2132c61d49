#include "client/scenes/shop/WorkshopWindow.h"

#include <memory>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

WorkshopWindow::WorkshopWindow(WorkshopHost& host, int32_t w, int32_t h)
    : PopupWindow(0, 0, w, h, Face{}, sound_id::kWindowOpen, sound_id::kPopup), host_(host) {
    StretchBoxFace(*this);
}

bool WorkshopWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    // Input runs on the main thread; the answers change the same windows on the dispatch thread.
    WidgetToolkit::CheckTreeAccess("WorkshopWindow::OnEvent");
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (a == Button::kEnterEvent || a == Button::kLeaveEvent) {
        OnHover(id, a == Button::kEnterEvent);
        return true;
    }
    // A click carries the button's check state after it (toggles) and a quick second click 1027: both choose.
    if (OnClick(id)) return true;
    return PopupWindow::OnEvent(source, a, b);
}

TextLabel* WorkshopWindow::AddText(int32_t x, int32_t y, int32_t w, quill::WStringView text, uint32_t colour) {
    return AddShopText(*this, x, y, w, text, colour);
}

Button* WorkshopWindow::AddCommand(int32_t id, int32_t x, int32_t y, quill::WStringView caption, int32_t w) {
    return AddButton(id, x, y, -1, 85, caption, kCommonTexture, 0, w, 22);
}

Button* WorkshopWindow::AddToggle(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h,
                                  quill::WStringView caption) {
    return AddShopToggle(*this, id, x, y, w, h, caption);
}

WorkshopWallet WorkshopWindow::Wallet() const {
    quill::PlayerState& player = host_.Player();
    quill::ScopedLock hold(player.GetLock());
    return {player.money, player.cueMoney, player.level};
}

ItemPreview* WorkshopWindow::AddPreview(int32_t x, int32_t y, int32_t w, int32_t h, bool rotatable) {
    auto preview = std::make_unique<ItemPreview>(x, y, w, h, rotatable);
    preview->SetRotationSpeed(0.0f);
    return static_cast<ItemPreview*>(AddChild(std::move(preview), true));
}

}  // namespace kestrovan
