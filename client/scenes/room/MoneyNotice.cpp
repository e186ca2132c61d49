#include "client/scenes/room/MoneyNotice.h"

#include "client/app/UiFonts.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

MoneyNotice::MoneyNotice() {
    Create(0, 0, 222, 142, -1, -1);
    SetImage(15, 680, 880, 222, 142, 1.0f, 1.0f);
    SetAcceptsMouse(false);
    caption_ = CreateTextLabel(40, 55, 210, 20, &UiFontAt(UiFont::Bold12), 0, 1);
    caption_->SetColors(0xFF80FF80, 0xFF000000);
    amount_ = CreateTextLabel(40, 75, 210, 20, &UiFontAt(UiFont::Bold14), 0, 1);
    amount_->SetColors(0xFFFFFF00, 0xFF000000);
    Show(false);
}

void MoneyNotice::ShowAmount(int64_t amount, quill::WStringView caption) {
    shown_.Start();
    amount_->SetText(FormatMoney(amount));
    caption_->SetText(caption);
    SetVisible(true);
}

void MoneyNotice::Tick(uint32_t now) {
    Image::Tick(now);
    if (shown_.Elapsed(now) >= kShownMs) SetVisible(false);
}

}  // namespace kestrovan
