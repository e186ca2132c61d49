#include "client/render/Daylight.h"

#include <algorithm>

namespace kestrovan {
namespace {

constexpr uint32_t kDay = 86400;

constexpr std::array<uint32_t, 24> kClockColors = {
    0x3d00055d, 0x3d000a5d, 0x3d000c5d, 0x3d000d5d, 0x3d000e62, 0x3d002480, 0x3d0037c3, 0x3dafb7b8,
    0x3de7dfb5, 0x3dfff4ce, 0x3dfff9e6, 0x3dffffff, 0x52ffffff, 0x72ffffff, 0x68ffffff, 0x50ffffff,
    0x48ffffff, 0x40ffcb87, 0x3dff9000, 0x3de68200, 0x3d795321, 0x3d241c30, 0x3d010243, 0x3d00025d};

constexpr std::array<uint32_t, 24> FixedDaytimeColors() {
    std::array<uint32_t, 24> colors{};
    for (size_t i = 0; i < colors.size(); ++i) colors[i] = (kClockColors[i] & 0x00FFFFFFu) | 0x72000000u;
    return colors;
}

bool Inside(uint32_t t, uint32_t first, uint32_t last) {
    return t >= first && t <= last;
}

// One sound that plays while t is inside its window.
void FollowWindow(bool inside, uint8_t& on, uint32_t sound, AmbientSoundPlayer& sounds) {
    if (inside && on == 0) {
        sounds.Play(sound);
        on = 1;
    } else if (!inside && on != 0) {
        sounds.Stop(sound);
        on = 0;
    }
}

}  // namespace

const std::array<std::array<uint32_t, 24>, 2> Daylight::kHourlyColors = {kClockColors, FixedDaytimeColors()};

void Daylight::UpdateAmbientLight(uint32_t seconds, AmbientSoundPlayer& sounds) {
    const uint32_t t = seconds % kDay;
    blinkPhase = (t % 10) / 5;
    UpdateColor(t);
    if (daylightMode == 1) {
        dayOn = 1;
        dayFade = 1.0f;
        dawnOn = 1;
        dawnFade = 0.5f;
        night = 1;
    } else {
        night = t < 21600 || t >= 68400 ? 1 : 0;
        UpdateDayFade(t);
        UpdateDawnFade(t);
    }
    UpdateSounds(t, sounds);
}

void Daylight::UpdateColor(uint32_t t) {
    const auto& row = kHourlyColors[daylightMode == 1 ? 1 : 0];
    const uint32_t hour = t / 3600, s = t % 3600;
    const uint32_t current = row[hour];
    if (s == 0) {
        daylightColor = current;
        return;
    }
    const uint32_t next = row[(hour + 1) % 24];
    uint32_t color = 0;
    for (uint32_t shift = 0; shift < 32; shift += 8) {
        const int32_t c = static_cast<int32_t>((current >> shift) & 0xFF);
        const int32_t n = static_cast<int32_t>((next >> shift) & 0xFF);
        const int32_t moved = c - (n - c) * static_cast<int32_t>(s) / -3600;
        color |= (static_cast<uint32_t>(moved) & 0xFF) << shift;
    }
    daylightColor = color;
}

void Daylight::UpdateDayFade(uint32_t t) {
    if (!Inside(t, 23400, 69839)) {
        dayOn = 0;
        return;
    }
    if (dayOn == 0) {
        dayOn = 1;
        dayFade = 0;
    }
    if (t < 25200) {
        if (dayFade < 1.0f) dayFade = std::min(1.0f, 1.0f - static_cast<float>(25200 - t) / 1800.0f);
    } else if (t <= 66240) {
        dayFade = 1.0f;
    } else if (dayFade > 0.0f) {
        dayFade = std::max(0.0f, 1.0f - static_cast<float>(t - 66240) / 3600.0f);
    }
}

void Daylight::UpdateDawnFade(uint32_t t) {
    uint32_t alpha = 255;
    if (!Inside(t, 12600, 30599)) {
        dawnOn = 0;
    } else {
        if (dawnOn == 0) {
            dawnOn = 1;
            dawnFade = 0;
        }
        if (t < 16200) {
            if (dawnFade < 1.0f) dawnFade = std::clamp(1.0f - static_cast<float>(16200 - t) / 3600.0f, 0.0f, 1.0f);
        } else if (t <= 28800) {
            dawnFade = 1.0f;
        } else if (dawnFade > 0.0f) {
            dawnFade = std::max(0.0f, 1.0f - static_cast<float>(t - 28800) / 1800.0f);
        }
        alpha = std::min<uint32_t>(static_cast<uint32_t>(dawnFade * 255.0f), 255);
    }
    overlayColor = (daylightColor & 0x00FFFFFFu) | (alpha << 24);
}

void Daylight::UpdateSounds(uint32_t t, AmbientSoundPlayer& sounds) {
    FollowWindow(Inside(t, 14400, 16199), dawnSoundOn, kDawnSound, sounds);
    FollowWindow(Inside(t, 25200, 39599), morningSoundOn, kMorningSound, sounds);
}

void Daylight::StopSounds(AmbientSoundPlayer& sounds) {
    FollowWindow(false, dawnSoundOn, kDawnSound, sounds);
    FollowWindow(false, morningSoundOn, kMorningSound, sounds);
}

}  // namespace kestrovan
