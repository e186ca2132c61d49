#include "client/scenes/gallery/GalleryListRow.h"

#include "QuillLib/core/Format.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/common/TextWithin.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr int32_t kLabelY = 6;
constexpr int32_t kLabelHeight = 14;
// Where each column starts and how wide its text may draw, with a gap before the next column so that no two
// texts run together; the prize of today's best three stands at the row's end, inside the list window.
constexpr int32_t kRankX = 6, kRankWidth = 30;
constexpr int32_t kTypeX = 40, kTypeWidth = 64;
constexpr int32_t kTitleX = 108, kTitleWidth = 120;
constexpr int32_t kNicknameX = 232, kNicknameWidth = 80;
constexpr int32_t kDateX = 316, kDateWidth = 66;
constexpr int32_t kPointsX = 386, kPointsWidth = 34;  // right-aligned: a figure ends where the prize begins
constexpr int32_t kPrizeIconX = 428, kPrizeIconSize = 20;
constexpr int32_t kPrizeX = 451, kPrizeWidth = GalleryListRow::kWidth - kPrizeX;

}  // namespace

GalleryListRow::GalleryListRow(int32_t controlId) {
    Create(0, 0, kWidth, kHeight, controlId, -1);
    button_ = CreateButton(0, 0, kWidth, kHeight, controlId, -1, kGalleryTexture, 0, 844);
    button_->SetCheckBox();
    const auto label = [this](int32_t x, int32_t w) {
        TextLabel* text = CreateTextLabel(x, kLabelY, w, kLabelHeight, &UiFontAt(UiFont::Regular12), 0, 0);
        text->SetColors(kWhite, 0);
        text->SetAcceptsMouse(false);
        return text;
    };
    rankLabel_ = label(kRankX, kRankWidth);
    gameType_ = label(kTypeX, kTypeWidth);
    title_ = label(kTitleX, kTitleWidth);
    nickname_ = label(kNicknameX, kNicknameWidth);
    date_ = label(kDateX, kDateWidth);
    points_ = label(kPointsX, kPointsWidth);
    points_->SetAlignment(TextLabel::kAlignRight);
    prizeIcon_ = CreateImage(kPrizeIconX, 1, kPrizeIconSize, kPrizeIconSize, kGalleryTexture, 560, 844);
    prizeIcon_->Show(false);
    prize_ = label(kPrizeX, kPrizeWidth);
    prize_->SetColors(kYellow, 0);
    prize_->Show(false);
}

void GalleryListRow::SetEntry(int32_t rank, int32_t shotNumber, int32_t gameType, quill::WStringView title,
                              quill::WStringView nickname, quill::WStringView date, int32_t points) {
    rank_ = rank;
    shotNumber_ = shotNumber;
    SetTextWithin(*rankLabel_, quill::Format(u"%d", rank), kRankWidth);
    // A type from the web outside the game's types shows an empty name.
    SetTextWithin(*gameType_, quill::Format(u"[%s]", GameTypeShortName(gameType)), kTypeWidth);
    SetTextWithin(*title_, title, kTitleWidth);
    SetTextWithin(*nickname_, nickname, kNicknameWidth);
    SetTextWithin(*date_, date, kDateWidth);
    SetTextWithin(*points_, quill::Format(u"%d", points), kPointsWidth);
    prizeIcon_->Show(false);
    prize_->Show(false);
}

void GalleryListRow::SetPrize(int32_t amount) {
    if (amount <= 0)
        return;
    SetTextWithin(*prize_, FormatMoney(amount), kPrizeWidth);
    prize_->Show(true);
    prizeIcon_->Show(true);
}

void GalleryListRow::SetToggled(bool toggled) {
    button_->SetChecked(toggled);
}

}  // namespace kestrovan
