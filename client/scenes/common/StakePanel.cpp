#include "client/scenes/common/StakePanel.h"

#include <algorithm>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogCombo.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/ComboBox.h"

namespace kestrovan {

namespace {

constexpr uint8_t kStakeRows = 4;

}  // namespace

StakePanel::StakePanel() {
    Create(0, 0, 183, 22, -1, -1);
    SetImage(kPopupTexture, 0, 719, 183, 22, 1.0f, 1.0f);
    combo_ = CreateDialogCombo(*this, 84, 1, 97, 20, kComboId, kRows);
    combo_->SetTooltip(u"Select seed money");
}

void StakePanel::SetGameType(quill::GameType type, bool novice) {
    using namespace quill::game_type;
    combo_->ClearItems();
    type_ = type;
    const auto code = static_cast<uint8_t>(type);
    if (type == kOneCushionGamble || type == kThreeCushionGamble) {
        for (uint8_t row = 0; row < kStakeRows; ++row) {
            const int64_t amount = quill::RoomInfo::StakeAmount(code, row, 0);
            combo_->AddItem(quill::Format(u"%s / %s", FormatMoney(amount), FormatMoney(2 * amount)));
        }
    } else if (type == kSixBalls) {
        for (uint8_t row = 0; row < kStakeRows; ++row) {
            combo_->AddItem(FormatMoney(quill::RoomInfo::StakeAmount(code, row, 0)));
        }
    } else {
        combo_->AddItem(u"Friendly");
        for (uint8_t row = 1; type != kThreeCushionPro && type != kSnooker && row < kRows; ++row) {
            const uint32_t amount = quill::RoomInfo::StakeAmount(code, row, novice ? 1 : 0);
            if (amount == 0) break;
            combo_->AddItem(FormatMoney(amount));
        }
    }
    if (!quill::IsGameTypeIndex(type)) return;
    int32_t& row = remembered_[static_cast<size_t>(type)];
    row = std::clamp(row, 0, std::max(combo_->GetFilledRows() - 1, 0));
    combo_->Select(row);
}

void StakePanel::Select(int32_t row) {
    if (row < 0 || row >= combo_->GetFilledRows()) return;
    combo_->Select(row);
    if (quill::IsGameTypeIndex(type_)) remembered_[static_cast<size_t>(type_)] = row;
}

int32_t StakePanel::RememberedRow(quill::GameType type) const {
    return quill::IsGameTypeIndex(type) ? remembered_[static_cast<size_t>(type)] : 0;
}

bool StakePanel::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source != combo_) return Image::OnEvent(source, a, b);
    Select(a);
    if (Widget* parent = GetParent()) parent->OnEvent(this, a, b);
    return true;
}

}  // namespace kestrovan
