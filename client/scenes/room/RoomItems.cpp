#include "client/scenes/room/RoomItems.h"

#include <cmath>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "client/app/AppCursor.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/ItemSelectWindow.h"
#include "client/scenes/common/PacketRouter.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/PurchaseGiftWindow.h"
#include "client/scenes/common/PurchaseRules.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/room/GoldShortagePopup.h"
#include "client/scenes/room/RoomChat.h"
#include "client/scenes/room/RoomColours.h"
#include "client/scenes/room/RoomSeats.h"
#include "client/scenes/room/RoomState.h"
#include "client/scenes/room/RoomWidgets.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/TableAim.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableHudValues.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"

namespace kestrovan {

using namespace room_colour;

namespace {

namespace Event = quill::AppEventId;

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
constexpr uint8_t kCountedItem = 3;
constexpr int32_t kHud2 = 15;

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

RoomItems::RoomItems(const Context& room, RoomChat& chat, RoomSeats& seats)
    : RoomPart(room), chat_(chat), seats_(seats) {}

void RoomItems::BuildChalkSlot(Widget& screen) {
    const AppEventPoster poster = PosterOf(app_);
    chalkSlot_ = AttachTo(screen,
                          std::make_unique<ChalkQuickSlot>(connection_.LocalPlayer(), poster,
                                                           [this](quill::WStringView a, quill::WStringView b) {
                                                               app_.Scenes().ShowNoticeBox(&screen_, a, b);
                                                           }),
                          true);
    chalkSlot_->SetAnchor(AnchorMode::Left, -4, AnchorMode::Bottom, -300);
}

void RoomItems::BuildBars(Widget& screen) {
    const AppEventPoster poster = PosterOf(app_);
    const auto reposter = [this] { app_.Cursor().RepostMouseMove(); };
    quill::PlayerState& player = connection_.LocalPlayer();
    itemBar_ = AttachTo(screen, std::make_unique<ItemQuickBar>(player, poster, reposter), true);
    itemBar_->SetAnchor(AnchorMode::Left, 12, AnchorMode::Bottom, -32);
    itemSelect_ = AttachTo(screen, std::make_unique<ItemSelectWindow>(player, poster, reposter), false);
    itemSelect_->SetAnchor(AnchorMode::Left, 10, AnchorMode::Bottom, -290);
    purchaseGift_ = AttachTo(screen,
                             std::make_unique<PurchaseGiftWindow>(
                                 poster, [this] { return connection_.LocalPlayer().accountKind == 2; }, reposter),
                             false);
    purchaseGift_->SetAnchor(AnchorMode::Left, 10, AnchorMode::Bottom, -290);
    for (const auto& [control, x, srcX, caption] : {std::tuple{SceneRoomGame::kItemShop, 360, 0, u"Item shop"},
                                                    std::tuple{SceneRoomGame::kGoldItems, 445, 81, u"Gold items"}}) {
        Button* button = screen.CreateButton(x, 0, 81, 19, control, -1, kHud2, srcX, 232);
        button->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
        button->SetCaption(caption);
        button->SetAnchor(0, 0, AnchorMode::Bottom, -24);
    }
}

void RoomItems::BuildPurchaseDialog(Widget& screen) {
    purchase_ = AttachTo(screen, CreatePurchaseDialog(app_), false);
}

void RoomItems::BuildGoldShortage(Widget& screen) {
    const AppEventPoster poster = PosterOf(app_);
    goldShortage_ = AttachTo(screen, std::make_unique<GoldShortagePopup>(connection_, poster), false);
}

void RoomItems::Enter(uint8_t gameType) {
    currentCueKey_.reset();
    if (const quill::InventoryItem* cue = connection_.LocalPlayer().GetEquippedItem(gameType)) {
        currentCueKey_ = std::pair{cue->key, cue->subKey};
    }
    durabilityWarned_.fill(false);
}

void RoomItems::ConfirmItemUse() {
    SendItemUse(itemUseKind_);
}

// The item of a quick bar: the cue selection window's cue for kind 1, else the item bar's clicked item.
quill::InventoryItem* RoomItems::QuickSlotItem(int32_t kind) const {
    return kind == static_cast<int32_t>(quill::ItemRecord::kCue) ? itemSelect_->SelectedItem()
                                                                 : itemBar_->ClickedItem();
}

void RoomItems::UseQuickSlot(int32_t bar, int32_t kind) {
    (void)bar;
    quill::InventoryItem* item = QuickSlotItem(kind);
    if (item == nullptr) return;
    if (kind == static_cast<int32_t>(quill::ItemRecord::kCue) && item->customFlag == 0) {
        const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(item->typeCode);
        if (record != nullptr && connection_.LocalPlayer().level < record->requiredLevel) {
            app_.Scenes().ShowNoticeBox(&screen_, quill::Format(u"이 아이템은 레벨%d부터 사용 가능합니다.",
                                                            record->requiredLevel));
            return;
        }
    }
    if (WaitsToStart(*item)) {
        itemUseKind_ = kind;
        app_.Scenes().ShowBox(&screen_,
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
            if (SelectChalk(*item))
                chat_.AddLine(quill::Format(u"Chalk is changed to %s", CatalogueName(*item)), kYellow);
            break;
        case kPracticeAidKind: {
            const uint32_t slot = ItemCategoryToSlot(static_cast<int32_t>(item->typeCode));
            if (slot == kGoldCueSlot) {
                if (GameTable* table = stage_.Table()) {
                    bool& goldCue = table->HudValues().ForScreens().goldCue;
                    goldCue = !goldCue;
                }
            } else if (slot == kFreeMoveSlot) {
                chat_.AddLine(u"Click the ball to move the location during practice.", kYellow);
            } else if (slot == kZKeySlot) {
                chat_.AddLine(u"To use : Move mouse holding 'Z' key.", kYellow);
            }
            break;
        }
        case quill::ItemRecord::kCue:
            if (CurrentCue() != item) ChangeCue(*item);
            break;
        default:
            break;
    }
}

// An active item on or off: its slot follows, and in a game its count with it.
void RoomItems::ToggleActiveItem(quill::InventoryItem& item) {
    const uint32_t slot = ItemCategoryToSlot(static_cast<int32_t>(item.typeCode));
    const bool inGame = state_.IsLocalPlayerInGame();
    if (connection_.IsItemActive(slot)) {
        if (inGame) item.RestoreCount(1);
        chat_.AddLine(quill::Format(u"%s : Canceled", CatalogueName(item)), kYellow);
        connection_.SetActiveItem(slot, 0, 0, 0);
    } else if (item.remaining == 0) {
        app_.Scenes().ShowErrorBox(&screen_, u"This item is exhausted.");
        return;
    } else {
        if (inGame) item.ConsumeCount(1);
        chat_.AddLine(quill::Format(u"Use item : %s", CatalogueName(item)), kYellow);
        connection_.SetActiveItem(slot, item.key, item.subKey, 1);
    }
    itemBar_->Refresh();
}

void RoomItems::ChangeCue(const quill::InventoryItem& item) {
    currentCueKey_ = std::pair{item.key, item.subKey};
    const CueModelEntry::PartIds parts = item.customFlag != 0 ? item.statValues : TableSceneStage::kStockParts;
    const quill::WString line = quill::Format(u"Cue is chaned to %s.", CatalogueName(item));
    quill::PlayerState& local = connection_.LocalPlayer();
    if (quill::IsGameTypeIndex(static_cast<quill::GameType>(state_.Room().gameType))) {
        local.cueIdByType[state_.Room().gameType] = static_cast<uint16_t>(item.typeCode);
        local.equipped[state_.Room().gameType] = {item.key, item.subKey, static_cast<uint16_t>(item.typeCode)};
    }
    if (IsRoomSeat(state_.LocalSeat()))
        seats_.SetSeatCue(static_cast<uint8_t>(state_.LocalSeat()), static_cast<uint16_t>(item.typeCode),
                          parts);
    GameTable* table = stage_.Table();
    if (table != nullptr && state_.IsLocalTurn() && table->Turn().IsControlEnabled()) {
        stage_.EquipCue(static_cast<uint16_t>(item.typeCode), parts);
    }
    chat_.AddLine(line, kYellow);
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

void RoomItems::SendItemUse(int32_t kind) {
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
void RoomItems::WriteConsumption(quill::Packet& packet, bool& started, const quill::InventoryItem& item, bool wide,
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
void RoomItems::RemoveSpentItem(quill::InventoryItem* item) {
    chat_.AddLine(quill::Format(u"%s item has all been consumed.", CatalogueName(*item)), kConsumedColour);
    for (uint32_t slot = 0; slot < GameConnection::kActiveItemSlots; ++slot) {
        const auto key = static_cast<uint64_t>(connection_.GetActiveItemKey(slot));
        if (connection_.IsItemActive(slot) && key == ((uint64_t{item->subKey} << 32) | item->key)) {
            connection_.SetActiveItem(slot, 0, 0, 0);
        }
    }
    if (connection_.LocalPlayer().RemoveItemPtr(item)) connection_.FreeItem(item);
    itemBar_->Refresh();
    chalkSlot_->Reload();
}

void RoomItems::ReportConsumption() {
    if (!state_.IsLocalPlayerInGame()) return;
    quill::PlayerState& local = connection_.LocalPlayer();
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
        const quill::InventoryItem* cue = local.GetEquippedItem(state_.Room().gameType);
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
        const quill::ItemRecord* record =
            chalk != nullptr ? quill::TheItemCatalogue().FindById(chalk->typeCode) : nullptr;
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

void RoomItems::CheckCueDurability() {
    const quill::InventoryItem* equipped = connection_.LocalPlayer().GetEquippedItem(state_.Room().gameType);
    const quill::InventoryItem* cue =
        equipped != nullptr ? connection_.LocalPlayer().FindItem(equipped->key, equipped->subKey) : nullptr;
    if (cue == nullptr || cue->customFlag == 0 || cue->durabilityTotal == 0) return;
    const int64_t left = cue->durabilityCurrent;
    const int64_t full = cue->durabilityTotal;
    const int64_t percent = Rounded(static_cast<double>(left) * 100.0 / static_cast<double>(full));
    if (left <= 0) {
        if (!durabilityWarned_[0]) {
            durabilityWarned_[0] = true;
            chat_.AddLine(u"큐의 내구도가 0이 되어 성능이 적용되지 않습니다.", kRed);
        }
    } else if (left <= Rounded(0.05 * static_cast<double>(full))) {
        if (!durabilityWarned_[1]) {
            durabilityWarned_[1] = true;
            chat_.AddLine(quill::Format(u"큐의 내구도가 %d%% 밖에 남지 않았습니다.", percent), kRed);
        }
    } else if (left <= Rounded(0.10 * static_cast<double>(full)) && !durabilityWarned_[2]) {
        durabilityWarned_[2] = true;
        chat_.AddLine(quill::Format(u"큐의 내구도가 %d%% 밖에 남지 않았습니다.", percent), kRed);
    }
}

bool RoomItems::SelectChalk(const quill::InventoryItem& item) {
    quill::PlayerState& local = connection_.LocalPlayer();
    if (local.GetCurrentCue() == &item) return false;
    local.SelectItem(item.key, item.subKey);
    reportedChalk_ = item.remaining;
    itemBar_->Refresh();
    chalkSlot_->Reload();
    if (GameTable* table = stage_.Table()) table->Ambient().RequestAmbientRebuild();
    return true;
}

void RoomItems::UseChalk() {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->Aim().SetChalkLevel(chalkSlot_->Level());
    if (state_.IsLocalTurn()) table->StartAmbientEffect(platform::TimeGetTime());
    quill::InventoryItem* chalk = connection_.LocalPlayer().GetCurrentCue();
    if (chalk != nullptr && state_.IsLocalPlayerInGame() && chalk->remaining > 0) {
        chalk->ConsumeCount(1);
        chalkSlot_->Refresh();
    }
}

void RoomItems::AddRoutes(PacketRouter& routes) {
    using quill::MessageId;
    using quill::Packet;
    routes.Add(MessageId::ItemUseResult, [this](Packet& packet) { OnItemUseResult(packet); });
    routes.Add(MessageId::ItemQuantity, [this](Packet& packet) { OnItemQuantity(packet); });
    routes.Add(MessageId::ItemBuyResult, [this](Packet& packet) { OnItemBuyResult(packet); });
    routes.Add(MessageId::ItemStats, [this](Packet& packet) { OnItemStats(packet); });
}

void RoomItems::OnItemUseResult(quill::Packet& packet) {
    const std::optional<ItemUseResult> result = ShopAnswers::ReadItemUse(packet);
    itemSelect_->SetVisible(false);
    if (!result) return;
    if (result->result != 0) {
        app_.Scenes().ShowErrorBox(&screen_, u"Failed to use the item.", u"Please reconnect to check the result.");
        return;
    }
    app_.Scenes().ShowNoticeBox(&screen_, u"Successfully processed.", u"This item is available for use.");
    const auto key = static_cast<uint64_t>(result->key);
    quill::InventoryItem* item =
        connection_.LocalPlayer().FindItem(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
    if (item != nullptr) {
        item->inUse = result->status;
        if (!result->text.empty()) item->name = result->text;
        if (item->kind == quill::ItemRecord::kCue) ChangeCue(*item);
        if (item->kind == kChalkKind) SelectChalk(*item);
    }
    itemBar_->Refresh();
    if (GameTable* table = stage_.Table(); table != nullptr && HoldsGoldCueInUse()) {
        table->HudValues().ForScreens().goldCue = true;
        table->HudValues().ForScreens().goldCueInUse = true;
    }
    ReadOptionSwitches();
}

bool RoomItems::HoldsGoldCueInUse() {
    quill::PlayerState& local = connection_.LocalPlayer();
    quill::ScopedLock items(local.GetLock());
    for (uint32_t i = 0; i < local.ItemCount(); ++i) {
        const quill::InventoryItem* item = local.ItemAt(i);
        if (item != nullptr && item->typeCode == kGoldCue && item->inUse == kInUse) return true;
    }
    return false;
}

void RoomItems::OnItemQuantity(quill::Packet& packet) {
    const std::optional<ItemQuantity> quantity = ShopAnswers::ReadItemQuantity(packet);
    if (!quantity || quantity->result != 0) return;
    quill::PlayerState& local = connection_.LocalPlayer();
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
void RoomItems::ReadOptionSwitches() {
    GameTable* table = stage_.Table();
    if (table == nullptr) return;
    table->HudValues().ForScreens().masterOption = false;
    table->Aim().SetSideOption(0);
    const bool master = state_.IsLocalMaster();
    quill::PlayerState& local = connection_.LocalPlayer();
    quill::ScopedLock items(local.GetLock());
    for (uint32_t i = 0; i < local.ItemCount(); ++i) {
        const quill::InventoryItem* item = local.ItemAt(i);
        if (item == nullptr || WaitsToStart(*item)) continue;
        if (item->typeCode == kMasterOption && master) table->HudValues().ForScreens().masterOption = true;
        if (item->typeCode == kSideOption) table->Aim().SetSideOption(1);
    }
}

const quill::InventoryItem* RoomItems::CurrentCue() const {
    if (!currentCueKey_) return nullptr;
    return connection_.LocalPlayer().FindItem(currentCueKey_->first, currentCueKey_->second);
}

// Every counted item the room used up leaves the inventory and goes back to the connection's pool.
void RoomItems::ReleaseSpentItems() {
    quill::PlayerState& player = connection_.LocalPlayer();
    std::vector<quill::InventoryItem*> spent;
    {
        quill::ScopedLock items(player.GetLock());
        for (uint32_t i = 0; i < player.ItemCount(); ++i) {
            quill::InventoryItem* item = player.ItemAt(i);
            if (item != nullptr && item->state == kCountedItem && item->remaining <= 0) spent.push_back(item);
        }
    }
    for (quill::InventoryItem* item : spent) {
        if (player.RemoveItemPtr(item)) connection_.FreeItem(item);
    }
    if (!spent.empty()) {
        chalkSlot_->Reload();
        itemBar_->Refresh();
    }
}

void RoomItems::OpenPurchase(uint32_t mode) {
    const quill::ItemRecord* offer = purchaseGift_->SelectedOffer();
    if (offer == nullptr) return;
    const bool goldItem = offer->currency != quill::ItemRecord::kCurrencyCash;
    const bool playing = state_.IsRunning() && state_.LocalSeat() > 0;
    if (playing && goldItem) {
        app_.Scenes().ShowNoticeBox(&screen_, u"Gold item cannot be purchased while playing the game.");
        return;
    }
    purchase_->SetMode(mode == 2 ? PurchaseMode::kGift : PurchaseMode::kBuy);
    purchase_->SetItem(*offer);
    purchase_->SetVisible(true);
}

// The dialog's OK turned itself off for the answer: a purchase that did not go stays open for another try.
void RoomItems::SendPurchase() {
    if (awaited_.Send([this](quill::Packet& packet) { purchase_->WriteRequest(packet); })) {
        purchase_->SetVisible(false);
    } else {
        purchase_->OkButton()->SetEnabled(true);
    }
}

void RoomItems::ShowItemShop() {
    if (purchaseGift_->IsVisible()) purchaseGift_->Close();
    itemSelect_->SetEquipSlot(state_.Room().gameType);
    itemSelect_->SetVisible(true);
}

bool RoomItems::CheckSeatAfford() {
    const auto kind = static_cast<uint8_t>(connection_.GetChannelType(-1));
    const int64_t required = connection_.GetRoomInfo().RequiredMoney(connection_.LocalPlayer().money, kind);
    if (required < 1) return true;
    goldShortage_->SetShortage(static_cast<int32_t>(std::min<int64_t>(required, INT32_MAX)), state_.Room().gameType);
    goldShortage_->SetVisible(true);
    return false;
}

void RoomItems::OnItemBuyResult(quill::Packet& packet) {
    const auto answer = ShopAnswers::ReadItemBuy(packet, {});
    if (!answer) return;
    if (answer->result == 0 && answer->mode != 3) {
        connection_.LocalPlayer().money = answer->cash;
        connection_.LocalPlayer().cueMoney = answer->cueMoney;
    }
    const std::vector<quill::WString> lines = ItemBuyResultLines(*answer);
    app_.Scenes().ShowNoticeBox(&screen_, lines[0], lines.size() > 1 ? quill::WStringView(lines[1]) : u"");
}

void RoomItems::OnItemStats(quill::Packet& packet) {
    const std::optional<ItemStatsMessage> stats = ReadItemStats(packet);
    if (!stats) return;
    quill::InventoryItem* item = connection_.LocalPlayer().FindItem(stats->key, stats->subKey);
    if (item == nullptr) return;
    item->upgradePoints = stats->valueA;
    item->cueValue = stats->valueB;
}

}  // namespace kestrovan
