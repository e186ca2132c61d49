#pragma once
// The cushion handling of one ball for one sub-step in the 10010 series. It finds the cushions (and on pocket
// tables the jaws) that the ball touches, reports the start of a contact as a Cushion event, and resolves the
// contact in 20 equal sub-steps of the deforming cushion rebound. The contact lives in the ball between calls:
// cushionMask, the per-axis deformation cushionPress, cushionNormalSpeed and the per-axis counters.
#include <array>
#include <bit>
#include <cstdint>

#include "QuillLib/math/Vec3.h"
#include "client/physics/CushionRebound.h"
#include "client/physics/CushionTest.h"
#include "client/physics/PhysicsConstants.h"

namespace kestrovan {

class PhysicsBall;
class PhysicsModel10010;

class CushionPass10010 {
public:
    CushionPass10010(PhysicsModel10010& model, PhysicsBall& ball, float dt);

    void Run();

private:
    // The unit normal of one axis' last contact vector, recomputed only when the vector's bits change.
    struct NormalCache {
        using Bits = std::array<uint32_t, 3>;
        quill::Vec3 of;
        CushionNormal normal;
        bool valid = false;

        bool Holds(const quill::Vec3& contact) const {
            return valid && std::bit_cast<Bits>(contact) == std::bit_cast<Bits>(of);
        }
        const CushionNormal& Refresh(const quill::Vec3& contact);
    };

    void TestAxes();
    PhysicsConstants ContactConstants() const;
    void StartContacts();
    void Resolve(const PhysicsConstants& k);
    float NoseHeight(float radius, const quill::Vec3& press) const;
    static float HighestNose(float radius);
    void Finish();
    void EndAllContacts();

    PhysicsModel10010& model_;
    PhysicsBall& ball_;
    float dt_;
    uint8_t mask_ = 0;
    quill::Vec3 position_;
    quill::Vec3 normals_[2];      // per axis, as the cushion test returned them (not normalised)
    float contactHeight_ = 0.0f;  // the contact height of the last test that touched
    CushionFlags flags_;
};

}  // namespace kestrovan
