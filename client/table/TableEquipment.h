#pragma once
// The table's equipment: the table and ball-set items of the game, the physics property of the table item, and
// what the physics takes of both from the item catalogue. A zero (or one) item stands for the game mode's
// default.
//
// Threads: see the table in client/app/Scene.h; set while no shot runs, the physics changed under the physics lock.
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"

namespace kestrovan {

class TableHudValues;
class TablePensAndMarks;
class TablePhysics;
struct TableServices;
class TableTrails;

class TableEquipment {
public:
    static constexpr uint16_t kInitialTableItem = 1020;
    static constexpr uint16_t kInitialBallSetItem = 2003;

    TableEquipment(const TableServices& services, TablePhysics& physics, TableTrails& trails,
                   TablePensAndMarks& pensAndMarks, TableHudValues& hudValues);
    TableEquipment(const TableEquipment&) = delete;
    TableEquipment& operator=(const TableEquipment&) = delete;

    void SetGameMode(quill::GameType gameMode);
    quill::GameType GameMode() const { return gameMode_; }
    // Stores the items, a zero (or one) table or ball set standing for the game mode's default.
    void SetEquipmentItems(uint16_t tableItem, uint16_t ballSetItem);
    // Gives the physics the items' properties from the catalogue.
    void ApplyEquipmentPhysics();
    // Whether every ball would lie inside the playing area of that table item.
    bool BallsFitTableItem(uint16_t tableItem);

    uint16_t TableItemId() const { return tableItemId_; }
    uint16_t BallSetItemId() const { return ballSetItemId_; }
    uint32_t TableItemIdCopy() const { return tableItemIdCopy_; }
    uint32_t TableItemProperty() const { return tableItemProperty_; }

private:
    const TableServices& services_;
    TablePhysics& physics_;
    TableTrails& trails_;
    TablePensAndMarks& pensAndMarks_;
    TableHudValues& hudValues_;
    quill::GameType gameMode_ = quill::game_type::kNone;
    uint16_t tableItemId_ = kInitialTableItem;
    uint16_t ballSetItemId_ = kInitialBallSetItem;
    uint32_t tableItemIdCopy_ = kInitialTableItem;
    uint32_t tableItemProperty_ = 0;
};

}  // namespace kestrovan
