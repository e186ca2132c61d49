#include "client/scenes/shop/ShopItemTexts.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "client/scenes/common/PurchaseRules.h"
#include "client/scenes/common/TextFields.h"
#include "client/table/SharedUtilities.h"

namespace kestrovan {

namespace {

using quill::Format;
using quill::InventoryItem;
using quill::ItemRecord;
using quill::WString;

constexpr uint32_t kSkillBookA = 4106;
constexpr uint32_t kSkillBookB = 4107;
constexpr size_t kEndDateUnits = 16;

bool IsPersonalCue(const InventoryItem& item) {
    return item.kind == ItemRecord::kCue && item.customFlag != 0;
}

int32_t Truncated(double value) {
    return static_cast<int32_t>(value);
}

// "%s / %d일 %s" and its kin for the price and period of one offer.
WString PriceRow(const ItemRecord& record, size_t n, const WString& currency) {
    const WString price = FormatMoney(record.prices[n]);
    const int32_t period = record.periods[n];
    switch (record.periodUnit) {
        case ItemRecord::kDays:
            return Format(u"%s / %d일 %s", price, period, currency);
        case ItemRecord::kSinglePurchase:
        case ItemRecord::kUsesOrHours:
            if (record.id == PurchaseRules::kHoursItem) return Format(u"%s / %d시간 %s", price, period / 60, currency);
            return Format(u"%s / %d회 %s", price, period, currency);
        default:
            return Format(u"%s %s", price, currency);
    }
}

}  // namespace

ShopCardTexts ShopItemTexts::Card(const ShopItemText& row) {
    ShopCardTexts texts;
    if (!row.record) return texts;
    const ItemRecord& record = *row.record;
    texts.gameTypesShown = record.category == ItemRecord::kBallSet || record.category == ItemRecord::kTable;
    if (texts.gameTypesShown) texts.gameTypes = Format(u"[%s]", row.gameTypes);
    texts.levelShown = record.category == ItemRecord::kCue && record.requiredLevel > 1;
    if (texts.levelShown) texts.level = Format(u"Lv.%d", static_cast<int32_t>(record.requiredLevel));
    texts.name = record.name;
    texts.price = FormatMoney(record.prices[0]);
    texts.currency = record.currency == quill::ItemRecord::kCurrencyCash ? u"Cash" : u"Gold";
    return texts;
}

InventoryCardTexts ShopItemTexts::InventoryCard(const ItemRecord& record, const InventoryItem* owned) {
    InventoryCardTexts texts;
    texts.name = record.name;
    if (owned == nullptr) return texts;
    texts.markShown = owned->itemClass >= 2 && owned->itemClass <= 5;
    texts.statusShown = true;
    if (IsPersonalCue(*owned)) {
        texts.status = u"개인큐";
    } else if (owned->inUse == quill::InventoryItem::kStatusInUse) {
        texts.status = u"사용중";
    } else if (record.periodUnit > ItemRecord::kDays && owned->typeCode != PurchaseRules::kHoursItem) {
        texts.statusShown = false;
    } else {
        texts.status = u"미사용";
    }
    return texts;
}

ItemDetailTexts ShopItemTexts::Detail(DetailMode mode, const ShopItemText& row, const InventoryItem* owned,
                                      const ItemModelRecord* model) {
    ItemDetailTexts texts;
    FillDescription(row, texts);
    texts.measures = row.measures;
    texts.gameTypes = row.gameTypes;
    if (!row.record) return texts;
    const ItemRecord& record = *row.record;
    texts.requirements = record.requiredLevel == 0 ? WString(u"없음") : Format(u"레벨 %d 이상", static_cast<int32_t>(record.requiredLevel));
    FillPrices(record, texts);
    if (mode == DetailMode::kCatalogue) owned = nullptr;
    FillFunction(mode, record, owned, model, texts);
    if (record.periodUnit == ItemRecord::kDays) texts.caution[0] = u"기간형 아이템은 사용상태로 전환 후 기능이 적용됩니다.";
    if (owned == nullptr || !IsPersonalCue(*owned)) FillBonuses(record, texts);
    if (owned != nullptr) {
        FillState(record, *owned, texts);
        FillRemark(*owned, texts);
    }
    return texts;
}

void ShopItemTexts::FillDescription(const ShopItemText& row, ItemDetailTexts& texts) {
    quill::WStringView rest = row.description;
    while (!rest.empty() && texts.descriptionLines < ItemDetailTexts::kDescriptionLines) {
        const size_t end = rest.find(u'\n');
        texts.description[texts.descriptionLines++] = WString(rest.substr(0, end));
        rest = end == quill::WStringView::npos ? quill::WStringView{} : rest.substr(end + 1);
    }
}

void ShopItemTexts::FillPrices(const ItemRecord& record, ItemDetailTexts& texts) {
    WString currency = record.currency == quill::ItemRecord::kCurrencyCash ? u"(캐시)" : u"(큐머니)";
    if (record.bonuses[0] > 0) currency = u" ";
    for (size_t n = 0; n < texts.prices.size(); ++n) {
        if (n > 0 && record.periods[n] == ItemRecord::kNoPeriod) continue;
        texts.prices[n] = PriceRow(record, n, currency);
    }
}

void ShopItemTexts::FillFunction(DetailMode mode, const ItemRecord& record, const InventoryItem* owned,
                                 const ItemModelRecord* model, ItemDetailTexts& texts) {
    texts.function[0] = u"없음";
    if (record.category == ItemRecord::kCue) {
        if (mode == DetailMode::kCatalogue && model != nullptr && model->custom != 0) {
            texts.function[0] = u"큐의 성능과 디자인 업그레이드 가능";
            texts.function[1] = Format(u"최대 내구도 : %d", static_cast<int32_t>(model->maxDurability / 1000));
            return;
        }
        std::array<int32_t, 5> stats{};
        if (owned != nullptr && IsPersonalCue(*owned)) {
            for (size_t n = 0; n < stats.size(); ++n) stats[n] = owned->statistics[n];
        } else if (model != nullptr) {
            for (size_t n = 0; n < stats.size(); ++n) stats[n] = model->stats[n];
        } else {
            return;
        }
        texts.function[0] =
            Format(u"파워 +%2d  파워밸런스 : %d%%", Truncated(stats[0] * 0.5), Truncated(stats[1] * 2.5));
        texts.function[1] = Format(u"스핀 +%2d  미스큐감소 : %d%%  스쿼트감소 : %d%%", Truncated(stats[2] * 0.5),
                                   Truncated(stats[3] * 0.5), Truncated(stats[4] * 2.5));
    } else if (record.category == ItemRecord::kChalk && model != nullptr) {
        texts.function[0] = Format(u"스핀증가 : +%d  미스큐감소 : %d%%", static_cast<int32_t>(model->spinBonus), static_cast<int32_t>(model->miscueReduction));
    } else if (record.id == kEnergyDrink) {
        texts.function[0] = u"모든 스킬 증가 : +15";
        texts.function[1] = u"미스큐 감소 : 30%";
    }
}

void ShopItemTexts::FillBonuses(const ItemRecord& record, ItemDetailTexts& texts) {
    WString gains;
    if (record.moneyGainPercent > 0) {
        gains += Format(u"획득머니 +%d%%. ", static_cast<int32_t>(record.moneyGainPercent));
        if (record.category == ItemRecord::kBallSet || record.category == ItemRecord::kTable) {
            texts.caution[0] = u"머니증가는 사용중인 종목에만 적용";
            texts.caution[1] = u"동일기능 중복 사용시 합산 적용";
        }
    }
    if (record.winPointsPercent > 0) gains += Format(u"승점 +%d%% ", static_cast<int32_t>(record.winPointsPercent));
    if (!gains.empty()) texts.function[0] = gains;
    if (record.skillSpeedPercent > 0) {
        texts.function[0] = Format(u"스킬숙련속도 +%d%%", static_cast<int32_t>(record.skillSpeedPercent));
        if (record.winPointsPercent != 0) texts.function[1] = Format(u"획득승점 +%d%%", static_cast<int32_t>(record.winPointsPercent));
    }
    if (record.id == kSkillBookA || record.id == kSkillBookB) texts.function[0] = u"모든스킬 +10";
    for (size_t n = 0; n < texts.bonuses.size(); ++n) {
        if (record.bonusFlag != 0 && record.bonuses[n] > 0 && record.periods[n] != ItemRecord::kNoPeriod)
            texts.bonuses[n] = Format(u"(큐머니 %s원 지급)", FormatMoney(record.bonuses[n]));
    }
}

void ShopItemTexts::FillState(const ItemRecord& record, const InventoryItem& owned, ItemDetailTexts& texts) {
    const bool hours = owned.typeCode == PurchaseRules::kHoursItem;
    const int32_t remaining = owned.remaining;
    texts.period = u"제한 없음";
    if (owned.state == 0 && IsPersonalCue(owned)) {
        texts.state = owned.durabilityCurrent / 1000 < 1 ? u"성능 적용 안됨" : u"정상";
        texts.period = Format(u"내구도 (%d/%d)", static_cast<int32_t>(owned.durabilityCurrent / 1000),
                              static_cast<int32_t>(owned.durabilityTotal / 1000));
    } else if (owned.state == 2) {
        texts.state = u"정상";
        texts.period = u"1 회";
    } else if (owned.state == 3 && hours) {
        texts.state = u"정상(기간형)";
        texts.period = Format(u"%d시간 %d분 남음", remaining / 60, remaining % 60);
    } else if (owned.state == 3) {
        texts.state = u"정상(횟수형)";
        texts.period = Format(u"%d 회 남음", remaining);
    } else if (owned.inUse == quill::InventoryItem::kStatusInUse) {
        texts.state = u"사용중";
        texts.period = remaining == -1 ? WString(u"-") : owned.name;
    } else if (owned.inUse == quill::InventoryItem::kStatusExpired) {
        texts.state = u"기간만료";
        texts.period = owned.name;
    } else {
        texts.state = u"미사용";
        if (owned.state == 1) {
            texts.period = Format(u"%d일", remaining);
        } else if (record.periodUnit == ItemRecord::kUsesOrHours) {
            texts.period = hours ? Format(u"%d시간 %d분", remaining / 60, remaining % 60) : Format(u"%d회", remaining);
        } else {
            texts.period = u"-";
        }
    }
}

void ShopItemTexts::FillRemark(const InventoryItem& owned, ItemDetailTexts& texts) {
    if (owned.itemClass == 2 || owned.itemClass == 3) {
        texts.remarkShown = true;
        texts.remark = Format(u"%s \"%s\"", owned.sender, owned.description);
    } else if (owned.itemClass == 4 || owned.itemClass == 5) {
        texts.remarkShown = true;
        texts.remark = Format(u"\"%s\"", owned.description);
    }
}

MembershipCaption ShopItemTexts::Membership(uint8_t state, quill::WStringView endDate) {
    MembershipCaption caption;
    caption.caption = state == 3 ? u"Plus Membership :" : (state == 1 || state == 2) ? u"Std. Membership :" : u"Membership :";
    if (state == 0) {
        caption.value = u"N/A";
        caption.colour = kGrey;
    } else {
        caption.value = Format(u"%s 까지", CutToLength(endDate, kEndDateUnits));
        caption.colour = kWhite;
    }
    return caption;
}

}  // namespace kestrovan
