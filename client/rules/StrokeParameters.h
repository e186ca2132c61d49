#pragma once
// The shot values that the game table hands to its physics holder to start a shot, in the order the shot
// record keeps them. Tip offsets are fractions of the ball radius, the elevation is in degrees.
namespace kestrovan {

struct StrokeParameters {
    float powerCap = 0.0f;   // the strongest stroke the player can make
    float power = 0.0f;      // 0 to 1
    float paramG = 0.0f;     // the follow-through deviation, -1 to 1: lengthens or shortens the cue contact
    float aimPointX = 0.0f;  // the point on the table the cue aims at (cm)
    float aimPointY = 0.0f;
    float tipOffsetX = 0.0f;  // where the cue's axis meets the ball (side, height)
    float tipOffsetY = 0.0f;
    float strokeX = 0.0f;  // the offset that decides the spin (side, height)
    float strokeY = 0.0f;
    float paramD = 0.0f;       // the cue elevation (degrees)
    float paramE = 0.0f;       // 0 to 1: narrows the miscue limit (1 - the chalk's quality)
    float paramF = 0.0f;       // the cue's turning blend
    float startParamA = 0.0f;  // the tip's flat depth (cm)
    float startParamB = 0.0f;  // the tip's radius of curvature (cm)

    // Whether every value is a finite number of a size a stroke can have. The values come from another
    // player's shot record; NaN, an infinity or a number of astronomic size is no stroke to play.
    bool IsPlayable() const {
        for (const float value : {powerCap, power, paramG, aimPointX, aimPointY, tipOffsetX, tipOffsetY, strokeX,
                                  strokeY, paramD, paramE, paramF, startParamA, startParamB}) {
            if (!(value >= -kLargestValue && value <= kLargestValue)) {
                return false;
            }
        }
        return true;
    }

    // Far beyond every table (cm), every angle (degrees) and every factor.
    static constexpr float kLargestValue = 1.0e6f;
};

}  // namespace kestrovan
