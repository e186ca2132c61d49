#include "client/scenes/shop/ShopWorkshop.h"

#include <utility>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/messages/ShopMessages.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/CueWorkshop.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopItemKeys.h"
#include "client/scenes/shop/ShopPurchases.h"
#include "client/scenes/shop/ShopWidgets.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;
using quill::ScopedLock;

namespace {

constexpr uint8_t kOutcomeUp = 1;
constexpr uint8_t kOutcomeDown = 0xFF;

// change(cue) on the player's owned cue of that key, under the player's lock; nothing when he has no such cue.
template <class Change>
void ChangeOwnedCue(quill::PlayerState& player, int64_t key, const Change& change) {
    ScopedLock playerHold(player.GetLock());
    if (quill::InventoryItem* cue = player.FindItem(LowOf(key), HighOf(key))) change(*cue);
}

}  // namespace

ShopWorkshop::ShopWorkshop(SceneShop& screen, GameConnection& connection, ShopPurchases& purchases)
    : screen_(screen), connection_(connection), purchases_(purchases) {}

ShopWorkshop::~ShopWorkshop() = default;

void ShopWorkshop::BuildButton(Widget& mainPanel) {
    AddShopButton(mainPanel, 445, 0, 107, 49, kButton, -1, u"Custom Cue");
}

void ShopWorkshop::Build(std::unique_ptr<CueWorkshop> workshop) {
    workshop_ = std::move(workshop);
}

// --- The workshop's answers ---------------------------------------------------------------------------------

void ShopWorkshop::OnPartsBuyResult(Packet& packet) {
    const std::optional<PartsBuyResult> m = ShopAnswers::ReadPartsBuy(packet);
    if (!m) return SceneShop::WarnDropped(u"parts answer");
    if (screen_.ShowFailure(MessageId::PartsBuyResult, m->result)) return;
    purchases_.StoreBalances(m->cash, m->cueMoney);
    ChangeOwnedCue(connection_.LocalPlayer(), m->key, [&](quill::InventoryItem& cue) {
        cue.statValues = m->parts;
        cue.statistics = m->stats;
        cue.durabilityCurrent = m->durabilityCurrent;
        cue.durabilityTotal = m->durabilityTotal;
        cue.currentCount = m->durabilityCurrent;
    });
    screen_.RefreshAfterItemChange(false);
    workshop_->OnPartsBought();
    screen_.ShowNotice(u"파츠 구입을 성공적으로 수행하였습니다.");
}

void ShopWorkshop::OnCueUpgradeResult(Packet& packet) {
    const std::optional<CueUpgradeResult> m = ShopAnswers::ReadCueUpgrade(packet);
    if (!m) return SceneShop::WarnDropped(u"upgrade answer");
    if (screen_.ShowFailure(MessageId::CueUpgradeResult, m->result)) return;
    purchases_.StoreBalances(m->cash, m->cueMoney);
    ChangeOwnedCue(connection_.LocalPlayer(), m->key, [&](quill::InventoryItem& cue) {
        cue.statistics = m->stats;
        cue.upgradePoints = m->upgradePoints;
    });
    screen_.RefreshAfterItemChange(false);
    workshop_->OnUpgraded();
    if (m->outcome == kOutcomeUp) screen_.ShowNotice(u"업그레이드에 성공하였습니다. (+1)");
    else if (m->outcome == kOutcomeDown) screen_.ShowNotice(u"업그레이드에 실패하였습니다. (-1)");
    else screen_.ShowNotice(u"업그레이드에 실패하였습니다.");
}

void ShopWorkshop::OnCueRepairResult(Packet& packet) {
    const std::optional<CueRepairResult> m = ShopAnswers::ReadCueRepair(packet);
    if (!m) return SceneShop::WarnDropped(u"repair answer");
    if (screen_.ShowFailure(MessageId::CueRepairResult, m->result)) return;
    purchases_.StoreBalances(m->cash, m->cueMoney);
    uint32_t before = m->durability;
    ChangeOwnedCue(connection_.LocalPlayer(), m->key, [&](quill::InventoryItem& cue) {
        before = cue.durabilityTotal;
        cue.durabilityCurrent = m->durability;
        cue.durabilityTotal = m->durability;
        cue.currentCount = m->durability;
    });
    screen_.RefreshAfterItemChange(false);
    workshop_->OnRepaired();
    if (before <= m->durability) {
        screen_.ShowNotice(u"수리를 성공적으로 수행하였습니다.", u"내구도가 완전히 복원되었습니다.");
        return;
    }
    const int64_t lost = CueRules::RepairLossPoints(before, m->durability);
    screen_.ShowNotice(u"수리를 마쳤으나 수리시 실패가 있었습니다.", quill::Format(u"전체 내구도가 %d만큼 감소하였습니다.", lost),
               u"고급 수리를 사용하면 실패하지 않습니다.");
}

// The personal-cue purchase is answered as ItemBuyResult; this answer, should it come, carries only a result.
void ShopWorkshop::OnPersonalCueBuyResult(Packet& packet) {
    const std::optional<uint8_t> result = ShopAnswers::ReadResult(packet);
    if (!result) return SceneShop::WarnDropped(u"personal cue answer");
    if (!screen_.ShowFailure(MessageId::ItemBuyResult, *result)) workshop_->OnCueBought();
}

void ShopWorkshop::OnCueRetuneResult(Packet& packet) {
    const std::optional<CueRetuneResult> m = ShopAnswers::ReadCueRetune(packet);
    if (!m) return SceneShop::WarnDropped(u"re-tune answer");
    if (screen_.ShowFailure(MessageId::CueRetuneResult, m->result)) return;
    purchases_.StoreBalances(m->cash, connection_.LocalPlayer().cueMoney);
    ChangeOwnedCue(connection_.LocalPlayer(), m->key, [&](quill::InventoryItem& cue) { cue.statistics = m->stats; });
    screen_.RefreshAfterItemChange(false);
    workshop_->OnRetuned();
    screen_.ShowNotice(u"성능 옵션이 재설정되었습니다.");
}

}  // namespace kestrovan
