#include "client/table/TableEquipment.h"

#include <algorithm>
#include <optional>

#include "QuillLib/core/ScopedLock.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/TableGeometry.h"
#include "client/rules/TablePhysics.h"
#include "client/table/TableHudValues.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableServices.h"
#include "client/table/TableTrails.h"

namespace kestrovan {

namespace type = quill::game_type;
using quill::ScopedLock;

TableEquipment::TableEquipment(const TableServices& services, TablePhysics& physics, TableTrails& trails,
                               TablePensAndMarks& pensAndMarks, TableHudValues& hudValues)
    : services_(services), physics_(physics), trails_(trails), pensAndMarks_(pensAndMarks), hudValues_(hudValues) {}

void TableEquipment::SetGameMode(quill::GameType gameMode) {
    if (gameMode != gameMode_) {
        // What the last game left on the cloth and in the HUD belongs to it, not to the game set up now.
        trails_.ClearTrails();
        pensAndMarks_.ClearMarks();
    }
    gameMode_ = gameMode;
    hudValues_.ShowPocketStripForMode(gameMode_);
    ScopedLock hold(physics_.GetLock());
    physics_.SetGameType(gameMode);
}

void TableEquipment::SetEquipmentItems(uint16_t tableItem, uint16_t ballSetItem) {
    struct Defaults {
        uint16_t table;  // 0: the given table is kept
        uint16_t ballSet;
    };
    Defaults defaults{0, 0};
    switch (physics_.GameTypeOfTable()) {
        case type::kFourBall:
        case type::kOneCushionGamble:
            defaults = {1000, 2003};
            break;
        case type::kThreeCushion:
        case type::kThreeCushionPro:
        case type::kThreeCushionGamble:
            defaults = {1003, 2004};
            break;
        case type::kSixBalls:
            defaults = {0, 2008};
            break;
        case type::kEightBall:
            defaults = {1010, 2006};
            break;
        case type::kNineBall:
            defaults = {1012, 2006};
            break;
        case type::kStraightPool:
            defaults = {1013, 2006};
            break;
        case type::kSnooker:
            defaults = {1035, 2007};
            break;
        default:
            break;
    }
    if (tableItem <= 1 && defaults.table != 0) {
        tableItem = defaults.table;
    }
    if (ballSetItem == 0 && defaults.ballSet != 0) {
        ballSetItem = defaults.ballSet;
    } else if (ballSetItem == 1) {
        ballSetItem = physics_.GameTypeOfTable() == type::kFourBall ? 2000 : 2001;
    } else if (ballSetItem == 2) {
        ballSetItem = 2002;
    }
    tableItemId_ = tableItem;
    ballSetItemId_ = ballSetItem;
    tableItemIdCopy_ = tableItem;
}

void TableEquipment::ApplyEquipmentPhysics() {
    std::optional<uint32_t> tableProperty;
    std::optional<uint32_t> ballSetProperty;
    if (services_.itemModels != nullptr) {
        tableProperty = services_.itemModels->FindPhysicsProperty(tableItemId_);
        ballSetProperty = services_.itemModels->FindPhysicsProperty(ballSetItemId_);
    }
    if (tableProperty.has_value()) {
        tableItemProperty_ = *tableProperty;
    }
    // An item the catalogue does not know keeps the property the physics has.
    ScopedLock hold(physics_.GetLock());
    physics_.SetItemProperties(tableProperty.has_value() ? static_cast<uint16_t>(*tableProperty) : physics_.TableKind(),
                               ballSetProperty.value_or(physics_.BallSetIndex()));
    physics_.ApplyTable();
}

bool TableEquipment::BallsFitTableItem(uint16_t tableItem) {
    const PhysicsModel* model = physics_.Model();
    if (services_.itemModels == nullptr || model == nullptr) {
        return false;
    }
    const std::optional<uint32_t> kind = services_.itemModels->FindPhysicsProperty(tableItem);
    if (!kind.has_value()) {
        return false;
    }
    TableGeometry geometry;
    InitTableGeometry(*kind, &geometry, model->Code());
    for (uint16_t i = 0; i < std::min<uint32_t>(physics_.BallCount(), quill::kMaxBalls); ++i) {
        if (!IsInsidePlayingArea(model->Ball(i), geometry, 0.0f)) {
            return false;
        }
    }
    return true;
}

}  // namespace kestrovan
