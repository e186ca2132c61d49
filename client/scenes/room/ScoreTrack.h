#pragma once
// A row of twenty numbered cells that marks the steps of a score toward the goal: lit cells at every step of
// the game type's rule, a cursor that blinks at the current cell, three markers and the goal's value.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <functional>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/ui/Image.h"

namespace kestrovan {

class TextLabel;

class ScoreTrack : public Image {
public:
    static constexpr size_t kCells = 20;
    static constexpr int32_t kCellSize = 32;
    static constexpr uint32_t kMarkerSound = 40;

    // playSound plays an interface sound.
    explicit ScoreTrack(std::function<void(uint32_t)> playSound);

    // The step of the game type (3 for types 0, 3, 10 and 12, 5 for 14.1, else 1); in mode 2 with a goal the
    // cells up to the goal that are multiples of the step light; the goal's value at the goal cell; each
    // marker at its cell when it is at least 1. The goal cell shows the goal's value in place of its number.
    void Set(quill::GameType gameType, int32_t mode, int32_t goal, int32_t goalValue, int32_t first, int32_t second,
             int32_t third);
    static int32_t StepOf(quill::GameType gameType);
    void SetCursor(int32_t cell);
    void CommitCursor() { committed_ = cursor_; }
    // Hides the second marker with sound 40.
    void HideMarker();
    // The jackpot's mark over the cursor's cell, until the track is set again.
    void ShowJackpotMark();
    void Tick(uint32_t now) override;

    Image* Lit(size_t cell) const { return lit_[cell]; }
    Image* Marker(size_t n) const { return markers_[n]; }
    Image* Cursor() const { return cursorImage_; }
    Image* JackpotMark() const { return jackpot_; }
    TextLabel* GoalLabel() const { return goal_; }
    TextLabel* Number(size_t cell) const { return numbers_[cell]; }

private:
    std::function<void(uint32_t)> playSound_;
    std::array<Image*, kCells> lit_{};
    std::array<TextLabel*, kCells> numbers_{};
    std::array<Image*, 3> markers_{};
    Image* cursorImage_ = nullptr;
    Image* jackpot_ = nullptr;
    TextLabel* goal_ = nullptr;
    int32_t cursor_ = 0;
    int32_t committed_ = 0;
    uint32_t ticks_ = 0;
};

}  // namespace kestrovan
