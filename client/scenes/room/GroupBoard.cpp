#include "client/scenes/room/GroupBoard.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

// A plain face of the room's second interface texture.
constexpr int32_t kSourceX = 0;
constexpr int32_t kSourceY = 400;
constexpr int32_t kMargin = 4;
constexpr uint32_t kSolidColour = 0xFFFFD040;
constexpr uint32_t kStripeColour = 0xFF60C0F0;
constexpr uint32_t kNameColour = 0xFFFFFFFF;

}  // namespace

GroupBoard::GroupBoard() {
    Create(0, 0, kWidth, 2 * kMargin, -1, -1);
    SetImage(kGameSecondTexture, kSourceX, kSourceY, kWidth, 2 * kMargin, 1.0f, 1.0f);
    SetAcceptsMouse(false);
    for (size_t row = 0; row < kRows; ++row) {
        const int32_t y = kMargin + kRowHeight * static_cast<int32_t>(row);
        marks_[row] = CreateTextLabel(8, y, 56, kRowHeight, &UiFontAt(UiFont::Bold12), 0, 1);
        names_[row] = CreateTextLabel(66, y, kWidth - 72, kRowHeight, &UiFontAt(UiFont::Bold12), 0, 1);
        names_[row]->SetColors(kNameColour, 0xFF000000);
        marks_[row]->Show(false);
        names_[row]->Show(false);
    }
    Show(false);
}

void GroupBoard::Clear() {
    count_ = 0;
    for (size_t row = 0; row < kRows; ++row) {
        marks_[row]->Show(false);
        names_[row]->Show(false);
    }
    FitRows();
}

void GroupBoard::AddRow(bool highBalls, quill::WStringView nickname) {
    if (count_ >= kRows) return;
    TextLabel* mark = marks_[count_];
    mark->SetText(highBalls ? u"STRIPE" : u"SOLID");
    mark->SetColors(highBalls ? kStripeColour : kSolidColour, 0xFF000000);
    names_[count_]->SetTextF(u"%s", nickname);
    mark->Show(true);
    names_[count_]->Show(true);
    ++count_;
    FitRows();
}

// The face covers the rows written (the toolkit's sizes count to the last pixel).
void GroupBoard::FitRows() {
    SetSize(kWidth - 1, 2 * kMargin + kRowHeight * static_cast<int32_t>(count_) - 1);
}

}  // namespace kestrovan
