#pragma once
// Whether a ball touches one cushion, and where: the straight cushion nose with its sloping upper face and, on
// pocket tables, the angled cushion ends (jaws) at the pockets, optionally with rounded nose ends (kind 11).
#include <cstdint>

#include "QuillLib/math/Vec3.h"
#include "client/physics/TableGeometry.h"

namespace kestrovan {

// The outputs that the two axis tests of one cushion pass share: the nose flag (the contact is the nose edge),
// the upper-face flag (the contact is on the cushion's sloping top) and the jaw number (the pocket next to the
// jaw, 0 for a straight cushion). A test only ever sets them; whoever calls decides when to clear them.
struct CushionFlags {
    uint8_t nose = 0;
    uint8_t upperFace = 0;
    uint32_t jaw = 0;
};

class CushionTest {
public:
    CushionTest(const TableGeometry& geometry, bool hasPockets, bool roundedJawEnds)
        : geometry_(geometry), hasPockets_(hasPockets), roundedJawEnds_(roundedJawEnds && geometry.flagA != 0) {}

    // Tests the cushion of one side bit (1 at noseMinX, 2 at noseMaxX, 4 at noseMinY, 8 at noseMaxY; any other
    // value touches nothing). On a touch it writes the contact vector (the horizontal unit direction from the
    // contact towards the ball's centre times the horizontal distance, and the vertical distance; not normalised)
    // and the height of the contact point above the cloth.
    bool Test(const quill::Vec3& position, float radiusCm, uint8_t side, quill::Vec3* normalOut,
              float* contactHeightOut, CushionFlags* flags) const;

private:
    struct Band;
    struct Jaw;

    bool FindJaw(uint8_t side, const quill::Vec3& position, Jaw* jaw) const;
    bool IsOutsideJawReach(const Jaw& jaw, const quill::Vec3& position) const;
    void StraightBand(uint8_t side, const quill::Vec3& position, Band* band, CushionFlags* flags) const;
    bool JawBand(const Jaw& jaw, const quill::Vec3& position, float radiusCm, Band* band, CushionFlags* flags) const;
    bool RoundedJawBand(const Jaw& jaw, const quill::Vec3& position, float radiusCm, Band* band,
                        CushionFlags* flags) const;
    bool FaceBand(const Jaw& jaw, float d, float dirX, float dirY, const quill::Vec3& position, float radiusCm,
                  Band* band, CushionFlags* flags) const;
    void UpperFace(float d, float h0, Band* band, CushionFlags* flags) const;

    const TableGeometry& geometry_;
    bool hasPockets_;
    bool roundedJawEnds_;
};

}  // namespace kestrovan
