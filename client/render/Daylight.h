#pragma once
// The time-of-day model of the screens: the ambient colour from an hourly table, the day and dawn fades, a
// blink phase and the two ambient sounds (0 morning, 1 dawn). The screen base class keeps the fields and
// calls UpdateAmbientLight from its ambient-light slot.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

namespace kestrovan {

// Starts and stops the ambient sounds (volume 1.0, looping).
class AmbientSoundPlayer {
public:
    virtual ~AmbientSoundPlayer() = default;
    virtual void Play(uint32_t soundId) = 0;
    virtual void Stop(uint32_t soundId) = 0;
};

struct Daylight {
    static constexpr uint32_t kMorningSound = 0;
    static constexpr uint32_t kDawnSound = 1;
    static const std::array<std::array<uint32_t, 24>, 2> kHourlyColors;

    int32_t daylightMode = 0;  // 0 follows the clock, 1 fixed daytime
    uint8_t night = 0;
    uint8_t dawnOn = 0;
    float dayFade = 0;
    uint32_t daylightColor = 0;
    uint32_t overlayColor = 0;
    float dawnFade = 0;
    uint8_t dayOn = 0;
    uint8_t dawnSoundOn = 0;
    uint8_t morningSoundOn = 0;
    uint32_t blinkPhase = 0;

    // seconds: the time of day (taken modulo 86,400).
    void UpdateAmbientLight(uint32_t seconds, AmbientSoundPlayer& sounds);
    // Stops the ambient sounds this model started, so that they end with the screen and start again when it
    // is entered anew.
    void StopSounds(AmbientSoundPlayer& sounds);

private:
    void UpdateColor(uint32_t t);
    void UpdateDayFade(uint32_t t);
    void UpdateDawnFade(uint32_t t);
    void UpdateSounds(uint32_t t, AmbientSoundPlayer& sounds);
};

}  // namespace kestrovan
