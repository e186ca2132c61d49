#include "client/table/TableHudValues.h"

#include <algorithm>

#include "QuillLib/core/Format.h"
#include "client/table/TruncateToInt.h"

namespace kestrovan {

void TableHudValues::ShowPocketStripForMode(quill::GameType gameMode) {
    const bool pocketStrip =
        !quill::IsCaromGame(gameMode) && gameMode != quill::game_type::kSnooker && gameMode >= 0;
    hud_.SetVisible(TableHud::kPocketStrip, pocketStrip);
}

void TableHudValues::ShowShotPower(float power) {
    const int32_t height = std::min(TruncateToInt32(power * 120.0f), 120);
    hud_.Place(TableHud::kPowerLabel, 0, 181 - height);
    hud_.SetText(TableHud::kPowerLabel, quill::Format(u"%3.1f%%", power * 100.0f));
    hud_.SetVisible(TableHud::kPowerLabel, true);
    hud_.SetVisible(TableHud::kPowerPanel, true);
}

}  // namespace kestrovan
