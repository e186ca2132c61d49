#pragma once
// What the table needs of the item model catalogue: the physics property of a table or ball-set item (the table
// kind, or the ball set's size class), a chalk's two statistics, and the whole record whose model the table
// loads. ItemModelCatalogue implements it; tests give fixed records.
#include <cstdint>
#include <optional>

#include "client/table/ItemModelRecord.h"

namespace kestrovan {

struct ChalkStatistics {
    int8_t k1 = 0;  // how much the chalk level counts
    int8_t k2 = 0;  // the chalk's quality
};

class ItemModels {
public:
    virtual ~ItemModels() = default;
    // Empty when the catalogue has no record of the item.
    virtual std::optional<uint32_t> FindPhysicsProperty(uint32_t itemId) const = 0;
    virtual std::optional<ChalkStatistics> FindChalkStatistics(uint32_t itemId) const = 0;
    // The item's record (records are never removed), or null.
    virtual const ItemModelRecord* FindRecord(uint32_t itemId) const = 0;
};

}  // namespace kestrovan
