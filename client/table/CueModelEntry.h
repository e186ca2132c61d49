#pragma once
// One cue model that the players' cues share: a stock cue by its item id, or a custom cue by its five tuning parts
// (shaft, butt, joint, bumper, tip). The table's cue-model list holds the entries; each player's cue refers to one
// and counts as one reference. The entry owns its model, which the render step loads the first time the cue is
// shown.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <memory>

#include "client/table/TableModelNode.h"

namespace kestrovan {

class CueModelEntry {
public:
    static constexpr uint16_t kStockShaft = 0xFFFF;  // the shaft id of a stock cue
    static constexpr uint32_t kPartCount = 5;
    using PartIds = std::array<uint16_t, kPartCount>;

    // One reference.
    CueModelEntry(uint16_t itemId, const PartIds& parts) : itemId_(itemId), parts_(parts) {}
    CueModelEntry(const CueModelEntry&) = delete;
    CueModelEntry& operator=(const CueModelEntry&) = delete;

    void AddRef() { ++count_; }
    // One reference less, never below 0; the count left.
    int32_t Release();

    bool IsCustom() const { return parts_[0] != kStockShaft; }
    uint16_t ItemId() const { return itemId_; }
    const PartIds& Parts() const { return parts_; }
    int32_t Count() const { return count_; }
    TableModelNode* Model() const { return model_.get(); }
    void SetModel(std::unique_ptr<TableModelNode> model) { model_ = std::move(model); }
    std::unique_ptr<TableModelNode> TakeModel() { return std::move(model_); }

private:
    std::unique_ptr<TableModelNode> model_;
    uint16_t itemId_;
    int32_t count_ = 1;
    PartIds parts_;
};

}  // namespace kestrovan
