#include "client/scenes/room/ScoreSummaryPopup.h"

#include "client/app/UiFonts.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

ScoreSummaryPopup::ScoreSummaryPopup() {
    Create(0, 0, 345, 138, -1, -1);
    SetImage(14, 112, 838, 345, 138, 1.0f, 1.0f);
    SetModal(false);
    for (size_t c = 0; c < 2; ++c) {
        for (size_t r = 0; r < 2; ++r) {
            TextLabel* label = CreateTextLabel(80 + 159 * static_cast<int32_t>(c), 74 + 29 * static_cast<int32_t>(r),
                                               100, 20, &UiFontAt(UiFont::Bold12), 0, 0);
            label->SetColors(0xFFFFFFFF, 0);
            labels_[c][r] = label;
        }
    }
    Clear();
    Show(false);
}

void ScoreSummaryPopup::Clear() {
    for (auto& column : labels_) {
        for (TextLabel* label : column) label->SetText(u"");
    }
}

void ScoreSummaryPopup::Set(size_t column, size_t row, quill::WStringView text) {
    if (column < 2 && row < 2) labels_[column][row]->SetText(text);
}

void ScoreSummaryPopup::OnShow() {
    Window::OnShow();
    SetAlpha(1.0f);
    shown_.Start();
    if (const Widget* parent = GetParent()) {
        SetPosition((parent->Width() - Width()) / 2, GetRect().top - parent->GetRect().top);
    }
}

void ScoreSummaryPopup::Tick(uint32_t now) {
    Window::Tick(now);
    const uint32_t elapsed = shown_.Elapsed(now);
    if (elapsed >= kHideAtMs) {
        SetVisible(false);
    } else if (elapsed >= kFadeFromMs) {
        SetAlpha(static_cast<float>(kHideAtMs - elapsed) / 1000.0f);
    }
}

}  // namespace kestrovan
