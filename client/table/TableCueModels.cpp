#include "client/table/TableCueModels.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"

namespace kestrovan {
namespace {

using quill::ScopedLock;

constexpr uint16_t kFirstStockCue = 3000;

}  // namespace

TableCueModels::TableCueModels(ForgetCall forget) : forget_(std::move(forget)) {}

CueModelEntry* TableCueModels::GetCueModel(uint16_t itemId, uint16_t shaft, uint16_t butt, uint16_t joint,
                                           uint16_t bumper, uint16_t tip) {
    if (itemId <= 2) {
        itemId = static_cast<uint16_t>(kFirstStockCue + itemId);
    }
    const bool custom = shaft < CueModelEntry::kStockShaft;
    const CueModelEntry::PartIds parts{shaft, butt, joint, bumper, tip};
    ScopedLock hold(listLock_);
    for (const auto& entry : entries_) {
        const bool match = custom ? entry->IsCustom() && entry->Parts() == parts : entry->ItemId() == itemId;
        if (match) {
            ScopedLock holdEntry(entry->GetLock());
            entry->AddRef();
            return entry.get();
        }
    }
    entries_.push_back(std::make_unique<CueModelEntry>(itemId, parts));
    return entries_.back().get();
}

void TableCueModels::ReleaseCue(CueModelEntry* entry) {
    if (entry == nullptr) {
        return;
    }
    ScopedLock hold(listLock_);
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [entry](const auto& listed) { return listed.get() == entry; });
    if (found == entries_.end()) {
        return;
    }
    std::unique_ptr<TableModelNode> model;
    {
        ScopedLock holdEntry(entry->GetLock());
        if (entry->Release() > 0) {
            return;
        }
        forget_(*entry, true);
        model = entry->TakeModel();
    }
    model.reset();  // leaves the scene and the static batches
    entries_.erase(found);
}

uint32_t TableCueModels::CueModelCount() const {
    ScopedLock hold(listLock_);
    return static_cast<uint32_t>(entries_.size());
}

void TableCueModels::DropModels() {
    ScopedLock hold(listLock_);
    for (const auto& entry : entries_) {
        std::unique_ptr<TableModelNode> model;
        ScopedLock holdEntry(entry->GetLock());
        forget_(*entry, false);
        model = entry->TakeModel();
    }
}

}  // namespace kestrovan
