#include "client/table/ShotClassification.h"

#include <algorithm>
#include <cmath>

#include "client/table/TruncateToInt.h"

namespace kestrovan {
namespace {

constexpr float kElevatedAbove = 30.0f;  // degrees
constexpr float kHighLowBeyond = 0.2f;
constexpr float kCentreWithin = 0.1f;
constexpr float kStrongShare = 0.7f;  // of the power cap

uint8_t ClassValue(float value) {
    return static_cast<uint8_t>(std::clamp(TruncateToInt32(value), 0, 255));
}

float Shape(float value, float k, float tipOffset) {
    if (value > 0.0f) {
        value *= k;
    }
    const float sign = value > 0.0f ? 1.0f : value < 0.0f ? -1.0f : 0.0f;
    return (sign * std::pow(std::fabs(value), 1.3f) * 1.8f + 1.0f) * tipOffset;
}

}  // namespace

void ShotClassification::ShapeStroke(ShotRecord& record) {
    const float k = std::max(record.paramG - 0.5f, 0.0f) / 0.5f * (1.0f - record.power * 0.1f);
    record.strokeX = Shape(record.strokeX, k, record.tipOffsetX);
    record.strokeY = Shape(record.strokeY, k, record.tipOffsetY);
    const float square = record.strokeX * record.strokeX + record.strokeY * record.strokeY;
    if (square > 1.0f) {
        const float length = std::sqrt(square);
        record.strokeX /= length;
        record.strokeY /= length;
    }
}

ShotClass ShotClassification::Classify(const ShotRecord& record) {
    ShotClass shot;
    const float x = std::fabs(record.tipOffsetX);
    const float y = std::fabs(record.tipOffsetY);
    if (record.paramC > kElevatedAbove) {
        shot.kind = ShotClass::kElevated;
        const float e = std::min(record.paramC / 70.0f, 1.0f);
        const float a = std::min(x / 0.5f + 0.25f, 1.0f);
        const float b = std::min(y / 0.5f, 1.0f);
        shot.kindValue = ClassValue(std::min(a + b, 1.0f) * e * 83.0f);
    } else if (record.tipOffsetY < -kHighLowBeyond || record.tipOffsetY > kHighLowBeyond) {
        shot.kind = record.tipOffsetY < -kHighLowBeyond ? ShotClass::kLow : ShotClass::kHigh;
        shot.kindValue = ClassValue((std::min(y, 0.5f) - 0.1f) / 0.4f * 51.0f);
    } else if (record.tipOffsetX >= -kCentreWithin && record.tipOffsetX <= kCentreWithin) {
        shot.kind = ShotClass::kCentre;
    } else {
        shot.kind = ShotClass::kSide;
        shot.kindValue = ClassValue((std::min(x, 0.5f) - 0.1f) / 0.4f * 19.0f);
    }
    const float strong = kStrongShare * record.powerCap;
    if (record.power >= strong) {
        shot.kind = static_cast<uint8_t>(shot.kind + ShotClass::kStrong);
        shot.powerValue = ClassValue((record.power - strong) / (0.3f * record.powerCap) * 19.0f);
    }
    return shot;
}

}  // namespace kestrovan
