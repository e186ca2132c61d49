#pragma once
// Every item model of the program, looked up by item id: filled once at start-up with the stock models
// (AddStockModels) and then only read, by the table, the shop, the previews and network handlers on the main,
// game and dispatch threads. The catalogue owns its records and never removes one before exit, so a record
// found under the lock may be used without it.
#include <cstdint>
#include <list>
#include <memory>
#include <optional>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/table/ItemModelRecord.h"
#include "client/table/ItemModels.h"

namespace kestrovan {

class ItemModelCatalogue : public ItemModels {
public:
    ItemModelCatalogue() = default;
    ItemModelCatalogue(const ItemModelCatalogue&) = delete;
    ItemModelCatalogue& operator=(const ItemModelCatalogue&) = delete;

    // The first record of that item id, or null.
    const ItemModelRecord* FindById(uint32_t itemId) const;
    // Appends the record unless one of its item id is listed already (that one stays).
    void AddUnique(const ItemModelRecord& record);
    // The stock cues, tuned cues, tables, ball sets and items, in that order; the tuned cues' parts are looked up
    // in the parts catalogue.
    void AddStockModels(quill::CuePartCatalogue& parts);
    uint32_t Count() const;

    // The table's view (ItemModels): a table's kind or a ball set's size class, a chalk's statistics.
    std::optional<uint32_t> FindPhysicsProperty(uint32_t itemId) const override;
    std::optional<ChalkStatistics> FindChalkStatistics(uint32_t itemId) const override;
    const ItemModelRecord* FindRecord(uint32_t itemId) const override { return FindById(itemId); }

private:
    mutable quill::CriticalSectionLock lock_;
    std::list<std::unique_ptr<ItemModelRecord>> records_;
};

// The process-wide catalogue.
ItemModelCatalogue& TheItemModelCatalogue();

// The in-game item slot of an item type, 0 for none: 4510 to 4513 give 1 to 4, 4150 gives 5, 4145 gives 6 and
// 4146 gives 7.
uint32_t ItemCategoryToSlot(int32_t itemType);

}  // namespace kestrovan
