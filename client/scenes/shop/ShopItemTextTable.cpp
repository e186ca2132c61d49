#include "client/scenes/shop/ShopItemTextTable.h"

#include <algorithm>

#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

using quill::ItemRecord;

struct Offer {
    int16_t period;
    int32_t price;
};

// One row of the shop's data: the texts, whether it is sold, and its offers (unit, currency, three periods
// with their prices; a period of -1 is no offer).
struct RowData {
    uint32_t id;
    const char16_t* description;
    const char16_t* measures;
    const char16_t* gameTypes;
    uint8_t listed;
    uint8_t unit;
    uint32_t currency;
    Offer offers[3];
};

constexpr uint8_t kDays = ItemRecord::kDays;
constexpr uint8_t kOnce = ItemRecord::kSinglePurchase;
constexpr uint8_t kCounted = ItemRecord::kUsesOrHours;
constexpr uint32_t kCash = 1;
constexpr uint32_t kGold = 2;
constexpr Offer kNone{ItemRecord::kNoPeriod, ItemRecord::kNoPrice};

constexpr const char16_t* kAll = u"전체";
constexpr const char16_t* kCarom = u"4구,3쿠션,3쿠션갬블";
constexpr const char16_t* kPool = u"8볼,9볼,14-1,스누커";

// The table in its fixed order: basic, tuned and stock cues; consumable and special items; ball sets; tables.
constexpr RowData kRowData[] = {
    {3001, u"처음 시작하는 분을 위한 기본 큐입니다.", u"140cm, 19oz", kAll, 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {3002, u"기본 큐의 두 번째 모델입니다.", u"140cm, 19oz", kAll, 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {3003, u"가볍고 다루기 쉬운 입문용 큐입니다.", u"142cm, 18oz", kAll, 1, kDays, kGold, {{7, 3000}, {30, 10000}, {90, 25000}}},
    {3004, u"파워가 조금 더해진 입문용 큐입니다.", u"142cm, 19oz", kAll, 1, kDays, kGold, {{7, 4000}, {30, 13000}, {90, 33000}}},
    {3005, u"스탠다드 멤버십 회원에게 주어지는 큐입니다.", u"142cm, 19oz", kAll, 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {3006, u"플러스 멤버십 회원에게 주어지는 큐입니다.", u"142cm, 19oz", kAll, 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {3100, u"나만의 파츠로 조립하는 커스텀 큐입니다.\n성능과 디자인을 업그레이드할 수 있습니다.", u"142cm, 19oz", kAll, 1, kOnce, kCash, {{1, 17500}, kNone, kNone}},
    {3102, u"스핀에 맞춰 조율된 튜닝 큐입니다.", u"142cm, 19oz", kAll, 1, kOnce, kCash, {{1, 9900}, kNone, kNone}},
    {3103, u"파워에 맞춰 조율된 튜닝 큐입니다.", u"142cm, 19oz", kAll, 1, kOnce, kCash, {{1, 9900}, kNone, kNone}},
    {3104, u"균형을 맞춘 튜닝 큐입니다.", u"142cm, 19oz", kAll, 1, kOnce, kCash, {{1, 12000}, kNone, kNone}},
    {3010, u"캐롬 전용으로 다듬은 큐입니다.", u"142cm, 19oz", kCarom, 1, kDays, kCash, {{7, 1000}, {30, 3000}, {90, 7500}}},
    {3011, u"스핀이 강한 캐롬 큐입니다.", u"142cm, 19oz", kCarom, 1, kDays, kCash, {{7, 1200}, {30, 3500}, {90, 8500}}},
    {3012, u"미스큐가 적은 캐롬 큐입니다.", u"142cm, 19oz", kCarom, 1, kDays, kCash, {{7, 1200}, {30, 3500}, {90, 8500}}},
    {3013, u"파워가 강한 캐롬 큐입니다.", u"142cm, 20oz", kCarom, 1, kDays, kCash, {{7, 1500}, {30, 4500}, {90, 11000}}},
    {3014, u"상급자를 위한 캐롬 큐입니다.", u"142cm, 20oz", kCarom, 1, kDays, kCash, {{7, 2000}, {30, 6000}, {90, 15000}}},
    {3020, u"포켓볼 입문용 큐입니다.", u"147cm, 19oz", kPool, 1, kDays, kGold, {{7, 5000}, {30, 15000}, {90, 40000}}},
    {3021, u"스쿼트가 적은 포켓볼 큐입니다.", u"147cm, 19oz", kPool, 1, kDays, kCash, {{7, 1200}, {30, 3500}, {90, 8500}}},
    {3022, u"브레이크에 강한 포켓볼 큐입니다.", u"147cm, 21oz", kPool, 1, kDays, kCash, {{7, 1500}, {30, 4500}, {90, 11000}}},
    {3023, u"점프샷에 어울리는 가벼운 큐입니다.", u"104cm, 8oz", kPool, 1, kDays, kCash, {{7, 1500}, {30, 4500}, {90, 11000}}},
    {3024, u"정교한 포지션 플레이를 위한 큐입니다.", u"147cm, 19oz", kPool, 1, kDays, kCash, {{7, 2000}, {30, 6000}, {90, 15000}}},
    {3025, u"상급자를 위한 포켓볼 큐입니다.", u"147cm, 19oz", kPool, 1, kDays, kCash, {{7, 2500}, {30, 7000}, {90, 18000}}},
    {3030, u"스누커 전용 큐입니다.", u"145cm, 18oz", u"스누커", 1, kDays, kCash, {{7, 1500}, {30, 4500}, {90, 11000}}},
    {3031, u"스누커 상급자용 큐입니다.", u"145cm, 18oz", u"스누커", 1, kDays, kCash, {{7, 2500}, {30, 7000}, {90, 18000}}},
    {3041, u"파워팩과 함께 쓰는 큐입니다.", u"142cm, 19oz", kAll, 1, kDays, kCash, {{30, 5000}, kNone, kNone}},
    {3042, u"이벤트 한정 큐입니다.", u"142cm, 19oz", kAll, 1, kDays, kCash, {{30, 5500}, kNone, kNone}},
    {3043, u"이벤트 한정 고급 큐입니다.", u"142cm, 19oz", kAll, 1, kDays, kCash, {{30, 6500}, kNone, kNone}},
    {3050, u"명품 장인의 손길이 담긴 큐입니다.", u"142cm, 19oz", kAll, 1, kDays, kCash, {{30, 9000}, {90, 24000}, kNone}},
    {3051, u"명품 큐의 두 번째 모델입니다.", u"142cm, 19oz", kAll, 1, kDays, kCash, {{30, 9000}, {90, 24000}, kNone}},
    {3052, u"명품 큐의 세 번째 모델입니다.", u"142cm, 19oz", kAll, 1, kDays, kCash, {{30, 9000}, {90, 24000}, kNone}},
    {11, u"자주 쓰는 아이템을 모은 패키지입니다.", u"-", kAll, 1, kOnce, kCash, {{1, 9900}, kNone, kNone}},
    {12, u"초보자를 위한 패키지입니다.", u"-", kAll, 1, kOnce, kCash, {{1, 4900}, kNone, kNone}},
    {4901, u"스핀을 더해 주는 고급 초크입니다.", u"-", kAll, 1, kCounted, kGold, {{100, 1000}, {300, 2700}, kNone}},
    {4902, u"미스큐를 줄여 주는 고급 초크입니다.", u"-", kAll, 1, kCounted, kGold, {{100, 1500}, {300, 4000}, kNone}},
    {4903, u"스핀과 미스큐를 모두 잡는 최고급 초크입니다.", u"-", kAll, 1, kCounted, kCash, {{100, 500}, {300, 1400}, kNone}},
    {4510, u"모든 스킬이 잠시 올라가는 에너지 드링크입니다.", u"-", kAll, 1, kCounted, kCash, {{10, 1000}, {30, 2700}, kNone}},
    {4511, u"집중력을 높여 주는 아이템입니다.", u"-", kAll, 1, kCounted, kCash, {{10, 800}, {30, 2200}, kNone}},
    {4512, u"미스큐를 줄여 주는 러버 팁입니다.", u"-", kAll, 1, kCounted, kGold, {{10, 2000}, {30, 5500}, kNone}},
    {4513, u"샷의 세기를 보여 주는 파워 게이지입니다.", u"-", kAll, 1, kCounted, kGold, {{10, 2000}, {30, 5500}, kNone}},
    {4504, u"잭팟의 기회가 늘어나는 아이템입니다.", u"-", kAll, 1, kDays, kCash, {{7, 1000}, {30, 3000}, kNone}},
    {4150, u"공의 진로를 보여 주는 레이저 가이드입니다.", u"-", kAll, 1, kDays, kCash, {{7, 1500}, {30, 4500}, kNone}},
    {4111, u"정해진 시간 동안 파워팩 큐와 초크를 씁니다.", u"-", kAll, 1, kCounted, kCash, {{600, 3000}, kNone, kNone}},
    {4106, u"모든 스킬이 올라가는 스킬북입니다.", u"-", kAll, 1, kDays, kCash, {{30, 3000}, kNone, kNone}},
    {4107, u"모든 스킬이 올라가는 스킬북입니다.", u"-", kAll, 1, kDays, kGold, {{7, 20000}, kNone, kNone}},
    {4101, u"포켓볼의 규칙을 담은 안내서입니다.", u"-", kPool, 1, kOnce, kGold, {{1, 1000}, kNone, kNone}},
    {4102, u"닉네임을 바꿀 수 있는 아이템입니다.", u"-", kAll, 1, kOnce, kCash, {{1, 5000}, kNone, kNone}},
    {4103, u"핸디를 한 단계 내립니다.", u"-", kAll, 1, kOnce, kCash, {{1, 3000}, kNone, kNone}},
    {4104, u"핸디를 한 단계 올립니다.", u"-", kAll, 1, kOnce, kCash, {{1, 3000}, kNone, kNone}},
    {4105, u"전적의 패배 기록을 지웁니다.", u"-", kAll, 1, kOnce, kCash, {{1, 5000}, kNone, kNone}},
    {4108, u"마세 샷을 쉽게 해 주는 아이템입니다.", u"-", kAll, 1, kDays, kCash, {{7, 1000}, {30, 3000}, kNone}},
    {4011, u"얻는 골드가 두 배가 됩니다.", u"-", kAll, 1, kDays, kCash, {{1, 500}, {7, 3000}, kNone}},
    {4012, u"얻는 골드가 세 배가 됩니다.", u"-", kAll, 1, kDays, kCash, {{1, 800}, {7, 4500}, kNone}},
    {4145, u"연습장에서 쓰는 연습 키트입니다.", u"-", kAll, 1, kCounted, kGold, {{10, 3000}, kNone, kNone}},
    {4146, u"당구대에 표시를 하는 연필입니다.", u"-", kAll, 1, kCounted, kGold, {{10, 3000}, kNone, kNone}},
    {2003, u"4구 경기용 공입니다.", u"-", u"4구공", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {2004, u"3쿠션 경기용 공입니다.", u"-", u"3쿠션", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {2006, u"포켓볼 기본 공입니다.", u"-", kPool, 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {2007, u"스누커 공입니다.", u"-", u"스누커", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {2008, u"6볼 경기용 공입니다.", u"-", u"6볼", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {2100, u"선명한 색의 캐롬 공입니다.", u"-", kCarom, 1, kDays, kGold, {{7, 5000}, {30, 15000}, kNone}},
    {2101, u"반짝이는 캐롬 공입니다.", u"-", kCarom, 1, kDays, kGold, {{7, 5000}, {30, 15000}, kNone}},
    {2102, u"대리석 무늬의 캐롬 공입니다.", u"-", kCarom, 1, kDays, kCash, {{7, 1000}, {30, 3000}, kNone}},
    {2103, u"금빛 캐롬 공입니다.", u"-", kCarom, 1, kDays, kCash, {{7, 1000}, {30, 3000}, kNone}},
    {2104, u"은빛 캐롬 공입니다.", u"-", kCarom, 1, kDays, kCash, {{7, 1000}, {30, 3000}, kNone}},
    {2142, u"선명한 색의 포켓볼 공입니다.", u"-", kPool, 1, kDays, kGold, {{7, 5000}, {30, 15000}, kNone}},
    {2143, u"대리석 무늬의 포켓볼 공입니다.", u"-", kPool, 1, kDays, kCash, {{7, 1000}, {30, 3000}, kNone}},
    {2200, u"경기용 공인 공입니다.", u"-", kAll, 1, kDays, kCash, {{30, 4000}, kNone, kNone}},
    {2201, u"경기용 공인 공의 두 번째 모델입니다.", u"-", kAll, 1, kDays, kCash, {{30, 4000}, kNone, kNone}},
    {1020, u"기본 캐롬 당구대입니다.", u"-", kCarom, 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {1024, u"3쿠션 프로 당구대입니다.", u"-", u"3쿠션", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {1026, u"캐롬 당구대의 두 번째 모델입니다.", u"-", kCarom, 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {1027, u"3쿠션 당구대입니다.", u"-", u"3쿠션", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {1028, u"3쿠션 갬블 당구대입니다.", u"-", u"3쿠션갬블", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {1030, u"8볼 당구대입니다.", u"-", u"8볼", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {1032, u"9볼 당구대입니다.", u"-", u"9볼", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {1033, u"14-1 당구대입니다.", u"-", u"14-1", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {1035, u"스누커 당구대입니다.", u"-", u"스누커", 0, kOnce, kGold, {{0, 0}, kNone, kNone}},
    {1101, u"푸른 천의 캐롬 당구대입니다.", u"-", kCarom, 1, kDays, kGold, {{7, 10000}, {30, 30000}, kNone}},
    {1102, u"붉은 천의 캐롬 당구대입니다.", u"-", kCarom, 1, kDays, kGold, {{7, 10000}, {30, 30000}, kNone}},
    {1103, u"나무 무늬 캐롬 당구대입니다.", u"-", kCarom, 1, kDays, kCash, {{7, 2000}, {30, 6000}, kNone}},
    {1104, u"대리석 캐롬 당구대입니다.", u"-", kCarom, 1, kDays, kCash, {{7, 2000}, {30, 6000}, kNone}},
    {1105, u"금장 캐롬 당구대입니다.", u"-", kCarom, 1, kDays, kCash, {{7, 3000}, {30, 9000}, kNone}},
    {1401, u"푸른 천의 포켓볼 당구대입니다.", u"-", kPool, 1, kDays, kGold, {{7, 10000}, {30, 30000}, kNone}},
    {1501, u"나무 무늬 포켓볼 당구대입니다.", u"-", kPool, 1, kDays, kCash, {{7, 2000}, {30, 6000}, kNone}},
    {1502, u"대리석 포켓볼 당구대입니다.", u"-", kPool, 1, kDays, kCash, {{7, 3000}, {30, 9000}, kNone}},
};

static_assert(std::size(kRowData) == ShopItemTextTable::kRows);

constexpr uint32_t kFirstBasicCue = 3001;

ShopItemText MakeRow(const RowData& data) {
    ShopItemText row;
    row.itemId = data.id;
    row.description = CutToLength(data.description, ShopItemText::kDescriptionUnits);
    row.measures = CutToLength(data.measures, ShopItemText::kMeasuresUnits);
    row.gameTypes = CutToLength(data.gameTypes, ShopItemText::kGameTypesUnits);
    row.first = data.id == kFirstBasicCue ? 1 : 0;
    row.listed = data.listed;
    if (const ItemRecord* found = quill::TheItemCatalogue().FindById(data.id)) {
        ItemRecord record = *found;
        record.periodUnit = data.unit;
        record.currency = data.currency;
        for (size_t n = 0; n < 3; ++n) {
            record.periods[n] = data.offers[n].period;
            record.prices[n] = data.offers[n].price;
        }
        row.record = record;
    }
    return row;
}

}  // namespace

ShopItemTextTable::ShopItemTextTable() {
    rows_.reserve(kRows);
    for (const RowData& data : kRowData) rows_.push_back(MakeRow(data));
}

const ShopItemText* ShopItemTextTable::Find(uint32_t itemId) const {
    const auto found = std::find_if(rows_.begin(), rows_.end(), [itemId](const ShopItemText& r) { return r.itemId == itemId; });
    return found != rows_.end() ? &*found : nullptr;
}

}  // namespace kestrovan
