#include "client/scenes/shop/PersonalCueSlot.h"

#include <memory>

#include "client/app/UiFonts.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/ui/Button.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/WorkshopWindow.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr float kHoverSpeed = 5.0f;

}  // namespace

PersonalCueSlot::PersonalCueSlot(int32_t x, int32_t y, int32_t id) {
    Create(x, y, kWidth, kHeight, id, 0);
    button_ = AddShopToggle(*this, id, 0, 0, kWidth, kHeight);
    button_->SetHoverEvents(true);
    auto preview = std::make_unique<ItemPreview>(2, 2, 54, 252, false);
    preview->SetRotationSpeed(0.0f);
    preview_ = static_cast<ItemPreview*>(AddChild(std::move(preview), true));
    shadow_ = CreateTextLabel(1, kHeight - 19, kWidth, 18, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    shadow_->SetColors(0xFF000000, 0);
    name_ = CreateTextLabel(0, kHeight - 20, kWidth, 18, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    name_->SetColors(0xFFFFFFFF, 0);
}

void PersonalCueSlot::SetCue(const quill::InventoryItem& item) {
    Show(true);
    cue_ = item;
    preview_->ShowItem(item);
    preview_->SetRotationSpeed(0.0f);
    const quill::WString name = CueRules::NameOf(item);
    shadow_->SetText(name);
    name_->SetText(name);
}

void PersonalCueSlot::Clear() {
    Show(false);
    cue_.reset();
    preview_->SetRecord(nullptr);
    shadow_->SetText(u"");
    name_->SetText(u"");
}

bool PersonalCueSlot::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == button_ && (a == Button::kEnterEvent || a == Button::kLeaveEvent)) {
        preview_->SetRotationSpeed(a == Button::kEnterEvent ? kHoverSpeed : 0.0f);
        return true;
    }
    // Clicks go on to the window as the slot's event.
    return Widget::OnEvent(source, a, b);
}

}  // namespace kestrovan
