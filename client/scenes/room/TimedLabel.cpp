#include "client/scenes/room/TimedLabel.h"

#include "client/app/UiFonts.h"

namespace kestrovan {

TimedLabel::TimedLabel() {
    Create(0, 0, 120, 20, -1, -1);
    SetFontDesc(&UiFontAt(UiFont::Bold12));
    SetColors(0xFFFFFFFF, 0xFF000000);
    Show(false);
}

void TimedLabel::OnShow() {
    TextLabel::OnShow();
    shown_.Start();
}

void TimedLabel::Tick(uint32_t now) {
    TextLabel::Tick(now);
    if (shown_.Elapsed(now) >= kShownMs) SetVisible(false);
}

}  // namespace kestrovan
