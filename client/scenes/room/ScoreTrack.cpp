#include "client/scenes/room/ScoreTrack.h"

#include <algorithm>

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr uint8_t kOutlined = 2;

}  // namespace

// The cells cover the track whole: the track draws no picture of its own under them (a strip as long as the
// track from (895, 1) would run off the texture's edge).
ScoreTrack::ScoreTrack(std::function<void(uint32_t)> playSound) : playSound_(std::move(playSound)) {
    Create(0, 0, kCellSize * static_cast<int32_t>(kCells), kCellSize, -1, -1);
    for (size_t i = 0; i < kCells; ++i) {
        const auto x = kCellSize * static_cast<int32_t>(i);
        CreateImage(x, 0, kCellSize, kCellSize, kGameSecondTexture, 44, 919);
        lit_[i] = CreateImage(x, 0, kCellSize, kCellSize, kGameSecondTexture, 144, 919);
        lit_[i]->Show(false);
        TextLabel* number = CreateTextLabel(4 + x, 11, 22, 16, &UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, 0);
        number->SetColors(0xFFFFFFFF, 0);
        number->SetTextF(u"%d", static_cast<int32_t>(i));
        numbers_[i] = number;
    }
    cursorImage_ = CreateImage(0, 0, kCellSize, kCellSize, kGameSecondTexture, 94, 919);
    static constexpr int32_t kMarkerX[] = {191, 241, 290};
    for (size_t n = 0; n < markers_.size(); ++n) {
        markers_[n] = CreateImage(0, 0, 38, 38, kGameSecondTexture, kMarkerX[n], 916);
        markers_[n]->Show(false);
    }
    jackpot_ = CreateImage(0, 0, kCellSize, kCellSize, kGameSecondTexture, 217, 388);
    jackpot_->Show(false);
    CreateImage(0, 0, kCellSize, kCellSize, kGameSecondTexture, 281, 388)->Show(false);
    goal_ = CreateTextLabel(0, 9, 30, 20, &UiFontAt(UiFont::Bold12), 0, kOutlined);
    goal_->SetColors(0xFFFF0000, 0xFFFFFF00);
    Show(false);
}

int32_t ScoreTrack::StepOf(quill::GameType gameType) {
    switch (gameType) {
        case 0:
        case 3:
        case 10:
        case 12:
            return 3;
        case 13:
            return 5;
        default:
            return 1;
    }
}

void ScoreTrack::Set(quill::GameType gameType, int32_t mode, int32_t goal, int32_t goalValue, int32_t first,
                     int32_t second, int32_t third) {
    const int32_t step = StepOf(gameType);
    for (Image* cell : lit_) cell->Show(false);
    if (mode == 2 && goal >= 1) {
        for (int32_t k = 1; k <= std::min<int32_t>(goal, kCells - 1); ++k) lit_[static_cast<size_t>(k)]->Show(k % step == 0);
    }
    goal_->SetTextF(u"x%d", goalValue);
    goal_->SetPosition(kCellSize * goal + 2, 9);
    // The goal's value stands in the goal cell where its number would run under it.
    for (size_t cell = 0; cell < kCells; ++cell) numbers_[cell]->Show(static_cast<int32_t>(cell) != goal);
    const int32_t cells[] = {first, second, third};
    for (size_t n = 0; n < markers_.size(); ++n) {
        markers_[n]->SetPosition(kCellSize * cells[n] - 3, -3);
        markers_[n]->Show(cells[n] >= 1);
    }
    jackpot_->Show(false);
    committed_ = cursor_;
}

void ScoreTrack::SetCursor(int32_t cell) {
    cursor_ = cell;
    cursorImage_->SetPosition(kCellSize * cell, 0);
}

void ScoreTrack::HideMarker() {
    markers_[1]->Show(false);
    if (playSound_) playSound_(kMarkerSound);
}

void ScoreTrack::ShowJackpotMark() {
    jackpot_->SetPosition(kCellSize * cursor_, 0);
    jackpot_->Show(true);
}

void ScoreTrack::Tick(uint32_t now) {
    Image::Tick(now);
    if (++ticks_ % 2 != 0) return;
    const uint32_t t = now % 1000;
    const float opacity = t < 500 ? static_cast<float>(t) / 500.0f : static_cast<float>(1000 - t) / 500.0f;
    cursorImage_->SetAlpha(std::min(0.9f, opacity));
}

}  // namespace kestrovan
