#include "client/scenes/shop/ShopDecisions.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/common/PurchaseRules.h"

namespace kestrovan {

namespace {

using quill::InventoryItem;
using quill::ItemRecord;

bool IsPersonalCue(const InventoryItem& item) {
    return item.kind == ItemRecord::kCue && item.customFlag != 0;
}

UseDecision Notice(std::initializer_list<quill::WString> lines) {
    UseDecision decision;
    decision.lines = lines;
    return decision;
}

// The binding list of the item's kind: cues, ball sets or tables; null for kinds that are never equipped.
const std::array<quill::EquippedItem, quill::PlayerState::kTypes>* BindingsOf(const quill::PlayerState& player,
                                                                             uint32_t kind) {
    switch (kind) {
        case ItemRecord::kCue:
            return &player.equipped;
        case ItemRecord::kBallSet:
            return &player.equippedBallSet;
        case ItemRecord::kTable:
            return &player.equippedTable;
        default:
            return nullptr;
    }
}

}  // namespace

UseDecision ShopDecisions::Use(const InventoryItem& item, const ItemRecord* record, uint16_t playerLevel,
                               bool sameTypeInUse) {
    const bool personal = IsPersonalCue(item);
    const bool inUse = item.inUse == quill::InventoryItem::kStatusInUse;
    if (item.typeCode == PurchaseRules::kHoursItem) return Notice({u"사용할 수 없는 아이템입니다.", u"고객센터로 환불을 요청하세요."});
    if (record != nullptr && record->category == ItemRecord::kCue && !personal && record->requiredLevel > playerLevel)
        return Notice({quill::Format(u"이 아이템은 레벨%d부터 사용 가능합니다.", static_cast<int32_t>(record->requiredLevel))});
    if (item.state == 3) return Notice({u"사용할 때마다 소모되는 횟수형 아이템입니다."});
    if (!personal && !inUse && sameTypeInUse) {
        UseDecision decision = Notice({u"같은 종류의 아이템이 이미 사용중입니다."});
        decision.action = UseDecision::Action::kError;
        return decision;
    }
    UseDecision decision;
    if (item.typeCode == kNicknameItem) {
        decision.action = UseDecision::Action::kNicknameDialog;
        return decision;
    }
    if (item.kind >= ItemRecord::kCue && item.kind <= ItemRecord::kTable) {
        decision.requestKind = kUseRequestAlt;
        decision.action = item.state != 1 || inUse ? UseDecision::Action::kPostUse : UseDecision::Action::kConfirm;
        return decision;
    }
    if (inUse) return Notice({u"This item is already in use."});
    decision.action = UseDecision::Action::kConfirm;
    decision.requestKind = kUseRequestPlain;
    if (item.typeCode == kHandicapDown || item.typeCode == kHandicapUp) decision.lines = {u"Not implemented."};
    return decision;
}

DeleteDecision ShopDecisions::Delete(const InventoryItem& item, const quill::PlayerState& player) {
    const int64_t key = static_cast<int64_t>(static_cast<uint64_t>(item.subKey) << 32 | item.key);
    if (key < kFirstDeletableKey) return {DeleteDecision::Action::kNotice, u"삭제할 수 없는 아이템입니다."};
    if (const auto* bindings = BindingsOf(player, item.kind)) {
        for (size_t type = 0; type < bindings->size(); ++type) {
            const quill::EquippedItem& bound = (*bindings)[type];
            if (bound.key == item.key && bound.subKey == item.subKey)
                return {DeleteDecision::Action::kError,
                        quill::Format(u"%s 종목에 사용중이어서 삭제할 수 없습니다.",
                                      GameTypeLongName(static_cast<quill::GameType>(type)))};
        }
    }
    return {DeleteDecision::Action::kConfirm, {}};
}

BuyDecision ShopDecisions::Buy(uint32_t itemId) {
    if (itemId == PurchaseRules::kHoursItem || itemId == kSuspendedCue)
        return {BuyDecision::Action::kNotice, u"판매가 일시 중단된 상품입니다."};
    if (itemId >= kFirstTunedCue && itemId <= kLastTunedCue) return {BuyDecision::Action::kWorkshop, {}};
    return {BuyDecision::Action::kPurchase, {}};
}

}  // namespace kestrovan
