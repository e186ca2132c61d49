#include "client/scenes/practice/SchoolIndexRow.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

// The chapter's picture, drawn narrowed to the row's width.
constexpr int32_t kChapterSourceWidth = 228;
// Where the caption's text area starts inside the row's button; it ends as far inside the button's right
// edge, so that the right-aligned title stays on the button.
constexpr int32_t kCaptionTextX = 6;
constexpr int32_t kCaptionTextY = 7;

}  // namespace

SchoolIndexRow::SchoolIndexRow(int32_t y, int32_t id) {
    Create(14, y, kWidth, kHeight, id, -1);
    button_ = CreateButton(0, 0, kWidth, kHeight, id, -1, kTutorTexture, 330, 833);
    button_->SetCheckBox();
    button_->AddLabel(&UiFontAt(UiFont::Bold14), TextLabel::kAlignRight, kWhite, kBlack, 0);
    button_->GetCaption()->AddStyle(0, kCaptionTextX, kCaptionTextY);
    levelLabel_ = CreateTextLabel(170, 7, 40, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    levelLabel_->SetColors(kYellow, 0);
    levelLabel_->Show(false);
    mark_ = CreateImage(150, 2, 26, 25, 0, 105, 984);
    mark_->Show(false);
}

void SchoolIndexRow::SetEntry(const SchoolIndexEntry* entry) {
    entry_ = entry;
    if (entry == nullptr) {
        Show(false);
        return;
    }
    button_->SetCaption(entry->title);
    if (entry->sub != 0) {
        PlaceButton(kSectionIndent, 1, kSectionWidth, 558, kSectionWidth);
    } else {
        PlaceButton(0, 0, kWidth, 330, kChapterSourceWidth);
    }
    mark_->Show(entry->mark >= 1);
    Show(true);
}

void SchoolIndexRow::ShowReached(bool reached) {
    SetEnabled(reached);
    button_->SetEnabled(reached);
    SetAlpha(reached ? kReachedOpacity : kUnreachedOpacity);
    TextLabel& caption = *button_->GetCaption();
    const bool section = entry_ != nullptr && entry_->sub != 0;
    caption.SetColors(reached ? (section ? kWhite : kYellow) : kUnreachedColour, kBlack);
    caption.SetAlpha(1.0f);
}

// The button at (x, y) in the row, width pixels wide, with its picture and its caption's text area inside its
// face: a section's caption ends where its narrower button ends.
void SchoolIndexRow::PlaceButton(int32_t x, int32_t y, int32_t width, int32_t srcX, int32_t srcWidth) {
    button_->SetPosition(x, y);
    button_->SetSize(width - 1, kHeight - 1);
    button_->SetImage(kTutorTexture, srcX, 833, srcWidth, kHeight, static_cast<float>(width) / srcWidth, 1.0f);
    button_->GetCaption()->SetSize(width - 1 - 2 * kCaptionTextX, kHeight - 1 - kCaptionTextY);
}

}  // namespace kestrovan
