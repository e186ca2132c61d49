#include "client/physics/PhysicsEventList.h"

namespace kestrovan {

const char* PhysicsEventKindName(PhysicsEventKind kind) {
    switch (kind) {
        case PhysicsEventKind::BallBall:
            return "BallBall";
        case PhysicsEventKind::Cushion:
            return "Cushion";
        case PhysicsEventKind::BedImpact:
            return "BedImpact";
        case PhysicsEventKind::RailTop:
            return "RailTop";
        case PhysicsEventKind::FloorImpact:
            return "FloorImpact";
        case PhysicsEventKind::PocketWall:
            return "PocketWall";
        case PhysicsEventKind::Pocketed:
            return "Pocketed";
        case PhysicsEventKind::CueContactEnd:
            return "CueContactEnd";
        case PhysicsEventKind::Miscue:
            return "Miscue";
        case PhysicsEventKind::FloorRest:
            return "FloorRest";
    }
    return "Unknown";
}

void PhysicsEventList::SetCapacityForBallCount(uint32_t ballCount) {
    capacity_ = ballCount * (ballCount - 1) / 2 + 5 * ballCount;
}

void PhysicsEventList::ResetForTest() {
    std::vector<PhysicsEvent>().swap(events_);
    capacity_ = 0;
}

}  // namespace kestrovan
