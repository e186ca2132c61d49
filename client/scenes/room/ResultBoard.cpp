#include "client/scenes/room/ResultBoard.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kRankWidth = 32;
constexpr int32_t kRankY = 883;
constexpr const char16_t* kWords[] = {u"WIN", u"Loss", u"WbW", u"Widr", u"Allin", u"End", u"Invalid"};

}  // namespace

ResultBoard::ResultBoard() {
    Create(100, 100, 417, 251, -1, -1);
    SetImage(kHudTexture, 607, 569, 417, 251, 1.0f, 1.0f);
    SetModal(false);
    for (size_t i = 0; i < kRows; ++i) {
        auto anchor = std::make_unique<Image>();
        anchor->Create(30, 65 + 21 * static_cast<int32_t>(i), 1, 1, -1, -1);
        Widget& row = *AddChild(std::move(anchor), true);
        const auto label = [&row](int32_t x, int32_t w) {
            TextLabel* text = row.CreateTextLabel(x, 0, w, 18, &UiFontAt(UiFont::Regular12), 0, 0);
            text->SetColors(0xFFFFFFFF, 0);
            return text;
        };
        rows_[i] = {label(-8, 40), label(62, 120), label(166, 60), label(235, 60),
                    row.CreateImage(316, -5, kRankWidth, 19, kHudTexture, 736, kRankY)};
    }
    fee_ = CreateTextLabel(50, 230, 300, 18, &UiFontAt(UiFont::Regular12), 0, 0);
    fee_->Show(false);
    CreateButton(384, 28, 22, 22, kCloseId, platform::Vk::Escape, kHudTexture, 839, 400);
    Show(false);
}

quill::WStringView ResultBoard::ResultWord(int32_t code) {
    return code >= 1 && code <= 7 ? kWords[code - 1] : u"Playing";
}

// A new game's board: every row empty until the game's own results fill it.
void ResultBoard::SetGrid(int32_t columns, int32_t rowsPerColumn) {
    rowsPerColumn_ = rowsPerColumn;
    const int32_t shown = columns * rowsPerColumn;
    for (size_t i = 0; i < kRows; ++i) {
        const RowWidgets& row = rows_[i];
        row.name->GetParent()->Show(static_cast<int32_t>(i) < shown);
        row.result->SetText(u"");
        row.name->SetText(u"");
        row.points->Show(false);
        row.money->Show(false);
        row.rank->Show(false);
    }
}

void ResultBoard::SetRow(int32_t column, int32_t row, quill::WStringView name, int32_t resultCode, int32_t points,
                         int64_t money, int32_t rankValue) {
    const int32_t index = rowsPerColumn_ * column + row;
    if (index < 0 || index >= static_cast<int32_t>(kRows) || row < 0) return;
    const RowWidgets& widgets = rows_[static_cast<size_t>(index)];
    widgets.name->SetTextF(u"%s", name);
    widgets.result->SetText(ResultWord(resultCode));
    const bool playing = resultCode < 1 || resultCode > 7;
    widgets.points->Show(!playing);
    widgets.money->Show(!playing);
    widgets.rank->Show(!playing);
    widgets.points->SetTextF(points >= 1 ? u"+%d" : u"%d", points);
    widgets.money->SetTextF(money >= 1 ? u"+%s" : u"%s", FormatMoney(money));
    widgets.rank->SetSourceRect((30 - rankValue / 10) * kRankWidth, kRankY, kRankWidth, 19);
}

void ResultBoard::SetFee(int32_t percent) {
    fee_->Show(percent > 0);
    if (percent > 0) fee_->SetTextF(u"%d%% of earn money is payed for game fee.", percent);
}

void ResultBoard::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
}

bool ResultBoard::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == nullptr || source->GetId() != kCloseId) return Window::OnEvent(source, a, b);
    SetVisible(false);
    return true;
}

}  // namespace kestrovan
