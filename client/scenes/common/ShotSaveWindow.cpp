#include "client/scenes/common/ShotSaveWindow.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/TextEntry.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr size_t kMinimumTitle = 2;

}  // namespace

ShotSaveWindow::ShotSaveWindow(Services services) : services_(std::move(services)) {
    Create(-80, 320, 266, 127, -1, -1);
    SetImage(kHudTexture, 389, 270, 266, 127, 1.0f, 1.0f);
    stickerLabel_ = CreateTextLabel(228, 25, 40, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    stickerLabel_->SetColors(0xFFFFFF00, 0);
    stickerLabel_->SetText(u"0");
    TextLabel* line = CreateTextLabel(10, 76, 250, 20, &UiFontAt(UiFont::Regular12), 0, 0);
    line->SetColors(0xFFFFFFFF, 0);
    line->SetText(u"if a shot is saved, 1 sticker will be consumed.");
    title_ = AddTextEntry(*this, 20, 48, 220, 18, kTitleChars, 0xFFFFFFFF);
    title_->SetTextColors(0xFFFFFFFF, 0xFF000000);
    ok_ = CreateButton(50, 100, 54, 18, kOk, -1, kHudTexture, 645, 103);
    SetCentredCaption(*ok_, u"OK");
    SetCentredCaption(*CreateButton(150, 100, 54, 18, kCancel, -1, kHudTexture, 699, 103), u"Cancel");
    Show(false);
}

quill::WString ShotSaveWindow::Title() const {
    return title_->GetText();
}

void ShotSaveWindow::OnShow() {
    Window::OnShow();
    stickerLabel_->SetTextF(u"%d", static_cast<int32_t>(stickers_));
    title_->SetFocus(true);
    ok_->SetEnabled(true);
}

bool ShotSaveWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kCancel && source != title_) {
        SetVisible(false);
        return true;
    }
    if (id != kOk || source != ok_) return Window::OnEvent(source, a, b);
    if (stickers_ < 1) {
        if (services_.notice) {
            services_.notice(u"No registration sticker is available.",
                             u"Registration sticker will be offered every day when you log in for the first time.",
                             u"Shot sticker will not be offered to a chalk level user.");
        }
        return true;
    }
    if (Title().size() < kMinimumTitle) {
        if (services_.error) services_.error(u"Enter title more than 4 bytes.");
        return true;
    }
    ok_->SetEnabled(false);
    if (Widget* parent = GetParent()) parent->OnEvent(ok_, a, b);
    stickers_ = static_cast<uint16_t>(stickers_ - 1);
    SetVisible(false);
    return true;
}

}  // namespace kestrovan
