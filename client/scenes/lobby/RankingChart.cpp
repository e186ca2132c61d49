#include "client/scenes/lobby/RankingChart.h"

#include <memory>

#include "QuillLib/core/LogSystem.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/BoxFace.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/PlayerHost.h"
#include "client/scenes/common/RequestSender.h"
#include "client/scenes/common/messages/PlayerMessages.h"
#include "client/scenes/lobby/LobbyWidgets.h"
#include "client/scenes/lobby/TournamentTexts.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kRowsY = 160;
constexpr int32_t kRowHeight = 19;
constexpr int32_t kColumnX[RankingChart::kColumns] = {40, 80, 190, 255, 325, 460};
constexpr int32_t kColumnWidth[RankingChart::kColumns] = {40, 110, 60, 70, 130, 100};
// The columns' captions stand on a strip of the lobby's picture texture just above the rows.
constexpr int32_t kCaptionsX = 34;
constexpr int32_t kCaptionsY = 138;
constexpr int32_t kCaptionsWidth = 528;
constexpr int32_t kCaptionsSourceY = 600;

TextLabel* AddText(PopupWindow& window, int32_t x, int32_t y, int32_t w, uint32_t colour) {
    TextLabel* label = window.CreateTextLabel(x, y, w, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    label->SetColors(colour, 0);
    return label;
}

}  // namespace

RankingChart::RankingChart(PlayerHost& host)
    : PopupWindow(0, 0, kWidth, kHeight, Face{}, sound_id::kPopup, 0), host_(host) {
    StretchBoxFace(*this);
    AddTitle(14, 7, 200, u"Ranking Chart");
    status_ = AddText(*this, 100, 65, 290, kYellow);
    start_ = AddText(*this, 400, 55, 180, kYellow);
    end_ = AddText(*this, 400, 75, 180, kYellow);
    BuildRows();
    reading_ = AddText(*this, 200, 200, 250, kWhite);
    reading_->SetText(u"Ranking chart is being read.");
    pager_ = ScrollBar::AddTo(
        *this, ScrollBarPlace{567, 156, 16, 286, -1, ScrollBar::kVertical, kPages},
        ScrollBarArt{
            kPopupThirdTexture, {900, 400, 16, 286}, {930, 700, 16, 15}, {950, 700, 16, 15}, {960, 400, 16, 20}, 0});
    for (size_t n = 0; n < kRuleLines; ++n) {
        const bool left = n < 5;
        const int32_t y = 480 + 20 * static_cast<int32_t>(left ? n : n - 5);
        rules_[n] = AddText(*this, left ? 40 : 300, y, 250, kWhite);
    }
    AddButton(kClose, 255, 575, platform::Vk::Escape, 255, u"Close");
}

void RankingChart::BuildRows() {
    CreateImage(kCaptionsX, kCaptionsY, kCaptionsWidth, 20, lobby_texture::kFirstPicture, 0, kCaptionsSourceY)
        ->SetAcceptsMouse(false);
    for (size_t row = 0; row < kRows; ++row) {
        for (size_t column = 0; column < kColumns; ++column) {
            cells_[row][column] = AddText(*this, kColumnX[column], kRowsY + kRowHeight * static_cast<int32_t>(row),
                                          kColumnWidth[column], kWhite);
            cells_[row][column]->Show(false);
        }
    }
}

uint16_t RankingChart::FirstRank() const {
    return static_cast<uint16_t>((page_.First() - 1) * static_cast<int32_t>(kRows) + 1);
}

void RankingChart::RequestPage(int32_t page) {
    page_.ScrollTo(page, kPages);
    const uint16_t firstRank = FirstRank();
    arrived_ = false;
    host_.Requests().Send([firstRank](quill::Packet& packet) {
        packet.Init(quill::MessageId::RankingRequest).WriteU16(firstRank);
    });
}

void RankingChart::OnShow() {
    rowsFilled_ = 0;
    CentreOnScreen(*this);
    RequestPage(1);
    pager_->SetRange(page_.Range(kPages));
    pager_->SetPosition(page_.BarPosition(), false);
    Refresh();
    PopupWindow::OnShow();
}

void RankingChart::Refresh() {
    const TournamentView view = TournamentView::From(host_.Tournament());
    status_->SetText(RankingStatusLine(view));
    const bool timed = view.running || view.soon;
    start_->SetText(ClockText(u"Start", view.startHour, view.startMinute));
    end_->SetText(ClockText(u"End", view.endHour, view.endMinute));
    start_->SetVisible(timed);
    end_->SetVisible(timed);
    const auto lines = RankingRuleLines(view);
    for (size_t n = 0; n < kRuleLines; ++n) rules_[n]->SetText(lines[n]);
    UpdateVisibility(view.soon);
}

// While a tournament is about to start there is no ranking; otherwise the filled rows show once their page
// arrived, and the "reading" line until then.
void RankingChart::UpdateVisibility(bool soon) {
    const bool arrived = arrived_;
    reading_->SetVisible(!soon && !arrived);
    const size_t filled = rowsFilled_;
    for (size_t row = 0; row < kRows; ++row) {
        for (TextLabel* cell : cells_[row]) cell->SetVisible(!soon && arrived && row < filled);
    }
}

void RankingChart::ShowPage(const RankingPage& page) {
    const TournamentView view = TournamentView::From(host_.Tournament());
    for (size_t row = 0; row < page.rows.size(); ++row) {
        const RankingRow& r = page.rows[row];
        const std::array<TextLabel*, kColumns>& cells = cells_[row];
        cells[0]->SetTextF(u"%d", static_cast<int>(r.rank));
        cells[1]->SetText(r.nickname);
        cells[2]->SetTextF(u"%d", static_cast<int>(r.score));
        cells[3]->SetText(RankingRatioText(r.score, r.games));
        cells[4]->SetText(RankingTimeText(r.hour, r.minute, r.second));
        const uint32_t reward = RankingReward(view, r.rank);
        cells[5]->SetText(reward > 0 ? FormatMoney(reward) : quill::WString());
    }
    rowsFilled_ = page.rows.size();
    kept_ = page.kept;
    arrived_ = true;
    UpdateVisibility(view.soon);
}

void RankingChart::OnSchedule(quill::Packet& packet) {
    const std::optional<RankingPage> page = ReadRankingPage(packet);
    if (!page) {
        quill::TheLog().LogError(u"WARNING: a TournamentSchedule does not fit its message; dropped\n");
        return;
    }
    ShowPage(*page);
}

bool RankingChart::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == pager_) {
        const int32_t page = pager_->GetPosition() + 1;
        if (arrived_ && page != page_.First()) {
            RequestPage(page);
            UpdateVisibility(TournamentView::From(host_.Tournament()).soon);
        }
        return true;
    }
    return ClosesOn(source, kClose) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
