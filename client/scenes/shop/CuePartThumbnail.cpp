#include "client/scenes/shop/CuePartThumbnail.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/app/UiFonts.h"
#include "client/ui/Button.h"
#include "client/scenes/shop/CuePartPreview.h"
#include "client/scenes/shop/WorkshopWindow.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

CuePartThumbnail::CuePartThumbnail(int32_t x, int32_t y, int32_t id) {
    Create(x, y, kWidth, kHeight, id, 0);
    button_ = AddShopToggle(*this, id, 0, 0, kWidth, kHeight);
    button_->SetHoverEvents(true);
    button_->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0xFFFFFFFF, 0, 0);
    // Inside the button's frame; the button keeps the clicks.
    preview_ = static_cast<CuePartPreview*>(AddChild(std::make_unique<CuePartPreview>(2, 2, 75, 118, false), true));
}

void CuePartThumbnail::SetPart(int32_t type, int16_t partId, bool chosen) {
    partId_ = partId;
    preview_->SetPart(type, partId);
    button_->SetCaption(quill::Format(u"%s %d", quill::GetItemAttributeName(static_cast<uint32_t>(type)),
                                      partId + 1));
    SetChosen(chosen);
    Show(true);
}

void CuePartThumbnail::Clear() {
    partId_ = -1;
    preview_->SetPart(-1, -1);
    Show(false);
}

void CuePartThumbnail::SetChosen(bool chosen) {
    button_->SetChecked(chosen);
}

}  // namespace kestrovan
