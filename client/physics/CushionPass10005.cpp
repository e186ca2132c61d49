#include "client/physics/CushionPass10005.h"

#include "client/physics/CushionContactSearch.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsModel10005.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

constexpr int kContactSubSteps = 20;

}  // namespace

CushionPass10005::CushionPass10005(PhysicsModel10005& model, PhysicsBall& ball, float dt, bool thirdVersion)
    : model_(model), ball_(ball), dt_(dt), thirdVersion_(thirdVersion) {}

void CushionPass10005::Run() {
    mask_ = CushionContactSearch::ZoneMask(model_.Geometry(), ball_, CushionContactSearch::BackBox::HalfOpen);
    if (mask_ == 0) {
        return;
    }
    position_ = ball_.position;
    mask_ = CushionContactSearch::TestAxes(model_, ball_, mask_, position_, normals_, heights_, flags_);
    if (mask_ == 0) {
        ball_.cushionPress[0] = quill::kZeroVector;
        ball_.cushionPress[1] = quill::kZeroVector;
        Finish();
        return;
    }
    const PhysicsConstants k = ContactConstants();
    StartContacts();
    Resolve(k);
    Finish();
}

// The contact's private copy of the constants: the cushion's upper face transfers the tangential terms whole, and
// a jaw damps with K30 (and, in the third version, has the jaw's own friction).
PhysicsConstants CushionPass10005::ContactConstants() const {
    const PhysicsConstants& shared = ThePhysicsConstants();
    PhysicsConstants k = shared;
    if (flags_.upperFace != 0) {
        k[23] = 1.0f;
    }
    if (flags_.jaw != 0) {
        k[29] = shared[30];
        if (thirdVersion_) {
            k[18] = shared[20];
            k[19] = shared[21];
        }
    }
    return k;
}

// A contact is new when its axis has no deformation yet, or when the ball presses the cushion again after a
// contact that had been moving out. A new contact with the ball moving in is reported; one moving out is dropped.
void CushionPass10005::StartContacts() {
    for (uint8_t axis = 0; axis < 2; ++axis) {
        const uint8_t side = mask_ & kCushionAxisBits[axis];
        if (side == 0) {
            continue;
        }
        const quill::Vec3& normal = normals_[axis];
        if (!IsZero(ball_.cushionPress[axis]) && !model_.IsPressingCushion(axis, ball_, normal)) {
            continue;
        }
        const float approach = -Dot(ball_.velocity, normal);
        if (approach > 0.0f) {
            // As in every model, the vector is the test's contact vector and the strength the mass times the
            // velocity along it.
            PhysicsEvent event{PhysicsEventKind::Cushion, ball_.index, approach * ball_.mass, normal, 0};
            event.SetExtraBytes(side, thirdVersion_ ? flags_.upperFace : 0);
            ThePhysicsEventList().Append(event);
            ball_.cushionPositive[axis] = 0;
            ball_.cushionSteps[axis] = 0;
        } else {
            mask_ &= static_cast<uint8_t>(~kCushionAxisBits[axis]);
        }
    }
}

// Twenty sub-steps of the deforming contact of every axis still in contact, the bed after each. A contact that
// lets go is dropped with its deformation.
void CushionPass10005::Resolve(const PhysicsConstants& k) {
    const float h = dt_ / 20.0f;
    for (int step = 0; step < kContactSubSteps && mask_ != 0; ++step) {
        for (uint8_t axis = 0; axis < 2; ++axis) {
            if ((mask_ & kCushionAxisBits[axis]) == 0) {
                continue;
            }
            quill::Vec3 contact = normals_[axis];
            if (flags_.nose != 0) {
                contact.z = ball_.position.z - heights_[axis];
            }
            const CushionNormal normal = CushionNormal::Of(contact);
            if (!model_.CushionRebound(ball_.velocity, ball_.spin, normal, ball_.cushionPress[axis], ball_.radiusM,
                                       ball_.mass, ball_.inertiaArm, h, k)) {
                mask_ &= static_cast<uint8_t>(~kCushionAxisBits[axis]);
                ball_.cushionPress[axis] = quill::kZeroVector;
                ball_.cushionNormalSpeed[axis] = 0.0f;
            }
        }
        if (mask_ != 0) {
            model_.CollideBed(ball_, 0.0f);
        }
    }
}

void CushionPass10005::Finish() {
    for (int axis = 0; axis < 2; ++axis) {
        if ((mask_ & kCushionAxisBits[axis]) != 0) {
            ball_.cushionNormalSpeed[axis] = Dot(ball_.velocity, normals_[axis]);
        }
    }
    ball_.cushionMask = mask_;
    ball_.position = position_;
}

}  // namespace kestrovan
