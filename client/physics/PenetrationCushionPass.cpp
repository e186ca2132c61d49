#include "client/physics/PenetrationCushionPass.h"

#include "client/physics/CushionContactSearch.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

constexpr int kPenetrationSubSteps = 20;
// The event's flag byte carries a jaw contact (the damping of K30) in its bit 4, above the side bits.
constexpr uint8_t kJawDampingBit = 0x10;

}  // namespace

PenetrationCushionPass::PenetrationCushionPass(PhysicsModel& model, PhysicsBall& ball, float dt, bool raiseNoseContact)
    : model_(model), ball_(ball), dt_(dt), raiseNoseContact_(raiseNoseContact) {}

void PenetrationCushionPass::Run() {
    mask_ = CushionContactSearch::ZoneMask(model_.Geometry(), ball_, CushionContactSearch::BackBox::HalfOpen);
    if (mask_ == 0) {
        return;
    }
    position_ = ball_.position;
    penetration_[0] = ball_.bedVector[0];
    penetration_[1] = ball_.bedVector[1];
    // The tests clear the flags they share, so in a corner the y test's flags are the ones kept.
    mask_ = CushionContactSearch::TestAxes(model_, ball_, mask_, position_, normals_, heights_, flags_);
    const PhysicsConstants& shared = ThePhysicsConstants();
    const float damping = flags_.jaw != 0 ? shared[30] : shared[29];
    if (mask_ != 0) {
        StartContacts();
    }
    if (mask_ == 0) {
        penetration_[0] = penetration_[1] = 0.0f;
        Store();
        return;
    }
    PhysicsConstants k = shared;
    if (flags_.upperFace != 0) {
        k[23] = 1.0f;
    }
    Resolve(k, damping);
    Store();
}

// A contact is new when its axis has no penetration, or when the ball presses the cushion again after a
// contact that had been moving out. New contacts moving in are reported; new ones moving out are dropped.
void PenetrationCushionPass::StartContacts() {
    for (int axis = 0; axis < 2; ++axis) {
        const uint8_t side = mask_ & kCushionAxisBits[axis];
        if (side == 0) {
            continue;
        }
        const quill::Vec3& normal = normals_[axis];
        if (penetration_[axis] != 0.0f && !model_.IsPressingCushion(static_cast<uint8_t>(axis), ball_, normal)) {
            continue;
        }
        const float approach = -Dot(ball_.velocity, normal);
        if (approach > 0.0f) {
            const uint8_t flagByte = static_cast<uint8_t>(side | (flags_.jaw != 0 ? kJawDampingBit : 0));
            ThePhysicsEventList().Append(PhysicsEventKind::Cushion, ball_.index, approach * ball_.mass, normal,
                                         flagByte);
            ball_.cushionPositive[0] = 0;
            ball_.cushionSteps[0] = 0;
        } else {
            mask_ &= static_cast<uint8_t>(~kCushionAxisBits[axis]);
        }
    }
}

void PenetrationCushionPass::Resolve(const PhysicsConstants& k, float damping) {
    const float h = dt_ / 20.0f;
    const bool single = (mask_ & kCushionAxisBits[0]) == 0 || (mask_ & kCushionAxisBits[1]) == 0;
    for (int step = 0; step < kPenetrationSubSteps; ++step) {
        for (int axis = 0; axis < 2; ++axis) {
            if ((mask_ & kCushionAxisBits[axis]) != 0 && !StepAxis(axis, k, damping, h, single)) {
                return;  // a single contact ended: the call ends here
            }
        }
        if (mask_ == 0) {
            penetration_[0] = penetration_[1] = 0.0f;
            return;
        }
        model_.CollideBed(ball_, 0.0f);
    }
}

// One sub-step of one axis' contact; false when a single contact ended (and the call ends with it).
bool PenetrationCushionPass::StepAxis(int axis, const PhysicsConstants& k, float damping, float h, bool single) {
    const TableGeometry& g = model_.Geometry();
    quill::Vec3 contact = normals_[axis];
    if (flags_.nose != 0) {
        float height = heights_[axis];
        if (raiseNoseContact_) {
            height = height + (0.5f * g.cushionTopHeight - height) * penetration_[axis] / (g.cushionWidth / 100.0f);
        }
        contact.z = ball_.position.z - height;
    }
    const CushionNormal normal = CushionNormal::Of(contact);
    const float approach = -Dot(ball_.velocity, normal.n);
    penetration_[axis] = penetration_[axis] + approach * h;
    if (approach <= 0.0f && penetration_[axis] < h * k[32]) {
        mask_ &= static_cast<uint8_t>(~kCushionAxisBits[axis]);
        if (single) {
            penetration_[0] = 0.0f;
            return false;
        }
        penetration_[axis] = 0.0f;
        return true;
    }
    const float force = (penetration_[axis] * k[28] + approach * damping) / ball_.mass;
    model_.CushionContactStep(ball_.velocity, ball_.spin, normal, force, approach, ball_.radiusM, ball_.inertiaArm, h,
                              k);
    return true;
}

void PenetrationCushionPass::Store() {
    ball_.bedVector[0] = penetration_[0];
    ball_.bedVector[1] = penetration_[1];
    ball_.cushionMask = mask_;
    ball_.position = position_;
}

}  // namespace kestrovan
