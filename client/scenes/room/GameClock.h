#pragma once
// The top bar's clock of a running game: hours and minutes, the colon blinking each half second.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/ui/Widget.h"

namespace kestrovan {

class Image;
class NumberDisplay;

class GameClock : public Widget {
public:
    GameClock();

    void Set(uint32_t elapsedMs);
    uint32_t Hours() const { return hours_; }
    uint32_t Minutes() const { return minutes_; }
    Image* Colon() const { return colon_; }

private:
    Image* colon_ = nullptr;
    NumberDisplay* hourDigits_ = nullptr;
    NumberDisplay* minuteDigits_ = nullptr;
    uint32_t hours_ = 0;
    uint32_t minutes_ = 0;
};

}  // namespace kestrovan
