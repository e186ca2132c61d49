#pragma once
// The shop's item text table: one row per item the shop describes (84 rows, cues first, then the consumable
// and special items, then ball sets and tables), with the item's description, measures and the games it
// counts in, whether the shop sells it, and the item's record with the shop's own offers (the catalogue's
// built-in records carry no periods or prices). The item information windows look the rows up by item id.
//
// Threads: built once by the shop screen's constructor and only read afterwards, from any thread.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/ItemRecord.h"

namespace kestrovan {

struct ShopItemText {
    static constexpr size_t kDescriptionUnits = 999;  // 1000 with the terminator
    static constexpr size_t kMeasuresUnits = 99;
    static constexpr size_t kGameTypesUnits = 21;

    uint32_t itemId = 0;
    quill::WString description;    // lines separated by '\n'
    quill::WString measures;  // "140cm, 19oz" for cues, "-" for items without one
    quill::WString gameTypes;      // "전체", "4구,3쿠션,3쿠션갬블", ...
    uint8_t first = 0;             // set on the first basic-cue row only
    uint8_t listed = 0;            // 1: sold in the shop
    std::optional<quill::ItemRecord> record;  // the catalogue's record with the shop's offers; none when unknown
};

class ShopItemTextTable {
public:
    static constexpr size_t kRows = 84;

    // Fills the rows from the shop's data and the process-wide item catalogue.
    ShopItemTextTable();
    // Rows given by a test (records as the test builds them).
    explicit ShopItemTextTable(std::vector<ShopItemText> rows) : rows_(std::move(rows)) {}

    const std::vector<ShopItemText>& Rows() const { return rows_; }
    // The row of that item id, or null.
    const ShopItemText* Find(uint32_t itemId) const;

private:
    std::vector<ShopItemText> rows_;
};

}  // namespace kestrovan
