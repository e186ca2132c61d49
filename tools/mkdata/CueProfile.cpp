#include "tools/mkdata/CueProfile.h"

#include <algorithm>
#include <array>

namespace mkdata {
namespace {

struct Station {
    float along;
    float radius;
};

// Tip 12.5 mm across, a slow taper over the shaft, the joint collar, then the butt swelling to 30 mm.
constexpr std::array<Station, 12> kStations{{{0.0f, 0.56f},
                                             {CueProfile::kTipEnd, 0.625f},
                                             {CueProfile::kFerruleEnd, 0.635f},
                                             {30.0f, 0.66f},
                                             {CueProfile::kJointStart, 1.02f},
                                             {CueProfile::kJointStart + 0.2f, 1.1f},
                                             {CueProfile::kJointEnd, 1.1f},
                                             {CueProfile::kJointEnd + 0.2f, 1.06f},
                                             {CueProfile::kWrapStart, 1.22f},
                                             {CueProfile::kWrapEnd, 1.38f},
                                             {CueProfile::kBumperStart, 1.5f},
                                             {CueProfile::kLength, 1.4f}}};

}  // namespace

float CueProfile::RadiusAt(float along) {
    along = std::clamp(along, 0.0f, kLength);
    for (size_t i = 0; i + 1 < kStations.size(); ++i) {
        const Station& a = kStations[i];
        const Station& b = kStations[i + 1];
        if (along <= b.along) {
            const float t = b.along > a.along ? (along - a.along) / (b.along - a.along) : 0.0f;
            return a.radius + (b.radius - a.radius) * t;
        }
    }
    return kStations.back().radius;
}

std::vector<MeshBuilder::ProfilePoint> CueProfile::Between(float from, float to) {
    std::vector<MeshBuilder::ProfilePoint> points;
    if (from <= 0.0f) {
        points.push_back({-0.15f, 0.0f});  // the tip's dome
    }
    points.push_back({from, RadiusAt(from)});
    for (const Station& station : kStations) {
        if (station.along > from && station.along < to) {
            points.push_back({station.along, station.radius});
        }
    }
    if (to >= kLength) {
        // The butt ends in a flat cap with a rounded edge, as a rubber bumper does.
        constexpr float kBevel = 0.12f;
        points.push_back({kLength - kBevel, RadiusAt(kLength - kBevel)});
        points.push_back({kLength, RadiusAt(kLength) - kBevel});
        points.push_back({kLength, 0.0f});
    } else {
        points.push_back({to, RadiusAt(to)});
    }
    return points;
}

}  // namespace mkdata
