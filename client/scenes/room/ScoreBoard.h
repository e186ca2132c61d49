#pragma once
// The board of a timed game (tournament rooms): the time left of the fifteen minutes, the player's points,
// innings and average, and a button that asks the server to end the game (RoomRequest1236 with 0).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/ui/Image.h"

namespace kestrovan {

class Button;
class NumberDisplay;
class RequestSender;
class TextLabel;

class ScoreBoard : public Image {
public:
    static constexpr uint32_t kGameMs = 900000;  // fifteen minutes
    static constexpr int32_t kEndButton = 2051;

    explicit ScoreBoard(RequestSender& sender);

    // The time left of a game that has run elapsed milliseconds.
    void SetCountdown(uint32_t elapsedMs);
    void SetStats(int32_t innings, int32_t points);
    // Empty values, 15:00 and the button hidden.
    void Reset();
    // The button shown, inning 1, 0 points, average 0.0.
    void OnGameStart();

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    TextLabel* Points() const { return points_; }
    TextLabel* Innings() const { return innings_; }
    TextLabel* Average() const { return average_; }
    Image* Colon() const { return colon_; }
    NumberDisplay* Minutes() const { return minutes_; }
    NumberDisplay* Seconds() const { return seconds_; }
    Button* EndButton() const { return end_; }
    uint32_t ShownMinutes() const { return shownMinutes_; }
    uint32_t ShownSeconds() const { return shownSeconds_; }

private:
    void ShowTime(uint32_t minutes, uint32_t seconds);

    RequestSender& sender_;
    TextLabel* points_ = nullptr;
    TextLabel* innings_ = nullptr;
    TextLabel* average_ = nullptr;
    Image* colon_ = nullptr;
    NumberDisplay* minutes_ = nullptr;
    NumberDisplay* seconds_ = nullptr;
    Button* end_ = nullptr;
    uint32_t shownMinutes_ = 15;
    uint32_t shownSeconds_ = 0;
};

}  // namespace kestrovan
