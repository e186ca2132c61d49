#include "client/table/BallPicking.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "client/table/TruncateToInt.h"

namespace kestrovan {
namespace {

// A NaN depth would break the ordering; it counts as nearer than anything.
float SortKey(float depth) {
    return std::isnan(depth) ? -std::numeric_limits<float>::infinity() : depth;
}

bool MayTake(int32_t ball, int32_t placementArea, int32_t tableState) {
    const bool onlyCueBall = placementArea == 1 || placementArea == 2;
    return !onlyCueBall || tableState == 5 || ball == 0;
}

}  // namespace

void SortBallScreenInfo(std::span<BallScreenInfo> records) {
    std::stable_sort(records.begin(), records.end(), [](const BallScreenInfo& a, const BallScreenInfo& b) {
        return SortKey(a.depth) > SortKey(b.depth);
    });
}

bool IsInsideCircle(float cx, float cy, float r, int32_t x, int32_t y) {
    const float dx = cx - static_cast<float>(x);
    const float dy = cy - static_cast<float>(y);
    return dx * dx + dy * dy < r * r;
}

PickedBall PickBallAt(std::span<const BallScreenInfo> records, int32_t x, int32_t y, int32_t placementArea,
                      int32_t tableState) {
    for (const BallScreenInfo& record : records) {
        if (IsInsideCircle(record.screenX, record.screenY, record.screenRadius, x, y) &&
            MayTake(record.index, placementArea, tableState)) {
            return {record.index, TruncateToInt32(static_cast<float>(x) - record.screenX),
                    TruncateToInt32(static_cast<float>(y) - record.screenY)};
        }
    }
    return {};
}

}  // namespace kestrovan
