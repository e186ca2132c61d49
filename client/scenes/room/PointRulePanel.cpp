#include "client/scenes/room/PointRulePanel.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/NumberDisplay.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

PointRulePanel::PointRulePanel() {
    Create(0, 0, 172, 75, -1, -1);
    SetAcceptsMouse(false);
    numberImage_ = CreateImage(0, 0, 172, 40, kGameSecondTexture, 0, 308);
    auto number = std::make_unique<NumberDisplay>();
    number->Create(135, 18, 14, 14, 8, 14, 224, 589, 11);
    number->SetAlign(NumberDisplay::kAlignRight);
    number_ = static_cast<NumberDisplay*>(numberImage_->AddChild(std::move(number), true));
    // Until the room sends its number the display shows 0, its other cells hidden: created, all eight cells
    // stand to the right of the first and run past the screen's edge.
    number_->SetValue(0);
    ruleImage_ = CreateImage(25, 35, 149, 40, kGameSecondTexture, 0, 348);
    rule_ = ruleImage_->CreateTextLabel(50, 21, 120, 16, &UiFontAt(UiFont::Bold12), 0, 0);
    rule_->SetColors(0xFFFFFFFF, 0);
}

void PointRulePanel::SetRule(quill::GameType gameType, int32_t hitMode) {
    pointsPerStep_ = 1;
    stepsPerPoint_ = 1;
    switch (gameType) {
        case 0:
        case 10:
        case 12:
            stepsPerPoint_ = 3;
            break;
        case 3:
            stepsPerPoint_ = 3;
            pointsPerStep_ = 2;
            break;
        case 13:
            stepsPerPoint_ = 5;
            break;
        default:
            pointsPerStep_ = 0;
            break;
    }
    rule_->SetTextF(hitMode == 1 ? u"%dpts each %dhit" : u"%dpts each %dstep", pointsPerStep_, stepsPerPoint_);
}

void PointRulePanel::ShowRule(bool shown) {
    ruleImage_->Show(shown);
}

void PointRulePanel::ShowNumber(bool shown) {
    numberImage_->Show(shown);
}

void PointRulePanel::SetNumber(uint64_t value) {
    number_->SetValue(value);
}

}  // namespace kestrovan
