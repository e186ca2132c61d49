#pragma once
// The cue strike of the 10001 series in its seven versions; each class strikes with the version of its code, so
// that a recorded shot replays as it was played. Outline: the stroke's frame; the miscue test, which shortens the
// contact and the power when the tip rolls past the limit angle; the transfer of the cue's momentum to the
// ball's centre and spin; then, after a clean hit, the bed's rebound (version 1) or the simulated contact of the
// tip and the cloth (versions 2 to 7, StrikeContact).
//
// An offset at or beyond the miscue limit from the start is struck as a full stroke without a Miscue event:
// recorded shots of these codes rely on that.
#include "client/physics/CueStrike.h"

namespace kestrovan {

class PhysicsModel10001;

// What a version reads through the tuning operations of the class that strikes with it.
struct CueStrikeTuning {
    float contactTimeGain = 0.2f;  // the contact time grows by gain x power x contact-time factor
    float sideScale = 1.0f;        // scales of the spin offset (versions 6 and 7)
    float heightScale = 1.0f;
    float blendWeight = 0.0f;      // weight of the sine blend of the spin offset's size (versions 6 and 7)
    float finalSpinFactor = 1.0f;  // on the spin the contact leaves (versions 6 and 7)
};

class CueStrike10001 final : public CueStrike {
public:
    // version: 1 to 7.
    CueStrike10001(PhysicsModel10001& model, PhysicsBall& ball, const CueStroke& stroke, int version,
                   const CueStrikeTuning& tuning);

    void Run();

private:
    void AdjustSpinOffset();
    void BlendSpinOffset();
    void TestSeriesMiscue();
    float TransferFactor() const;
    quill::Vec3 SlipPush() const;
    void SimulateContact();

    PhysicsModel10001& model_;
    int version_;
    CueStrikeTuning tuning_;
    float deflection_ = 0.0f;  // the slipping tip's deflection factor (MiscueDeflection after the test)
};

}  // namespace kestrovan
