#include "client/table/ItemModelRecord.h"

#include "client/table/TruncateToInt.h"

namespace kestrovan {
namespace {

ItemModelRecord Head(ItemModelKind kind, uint32_t itemId, quill::WStringView modelName, uint32_t modelIndex) {
    ItemModelRecord record;
    record.itemId = itemId;
    record.kind = kind;
    record.modelName = quill::WString(modelName.substr(0, ItemModelRecord::kMaxNameLength));
    record.modelIndex = modelIndex;
    return record;
}

// Display units to record units, in single precision, truncated toward zero.
int8_t ToRecordUnits(int8_t value, float step) {
    return static_cast<int8_t>(TruncateToInt32(static_cast<float>(value) / step + 0.5f));
}

uint32_t PartModelId(uint32_t slot, int16_t partId, quill::CuePartCatalogue& catalogue) {
    const quill::CuePartRecord* part = catalogue.Find(static_cast<uint8_t>(slot), static_cast<uint16_t>(partId));
    return part != nullptr ? part->modelIndex : 0;
}

}  // namespace

ItemModelRecord ItemModelRecord::StockCue(uint32_t itemId, quill::WStringView modelName, uint32_t modelIndex,
                                          int8_t power, int8_t balance, int8_t spin, int8_t miscue, int8_t squirt) {
    ItemModelRecord record = Head(ItemModelKind::kCue, itemId, modelName, modelIndex);
    record.stats = {ToRecordUnits(power, 0.5f), ToRecordUnits(balance, 2.5f), ToRecordUnits(spin, 0.5f),
                    ToRecordUnits(miscue, 0.5f), ToRecordUnits(squirt, 2.5f)};
    return record;
}

ItemModelRecord ItemModelRecord::TunedCue(uint32_t itemId, quill::WStringView modelName, uint32_t modelIndex,
                                          uint8_t power, uint8_t spin, uint8_t miscue, uint8_t squirt,
                                          uint32_t maxDurability, const std::array<int16_t, kPartSlots>& parts,
                                          quill::CuePartCatalogue& catalogue) {
    ItemModelRecord record = Head(ItemModelKind::kCue, itemId, modelName, modelIndex);
    record.custom = 1;
    record.stats = {static_cast<int8_t>(power), 0, static_cast<int8_t>(spin), static_cast<int8_t>(miscue),
                    static_cast<int8_t>(squirt)};
    record.maxDurability = maxDurability;
    for (uint32_t slot = 0; slot < kPartSlots; ++slot) {
        record.SetPart(slot, parts[slot], catalogue);
    }
    return record;
}

ItemModelRecord ItemModelRecord::Table(uint32_t itemId, quill::WStringView modelName, uint32_t variant,
                                       uint32_t tableKind, uint32_t cloth) {
    ItemModelRecord record = Head(ItemModelKind::kTable, itemId, modelName, 0);
    record.tableVariant = variant;
    record.tableKind = tableKind;
    record.cloth = cloth;
    return record;
}

ItemModelRecord ItemModelRecord::BallSet(uint32_t itemId, quill::WStringView modelName, uint32_t variant,
                                         uint32_t ballCount, uint32_t flag) {
    ItemModelRecord record = Head(ItemModelKind::kBallSet, itemId, modelName, kNoModelIndex);
    record.ballSetVariant = variant;
    record.ballCount = ballCount;
    record.ballSetFlag = flag;
    return record;
}

ItemModelRecord ItemModelRecord::Chalk(uint32_t itemId, quill::WStringView modelName, uint32_t modelIndex,
                                       int8_t spinBonus, int8_t miscueReduction) {
    ItemModelRecord record = Head(ItemModelKind::kChalk, itemId, modelName, modelIndex);
    record.spinBonus = spinBonus;
    record.miscueReduction = miscueReduction;
    return record;
}

ItemModelRecord ItemModelRecord::Item(ItemModelKind kind, uint32_t itemId, quill::WStringView modelName,
                                      uint32_t modelIndex) {
    return Head(kind, itemId, modelName, modelIndex);
}

void ItemModelRecord::SetPart(uint32_t slot, int16_t partId, quill::CuePartCatalogue& catalogue) {
    if (slot >= kPartSlots) {
        return;
    }
    partIds[slot] = partId;
    partModelIds[slot] = PartModelId(slot, partId, catalogue);
}

uint32_t ItemModelRecord::PhysicsProperty() const {
    return kind == ItemModelKind::kTable ? tableKind : ballSetVariant;
}

}  // namespace kestrovan
