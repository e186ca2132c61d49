#pragma once
// What the shop decides locally before it uses, deletes or buys an item: the refusals with their texts, and
// otherwise where the request goes (the item-use question, the nickname dialog, the use event, the delete
// question, the workshop or the purchase dialog). Pure: the screen shows the texts and opens the windows.
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/common/PurchaseRules.h"

namespace kestrovan {

// The request kinds of ShopItemUse (1081): 2 sends ItemUseAlt (100), any other ItemUse (95).
inline constexpr uint32_t kUseRequestAlt = 2;
inline constexpr uint32_t kUseRequestPlain = 1;

struct UseDecision {
    enum class Action {
        kNotice,          // the notice box with the lines; nothing else
        kError,           // the error box with the line
        kNicknameDialog,  // the nickname-change dialog with the item
        kPostUse,         // ShopItemUse at once with the request kind
        kConfirm,         // the item-use question with the request kind (after the notice when there is one)
    };
    Action action = Action::kNotice;
    std::vector<quill::WString> lines;
    uint32_t requestKind = kUseRequestPlain;
};

struct DeleteDecision {
    enum class Action { kNotice, kError, kConfirm };
    Action action = Action::kConfirm;
    quill::WString line;
};

struct BuyDecision {
    enum class Action { kNotice, kWorkshop, kPurchase };
    Action action = Action::kPurchase;
    quill::WString line;
};

class ShopDecisions {
public:
    static constexpr uint32_t kNicknameItem = 4102;
    static constexpr uint32_t kHandicapDown = 4103;
    static constexpr uint32_t kHandicapUp = 4104;
    static constexpr uint32_t kSuspendedCue = 3104;
    static constexpr uint32_t kFirstTunedCue = 3100;
    static constexpr uint32_t kLastTunedCue = 3110;
    static constexpr int64_t kFirstDeletableKey = 10;

    // record: the item's catalogue record (null when unknown); sameTypeInUse: another owned item of the
    // same type code is in use.
    static UseDecision Use(const quill::InventoryItem& item, const quill::ItemRecord* record, uint16_t playerLevel,
                           bool sameTypeInUse);
    // Refused for the built-in items (a 64-bit key below 10) and for an item bound for a game type as its cue,
    // ball set or table (the player's bindings, read under the player's lock by the caller).
    static DeleteDecision Delete(const quill::InventoryItem& item, const quill::PlayerState& player);
    static BuyDecision Buy(uint32_t itemId);
};

}  // namespace kestrovan
