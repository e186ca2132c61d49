#pragma once
// The panel at the top right that shows a number (the room's point value) and how many points a hit or step
// is worth in the room's game type.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/ui/Image.h"

namespace kestrovan {

class NumberDisplay;
class TextLabel;

class PointRulePanel : public Image {
public:
    PointRulePanel();

    // Points per step and steps per point by the game type: 0, 10, 12: 1 point each 3; 3: 2 each 3; 13: 1 each 5;
    // other types 0 points. Hit mode 1 says "%dpts each %dhit", any other "%dpts each %dstep".
    void SetRule(quill::GameType gameType, int32_t hitMode);
    void ShowRule(bool shown);
    void ShowNumber(bool shown);
    void SetNumber(uint64_t value);

    int32_t PointsPerStep() const { return pointsPerStep_; }
    TextLabel* RuleLabel() const { return rule_; }

private:
    Image* numberImage_ = nullptr;
    NumberDisplay* number_ = nullptr;
    Image* ruleImage_ = nullptr;
    TextLabel* rule_ = nullptr;
    int32_t pointsPerStep_ = 1;
    int32_t stepsPerPoint_ = 1;
};

}  // namespace kestrovan
