#include "client/scenes/gallery/GalleryListRow.h"

#include "client/app/UiFonts.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr int32_t kLabelY = 6;
constexpr int32_t kLabelHeight = 14;

}  // namespace

GalleryListRow::GalleryListRow(int32_t controlId) {
    Create(0, 0, kWidth, kHeight, controlId, -1);
    button_ = CreateButton(0, 0, kWidth, kHeight, controlId, -1, kTexture, 0, 844);
    button_->SetCheckBox();
    const auto label = [this](int32_t x, int32_t w) {
        TextLabel* text = CreateTextLabel(x, kLabelY, w, kLabelHeight, &UiFontAt(UiFont::Regular12), 0, 0);
        text->SetColors(kWhite, 0);
        text->SetAcceptsMouse(false);
        return text;
    };
    rankLabel_ = label(6, 45);
    gameType_ = label(40, 64);
    title_ = label(108, 220);
    nickname_ = label(304, 84);
    date_ = label(388, 70);
    points_ = label(446, 40);
    prizeIcon_ = CreateImage(495, 1, 20, 20, kTexture, 560, 844);
    prizeIcon_->Show(false);
    prize_ = label(518, 100);
    prize_->SetColors(kYellow, 0);
    prize_->Show(false);
}

void GalleryListRow::SetEntry(int32_t rank, int32_t shotNumber, int32_t gameType, quill::WStringView title,
                              quill::WStringView nickname, quill::WStringView date, int32_t points) {
    rank_ = rank;
    shotNumber_ = shotNumber;
    rankLabel_->SetTextF(u"%d", rank);
    // A type from the web outside the game's types shows an empty name.
    gameType_->SetTextF(u"[%s]", GameTypeShortName(gameType));
    title_->SetText(title);
    nickname_->SetText(nickname);
    date_->SetText(date);
    points_->SetTextF(u"%d", points);
    prizeIcon_->Show(false);
    prize_->Show(false);
}

void GalleryListRow::SetPrize(int32_t amount) {
    if (amount <= 0)
        return;
    prize_->SetText(FormatMoney(amount));
    prize_->Show(true);
    prizeIcon_->Show(true);
}

void GalleryListRow::SetToggled(bool toggled) {
    button_->SetChecked(toggled);
}

bool GalleryListRow::IsToggled() const {
    return button_->IsChecked();
}

}  // namespace kestrovan
