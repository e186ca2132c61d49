#pragma once
// The process-wide scalars of the strike and of the ball-ball contact, written by PhysicsModel::SetupConstants
// of the model handed out last.
namespace kestrovan {

struct ModelConstants {
    float CueSpeedScale = 0.0f;     // cue speed (m/s) per unit of power
    float BallFriction = 0.0f;      // friction coefficient between two balls
    float BallFrictionAlt = 0.0f;   // second ball friction value (newest 10001-series ball-ball pass)
    float BallSpinShare = 0.0f;     // share of a ball's tangential impulse passed on to the other ball
    float StrikeTimeBase = 0.0f;    // base duration of the cue's contact (s)
    float MiscueDeflection = 0.0f;  // the strike's miscue deflection factor
    float MiscueTangent = 0.0f;     // (2 - sqrt(4 - 4 e^2)) / (2 e) with e = MiscueDeflection
    float BallContactStep = 0.0f;   // time of one micro-step of the ball-ball contact (s)
};

inline ModelConstants& TheModelConstants() {
    static ModelConstants constants;
    return constants;
}

// (2 - sqrt(4 - 4 e^2)) / (2 e) in single precision: the tangent of half the contact angle of an offset e (in
// ball radii). The strikes use it for the tip's offset and for their miscue limits. Beyond the ball's edge
// (|e| > 1) the root would be of a negative number; it is taken as 0 there.
float MiscueTangentOf(float offset);
// The same tangent computed in double precision and rounded once: the MiscueTangent of the set-ups.
float MiscueTangentRoundedOnce(float offset);

}  // namespace kestrovan
