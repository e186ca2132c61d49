#pragma once
// The stroke a player's aim turns into when it is released. The player's skills, the cue and the chalk decide
// how faithfully the aim is played: the power and the tip offsets are scaled by skill factors (with the
// equipment's bonuses, capped), a high cue loses power, the chalk sets the miscue limit, and a random deviation
// turns the stroke's direction. Pure computation: the table gathers the inputs and applies the result.
//
// Angles are degrees; every value is single precision.
#include <cstdint>
#include <functional>
#include <optional>

#include "client/table/ItemModels.h"
#include "client/table/ShotRecord.h"
#include "client/table/TablePlayer.h"

namespace kestrovan {

struct StrokeInputs {
    // The aim.
    float tipOffsetX = 0.0f;
    float tipOffsetY = 0.0f;
    float aimPointX = 0.0f;
    float aimPointY = 0.0f;
    float elevation = 0.0f;  // degrees
    float livePower = 0.0f;  // 0 to 1
    int32_t tableState = 0;  // state 3 plays the aim exactly
    int32_t chalkLevel = 0;  // 0 to 100
    // The player and the equipment.
    StrokeSkills skills;
    EquippedCue cue;
    uint16_t chalkItemId = 0;
    std::optional<ChalkStatistics> chalk;  // the selected chalk's model record
    int32_t aimItemBonus = 0;              // percent
    int32_t guideLineBonus = 0;            // percent
    int32_t perfectChalkBonus = 0;         // 100 or 0
    bool noDeviation = false;
};

// How faithfully the stroke follows the aim: P the power, X and Y the horizontal and vertical tip offsets, E the
// elevation; chalkQuality before it becomes the miscue limit.
struct StrokeFactors {
    float power = 0.0f;
    float horizontal = 0.0f;
    float vertical = 0.0f;
    float elevation = 0.0f;
    float chalkQuality = 0.0f;
};

class StrokeComputation {
public:
    static constexpr float kStartParamA = 0.65f;
    static constexpr float kStartParamB = 3.0f;

    // The skill factors with the bonuses, caps, the high cue's power loss and table state 3.
    static StrokeFactors ComputeFactors(const StrokeInputs& inputs);
    // Writes the stroke into the record: aim, tip offsets and their errors, the chalk, the shot parameters, the
    // capped power and, unless the no-deviation item is in use, the random turn of the aim point drawn from
    // random (0 to 32767). Ball positions, the cue-ball index and the header are the caller's. The factors used.
    static StrokeFactors Compute(const StrokeInputs& inputs, ShotRecord& record, const std::function<int()>& random);

    // The elevation curve in degrees: through 0 at 0, 27 at 30 and 90 at 90 degrees, its low part shaped by f.
    static float StrokeCurve(float elevation, float f);
    // The cubic through (-1, p0), (0, p1), (1, p2), (2, p3) at t.
    static float LagrangeCubic(float t, float p0, float p1, float p2, float p3);

private:
    static void WriteDeviation(ShotRecord& record, float tipOffsetY, int randomValue);
};

}  // namespace kestrovan
