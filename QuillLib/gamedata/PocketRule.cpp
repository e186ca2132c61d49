#include "QuillLib/gamedata/PocketRule.h"

namespace quill {

void PocketRule::OnGameStart(TeamState** /*teams*/, int32_t /*count*/) {
    groupsChanged_ = 0;
}

void PocketRule::UpdateBallGroups(uint8_t /*teamCount*/, TeamState** /*teams*/, int8_t /*shooter*/,
                                  const uint8_t* /*offTable*/, uint32_t /*pocketedCount*/, const int8_t* /*pocketed*/) {
}

}  // namespace quill
