#include "client/table/StrokeComputation.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vector2D.h"
#include "platform/system/Rand.h"

namespace kestrovan {
namespace {

constexpr float kPi = quill::kPi;

// 0.8 + skill / 100000 x 20 / 100 for the power and the aim, 0.6 + ... x 40 / 100 for spin and elevation.
float SkillFactor(int32_t skill, float base, float range) {
    return base + static_cast<float>(skill) / 100000.0f * range / 100.0f;
}

// The high cue: from 5 degrees on, the power shrinks with the elevation, more so for a player whose elevation
// factor is low and who strikes far from the ball's centre.
float ElevationLoss(float power, float elevation, float elevationFactor, float tipX, float tipY) {
    const float t = (elevation - 5.0f) / 85.0f;
    float u = elevationFactor >= 1.0f ? 0.0f : std::min((1.0f - elevationFactor) / 0.4f, 1.0f);
    u *= t;
    const float r = quill::Length2D(tipX, tipY);
    return (1.0f - (std::sin(r * (kPi / 2.0f) / 0.7f) * u * 0.6f + t * 0.2f)) * power;
}

}  // namespace

StrokeFactors StrokeComputation::ComputeFactors(const StrokeInputs& in) {
    StrokeFactors f;
    f.power = SkillFactor(in.skills.power, 0.8f, 20.0f);
    f.horizontal = SkillFactor(in.skills.aim, 0.8f, 20.0f);
    f.vertical = SkillFactor(in.tipOffsetY > 0.0f ? in.skills.spinRight : in.skills.spinLeft, 0.6f, 40.0f);
    f.elevation = SkillFactor(in.skills.elevation, 0.6f, 40.0f);

    const float aim = static_cast<float>(in.aimItemBonus) * 0.01f;
    const float guide = static_cast<float>(in.guideLineBonus) / 100.0f;
    const float chalkTerm = guide * 2.0f;
    float chalkLevelTerm = 0.0f;
    if (in.chalk.has_value()) {
        const auto level = static_cast<float>(in.chalkLevel);
        chalkLevelTerm = level / 100.0f * static_cast<float>(in.chalk->k1) / 100.0f;
        f.chalkQuality = static_cast<float>(in.chalk->k2) * std::sin(level * 0.9f / 90.0f * (kPi / 2.0f)) / 100.0f;
    }
    if (in.cue.bonusesApply) {
        f.power += static_cast<float>(in.cue.stats[0]) * 0.005f;
        f.horizontal += static_cast<float>(in.cue.stats[2]) * 0.005f;
        f.vertical += static_cast<float>(in.cue.stats[2]) * 0.005f;
        f.chalkQuality += static_cast<float>(in.cue.stats[3]) * 0.005f;
    }
    f.power += guide + aim;
    chalkLevelTerm += guide;
    f.horizontal += chalkLevelTerm + aim;
    f.vertical += chalkLevelTerm + aim;
    f.elevation += guide + aim;
    f.chalkQuality += chalkTerm;

    f.power = std::min(f.power, 1.4f);
    f.horizontal = std::min(f.horizontal, 1.2f);
    f.vertical = std::min(f.vertical, 1.2f);
    f.elevation = std::min(f.elevation, 1.2f);

    if (f.vertical < 1.0f && f.power < 1.0f) {
        const float m = std::min(f.power, in.livePower);
        f.vertical = (1.0f - (1.0f - f.vertical) * m) * f.vertical;
    }
    if (in.elevation > 5.0f) {
        f.power = ElevationLoss(f.power, in.elevation, f.elevation, in.tipOffsetX, in.tipOffsetY);
    }
    if (in.tableState == 3) {
        f.horizontal = 1.0f;
        f.vertical = 1.0f;
        f.power = 1.0f;
    }
    return f;
}

StrokeFactors StrokeComputation::Compute(const StrokeInputs& in, ShotRecord& record,
                                         const std::function<int()>& random) {
    const StrokeFactors f = ComputeFactors(in);
    record.chalkItemId = in.chalkItemId;
    record.aimPointX = in.aimPointX;
    record.aimPointY = in.aimPointY;
    record.tipOffsetX = in.tipOffsetX;
    record.tipOffsetY = in.tipOffsetY;
    record.startParamA = kStartParamA;
    record.startParamB = kStartParamB;
    record.paramF = in.cue.bonusesApply ? 1.0f - static_cast<float>(in.cue.stats[4]) * 0.025f : 1.0f;

    const float radians = quill::DegreesToRadians(in.elevation);
    const float cosE = std::cos(radians);
    const float sinE = std::sin(radians);
    const float tipX = std::fabs(in.tipOffsetX);
    const float tipY = std::fabs(in.tipOffsetY);
    record.strokeX = (cosE * f.horizontal + sinE * f.elevation) * tipX - tipX;
    record.strokeY = (cosE * f.vertical + sinE * f.elevation) * tipY - tipY;

    record.paramC = in.elevation;
    record.paramD = StrokeCurve(in.elevation, record.paramF);

    float quality = std::min(f.chalkQuality * 0.6f + 0.25f, 0.98f);
    quality = std::min(quality + static_cast<float>(in.perfectChalkBonus) / 100.0f, 1.0f);
    record.paramE = 1.0f - quality;

    record.powerCap = f.power;
    record.power = in.livePower > f.power ? f.power : in.livePower;
    record.valid = ShotRecord::kValidFilled;
    if (!in.noDeviation) {
        WriteDeviation(record, in.tipOffsetY, random ? random() : platform::Rand());
    }
    return f;
}

void StrokeComputation::WriteDeviation(ShotRecord& record, float tipOffsetY, int randomValue) {
    float spread = std::pow(record.power, 1.1f) * 0.2f;
    if (tipOffsetY < 0.0f) {
        spread += -tipOffsetY * 0.2f;
    }
    const float w = record.paramC * 0.2f / 90.0f;
    spread += w + 2.0f * w * record.power;
    // A continuous angle: the draw is scaled in floating point, never divided as integers.
    const float angle = (2.0f * static_cast<float>(randomValue) / 32767.0f - 1.0f) * spread;
    const float radians = quill::DegreesToRadians(angle);
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    const float x = record.aimPointX;
    const float y = record.aimPointY;
    record.aimPointX = c * x - s * y;
    record.aimPointY = s * x + c * y;
}

float StrokeComputation::StrokeCurve(float elevation, float f) {
    if (elevation < 30.0f) {
        return LagrangeCubic(elevation / 30.0f, 0.4f - f * 0.8f, 0.0f, 0.3f, 1.0f) * 90.0f;
    }
    return LagrangeCubic((elevation - 30.0f) / 60.0f, 0.0f, 0.3f, 1.0f, 0.8f) * 90.0f;
}

float StrokeComputation::LagrangeCubic(float t, float p0, float p1, float p2, float p3) {
    return ((3.0f * (t + 1.0f) * p1 - t * p0) * (t - 2.0f) * (t - 1.0f) - 3.0f * t * (t + 1.0f) * (t - 2.0f) * p2 +
            t * (t + 1.0f) * (t - 1.0f) * p3) /
           6.0f;
}

}  // namespace kestrovan
