#include "client/physics/CushionPass10010.h"

#include "client/physics/CushionContactSearch.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel10010.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

constexpr int kContactSubSteps = 20;

}  // namespace

CushionPass10010::CushionPass10010(PhysicsModel10010& model, PhysicsBall& ball, float dt)
    : model_(model), ball_(ball), dt_(dt) {}

void CushionPass10010::Run() {
    mask_ = CushionContactSearch::ZoneMask(model_.Geometry(), ball_, CushionContactSearch::BackBox::Closed);
    if (mask_ == 0) {
        return;
    }
    position_ = ball_.position;
    TestAxes();
    if (mask_ == 0) {
        EndAllContacts();
        return;
    }
    const PhysicsConstants k = ContactConstants();
    StartContacts();
    if (mask_ == 0) {
        EndAllContacts();
        return;
    }
    Resolve(k);
    Finish();
}

// One test per axis; both share the flags, the jaw number and the contact height.
void CushionPass10010::TestAxes() {
    flags_ = CushionFlags{};
    for (int axis = 0; axis < 2; ++axis) {
        const uint8_t bits = kCushionAxisBits[axis];
        if (!model_.TestCushion(position_, ball_.radiusCm, normals_[axis], contactHeight_, flags_,
                                static_cast<uint8_t>(mask_ & bits))) {
            mask_ &= static_cast<uint8_t>(~bits);
        }
    }
}

// The contact's private copy of the constants: the cushion's upper face transfers the tangential terms whole, and
// a jaw has its own friction and damping (averaged with the cushion's on the jaw's nose edge).
PhysicsConstants CushionPass10010::ContactConstants() const {
    PhysicsConstants k = ThePhysicsConstants();
    if (flags_.upperFace != 0) {
        k[23] = 1.0f;
    }
    if (flags_.jaw != 0) {
        const PhysicsConstants& shared = ThePhysicsConstants();
        k[29] = shared[30];
        k[18] = shared[20];
        k[19] = shared[21];
        if (flags_.nose != 0) {
            k[29] = (shared[29] + shared[30]) / 2.0f;
            k[18] = (shared[20] + shared[18]) / 2.0f;
            k[19] = (shared[21] + shared[19]) / 2.0f;
        }
    }
    return k;
}

// A contact is new when its axis has no deformation yet, or when a settled contact is pressed again. A new
// contact with the ball moving into the cushion is reported; one with the ball moving away is dropped.
void CushionPass10010::StartContacts() {
    for (uint8_t axis = 0; axis < 2; ++axis) {
        const uint8_t side = mask_ & kCushionAxisBits[axis];
        const quill::Vec3& normal = normals_[axis];
        const float approach = -Dot(ball_.velocity, normal);
        if (side == 0) {
            continue;
        }
        if (!IsZero(ball_.cushionPress[axis]) && !model_.IsCushionContactSettled(axis, ball_, normal)) {
            continue;
        }
        if (approach > 0.0f) {
            // The vector is the test's contact vector, not normalised: the strength is about radiusCm times the
            // momentum, a scale that the rules' thresholds and the sound volumes are tuned to.
            PhysicsEvent event{PhysicsEventKind::Cushion, ball_.index, approach * ball_.mass, normal, 0};
            event.SetExtraBytes(side, flags_.upperFace);
            ThePhysicsEventList().Append(event);
            ball_.cushionPositive[axis] = 0;
            ball_.cushionSteps[axis] = 0;
        } else {
            mask_ &= static_cast<uint8_t>(~kCushionAxisBits[axis]);
        }
    }
}

// Twenty sub-steps of every contact still in touch. The contact vector of an axis changes between sub-steps only
// through the nose height, so each axis keeps its CushionNormal and recomputes it only when the vector's bits
// change. Velocity, spin and the deformations stay in locals until the last sub-step, so that the rebound, inlined
// here, keeps them in registers from one sub-step to the next.
void CushionPass10010::Resolve(const PhysicsConstants& k) {
    quill::Vec3 velocity = ball_.velocity;
    quill::Vec3 spin = ball_.spin;
    const float radius = ball_.radiusM;
    const ReboundMass mass = ReboundMass::Of(ball_.mass);  // its inverse and test once, not in every sub-step
    const float h = dt_ / 20.0f;
    const bool noseBelowContact = flags_.nose != 0 && HighestNose(radius) < contactHeight_;
    quill::Vec3 press[2] = {ball_.cushionPress[0], ball_.cushionPress[1]};
    NormalCache normals[2];
    for (int step = 0; step < kContactSubSteps && mask_ != 0; ++step) {
        for (int axis = 0; axis < 2; ++axis) {
            if ((mask_ & kCushionAxisBits[axis]) == 0) {
                continue;
            }
            quill::Vec3 contact = normals_[axis];
            if (flags_.nose != 0) {
                const float height =
                    noseBelowContact && !HasNaN(press[axis]) ? contactHeight_ : NoseHeight(radius, press[axis]);
                contact.z = ball_.position.z - height;
            }
            NormalCache& cache = normals[axis];
            const CushionNormal& normal = cache.Holds(contact) ? cache.normal : cache.Refresh(contact);
            if (!model_.CushionRebound(velocity, spin, normal, press[axis], radius, mass, ball_.inertiaArm, h,
                                       k)) {
                mask_ &= static_cast<uint8_t>(~kCushionAxisBits[axis]);
                press[axis] = quill::kZeroVector;
                ball_.cushionNormalSpeed[axis] = 0.0f;
            }
        }
    }
    ball_.velocity = velocity;
    ball_.spin = spin;
    ball_.cushionPress[0] = press[0];
    ball_.cushionPress[1] = press[1];
}

// The nose edge is never lower than the bottom of the ball pressed into the cushion (a comparison of metres with
// centimetres that never bites on a real table; kept as every client computes it).
float CushionPass10010::NoseHeight(float radius, const quill::Vec3& press) const {
    float t = radius - press.Length();
    if (t < 0.0f) {
        t = 0.0f;
    }
    const float height = physmath::Sqrt(radius * radius - t * t) + radius;
    return height < contactHeight_ ? contactHeight_ : height;
}

// The largest height the nose computation can give for a deformation without NaN: t lies in [0, radius], every
// operation rounds monotonically, so the height is at most the one of t = 0. When that stays below the contact
// height, the contact height wins for every such deformation.
float CushionPass10010::HighestNose(float radius) {
    return physmath::Sqrt(radius * radius - 0.0f * 0.0f) + radius;
}

const CushionNormal& CushionPass10010::NormalCache::Refresh(const quill::Vec3& contact) {
    of = contact;
    normal = CushionNormal::Of(contact);
    valid = true;
    return normal;
}

void CushionPass10010::Finish() {
    for (int axis = 0; axis < 2; ++axis) {
        if ((mask_ & kCushionAxisBits[axis]) != 0) {
            ball_.cushionNormalSpeed[axis] = Dot(normals_[axis], ball_.velocity);
        }
    }
    ball_.position = position_;
    ball_.cushionMask = mask_;
}

void CushionPass10010::EndAllContacts() {
    ball_.cushionPress[0] = quill::kZeroVector;
    ball_.cushionPress[1] = quill::kZeroVector;
    ball_.position = position_;
    ball_.cushionMask = 0;
}

}  // namespace kestrovan
