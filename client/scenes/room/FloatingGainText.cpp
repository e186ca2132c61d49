#include "client/scenes/room/FloatingGainText.h"

#include "client/app/UiFonts.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Image.h"

namespace kestrovan {

FloatingGainText::FloatingGainText(bool withPlus, bool withIcon) : withPlus_(withPlus) {
    Create(0, 0, 100, 20, -1, -1);
    SetFontDesc(&UiFontAt(UiFont::Bold14));
    SetColors(0xFFFFFF00, 0xFF000000);
    if (withIcon) icon_ = CreateImage(-30, 0, 21, 18, 0, 86, 963);
    Show(false);
}

void FloatingGainText::ShowAt(int64_t amount, quill::WStringView unit, int32_t x, int32_t y, uint32_t colour) {
    rise_ = 0.0f;
    opacity_ = 1.0f;
    x_ = x;
    y_ = y;
    SetTextF(amount > 0 && withPlus_ ? u"+%s %s" : u"%s %s", FormatMoney(amount), unit);
    SetColors(colour, 0xFF000000);
    SetAlpha(1.0f);
    SetPosition(x, y);
    SetVisible(true);
}

void FloatingGainText::Tick(uint32_t now) {
    TextLabel::Tick(now);
    if (!IsVisible()) return;
    rise_ += kRise;
    opacity_ -= kFade;
    if (opacity_ < 0.0f) {
        SetVisible(false);
        return;
    }
    SetAlpha(opacity_);
    SetPosition(x_, y_ - static_cast<int32_t>(rise_));
}

}  // namespace kestrovan
