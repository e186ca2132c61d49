#include "client/scenes/shop/PersonalCueBuyWindow.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/Packet.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/shop/CuePartBrowser.h"
#include "client/scenes/shop/CuePartPreview.h"
#include "client/scenes/shop/CuePartThumbnail.h"
#include "client/scenes/shop/CuePartsCatalogueWindow.h"
#include "client/scenes/shop/CueRequests.h"
#include "client/scenes/shop/ShopPreviewPanel.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

using quill::Format;
using quill::WString;

namespace {

constexpr uint32_t kLightRed = 0xFFFFA0A0;
constexpr size_t kFirstDesignStep = 3;

constexpr std::array<const char16_t*, 14> kCustomDescription{
    u"커스텀 큐는 대여형 큐와 달리 기간 제한이 없으며,", u"구입시에 성능과 디자인을 마음대로 선택가능합니다.", u"",
    u"[성능 최대치 - 구입시 선택]", u"파워 +20, 밸런스 100%%", u"스핀 +20, 미스큐 감소 +20%%, 스쿼트 감소 100%%",
    u"총 내구도 : 1,000", u"", u"구입시 성능 포인트 : 150", u"각 옵션 최대 포인트 : 40", u"연장 비용 : 8,800 (캐시)",
    u"", u"커스텀 큐는 구입 후 성능 업그레이드가 불가능하며", u"파츠 아이템을 구입하여 디자인 변경만 가능합니다."};
constexpr std::array<const char16_t*, 14> kTuningDescription{
    u"튜닝큐는 대여형 큐와 달리 기간 제한이 없으며,", u"성능 업그레이드와 디자인 변경이 가능합니다.", u"",
    u"[구입시 성능 최대치]", u"파워 +5, 밸런스 25%%", u"스핀 +5, 미스큐 감소 +5%%, 스쿼트 감소 25%%",
    u"총 내구도 : 100", u"", u"구입시 성능 포인트 : 20 (구입후 업그레이드 가능)",
    u"옵션별 선택 가능 포인트 : 10 (파츠 구입시 최대 30)", u"수리 : 내구가 떨어진 만큼 큐머니로 수리", u"",
    u"업그레이드 : 사용량에 따라 누적된 포인트 필요", u"파츠 구입 : 업그레이드 최대값 상향"};
constexpr std::array<const char16_t*, PersonalCueBuyWindow::kSteps> kStepTitles{u"", u"성능 선택", u"디자인 선택", u"디자인 선택",
                                                          u"디자인 선택", u"구입 요청"};

// Steps 3 to 5 show these part types in their first and second rows (none: -1).
constexpr std::array<std::array<int32_t, 2>, 3> kDesignRows{{{0, 1}, {2, 3}, {4, -1}}};

const quill::CuePartRecord* FindPart(uint8_t type, uint16_t id) {
    return quill::TheCuePartCatalogue().Find(type, id);
}

}  // namespace

PersonalCueBuyWindow::PersonalCueBuyWindow(WorkshopHost& host, CuePartsCatalogueWindow& catalogue)
    : WorkshopWindow(host, 635, 463), catalogue_(catalogue) {
    SetModal(true);
    title_ = AddTitle(14, 7, 300, u"");
    partPreview_ = static_cast<CuePartPreview*>(AddChild(std::make_unique<CuePartPreview>(15, 60, 147, 242, true), true));
    BuildSteps();
    back_ = AddCommand(kBack, 300, 425, u"이전");
    next_ = AddCommand(kNext, 390, 425, u"다음");
    catalogueButton_ = AddCommand(kCatalogue, 20, 425, u"파츠 보기", 100);
    AddCommand(kGuide, 130, 425, u"가이드");
    AddCommand(kClose, 530, 425, u"닫기");
    pageButtons_[0] = {AddCommand(kFirstRowPrevious, 175, 110, u"<", 22), AddCommand(kFirstRowNext, 605, 110, u">", 22)};
    pageButtons_[1] = {AddCommand(kSecondRowPrevious, 175, 260, u"<", 22),
                       AddCommand(kSecondRowNext, 605, 260, u">", 22)};
    hover_ = CreatePanel(0, 0, 128, 134, kCommonTexture, 0, 0, 0, 0);
    StretchBoxFace(*hover_);
    hover_->Show(false);
    hoverName_ = AddShopText(*hover_, 4, 40, 120, u"", kYellow);
    hoverPrice_ = AddShopText(*hover_, 4, 62, 120, u"", kWhite);
}

void PersonalCueBuyWindow::BuildSteps() {
    for (size_t n = 0; n < kSteps; ++n) panels_[n] = CreatePanel(170, 40, 460, 375, kCommonTexture, 0, 0, 0, 0);
    for (size_t n = 0; n < description_.size(); ++n)
        description_[n] = AddShopText(*panels_[0], 10, 10 + 22 * static_cast<int32_t>(n), 440, u"", kWhite);
    BuildPerformanceStep(*panels_[1]);
    for (size_t n = 0; n < kDesignRows.size(); ++n)
        BuildDesignStep(*panels_[kFirstDesignStep - 1 + n], static_cast<size_t>(kDesignRows[n][0]),
                        static_cast<size_t>(kDesignRows[n][1]));
    BuildSummaryStep(*panels_[5]);
}

void PersonalCueBuyWindow::BuildPerformanceStep(Widget& panel) {
    AddShopText(panel, 10, 10, 120, u"남은 포인트", kWhite);
    points_ = AddShopText(panel, 140, 10, 60, u"", kYellow);
    for (size_t i = 0; i < kCueOptionCount; ++i) {
        const int32_t y = 45 + 35 * static_cast<int32_t>(i);
        const int32_t button = kFirstValueButton + 2 * static_cast<int32_t>(i);
        AddShopText(panel, 10, y, 120, quill::GetItemStatName(static_cast<uint32_t>(i)), kWhite);
        Button* minus = panel.CreateButton(140, y, 24, 22, button, -1, kCommonTexture, 85, 0, 82, 22, 24 / 82.0f, 1.0f);
        minus->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
        minus->SetCaption(u"-");
        valueLabels_[i] = AddShopText(panel, 170, y, 40, u"", kYellow);
        Button* plus =
            panel.CreateButton(210, y, 24, 22, button + 1, -1, kCommonTexture, 85, 0, 82, 22, 24 / 82.0f, 1.0f);
        plus->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
        plus->SetCaption(u"+");
        effects_[i] = AddShopText(panel, 250, y, 80, u"", kYellow);
    }
    AddShopText(panel, 10, 230, 120, u"총 내구도", kWhite);
    durability_ = AddShopText(panel, 140, 230, 80, u"", kYellow);
    repairLines_[0] = AddShopText(panel, 10, 260, 400, u"", kWhite);
    repairLines_[1] = AddShopText(panel, 10, 282, 400, u"", kWhite);
}

void PersonalCueBuyWindow::BuildDesignStep(Widget& panel, size_t firstType, size_t secondType) {
    const size_t types[] = {firstType, secondType};
    for (size_t row = 0; row < 2; ++row) {
        const size_t type = types[row];
        if (type >= kCuePartTypeCount) continue;
        AddShopText(panel, 10, 5 + 150 * static_cast<int32_t>(row), 200,
                    quill::GetItemAttributeName(static_cast<uint32_t>(type)), kYellow);
        for (size_t p = 0; p < kRowThumbnails; ++p) {
            const int32_t id = kFirstThumbnail + 10 * static_cast<int32_t>(type) + static_cast<int32_t>(p);
            auto thumbnail = std::make_unique<CuePartThumbnail>(35 + 95 * static_cast<int32_t>(p),
                                                                25 + 150 * static_cast<int32_t>(row), id);
            thumbnails_[type][p] = static_cast<CuePartThumbnail*>(panel.AddChild(std::move(thumbnail), false));
        }
    }
}

void PersonalCueBuyWindow::BuildSummaryStep(Widget& panel) {
    balanceCaption_ = AddShopText(panel, 10, 10, 120, u"", kWhite);
    balance_ = AddShopText(panel, 140, 10, 200, u"", kYellow);
    AddShopText(panel, 10, 32, 120, u"가격 :", kWhite);
    priceLabel_ = AddShopText(panel, 140, 32, 200, u"", kYellow);
    afterCaption_ = AddShopText(panel, 10, 54, 120, u"", kWhite);
    after_ = AddShopText(panel, 140, 54, 200, u"", kYellow);
    for (size_t t = 0; t < kCuePartTypeCount; ++t) {
        const int32_t y = 95 + 22 * static_cast<int32_t>(t);
        AddShopText(panel, 10, y, 120, Format(u"%s : ", quill::GetItemAttributeName(static_cast<uint32_t>(t))), kWhite);
        summaryParts_[t] = AddShopText(panel, 140, y, 80, u"", kYellow);
    }
    for (size_t i = 0; i < kCueOptionCount; ++i) {
        const int32_t y = 95 + 22 * static_cast<int32_t>(i);
        AddShopText(panel, 230, y, 120, Format(u"%s : ", quill::GetItemStatName(static_cast<uint32_t>(i))), kWhite);
        summaryOptions_[i] = AddShopText(panel, 360, y, 80, u"", kYellow);
    }
    Button* buy = panel.CreateButton(180, 320, 100, 22, kBuy, -1, kCommonTexture, 85, 0, 82, 22, 100 / 82.0f, 1.0f);
    buy->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    buy->SetCaption(u"구입");
}

// --- Opening -------------------------------------------------------------------------------------------------

bool PersonalCueBuyWindow::Open(const quill::ItemRecord& entry) {
    const bool custom = CueRules::IsCustomCue(entry.id);
    if (!custom && entry.id != CueRules::kDescribedTuningCue) return false;
    const ItemModelRecord* model = TheItemModelCatalogue().FindById(entry.id);
    if (model == nullptr) return false;
    entry_ = entry;
    model_ = std::make_unique<ItemModelRecord>(*model);
    pageStart_.fill(1);
    for (size_t t = 0; t < kCuePartTypeCount; ++t) {
        lists_[t].clear();
        if (custom) {
            const uint32_t count = quill::TheCuePartCatalogue().CountParts(static_cast<uint8_t>(t));
            for (uint16_t id = 0; id < count; ++id) lists_[t].push_back(id);
        } else {
            lists_[t].push_back(0);
            if (t <= quill::CuePartRecord::kButt) lists_[t].push_back(1);
        }
    }
    pointsLeft_ = custom ? CueRules::kCustomPoints : CueRules::kTuningPoints;
    SetDescription(custom ? kCustomDescription : kTuningDescription);
    repairLines_[0]->SetText(custom ? u"내구도 전체 복원 : 8,800 (캐시)" : u"일반수리 : 내구1당 150(큐머니)");
    repairLines_[1]->SetText(custom ? u"(큐머니 수리 불가)" : u"고급수리 : 내구1당 450(큐머니)");
    for (size_t t = 0; t < kCuePartTypeCount; ++t) chosen_[t] = static_cast<uint16_t>(std::max<int16_t>(0, model_->partIds[t]));
    values_ = {};
    step_ = 1;
    partPreview_->SetPart(quill::CuePartRecord::kButt, static_cast<int16_t>(chosen_[quill::CuePartRecord::kButt]));
    ShowWholeCue();
    return true;
}

void PersonalCueBuyWindow::SetDescription(const std::array<const char16_t*, 14>& lines) {
    for (size_t n = 0; n < lines.size(); ++n) {
        description_[n]->SetTextF(lines[n]);
        description_[n]->SetColors(n >= lines.size() - 2 ? kLightRed : kWhite, 0);
    }
}

int32_t PersonalCueBuyWindow::MaxPerOption() const {
    return IsCustom() ? CueRules::kCustomMaxPerOption : CueRules::kTuningMaxPerOption;
}

void PersonalCueBuyWindow::OnShow() {
    CentreOnScreen(*this);
    for (size_t t = 0; t < kCuePartTypeCount; ++t) {
        pageStart_[t] = (chosen_[t] / 4) * 4 + 1;
        FillRow(t);
    }
    RefreshStep();
    RefreshPrice();
    WorkshopWindow::OnShow();
}

void PersonalCueBuyWindow::OnHide() {
    if (shopPreview_ != nullptr) shopPreview_->Show(false);
    hover_->Show(false);
    WorkshopWindow::OnHide();
}

void PersonalCueBuyWindow::ShowWholeCue() {
    if (model_) ShowCueWithParts(*model_, chosen_, shopPreview_);
}

// --- Steps ---------------------------------------------------------------------------------------------------

void PersonalCueBuyWindow::RefreshStep() {
    for (size_t n = 0; n < kSteps; ++n) panels_[n]->Show(static_cast<int32_t>(n + 1) == step_);
    title_->SetText(step_ == 1 ? (IsCustom() ? u"커스텀큐 설명" : u"튜닝큐 설명") : kStepTitles[static_cast<size_t>(step_ - 1)]);
    if (step_ == 2) RefreshPerformance();
    const bool design = step_ >= 3 && step_ <= 5;
    for (size_t row = 0; row < 2; ++row) {
        const int32_t type = design ? kDesignRows[static_cast<size_t>(step_ - 3)][row] : -1;
        if (type >= 0) FillRow(static_cast<size_t>(type));
        else for (Button* page : pageButtons_[row]) page->Show(false);
    }
    if (step_ == 6) RefreshSummary();
    back_->Show(step_ > 1);
    next_->Show(step_ < 6);
    catalogueButton_->Show(step_ == 1 && !IsCustom());
    hover_->Show(false);
}

void PersonalCueBuyWindow::RefreshPerformance() {
    points_->SetText(Format(u"%d", pointsLeft_));
    for (size_t i = 0; i < kCueOptionCount; ++i) {
        valueLabels_[i]->SetText(Format(u"%d", values_[i]));
        effects_[i]->SetText(CueRules::EffectRowText(i, values_[i]));
    }
    durability_->SetText(Format(u"%d", model_ ? static_cast<int32_t>(model_->maxDurability / 1000) : 0));
}

void PersonalCueBuyWindow::RefreshPrice() {
    const int64_t list = entry_.prices[0] > 0 ? entry_.prices[0] : 0;
    price_ = CueRules::NewCuePrice(entry_.id, list, chosen_, FindPart);
    if (step_ == 6) RefreshSummary();
}

void PersonalCueBuyWindow::RefreshSummary() {
    const bool cash = entry_.currency == CueRules::kCashCurrency;
    const WorkshopWallet wallet = Wallet();
    const int64_t balance = cash ? wallet.cash : wallet.cueMoney;
    balanceCaption_->SetText(cash ? u"보유 캐시 :" : u"보유 큐머니 :");
    afterCaption_->SetText(cash ? u"구입후 캐시 :" : u"구입후 큐머니 :");
    balance_->SetText(FormatMoney(balance));
    after_->SetText(balance - price_ < 0 ? WString(u"금액이 부족합니다.") : FormatMoney(balance - price_));
    priceLabel_->SetText(FormatMoney(price_) + (cash ? u"  (캐시)" : u"  (큐머니)"));
    for (size_t t = 0; t < kCuePartTypeCount; ++t) summaryParts_[t]->SetText(Format(u"%d 번", chosen_[t] + 1));
    for (size_t i = 0; i < kCueOptionCount; ++i) summaryOptions_[i]->SetText(CueRules::EffectText(i, values_[i]));
}

void PersonalCueBuyWindow::FillRow(size_t type) {
    const std::vector<uint16_t>& list = lists_[type];
    const auto first = static_cast<size_t>(pageStart_[type] - 1);
    for (size_t p = 0; p < kRowThumbnails; ++p) {
        CuePartThumbnail* thumbnail = thumbnails_[type][p];
        if (first + p < list.size())
            thumbnail->SetPart(static_cast<int32_t>(type), static_cast<int16_t>(list[first + p]),
                               list[first + p] == chosen_[type]);
        else
            thumbnail->Clear();
    }
    if (step_ < 3 || step_ > 5) return;
    const std::array<int32_t, 2>& rows = kDesignRows[static_cast<size_t>(step_ - 3)];
    for (size_t row = 0; row < 2; ++row) {
        if (rows[row] != static_cast<int32_t>(type)) continue;
        pageButtons_[row][0]->Show(pageStart_[type] != 1);
        pageButtons_[row][1]->Show(static_cast<int32_t>(list.size()) >= pageStart_[type] + 4);
    }
}

// --- Events --------------------------------------------------------------------------------------------------

bool PersonalCueBuyWindow::OnClick(int32_t id) {
    const int32_t thumbnail = id - kFirstThumbnail;
    if (thumbnail >= 0 && thumbnail < 10 * static_cast<int32_t>(kCuePartTypeCount) &&
        thumbnail % 10 < static_cast<int32_t>(kRowThumbnails)) {
        ChoosePart(static_cast<size_t>(thumbnail / 10), static_cast<size_t>(thumbnail % 10));
        return true;
    }
    if (id >= kFirstValueButton && id < kFirstValueButton + 2 * static_cast<int32_t>(kCueOptionCount)) {
        if (CueRules::ApplyPointButton(id, MaxPerOption(), pointsLeft_, values_)) {
            RefreshPerformance();
            RefreshPrice();
        }
        return true;
    }
    switch (id) {
        case kBack:
            step_ = std::max(1, step_ - 1);
            RefreshStep();
            return true;
        case kNext:
            if (step_ == 2 && pointsLeft_ > 0) {
                host_.ShowNotice({u"성능 포인트가 아직 남아 있습니다.", u"모든 성능 포인트를 배분해 주세요."});
                return true;
            }
            step_ = std::min(static_cast<int32_t>(kSteps), step_ + 1);
            RefreshStep();
            return true;
        case kFirstRowPrevious: TurnPage(false, false); return true;
        case kFirstRowNext: TurnPage(false, true); return true;
        case kSecondRowPrevious: TurnPage(true, false); return true;
        case kSecondRowNext: TurnPage(true, true); return true;
        case kCatalogue: {
            const WidgetRect at = GetRect();
            catalogue_.Open(entry_.id);
            catalogue_.SetPosition(at.left + 3, at.top + 77);
            host_.Raise(catalogue_);
            return true;
        }
        case kGuide: host_.PostEvent(quill::AppEventId::CueGuideOpen, 0); return true;
        case kBuy: Confirm(); return true;
        case kClose: SetVisible(false); return true;
        default: return false;
    }
}

void PersonalCueBuyWindow::OnHover(int32_t id, bool entered) {
    const int32_t thumbnail = id - kFirstThumbnail;
    if (thumbnail < 0 || thumbnail >= 10 * static_cast<int32_t>(kCuePartTypeCount) ||
        thumbnail % 10 >= static_cast<int32_t>(kRowThumbnails))
        return;
    if (!entered) {
        if (hovered_ == id) hover_->Show(false);
        return;
    }
    const auto type = static_cast<uint8_t>(thumbnail / 10);
    CuePartThumbnail* shown = thumbnails_[type][static_cast<size_t>(thumbnail % 10)];
    const quill::CuePartRecord* part = FindPart(type, static_cast<uint16_t>(shown->PartId()));
    if (part == nullptr) return;
    hovered_ = id;
    const WidgetRect window = GetRect();
    const WidgetRect at = shown->GetRect();
    hover_->SetPosition(at.left - window.left + 60, at.top - window.top + 30);
    hoverName_->SetText(Format(u"%s %d 번", quill::GetItemAttributeName(type), shown->PartId() + 1));
    hoverPrice_->SetText(Format(part->currency == CueRules::kCashCurrency ? u"가격 : %s(캐시)" : u"가격 : %s(큐머니)",
                                FormatMoney(part->price)));
    BringChildToFront(hover_);
    hover_->Show(true);
}

void PersonalCueBuyWindow::ChoosePart(size_t type, size_t position) {
    const int16_t id = thumbnails_[type][position]->PartId();
    if (id < 0) return;
    if (FindPart(static_cast<uint8_t>(type), static_cast<uint16_t>(id)) == nullptr) {
        thumbnails_[type][position]->SetChosen(false);
        return;
    }
    for (size_t p = 0; p < kRowThumbnails; ++p) thumbnails_[type][p]->SetChosen(p == position);
    chosen_[type] = static_cast<uint16_t>(id);
    partPreview_->SetPart(static_cast<int32_t>(type), id);
    ShowWholeCue();
    RefreshPrice();
}

void PersonalCueBuyWindow::TurnPage(bool secondRow, bool forward) {
    if (step_ < 3 || step_ > 5) return;
    const int32_t type = kDesignRows[static_cast<size_t>(step_ - 3)][secondRow ? 1 : 0];
    if (type < 0) return;
    int32_t& start = pageStart_[static_cast<size_t>(type)];
    const auto count = static_cast<int32_t>(lists_[static_cast<size_t>(type)].size());
    if (forward && start + 4 <= count) start += 4;
    if (!forward && start - 4 >= 1) start -= 4;
    FillRow(static_cast<size_t>(type));
}

void PersonalCueBuyWindow::Confirm() {
    int32_t items = 0;
    int32_t cues = 0;
    {
        quill::PlayerState& player = host_.Player();
        quill::ScopedLock hold(player.GetLock());
        items = player.ItemCount();
        cues = CueRules::CountPersonalCues(player);
    }
    if (items >= static_cast<int32_t>(kInventoryLimit)) {
        host_.ShowNotice({u"아이템을 더 이상 구입할 수 없습니다.", u"인벤토리를 비우시기 바랍니다."});
        return;
    }
    if ((IsCustom() || CueRules::IsTuningCue(entry_.id)) && cues >= kMostPersonalCues) {
        host_.ShowNotice({u"개인큐는 4개 까지만 보유 가능합니다."});
        return;
    }
    const WorkshopWallet wallet = Wallet();
    if (IsCustom() && price_ > wallet.cash) {
        host_.ShowNotice({u"캐시가 부족합니다."});
        return;
    }
    if (!IsCustom() && price_ > wallet.cueMoney) {
        host_.ShowNotice({u"큐머니가 부족합니다."});
        return;
    }
    WorkshopQuestion question;
    question.title = u"Purchase";
    question.lines = {u"Once purchased, no refund or exchange is allowed.", u"큐의 속성과 기능을 충분히 확인하고",
                      u"구입하시기 바랍니다.", u"아이템을 구입하시겠습니까?"};
    question.event = quill::AppEventId::PersonalCueBuyConfirm;
    host_.Ask(question);
}

void PersonalCueBuyWindow::SendBuy() {
    if (!model_) return;
    PersonalCueOrder order{entry_.id, model_->maxDurability, entry_.name, values_, chosen_};
    host_.SendAwaited([order](quill::Packet& packet) { CueRequests::WritePersonalCueBuy(packet, order); });
}

}  // namespace kestrovan
