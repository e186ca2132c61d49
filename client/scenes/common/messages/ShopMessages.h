#pragma once
// The shop's traffic with the game server outside the screen: the requests it writes (membership, item use,
// delete, leaving) and the answers it reads into plain records. Each reader takes the payload at the packet's
// cursor and returns the record, or nothing when the message ends before its fields do (a bad string counts
// as such an end); an answer whose result is not 0 carries only its result. Texts are cut to the fields the
// shop keeps. The cue workshop's answers (parts, upgrade, repair, re-tune) are read here too.
//
// Each answer's Layout is its one description on the wire (QuillLib/net/FieldReader.h), which the readers
// here, the tests' builders and the fuzz targets follow.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

// The longest nickname and text the shop keeps from an answer, in UTF-16 units.
inline constexpr size_t kShopTextUnits = 63;

// --- Requests ---

// MembershipRequest (83).
struct MembershipRequest {
    uint8_t mode = 1;     // 1 for oneself, 2 as a gift
    uint8_t upgrade = 0;  // 1 only when upgrading one's own membership
    uint8_t option = 1;   // the kind, 1 to 3
    uint8_t period = 1;   // 1: 30 days, 2: 90 days
    quill::WString recipient;  // empty for oneself
};

// ItemUse (95) or, for request kind 2, ItemUseAlt (100); the nickname goes only with the nickname item.
struct ItemUseRequest {
    uint32_t typeCode = 0;
    uint8_t kind = 0;
    int64_t key = 0;
    quill::WString nickname;
};

class ShopRequests {
public:
    static constexpr uint32_t kNicknameItem = 4102;
    static constexpr size_t kNicknameUnits = 12;

    static void WriteMembership(quill::Packet& packet, const MembershipRequest& request);
    // alt: ItemUseAlt (100) instead of ItemUse (95).
    static void WriteItemUse(quill::Packet& packet, const ItemUseRequest& request, bool alt);
    static void WriteItemDelete(quill::Packet& packet, int64_t key);
    static void WriteLeaveShop(quill::Packet& packet);
};

// --- Answers ---

struct MembershipResult {  // 84
    uint8_t result = 0;
    int64_t cash = 0;
    int64_t cueMoney = 0;
    uint32_t bonus = 0;
    uint8_t state = 0;
    quill::WString endDate;  // with a state above 0
    uint16_t value = 0;
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result != 0) return;
        io(m.cash, m.cueMoney, m.bonus, m.state);
        if (m.state == 0) return;
        io.Text(m.endDate, kShopTextUnits);
        io(m.value);
    }
};

struct CoinGiftResult {  // 88
    uint8_t result = 0;
    uint32_t amount = 0;
    quill::WString recipient;
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result != 0) return;
        io(m.amount);
        io.Text(m.recipient, kShopTextUnits);
    }
};

// How a bought item's record continues after its fixed fields.
enum class BoughtItemShape { kPersonalCue, kStockCue, kCounted };

struct BoughtItem {
    int64_t key = 0;
    uint32_t typeCode = 0;
    uint8_t state = 0;
    uint8_t status = 0;
    BoughtItemShape shape = BoughtItemShape::kCounted;
    uint32_t cueValue = 0;  // a personal cue's
    quill::WString name;
    std::array<uint16_t, 5> parts{};
    std::array<uint8_t, 5> stats{};
    uint16_t remaining = 0;  // other items
    uint16_t limit = 0;
    // shapeOf tells a reader the shape of the item's type; a writer sends the shape the record holds.
    static void Layout(auto& io, auto& m, const std::function<BoughtItemShape(uint32_t)>& shapeOf) {
        io(m.key, m.typeCode, m.state, m.status);
        io.Derive(m.shape, shapeOf ? shapeOf(m.typeCode) : BoughtItemShape::kCounted);
        if (m.shape == BoughtItemShape::kPersonalCue) {
            io(m.cueValue);
            io.Text(m.name, kShopTextUnits);
            io(m.parts, m.stats);
        }
        if (m.shape == BoughtItemShape::kCounted) io(m.remaining, m.limit);
    }
};

struct ItemBuyResult {  // 93
    uint8_t mode = 0;  // 1 bought, 2 given, 3 given by the clan
    uint8_t result = 0;
    int64_t cash = 0;  // not for mode 3
    int64_t cueMoney = 0;
    uint32_t bonus = 0;
    uint32_t coins = 0;
    std::optional<BoughtItem> item;  // mode 1
    static void Layout(auto& io, auto& m, const std::function<BoughtItemShape(uint32_t)>& shapeOf) {
        io(m.mode, m.result);
        if (m.result != 0) return;
        if (m.mode != 3) io(m.cash, m.cueMoney, m.bonus, m.coins);
        if (m.mode == 1) BoughtItem::Layout(io, io.Emplace(m.item), shapeOf);
    }
};

// Which answer an ItemUseResult record is read from.
enum class UsedItemAnswer { kItemUse, kDefaultItem, kGameDefaultItem };

// ItemUseResult (96), DefaultItemResult (101) and GameDefaultItemResult (103).
struct ItemUseResult {
    uint8_t result = 0;
    uint8_t gameType = 0;     // 103
    uint8_t defaultKind = 0;  // 101, 103: 1 and 2 cue, 3 table, 4 balls
    int64_t key = 0;
    uint32_t typeCode = 0;
    uint8_t status = 0;
    uint8_t extra = 0;
    quill::WString text;  // when the key is not 0
    static void Layout(auto& io, auto& m, UsedItemAnswer answer) {
        io(m.result);
        if (m.result != 0) return;
        if (answer == UsedItemAnswer::kGameDefaultItem) io(m.gameType);
        if (answer != UsedItemAnswer::kItemUse) io(m.defaultKind);
        io(m.key, m.typeCode, m.status, m.extra);
        if (m.key != 0) io.Text(m.text, kShopTextUnits);
    }
};

struct ItemDeleteResult {  // 106
    uint8_t result = 0;
    int64_t key = 0;
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result == 0) io(m.key);
    }
};

struct PartsBuyResult {  // 116
    uint8_t result = 0;
    int64_t cash = 0;
    int64_t cueMoney = 0;
    int64_t key = 0;
    std::array<uint16_t, 5> parts{};
    std::array<uint8_t, 5> stats{};
    uint32_t durabilityCurrent = 0;
    uint32_t durabilityTotal = 0;
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result == 0) io(m.cash, m.cueMoney, m.key, m.parts, m.stats, m.durabilityCurrent, m.durabilityTotal);
    }
};

struct CueUpgradeResult {  // 118
    uint8_t result = 0;
    int64_t cash = 0;
    int64_t cueMoney = 0;
    int64_t key = 0;
    uint8_t outcome = 0;  // 1 up, 0xFF down
    int64_t upgradePoints = 0;
    std::array<uint8_t, 5> stats{};
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result == 0) io(m.cash, m.cueMoney, m.key, m.outcome, m.upgradePoints, m.stats);
    }
};

struct CueRepairResult {  // 120
    uint8_t result = 0;
    int64_t cash = 0;
    int64_t cueMoney = 0;
    int64_t key = 0;
    uint32_t durability = 0;
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result == 0) io(m.cash, m.cueMoney, m.key, m.durability);
    }
};

struct CueRetuneResult {  // 122
    uint8_t result = 0;
    int64_t cash = 0;
    int64_t key = 0;
    std::array<uint8_t, 5> stats{};
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result == 0) io(m.cash, m.key, m.stats);
    }
};

struct ItemQuantity {  // 1197
    uint8_t result = 0;
    int64_t key = 0;
    uint16_t remaining = 0;
    static void Layout(auto& io, auto& m) { io(m.result, m.key, m.remaining); }
};

class ShopAnswers {
public:
    using ShapeOf = std::function<BoughtItemShape(uint32_t typeCode)>;

    static std::optional<uint8_t> ReadResult(quill::Packet& packet);  // 97, 99
    static std::optional<MembershipResult> ReadMembership(quill::Packet& packet);
    static std::optional<CoinGiftResult> ReadCoinGift(quill::Packet& packet);
    static std::optional<ItemBuyResult> ReadItemBuy(quill::Packet& packet, const ShapeOf& shapeOf);
    static std::optional<ItemUseResult> ReadItemUse(quill::Packet& packet);
    static std::optional<ItemUseResult> ReadDefaultItem(quill::Packet& packet);
    static std::optional<ItemUseResult> ReadGameDefaultItem(quill::Packet& packet);
    static std::optional<ItemDeleteResult> ReadItemDelete(quill::Packet& packet);
    static std::optional<PartsBuyResult> ReadPartsBuy(quill::Packet& packet);
    static std::optional<CueUpgradeResult> ReadCueUpgrade(quill::Packet& packet);
    static std::optional<CueRepairResult> ReadCueRepair(quill::Packet& packet);
    static std::optional<CueRetuneResult> ReadCueRetune(quill::Packet& packet);
    static std::optional<ItemQuantity> ReadItemQuantity(quill::Packet& packet);
};

}  // namespace kestrovan
