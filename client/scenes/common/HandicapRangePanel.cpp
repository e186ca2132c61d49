#include "client/scenes/common/HandicapRangePanel.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/LevelTables.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogCombo.h"
#include "client/ui/ComboBox.h"

namespace kestrovan {

namespace {

constexpr const char16_t* kNoLimit = u"No limit";

}  // namespace

HandicapRangePanel::HandicapRangePanel(OwnHandicap own, ErrorShower error)
    : own_(std::move(own)), error_(std::move(error)) {
    Create(0, 0, 246, 22, -1, -1);
    SetImage(kPopupTexture, 0, 697, 246, 22, 1.0f, 1.0f);
    minimum_ = CreateDialogCombo(*this, 74, 1, 69, 20, kMinimumId, kRows);
    minimum_->SetTooltip(u"Required minimum handi");
    maximum_ = CreateDialogCombo(*this, 174, 1, 69, 20, kMaximumId, kRows);
    maximum_->SetTooltip(u"Required maximum handi");
}

uint16_t HandicapRangePanel::ThresholdOfRow(int32_t row) {
    return row <= 0 ? 0 : quill::GetHandicapStep(static_cast<uint32_t>(row - 1));
}

int32_t HandicapRangePanel::RowOfThreshold(uint16_t bound) {
    for (uint32_t i = 0; bound != 0 && i < quill::kHandicapSteps; ++i) {
        if (quill::GetHandicapStep(i) == bound) return static_cast<int32_t>(i) + 1;
    }
    return 0;
}

void HandicapRangePanel::SetGameType(quill::GameType type) {
    type_ = type;
    for (ComboBox* combo : {minimum_, maximum_}) {
        combo->ClearItems();
        combo->AddItem(kNoLimit);
        for (uint32_t i = 0; i < quill::kHandicapSteps; ++i) {
            combo->AddItem(quill::Format(u"%d", static_cast<int32_t>(quill::GetHandicapStep(i))));
        }
    }
    SelectRows(minimumRow_, maximumRow_);
}

void HandicapRangePanel::SelectRows(int32_t minimumRow, int32_t maximumRow) {
    minimumRow_ = minimumRow;
    maximumRow_ = maximumRow;
    minimum_->Select(minimumRow);
    maximum_->Select(maximumRow);
}

void HandicapRangePanel::Refuse(ComboBox& combo, int32_t previousRow) {
    combo.Select(previousRow);
    if (error_) error_(u"You cannot be away from your handicap.");
}

// A lowest bound above the highest one changes nothing; one above the player's own handicap is refused.
void HandicapRangePanel::ChooseMinimum(int32_t row) {
    if (maximumRow_ != 0 && row > maximumRow_) return;
    if (row != 0 && own_ && ThresholdOfRow(row) > own_(type_)) return Refuse(*minimum_, minimumRow_);
    minimumRow_ = row;
    minimum_->Select(row);
}

void HandicapRangePanel::ChooseMaximum(int32_t row) {
    if (row != 0 && row < minimumRow_) return;
    if (row != 0 && own_ && ThresholdOfRow(row) < own_(type_)) return Refuse(*maximum_, maximumRow_);
    maximumRow_ = row;
    maximum_->Select(row);
}

bool HandicapRangePanel::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == minimum_) {
        ChooseMinimum(a);
        return true;
    }
    if (source == maximum_) {
        ChooseMaximum(a);
        return true;
    }
    return Image::OnEvent(source, a, b);
}

}  // namespace kestrovan
