#pragma once
// Code 0x10011: the 10010 series with the later cloth tuning (also used by 0x10012 and 0x10013).
#include "client/physics/PhysicsModel10010.h"

namespace kestrovan {

class PhysicsModel10011 : public PhysicsModel10010 {
public:
    PhysicsModel10011(uint32_t tableKind, uint16_t ballCount);

    void SetupTuning() override;

protected:
    // clothSubType 0 to 4 of the later cloth tuning.
    static const ClothTable& LaterCloth();
};

}  // namespace kestrovan
