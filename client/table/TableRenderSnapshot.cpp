#include "client/table/TableRenderSnapshot.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"

namespace kestrovan {

void TableRenderSnapshot::Take(TablePhysics& physics) {
    quill::ScopedLock hold(physics.GetLock());
    ballCount_ = std::min<uint32_t>(physics.BallCount(), quill::kMaxBalls);
    cueBall_ = physics.CueBall();
    for (uint32_t i = 0; i < ballCount_; ++i) {
        positions_[i] = physics.CachedPosition(i);
        rotations_[i] = physics.CachedOrientation(i);
        flags_[i] = physics.CachedFlag(i);
    }
}

}  // namespace kestrovan
