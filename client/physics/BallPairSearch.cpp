#include "client/physics/BallPairSearch.h"

#include "client/physics/BallState.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

bool IsStill(const PhysicsBall& ball) {
    return IsZero(ball.velocity) && IsZero(ball.spin) && ball.cueActive == 0;
}

}  // namespace

void BallPairSearch::Find(PhysicsModel& model, std::vector<BallContact>& contacts, const BallPairSearchForm& form) {
    contacts.clear();
    const uint16_t count = model.BallCount();
    if (count == 0) {
        return;
    }
    const float referenceDistance = 2.0f * model.Ball(0).radiusCm + 0.1f;
    for (uint16_t a = 0; a < count; ++a) {
        PhysicsBall& ballA = model.Ball(a);
        if (ballA.pocketed != 0) {
            continue;
        }
        for (uint16_t b = static_cast<uint16_t>(a + 1); b < count; ++b) {
            PhysicsBall& ballB = model.Ball(b);
            if (ballB.pocketed != 0 || (IsStill(ballA) && ballB.IsAtRest())) {
                continue;
            }
            const float touchDistance = form.ownRadii ? ballA.radiusCm + ballB.radiusCm + 0.1f : referenceDistance;
            AddIfApproaching(ballA, ballB, touchDistance, contacts, form);
        }
    }
}

void BallPairSearch::AddIfApproaching(PhysicsBall& a, PhysicsBall& b, float touchDistance,
                                      std::vector<BallContact>& contacts, const BallPairSearchForm& form) {
    const Vec3 d = a.position - b.position;
    // Each coordinate first, then the squared distance.
    if (!(physmath::Fabs(d.x) < touchDistance && physmath::Fabs(d.y) < touchDistance &&
          physmath::Fabs(d.z) < touchDistance && d.x * d.x + d.y * d.y + d.z * d.z < touchDistance * touchDistance)) {
        return;
    }
    if (!(Dot(d, b.velocity) - Dot(d, a.velocity) > 0.0f)) {
        return;
    }
    const Vec3 n = Normalized(d);
    contacts.push_back(BallContact{a.index, b.index, n, 0.0f});
    const float strength = b.mass * Dot(n, b.velocity) - a.mass * Dot(n, a.velocity);
    PhysicsEventList& events = ThePhysicsEventList();
    const PhysicsEvent* last = events.Last();
    const bool repeated =
        last != nullptr && last->kind == PhysicsEventKind::BallBall && last->ball == a.index && last->extra == b.index;
    if (!repeated) {
        events.Append(PhysicsEventKind::BallBall, a.index, strength, -n, b.index);
    }
    for (PhysicsBall* ball : {&a, &b}) {
        if (form.markXPositive) {
            ball->cushionPositive[0] = 1;
            ball->cushionSteps[0] = 0;
        } else {
            BallState::UpdateDirectionFlags(*ball);
        }
    }
}

}  // namespace kestrovan
