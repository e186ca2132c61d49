// The local player's items in the room: the quick bars (cues, chalk, consumables, practice aids), changing
// cues, what each shot consumed reported to the server, the cue's durability warnings and the server's
// answers about items. An item that runs out leaves the inventory only after its last report is written, and
// nothing keeps a pointer to it: the room holds its cue by key pair and the bars refresh. Runs on the main
// thread (the quick bars, the shot's events) and the dispatch thread (the answers), under the room lock.
#include <cmath>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/app/App.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/ItemSelectWindow.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

namespace Event = quill::AppEventId;

constexpr uint32_t kCueKind = 1;
constexpr uint32_t kPracticeAidKind = 4;
constexpr uint32_t kChalkKind = 5;
constexpr uint32_t kActiveItemKind = 6;
constexpr uint32_t kTimedWaiting = 1;
constexpr uint32_t kInUse = 1;
constexpr uint32_t kMasterOption = 4145;
constexpr uint32_t kSideOption = 4146;
constexpr uint32_t kGoldCue = 4150;
constexpr uint32_t kGoldCueSlot = 5;
constexpr uint32_t kFreeMoveSlot = 6;
constexpr uint32_t kZKeySlot = 7;

bool WaitsToStart(const quill::InventoryItem& item) {
    return item.state == kTimedWaiting && item.inUse != kInUse;
}

quill::WString CatalogueName(const quill::InventoryItem& item) {
    if (item.customFlag != 0 && !item.customText.empty()) return item.customText;
    const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(item.typeCode);
    return record != nullptr ? record->name : item.name;
}

// Rounded as the warnings want it: add a half and drop the fraction.
int64_t Rounded(double value) {
    return static_cast<int64_t>(std::floor(value + 0.5));
}

}  // namespace

// The item of a quick bar: the cue selection window's cue for kind 1, else the item bar's clicked item.
quill::InventoryItem* SceneRoomGame::QuickSlotItem(int32_t kind) const {
    return kind == static_cast<int32_t>(kCueKind) ? itemSelect_->SelectedItem() : itemBar_->ClickedItem();
}

void SceneRoomGame::UseQuickSlot(int32_t bar, int32_t kind) {
    (void)bar;
    quill::InventoryItem* item = QuickSlotItem(kind);
    if (item == nullptr) return;
    if (kind == static_cast<int32_t>(kCueKind) && item->customFlag == 0) {
        const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(item->typeCode);
        if (record != nullptr && Player().level < record->requiredLevel) {
            app_.Scenes().ShowNoticeBox(this, quill::Format(u"이 아이템은 레벨%d부터 사용 가능합니다.",
                                                            record->requiredLevel));
            return;
        }
    }
    if (WaitsToStart(*item)) {
        itemUseKind_ = kind;
        app_.Scenes().ShowBox(this,
                              ConnectionNotice::WithLines(u"Notice",
                                                          {u"This item is for limited time use, bur not used.",
                                                           u"The status should be changed to use the item,",
                                                           u"if it is used, the time will begin counting.",
                                                           u"Do you want to use the item?"},
                                                          Event::ItemUseConfirm),
                              1);
        return;
    }
    switch (static_cast<uint32_t>(kind)) {
        case kActiveItemKind:
            ToggleActiveItem(*item);
            break;
        case kChalkKind:
            if (SelectChalk(*item)) AddChatLine(quill::Format(u"Chalk is changed to %s", CatalogueName(*item)), kYellow);
            break;
        case kPracticeAidKind: {
            const uint32_t slot = ItemCategoryToSlot(static_cast<int32_t>(item->typeCode));
            if (slot == kGoldCueSlot) {
                if (GameTable* table = stage_.Table())
                    table->HudValues().ForScreens().goldCue = !table->HudValues().ForScreens().goldCue;
            } else if (slot == kFreeMoveSlot) {
                AddChatLine(u"Click the ball to move the location during practice.", kYellow);
            } else if (slot == kZKeySlot) {
                AddChatLine(u"To use : Move mouse holding 'Z' key.", kYellow);
            }
            break;
        }
        case kCueKind:
            if (CurrentCue() != item) ChangeCue(*item);
            break;
        default:
            break;
    }
}

// An active item on or off: its slot follows, and in a game its count with it.
void SceneRoomGame::ToggleActiveItem(quill::InventoryItem& item) {
    const uint32_t slot = ItemCategoryToSlot(static_cast<int32_t>(item.typeCode));
    const bool inGame = IsLocalPlayerInGame();
    if (connection_.IsItemActive(slot)) {
        if (inGame) item.RestoreCount(1);
        AddChatLine(quill::Format(u"%s : Canceled", CatalogueName(item)), kYellow);
        connection_.SetActiveItem(slot, 0, 0, 0);
    } else if (item.remaining == 0) {
        app_.Scenes().ShowErrorBox(this, u"This item is exhausted.");
        return;
    } else {
        if (inGame) item.ConsumeCount(1);
        AddChatLine(quill::Format(u"Use item : %s", CatalogueName(item)), kYellow);
        connection_.SetActiveItem(slot, item.key, item.subKey, 1);
    }
    itemBar_->Refresh();
}

void SceneRoomGame::ChangeCue(const quill::InventoryItem& item) {
    currentCueKey_ = std::pair{item.key, item.subKey};
    const CueModelEntry::PartIds parts = item.customFlag != 0 ? item.statValues : TableSceneStage::kStockParts;
    const quill::WString line = quill::Format(u"Cue is chaned to %s.", CatalogueName(item));
    quill::PlayerState& local = Player();
    if (quill::IsGameTypeIndex(static_cast<quill::GameType>(room_.gameType))) {
        local.cueIdByType[room_.gameType] = static_cast<uint16_t>(item.typeCode);
        local.equipped[room_.gameType] = {item.key, item.subKey, static_cast<uint16_t>(item.typeCode)};
    }
    if (IsRoomSeat(localSeat_)) SetSeatCue(static_cast<uint8_t>(localSeat_.load()), static_cast<uint16_t>(item.typeCode), parts);
    if (GameTable* table = stage_.Table(); table != nullptr && IsLocalTurn() && table->IsControlEnabled()) {
        stage_.EquipCue(static_cast<uint16_t>(item.typeCode), parts);
    }
    AddChatLine(line, kYellow);
    const uint32_t key = item.key;
    const uint32_t subKey = item.subKey;
    const uint32_t type = item.typeCode;
    sender_.Send([=](quill::Packet& packet) {
        packet.Init(quill::MessageId::CueChange);
        packet.WriteU32(key).WriteU32(subKey).WriteU32(type);
    });
    durabilityWarned_.fill(false);
    CheckCueDurability();
}

void SceneRoomGame::SendItemUse(int32_t kind) {
    const quill::InventoryItem* item = QuickSlotItem(kind);
    if (item == nullptr) return;
    const uint32_t type = item->typeCode;
    const auto itemKind = static_cast<uint8_t>(item->kind);
    const uint32_t key = item->key;
    const uint32_t subKey = item->subKey;
    sender_.Send([=](quill::Packet& packet) {
        packet.Init(quill::MessageId::ItemUse);
        packet.WriteU32(type).WriteU8(itemKind).WriteU32(key).WriteU32(subKey);
    });
}

// One ItemConsumed sub-message: the first starts the packet, the others follow it.
void SceneRoomGame::WriteConsumption(quill::Packet& packet, bool& started, const quill::InventoryItem& item, bool wide,
                                     uint32_t value) {
    if (started) {
        packet.BeginMessage(quill::MessageId::ItemConsumed);
    } else {
        packet.Init(quill::MessageId::ItemConsumed);
        started = true;
    }
    packet.WriteU32(item.typeCode).WriteU32(item.key).WriteU32(item.subKey);
    if (wide) {
        packet.WriteU32(value);
    } else {
        packet.WriteU16(static_cast<uint16_t>(value));
    }
}

// Spent items leave the inventory and go back to the connection's pool; the bars let go of them first.
void SceneRoomGame::RemoveSpentItem(quill::InventoryItem* item) {
    AddChatLine(quill::Format(u"%s item has all been consumed.", CatalogueName(*item)), kConsumedColour);
    for (uint32_t slot = 0; slot < GameConnection::kActiveItemSlots; ++slot) {
        const auto key = static_cast<uint64_t>(connection_.GetActiveItemKey(slot));
        if (connection_.IsItemActive(slot) && key == ((uint64_t{item->subKey} << 32) | item->key)) {
            connection_.SetActiveItem(slot, 0, 0, 0);
        }
    }
    if (Player().RemoveItemPtr(item)) connection_.FreeItem(item);
    itemBar_->Refresh();
    chalkSlot_->Reload();
}

void SceneRoomGame::ReportConsumption() {
    if (!IsLocalPlayerInGame()) return;
    quill::PlayerState& local = Player();
    std::vector<quill::InventoryItem*> spent;
    bool wear = false;
    quill::Packet* pooled = connection_.AllocPacket();
    if (pooled == nullptr) return;
    quill::Packet& packet = *pooled;
    bool started = false;
    {
        for (uint32_t slot = 0; slot < GameConnection::kActiveItemSlots; ++slot) {
            if (!connection_.IsItemActive(slot)) continue;
            const auto key = static_cast<uint64_t>(connection_.GetActiveItemKey(slot));
            quill::InventoryItem* item = local.FindItem(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
            if (item == nullptr) continue;
            WriteConsumption(packet, started, *item, false, static_cast<uint16_t>(item->remaining));
            if (item->remaining <= 0) spent.push_back(item);
        }
        const quill::InventoryItem* cue = local.GetEquippedItem(room_.gameType);
        quill::InventoryItem* owned = cue != nullptr ? local.FindItem(cue->key, cue->subKey) : nullptr;
        GameTable* table = stage_.Table();
        if (owned != nullptr && owned->customFlag != 0 && table != nullptr) {
            const uint32_t before = owned->durabilityCurrent;
            const auto cost = static_cast<uint32_t>(std::max(table->ShotCost(), 0));
            owned->durabilityCurrent = before > cost ? before - cost : 0;
            wear = true;
            if (before > 0) WriteConsumption(packet, started, *owned, true, owned->durabilityCurrent);
        }
        quill::InventoryItem* chalk = local.GetCurrentCue();
        const quill::ItemRecord* record = chalk != nullptr ? quill::TheItemCatalogue().FindById(chalk->typeCode) : nullptr;
        const bool multiUse = record != nullptr && record->periodUnit == quill::ItemRecord::kUsesOrHours;
        if (chalk != nullptr && multiUse && chalk->remaining < reportedChalk_) {
            reportedChalk_ = chalk->remaining;
            WriteConsumption(packet, started, *chalk, false, static_cast<uint16_t>(chalk->remaining));
            if (chalk->remaining <= 0) spent.push_back(chalk);
        }
    }
    if (started) connection_.SendPacket(pooled);
    connection_.FreePacket(pooled);
    // Each report is written before its item goes (the pool may hand the item out again at once).
    for (quill::InventoryItem* item : spent) RemoveSpentItem(item);
    if (wear) CheckCueDurability();
    chalkSlot_->Refresh();
}

void SceneRoomGame::CheckCueDurability() {
    const quill::InventoryItem* equipped = Player().GetEquippedItem(room_.gameType);
    const quill::InventoryItem* cue = equipped != nullptr ? Player().FindItem(equipped->key, equipped->subKey) : nullptr;
    if (cue == nullptr || cue->customFlag == 0 || cue->durabilityTotal == 0) return;
    const int64_t left = cue->durabilityCurrent;
    const int64_t full = cue->durabilityTotal;
    const int64_t percent = Rounded(static_cast<double>(left) * 100.0 / static_cast<double>(full));
    if (left <= 0) {
        if (!durabilityWarned_[0]) {
            durabilityWarned_[0] = true;
            AddChatLine(u"큐의 내구도가 0이 되어 성능이 적용되지 않습니다.", kRed);
        }
    } else if (left <= Rounded(0.05 * static_cast<double>(full))) {
        if (!durabilityWarned_[1]) {
            durabilityWarned_[1] = true;
            AddChatLine(quill::Format(u"큐의 내구도가 %d%% 밖에 남지 않았습니다.", percent), kRed);
        }
    } else if (left <= Rounded(0.10 * static_cast<double>(full)) && !durabilityWarned_[2]) {
        durabilityWarned_[2] = true;
        AddChatLine(quill::Format(u"큐의 내구도가 %d%% 밖에 남지 않았습니다.", percent), kRed);
    }
}

bool SceneRoomGame::SelectChalk(const quill::InventoryItem& item) {
    quill::PlayerState& local = Player();
    if (local.GetCurrentCue() == &item) return false;
    local.SelectItem(item.key, item.subKey);
    reportedChalk_ = item.remaining;
    itemBar_->Refresh();
    chalkSlot_->Reload();
    if (GameTable* table = stage_.Table()) table->Ambient().RequestAmbientRebuild();
    return true;
}

void SceneRoomGame::UseChalk() {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->SetChalkLevel(chalkSlot_->Level());
    if (IsLocalTurn()) table->StartAmbientEffect(platform::TimeGetTime());
    quill::InventoryItem* chalk = Player().GetCurrentCue();
    if (chalk != nullptr && IsLocalPlayerInGame() && chalk->remaining > 0) {
        chalk->ConsumeCount(1);
        chalkSlot_->Refresh();
    }
}

// --- the server's answers ---

void SceneRoomGame::OnItemUseResult(quill::Packet& packet) {
    const std::optional<ItemUseResult> result = ShopAnswers::ReadItemUse(packet);
    itemSelect_->SetVisible(false);
    if (!result) return;
    if (result->result != 0) {
        app_.Scenes().ShowErrorBox(this, u"Failed to use the item.", u"Please reconnect to check the result.");
        return;
    }
    app_.Scenes().ShowNoticeBox(this, u"Successfully processed.", u"This item is available for use.");
    const auto key = static_cast<uint64_t>(result->key);
    quill::InventoryItem* item = Player().FindItem(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
    if (item != nullptr) {
        item->inUse = result->status;
        if (!result->text.empty()) item->name = result->text;
        if (item->kind == kCueKind) ChangeCue(*item);
        if (item->kind == kChalkKind) SelectChalk(*item);
    }
    itemBar_->Refresh();
    if (GameTable* table = stage_.Table(); table != nullptr && HoldsGoldCueInUse()) {
        table->HudValues().ForScreens().goldCue = true;
        table->HudValues().ForScreens().goldCueInUse = true;
    }
    ReadOptionSwitches();
}

bool SceneRoomGame::HoldsGoldCueInUse() {
    quill::PlayerState& local = Player();
    quill::ScopedLock items(local.GetLock());
    for (uint32_t i = 0; i < local.ItemCount(); ++i) {
        const quill::InventoryItem* item = local.ItemAt(i);
        if (item != nullptr && item->typeCode == kGoldCue && item->inUse == kInUse) return true;
    }
    return false;
}

void SceneRoomGame::OnItemQuantity(quill::Packet& packet) {
    const std::optional<ItemQuantity> quantity = ShopAnswers::ReadItemQuantity(packet);
    if (!quantity || quantity->result != 0) return;
    quill::PlayerState& local = Player();
    const auto key = static_cast<uint64_t>(quantity->key);
    quill::InventoryItem* item = local.FindItem(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
    if (item == nullptr) return;
    item->remaining = static_cast<int16_t>(quantity->remaining);
    if (quantity->remaining != 0) {
        itemBar_->Refresh();
        return;
    }
    // The item goes: nothing may keep it after it is back in the pool.
    if (currentCueKey_ && *currentCueKey_ == std::pair{item->key, item->subKey}) currentCueKey_.reset();
    for (uint32_t slot = 0; slot < GameConnection::kActiveItemSlots; ++slot) {
        const auto key = static_cast<uint64_t>(connection_.GetActiveItemKey(slot));
        if (key == ((uint64_t{item->subKey} << 32) | item->key)) connection_.SetActiveItem(slot, 0, 0, 0);
    }
    if (local.RemoveItemPtr(item)) connection_.FreeItem(item);
    itemBar_->Refresh();
    chalkSlot_->Reload();
}

// The table's option switches from the items the local player owns and has started.
void SceneRoomGame::ReadOptionSwitches() {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->HudValues().ForScreens().masterOption = false;
    table->SetSideOption(0);
    const bool master = masterSeat_ == localSeat_;
    quill::PlayerState& local = Player();
    quill::ScopedLock items(local.GetLock());
    for (uint32_t i = 0; i < local.ItemCount(); ++i) {
        const quill::InventoryItem* item = local.ItemAt(i);
        if (item == nullptr || WaitsToStart(*item)) continue;
        if (item->typeCode == kMasterOption && master) table->HudValues().ForScreens().masterOption = true;
        if (item->typeCode == kSideOption) table->SetSideOption(1);
    }
}

}  // namespace kestrovan
