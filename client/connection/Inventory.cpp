#include "client/connection/Inventory.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemCatalogue.h"

namespace kestrovan {

using quill::InventoryItem;
using quill::Packet;

namespace {

constexpr uint32_t kKindCue = 1;
constexpr uint32_t kKindChalk = 5;
constexpr uint32_t kKindBoost = 6;

constexpr uint16_t kNoName = 0xFFFF;  // a listed item in use with this remaining count carries no name
constexpr uint8_t kStandInClass = 99;  // an owned item of this class stands in for a membership's entry

constexpr uint32_t kBasicCue = 3001;
constexpr uint32_t kBasicCueOfGrade2 = 3002;
constexpr int16_t kGrade2 = 2;
constexpr uint32_t kPowerPack = 4111;
constexpr uint32_t kPowerPackCue = 3041;
constexpr uint32_t kChalkRoyalR = 4901;
constexpr uint32_t kChalkRoyalS = 4902;
constexpr uint32_t kStandardMembershipCue = 3005;
constexpr uint32_t kPlusMembershipCue = 3006;

// Keys of the built-in entries, all with sub-key 0.
constexpr uint32_t kBasicCueKey = 0;
constexpr uint32_t kMembershipChalkSKey = 2;
constexpr uint32_t kMembershipChalkRKey = 3;
constexpr uint32_t kStandardMembershipCueKey = 4;
constexpr uint32_t kPlusMembershipCueKey = 5;
constexpr uint32_t kPowerPackCueKey = 8;
constexpr uint32_t kPowerPackChalkKey = 9;

// Cue type codes are the 3000s. The catalogue lists only the cues the shop sells or grants; the
// personal cues of the workshop's families (3101, 3105 to 3110) are not in it yet are cues all the same.
constexpr uint32_t kFirstCueType = 3000;
constexpr uint32_t kLastCueType = 3999;

constexpr int16_t kUnlimited = -1;
constexpr int16_t kBuiltInChalkCount = 100;

uint32_t KeyOf(int64_t key) {
    return static_cast<uint32_t>(static_cast<uint64_t>(key));
}

uint32_t SubKeyOf(int64_t key) {
    return static_cast<uint32_t>(static_cast<uint64_t>(key) >> 32);
}

}  // namespace

Inventory::Inventory(quill::PlayerState& player, ConnectionHost& host) : player_(player), host_(host) {}

Inventory::~Inventory() {
    Clear();
}

InventoryItem* Inventory::AllocItem() {
    return items_.Alloc(kItemTries);
}

void Inventory::FreeItem(InventoryItem* item) {
    items_.Free(item);
}

void Inventory::OnInventoryList(Packet& packet, uint8_t membershipState) {
    Clear();
    AddBuiltIn(kBasicCueKey, player_.grade == kGrade2 ? kBasicCueOfGrade2 : kBasicCue, kKindCue);
    const uint8_t count = packet.ReadU8();
    for (uint32_t entry = 0; entry < count; ++entry) {
        const int64_t key = packet.ReadI64();
        const uint8_t status = packet.ReadU8();
        InventoryItem* item = AllocItem();
        if (item == nullptr) {
            break;
        }
        item->inUse = status;
        ReadListedItem(packet, *item);
        AddOrReturn(KeyOf(key), SubKeyOf(key), item);
    }
    RebuildDefaultItems(membershipState);
}

void Inventory::OnGiftReceived(Packet& packet) {
    const uint8_t notify = packet.ReadU8();
    const int64_t key = packet.ReadI64();
    InventoryItem* item = AllocItem();
    if (item == nullptr) {
        return;
    }
    uint32_t amount = 0;
    packet.ReadU32(item->typeCode).ReadU8(item->itemClass);
    item->state = packet.ReadU8();
    item->remaining = static_cast<int16_t>(packet.ReadU16());
    item->secondCount = static_cast<int16_t>(packet.ReadU16());
    packet.ReadU32(amount).ReadWString(item->sender).ReadWString(item->description);
    item->currentCount = static_cast<uint32_t>(item->remaining);
    item->inUse = 0;
    item->customFlag = 0;
    ApplyCatalogue(*item);
    const quill::WString sender = item->sender;
    if (!AddOrReturn(KeyOf(key), SubKeyOf(key), item)) {
        return;
    }
    if (notify != 0) {
        ShowGiftNotice(sender, amount);
    }
    host_.PostEvent(ConnectionEvent::GiftRefresh, 0, 0, 0);
}

void Inventory::RebuildDefaultItems(uint8_t membershipState) {
    specialItem_ = FindSpecialItem();
    for (uint32_t key : {kMembershipChalkSKey, kMembershipChalkRKey, kStandardMembershipCueKey, kPlusMembershipCueKey}) {
        RemoveEntry(key);
    }
    AddMembershipItems(membershipState);
    RemoveEntry(kPowerPackCueKey);
    RemoveEntry(kPowerPackChalkKey);
    if (specialItem_ != nullptr) {
        AddBuiltIn(kPowerPackCueKey, kPowerPackCue, kKindCue);
        if (InventoryItem* chalk = AddBuiltIn(kPowerPackChalkKey, kChalkRoyalS, kKindChalk)) {
            chalk->remaining = kUnlimited;
            chalk->secondCount = kBuiltInChalkCount;
        }
    }
}

void Inventory::AddOfflineItems() {
    struct CustomCue {
        uint32_t key;
        const char16_t* name;
        uint8_t lastStatistic;
    };
    constexpr uint32_t kCustomCue = 3102;
    constexpr uint32_t kFullDurability = 1000000;
    constexpr CustomCue kCustomCues[] = {{14, u"Squirt 100", 40}, {15, u"Squirt 50", 20}};

    Clear();
    AddBuiltIn(kBasicCueKey, kBasicCue, kKindCue);
    for (const CustomCue& cue : kCustomCues) {
        InventoryItem* item = AllocItem();
        if (item == nullptr) {
            return;
        }
        item->typeCode = kCustomCue;
        item->kind = kKindCue;
        item->customFlag = 1;
        item->name = cue.name;
        item->durabilityCurrent = kFullDurability;
        item->durabilityTotal = kFullDurability;
        item->statValues = {3, 4, 1, 2, 6};
        item->statistics = {0, 0, 0, 0, cue.lastStatistic};
        if (AddOrReturn(cue.key, 0, item)) {
            player_.equipped.fill({cue.key, 0, static_cast<uint16_t>(kCustomCue)});
        }
    }
    constexpr uint32_t kChalkRoyalA = 4903;
    constexpr uint32_t kEnergyDrink = 4510;
    constexpr uint32_t kCounted = 3;
    if (InventoryItem* chalk = AddBuiltIn(16, kChalkRoyalA, kKindChalk)) {
        chalk->state = kCounted;
        chalk->remaining = 1000;
        chalk->secondCount = 1000;
    }
    if (InventoryItem* boost = AddBuiltIn(17, kEnergyDrink, kKindBoost)) {
        boost->state = kCounted;
        boost->remaining = 100;
    }
}

bool Inventory::AddOrReturn(uint32_t key, uint32_t subKey, InventoryItem* item) {
    // The count before and after in one hold: another thread's change between them would pass for a refusal.
    quill::ScopedLock hold(player_.GetLock());
    const uint8_t before = player_.ItemCount();
    if (item == nullptr || player_.AddItem(key, subKey, item) == before) {
        FreeItem(item);
        return false;
    }
    return true;
}

InventoryItem* Inventory::AddBuiltIn(uint32_t key, uint32_t typeCode, uint32_t kind) {
    InventoryItem* item = AllocItem();
    if (item == nullptr) {
        return nullptr;
    }
    item->typeCode = typeCode;
    item->kind = kind;
    if (kind == kKindCue) {
        ApplyCueStatistics(*item);
    }
    return AddOrReturn(key, 0, item) ? item : nullptr;
}

void Inventory::RemoveEntry(uint32_t key) {
    FreeItem(player_.RemoveItem(key, 0));
}

void Inventory::Clear() {
    quill::ScopedLock hold(player_.GetLock());
    while (player_.ItemCount() > 0) {
        InventoryItem* item = player_.ItemAt(player_.ItemCount() - 1u);
        player_.RemoveItemPtr(item);
        FreeItem(item);
    }
    specialItem_ = nullptr;
}

void Inventory::ApplyCatalogue(InventoryItem& item) {
    if (const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(item.typeCode)) {
        item.kind = record->category;
        item.secondValue = record->periodUnit;
    } else if (item.typeCode >= kFirstCueType && item.typeCode <= kLastCueType) {
        // Without its kind a personal cue's own record would stay unread and shift every entry after it.
        item.kind = kKindCue;
    }
    if (item.kind == kKindCue && item.customFlag == 0) {
        ApplyCueStatistics(item);
    }
}

void Inventory::ApplyCueStatistics(InventoryItem& item) {
    CueStatistics statistics{};
    if (host_.FindCueStatistics(item.typeCode, statistics)) {
        item.statistics = statistics;
    }
}

void Inventory::ReadListedItem(Packet& packet, InventoryItem& item) {
    packet.ReadU32(item.typeCode);
    item.state = packet.ReadU8();
    const uint16_t remaining = packet.ReadU16();
    item.remaining = static_cast<int16_t>(remaining);
    item.secondCount = static_cast<int16_t>(packet.ReadU16());
    if (item.inUse == quill::InventoryItem::kStatusInUse && remaining != kNoName) {
        packet.ReadWString(item.name);
    }
    if (item.inUse == quill::InventoryItem::kStatusExpired) {
        item.name = u"Expired";
    }
    packet.ReadU8(item.itemClass).ReadU8(item.customFlag);
    ApplyCatalogue(item);
    if (item.kind == kKindCue && item.customFlag != 0) {
        ReadCustomCue(packet, item);
    }
    if (item.itemClass == 2 || item.itemClass == 3) {
        packet.ReadWString(item.sender);
    }
    if (item.itemClass >= 2 && item.itemClass <= 5) {
        packet.ReadWString(item.description);
    }
}

void Inventory::ReadCustomCue(Packet& packet, InventoryItem& item) {
    packet.ReadU32(item.durabilityCurrent).ReadU32(item.durabilityTotal).ReadWString(item.customText);
    packet.ReadI64(item.upgradePoints).ReadI64(item.cueValue);
    for (uint8_t& statistic : item.statistics) {
        packet.ReadU8(statistic);
    }
    for (uint16_t& value : item.statValues) {
        packet.ReadU16(value);
    }
}

void Inventory::AddMembershipItems(uint8_t membershipState) {
    switch (membershipState) {
        case 1:
            AddMembershipChalk(kMembershipChalkSKey, kChalkRoyalS);
            break;
        case 2:
            AddMembershipChalk(kMembershipChalkRKey, kChalkRoyalR);
            AddMembershipCue(kStandardMembershipCueKey, kStandardMembershipCue);
            break;
        case 3:
            AddMembershipChalk(kMembershipChalkRKey, kChalkRoyalR);
            AddMembershipCue(kPlusMembershipCueKey, kPlusMembershipCue);
            break;
        default:
            break;
    }
}

void Inventory::AddMembershipChalk(uint32_t key, uint32_t typeCode) {
    if (OwnsStandIn(typeCode)) {
        return;
    }
    if (InventoryItem* chalk = AddBuiltIn(key, typeCode, kKindChalk)) {
        chalk->inUse = quill::InventoryItem::kStatusInUse;
        chalk->state = 1;
        chalk->remaining = kUnlimited;
        chalk->secondCount = kBuiltInChalkCount;
    }
}

void Inventory::AddMembershipCue(uint32_t key, uint32_t typeCode) {
    if (!OwnsStandIn(typeCode)) {
        AddBuiltIn(key, typeCode, kKindCue);
    }
}

bool Inventory::OwnsStandIn(uint32_t typeCode) {
    quill::ScopedLock hold(player_.GetLock());
    for (uint32_t index = 0; index < player_.ItemCount(); ++index) {
        const InventoryItem* item = player_.ItemAt(index);
        if (item->typeCode == typeCode && item->itemClass == kStandInClass) {
            return true;
        }
    }
    return false;
}

InventoryItem* Inventory::FindSpecialItem() {
    quill::ScopedLock hold(player_.GetLock());
    for (uint32_t index = 0; index < player_.ItemCount(); ++index) {
        InventoryItem* item = player_.ItemAt(index);
        if (item->typeCode == kPowerPack && item->inUse == quill::InventoryItem::kStatusInUse && item->remaining > 0) {
            return item;
        }
    }
    return nullptr;
}

void Inventory::ShowGiftNotice(const quill::WString& sender, uint32_t amount) {
    ConnectionNotice notice;
    notice.title = u"Notice";
    notice.lines[0] = quill::Format(u"%s has sent a gift", sender);
    notice.lines[1] = u"아이템샵에서 확인할 수 있습니다.";
    if (amount > 0) {
        notice.lines[2] = quill::Format(u"큐머니 %s원이 추가로 충전되었습니다.", host_.FormatMoney(amount));
        quill::ScopedLock profile(host_.ProfileLock());
        player_.cueMoney += amount;
    }
    host_.ShowNotice(notice);
}

}  // namespace kestrovan
