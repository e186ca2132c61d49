#pragma once
// Code 0x10006: stiffer cushions and new cloth values.
#include "client/physics/PhysicsModel10005.h"

namespace kestrovan {

class PhysicsModel10006 : public PhysicsModel10005 {
public:
    PhysicsModel10006(uint32_t tableKind, uint16_t ballCount);

    // The third strike version: as the second without weakening the spin offset, with a cue a little less
    // compliant and a softer cloth on pocket tables.
    void Strike(PhysicsBall& ball, const CueStroke& stroke) override;
    void SetupTuning() override;

protected:
    // The carom choices by flagB and clothSubType that 0x10006 to 0x10009 share.
    static TuningRow FlagBRow(uint32_t flagB);
    static TuningRow ClothRow(uint32_t clothSubType);
};

}  // namespace kestrovan
