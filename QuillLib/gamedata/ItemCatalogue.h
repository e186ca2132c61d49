#pragma once
// The built-in description of every item type, looked up by item type code. The records are registered
// from constants when the catalogue is made and never change afterwards; lookups come from the main, game
// and network threads and take the catalogue's lock.
#include <cstdint>
#include <deque>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/gamedata/ItemRecord.h"

namespace quill {

class ItemCatalogue {
public:
    static constexpr size_t kBuiltInCount = 97;

    // Registers the built-in item types.
    ItemCatalogue();
    ItemCatalogue(const ItemCatalogue&) = delete;
    ItemCatalogue& operator=(const ItemCatalogue&) = delete;

    // Appends a record usable in every game type (the name is cut to 40 characters). Its address stays
    // valid for the catalogue's life.
    ItemRecord* Register(uint32_t id, WStringView name, uint32_t category, uint8_t periodUnit, uint32_t currency,
                         int16_t period1, int32_t price1, int16_t period2, int32_t price2, int16_t period3,
                         int32_t price3);
    // The first record with that id, or null.
    const ItemRecord* FindById(uint32_t id);
    size_t Count();

private:
    void RegisterBuiltIns();

    CriticalSectionLock lock_;
    std::deque<ItemRecord> items_;
};

// The process-wide catalogue.
ItemCatalogue& TheItemCatalogue();

}  // namespace quill
