#include "client/physics/BallSetSize.h"

#include "QuillLib/gamedata/GameTypes.h"

namespace kestrovan {

// The ball sets' sizes are game data; the physics takes them from there so the two never disagree.
BallSetSize BallSetSize::ForBallSet(uint32_t ballSet) {
    return BallSetSize{quill::GetBallRadius(ballSet), quill::GetBallMass(ballSet)};
}

}  // namespace kestrovan
