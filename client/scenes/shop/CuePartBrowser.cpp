#include "client/scenes/shop/CuePartBrowser.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/shop/CuePartPreview.h"
#include "client/scenes/shop/CuePartThumbnail.h"
#include "client/scenes/shop/ShopPreviewPanel.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

using quill::Format;

namespace {

constexpr std::array<const char16_t*, kCuePartTypeCount> kTabCaptions{u"상대 선택", u"하대 선택", u"조인트 선택",
                                                                      u"범퍼 선택", u"큐팁 선택"};
constexpr float kLargeViewDistance = 170.0f;
constexpr float kLargeViewSpeed = 4.0f;

}  // namespace

const quill::CuePartRecord* CuePartBrowser::FindPart(uint8_t type, uint16_t id) {
    return quill::TheCuePartCatalogue().Find(type, id);
}

void ShowCueWithParts(ItemModelRecord& model, const CueParts& parts, ShopPreviewPanel* preview) {
    for (size_t t = 0; t < kCuePartTypeCount; ++t)
        model.SetPart(static_cast<uint32_t>(t), static_cast<int16_t>(parts[t]), quill::TheCuePartCatalogue());
    if (preview == nullptr) return;
    preview->SetRecord(&model);
    preview->Preview()->SetCameraDistance(kLargeViewDistance);
    preview->Preview()->SetRotationSpeed(kLargeViewSpeed);
    preview->Show(true);
}

CuePartBrowser::CuePartBrowser(WorkshopHost& host, int32_t w, int32_t h, Wording wording)
    : WorkshopWindow(host, w, h), wording_(wording) {
    partPreview_ = static_cast<CuePartPreview*>(AddChild(std::make_unique<CuePartPreview>(20, 40, 147, 242, true), true));
    for (size_t t = 0; t < kCuePartTypeCount; ++t)
        tabs_[t] = AddToggle(kFirstTab + static_cast<int32_t>(t), 190 + 84 * static_cast<int32_t>(t), 40, 82, 22,
                             kTabCaptions[t]);
    for (size_t n = 0; n < kThumbnails; ++n) {
        const int32_t x = 215 + 84 * static_cast<int32_t>(n);
        auto thumbnail = std::make_unique<CuePartThumbnail>(x, 70, kFirstThumbnail + static_cast<int32_t>(n));
        thumbnails_[n] = static_cast<CuePartThumbnail*>(AddChild(std::move(thumbnail), false));
    }
    previous_ = AddCommand(kPreviousPage, 190, 120, u"<", 22);
    next_ = AddCommand(kNextPage, 556, 120, u">", 22);
    const char16_t* captions[] = {u"부품명칭 :", u"가    격 :", u"요구사항 :", u"기    능 :"};
    for (int32_t n = 0; n < 4; ++n) AddText(190, 205 + 20 * n, 80, captions[n]);
    name_ = AddText(270, 205, 150, u"", kYellow);
    price_ = AddText(270, 225, 150, u"", kYellow);
    level_ = AddText(270, 245, 150, u"", kYellow);
    function_[0] = AddText(270, 265, 150, u"", kYellow);
    function_[1] = AddText(270, 283, 150, u"", kYellow);
}

CuePartBrowser::~CuePartBrowser() = default;

void CuePartBrowser::Begin(uint32_t modelId, const CueParts& chosen) {
    const ItemModelRecord* model = TheItemModelCatalogue().FindById(modelId);
    model_ = model != nullptr ? std::make_unique<ItemModelRecord>(*model) : nullptr;
    for (size_t t = 0; t < kCuePartTypeCount; ++t) {
        lists_[t].clear();
        for (uint16_t id = 0; id < kListSizes[t]; ++id) lists_[t].push_back(id);
        pageStart_[t] = 1;
    }
    SetChoice(chosen);
    FillThumbnails();
}

void CuePartBrowser::SetChoice(const CueParts& chosen) {
    chosen_ = chosen;
    ApplyChoice();
}

void CuePartBrowser::OnShow() {
    SelectTab(type_);
    WorkshopWindow::OnShow();
}

void CuePartBrowser::OnHide() {
    if (shopPreview_ != nullptr) shopPreview_->Show(false);
    WorkshopWindow::OnHide();
}

void CuePartBrowser::ApplyChoice() {
    partPreview_->SetPart(static_cast<int32_t>(type_), static_cast<int16_t>(chosen_[type_]));
    if (model_) ShowCueWithParts(*model_, chosen_, shopPreview_);
}

void CuePartBrowser::SelectTab(size_t type) {
    type_ = type;
    for (size_t t = 0; t < kCuePartTypeCount; ++t) tabs_[t]->SetChecked(t == type);
    partPreview_->SetPart(static_cast<int32_t>(type), static_cast<int16_t>(chosen_[type]));
    FillThumbnails();
}

void CuePartBrowser::FillThumbnails() {
    const std::vector<uint16_t>& list = lists_[type_];
    const auto first = static_cast<size_t>(pageStart_[type_] - 1);
    for (size_t n = 0; n < kThumbnails; ++n) {
        if (first + n < list.size()) {
            const uint16_t id = list[first + n];
            thumbnails_[n]->SetPart(static_cast<int32_t>(type_), static_cast<int16_t>(id), id == chosen_[type_]);
        } else {
            thumbnails_[n]->Clear();
        }
    }
    previous_->Show(pageStart_[type_] != 1);
    next_->Show(static_cast<int32_t>(list.size()) >= pageStart_[type_] + static_cast<int32_t>(kThumbnails));
    RefreshTexts();
}

void CuePartBrowser::RefreshTexts() {
    const auto type = static_cast<uint8_t>(type_);
    name_->SetText(Format(wording_.name, quill::GetItemAttributeName(type), chosen_[type] + 1));
    const quill::CuePartRecord* part = FindPart(type, chosen_[type]);
    if (part == nullptr) {
        for (TextLabel* label : {price_, level_, function_[0], function_[1]}) label->SetText(u"");
        RefreshMore();
        return;
    }
    const CueParts* present = Present();
    if (present != nullptr && (*present)[type] == chosen_[type])
        price_->SetText(u"변경 안함");
    else
        price_->SetText(Format(part->currency == CueRules::kCashCurrency ? wording_.cashPrice : wording_.otherPrice,
                               FormatMoney(part->price)));
    level_->SetText(CueRules::LevelText(part->requiredLevel));
    level_->SetColors(part->requiredLevel > Wallet().level ? CueRules::kLevelTooHigh : kYellow, 0);
    const std::array<quill::WString, 2> lines = CueRules::FunctionLines(*part, wording_.catalogueViewer);
    function_[0]->SetText(lines[0]);
    function_[1]->SetText(lines[1]);
    RefreshMore();
}

bool CuePartBrowser::OnBrowse(int32_t id) {
    const int32_t thumbnail = id - kFirstThumbnail;
    if (thumbnail >= 0 && thumbnail < static_cast<int32_t>(kThumbnails)) {
        CuePartThumbnail* clicked = thumbnails_[static_cast<size_t>(thumbnail)];
        const int16_t part = clicked->PartId();
        if (part < 0) return true;
        if (FindPart(static_cast<uint8_t>(type_), static_cast<uint16_t>(part)) == nullptr) {
            clicked->SetChosen(false);
            return true;
        }
        chosen_[type_] = static_cast<uint16_t>(part);
        ApplyChoice();
        for (CuePartThumbnail* shown : thumbnails_) shown->SetChosen(shown == clicked);
        RefreshTexts();
        return true;
    }
    const int32_t tab = id - kFirstTab;
    if (tab >= 0 && tab < static_cast<int32_t>(kCuePartTypeCount)) {
        SelectTab(static_cast<size_t>(tab));
        return true;
    }
    if (id == kPreviousPage) {
        if (pageStart_[type_] - 4 >= 1) pageStart_[type_] -= 4;
        FillThumbnails();
        return true;
    }
    if (id == kNextPage) {
        if (pageStart_[type_] + 4 <= static_cast<int32_t>(lists_[type_].size())) pageStart_[type_] += 4;
        FillThumbnails();
        return true;
    }
    return false;
}

}  // namespace kestrovan
