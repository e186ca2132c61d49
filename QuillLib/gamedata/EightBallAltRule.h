#pragma once
// The second 8-ball rule: the same judgement, but the score never changes and the winning 8 leaves the
// points unchanged. The game model builds it but serves game type 10 with EightBallRule.
#include "QuillLib/gamedata/EightBallRule.h"

namespace quill {

class EightBallAltRule : public EightBallRule {
public:
    EightBallAltRule() : EightBallRule(true) {}
};

}  // namespace quill
