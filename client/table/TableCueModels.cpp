#include "client/table/TableCueModels.h"
#include "client/ui/WidgetToolkit.h"

#include <algorithm>


namespace kestrovan {
namespace {


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
    WidgetToolkit::CheckTreeAccess("TableCueModels::GetCueModel");
    for (const auto& entry : entries_) {
        const bool match = custom ? entry->IsCustom() && entry->Parts() == parts : entry->ItemId() == itemId;
        if (match) {
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
    WidgetToolkit::CheckTreeAccess("TableCueModels::ReleaseCue");
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [entry](const auto& listed) { return listed.get() == entry; });
    if (found == entries_.end()) {
        return;
    }
    std::unique_ptr<TableModelNode> model;
    if (entry->Release() > 0) {
        return;
    }
    forget_(*entry, true);
    model = entry->TakeModel();
    model.reset();  // leaves the scene and the static batches
    entries_.erase(found);
}

uint32_t TableCueModels::CueModelCount() const {
    return static_cast<uint32_t>(entries_.size());
}

void TableCueModels::DropModels() {
    WidgetToolkit::CheckTreeAccess("TableCueModels::DropModels");
    for (const auto& entry : entries_) {
        std::unique_ptr<TableModelNode> model;
        forget_(*entry, false);
        model = entry->TakeModel();
    }
}

}  // namespace kestrovan
