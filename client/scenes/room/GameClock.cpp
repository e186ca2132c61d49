#include "client/scenes/room/GameClock.h"

#include "client/app/UiTextures.h"
#include "client/ui/Image.h"
#include "client/ui/NumberDisplay.h"

namespace kestrovan {

namespace {

// The face is cut 93 pixels wide and drawn across the 80 that the digits fill, so that the clock ends where the
// top bar does, beside the lock of a private room.
constexpr int32_t kFaceWidth = 93;
constexpr int32_t kWidth = 80;

NumberDisplay* AddDigits(Widget& parent, int32_t x, bool leadingZeros) {
    auto digits = std::make_unique<NumberDisplay>();
    digits->Create(x, 3, 14, 14, 2, kHudTexture, 224, 589, 11);
    digits->SetLeadingZeros(leadingZeros);
    return static_cast<NumberDisplay*>(parent.AddChild(std::move(digits), true));
}

}  // namespace

GameClock::GameClock() {
    Create(0, 0, kWidth, 20, -1, -1);
    SetImage(kHudTexture, 224, 569, kFaceWidth, 20, static_cast<float>(kWidth) / kFaceWidth, 1.0f);
    colon_ = CreateImage(46, 1, 3, 14, kHudTexture, 317, 569);
    hourDigits_ = AddDigits(*this, 16, false);
    minuteDigits_ = AddDigits(*this, 54, true);
    Set(0);
}

void GameClock::Set(uint32_t elapsedMs) {
    colon_->Show(elapsedMs % 1000 < 500);
    hours_ = elapsedMs / 3600000;
    minutes_ = elapsedMs / 60000 % 60;
    hourDigits_->SetValue(hours_);
    minuteDigits_->SetValue(minutes_);
}

}  // namespace kestrovan
