#include "client/scenes/common/TableBallSelector.h"

#include <algorithm>
#include <memory>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/scenes/common/DialogCombo.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/ui/ComboBox.h"

namespace kestrovan {

namespace {

constexpr int32_t kComboWidth = 116;
constexpr int32_t kComboHeight = 20;
constexpr int32_t kPreviewWidth = 115;
constexpr int32_t kPreviewHeight = 76;

}  // namespace

TableBallSelector::TableBallSelector(quill::PlayerState& player) : player_(player) {
    Create(0, 0, 402, 104, -1, -1);
    tableCombo_ = CreateDialogCombo(*this, 95, 1, kComboWidth, kComboHeight, kTableComboId, kRows);
    ballCombo_ = CreateDialogCombo(*this, 286, 1, kComboWidth, kComboHeight, kBallComboId, kRows);
    tablePreview_ = static_cast<ItemPreview*>(
        AddChild(std::make_unique<ItemPreview>(95, 26, kPreviewWidth, kPreviewHeight, true), true));
    ballPreview_ = static_cast<ItemPreview*>(
        AddChild(std::make_unique<ItemPreview>(288, 26, kPreviewWidth, kPreviewHeight, true), true));
}

void TableBallSelector::SetChoiceEnabled(bool enabled) {
    tableCombo_->SetEnabled(enabled);
    ballCombo_->SetEnabled(enabled);
}

void TableBallSelector::AddId(std::vector<uint16_t>& ids, uint32_t id) {
    if (id == 0 || ids.size() >= kMaxIds || std::ranges::find(ids, id) != ids.end()) return;
    ids.push_back(static_cast<uint16_t>(id));
}

void TableBallSelector::FillFromInventory(quill::GameType type) {
    AddId(tableIds_, quill::DefaultTableItemId(type));
    AddId(ballIds_, quill::DefaultBallItemId(type));
    if (!quill::IsGameTypeIndex(type)) return;
    quill::ScopedLock hold(player_.GetLock());
    for (uint32_t i = 0; i < player_.ItemCount(); ++i) {
        const quill::InventoryItem* item = player_.ItemAt(i);
        if (item == nullptr) continue;
        const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(item->typeCode);
        if (record == nullptr || record->usableIn[static_cast<size_t>(type)] == 0) continue;
        if (item->kind == kTableKind) AddId(tableIds_, record->id);
        if (item->kind == kBallSetKind) AddId(ballIds_, record->id);
    }
}

void TableBallSelector::FillCombo(ComboBox& combo, const std::vector<uint16_t>& ids) {
    combo.ClearItems();
    for (uint16_t id : ids) {
        const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(id);
        combo.AddItem(record != nullptr ? quill::WStringView(record->name) : quill::WStringView(u"?"));
    }
}

int32_t TableBallSelector::RowOf(const std::vector<uint16_t>& ids, uint16_t id) const {
    const auto found = std::ranges::find(ids, id);
    int32_t row = 0;
    if (id != 0 && found != ids.end()) {
        row = static_cast<int32_t>(found - ids.begin());
    } else if (id == 0 && player_.membershipGrade > 1) {
        row = 1;
    }
    return std::clamp(row, 0, std::max(static_cast<int32_t>(ids.size()) - 1, 0));
}

void TableBallSelector::Fill(quill::GameType type, bool fromInventory, uint16_t tableId, uint16_t ballId) {
    type_ = type;
    tableIds_.clear();
    ballIds_.clear();
    if (fromInventory) {
        FillFromInventory(type);
        tableRow_ = RowOf(tableIds_, tableId);
        ballRow_ = RowOf(ballIds_, ballId);
    } else {
        AddId(tableIds_, tableId);
        AddId(ballIds_, ballId);
        tableRow_ = 0;
        ballRow_ = 0;
    }
    FillCombo(*tableCombo_, tableIds_);
    FillCombo(*ballCombo_, ballIds_);
    tableCombo_->Select(tableIds_.empty() ? -1 : tableRow_);
    ballCombo_->Select(ballIds_.empty() ? -1 : ballRow_);
    tablePreview_->SetItemId(TableItem());
    ballPreview_->SetItemId(BallSetItem());
}

uint16_t TableBallSelector::TableItem() const {
    return tableIds_.empty() ? 0 : tableIds_[static_cast<size_t>(tableRow_)];
}

uint16_t TableBallSelector::BallSetItem() const {
    return ballIds_.empty() ? 0 : ballIds_[static_cast<size_t>(ballRow_)];
}

bool TableBallSelector::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == tableCombo_ && a >= 0 && a < static_cast<int32_t>(tableIds_.size())) {
        tableRow_ = a;
        tableCombo_->Select(a);
        tablePreview_->SetItemId(TableItem());
        return true;
    }
    if (source == ballCombo_ && a >= 0 && a < static_cast<int32_t>(ballIds_.size())) {
        ballRow_ = a;
        ballCombo_->Select(a);
        ballPreview_->SetItemId(BallSetItem());
        return true;
    }
    return Image::OnEvent(source, a, b);
}

}  // namespace kestrovan
