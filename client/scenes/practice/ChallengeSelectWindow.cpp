#include "client/scenes/practice/ChallengeSelectWindow.h"

#include "QuillLib/core/Format.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/BoxFace.h"
#include "client/scenes/practice/PracticeChallenge.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kRowTop = 44;
constexpr int32_t kRowHeight = 34;
constexpr int32_t kOkTile = 85;
constexpr int32_t kCancelTile = 170;

}  // namespace

ChallengeSelectWindow::ChallengeSelectWindow(Services services)
    : PopupWindow(0, 0, kWidth, kHeight, Face{}, sound_id::kPopup, 0), services_(std::move(services)) {
    StretchBoxFace(*this);
    AddTitle(14, 7, 240, u"Challenge");
    for (int32_t level = 1; level <= PracticeChallenge::kLevels; ++level) {
        const int32_t y = kRowTop + (level - 1) * kRowHeight;
        AddButton(kFirstLevel + level - 1, 14, y, -1, kOkTile, quill::Format(u"Level %d", level), kCommonTexture, 0,
                  kButtonWidth, 28);
        lines_[static_cast<size_t>(level - 1)] =
            AddLine(108, y + 6, 280, UiFontAt(UiFont::Regular12), 0);
    }
    chargeLine_ = AddLine(18, 218, 364, UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre);
    experienceLine_ = AddLine(18, 200, 364, UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre);
    AddButton(kCharge, 110, 250, -1, kOkTile, u"Charge");
    AddButton(kClose, 205, 250, platform::Vk::Escape, kCancelTile, u"Close");
}

void ChallengeSelectWindow::Fill(quill::GameType type, uint8_t membership, uint8_t chargesLeft, int64_t gold) {
    for (int32_t level = 1; level <= PracticeChallenge::kLevels; ++level) {
        const PracticeChallenge::Level entry = PracticeChallenge::LevelFor(level, type);
        quill::WString line =
            quill::Format(u"Target score : %d   Rewards %s", entry.target, FormatMoney(entry.reward));
        if (entry.requiredPlayerLevel > 0) line += quill::Format(u"  (Req. lv. %d)", entry.requiredPlayerLevel);
        LevelLine(level)->SetTextF(u"%s", line);
    }
    const quill::WString amount = FormatMoney(PracticeChallenge::ChargeAmount(membership));
    if (membership < 1) {
        chargeLine_->SetTextF(u"Membership instant charge : %s (once a day)", amount);
    } else {
        chargeLine_->SetTextF(u"Membership instant charge : %s (%d remain)", amount, static_cast<int>(chargesLeft));
    }
    experienceLine_->SetText(u"Because your owned gold is over 3000 won, you can only experience the game.");
    experienceLine_->Show(gold >= PracticeChallenge::kExperienceOnlyGold);
}

bool ChallengeSelectWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id >= kFirstLevel && id < kFirstLevel + PracticeChallenge::kLevels) {
        if (services_.choose) services_.choose(id - kFirstLevel + 1);
        return true;
    }
    if (id == kCharge) {
        if (services_.charge) services_.charge();
        return true;
    }
    if (id == kClose) {
        SetVisible(false);
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
