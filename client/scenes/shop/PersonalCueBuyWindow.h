#pragma once
// The purchase of a new personal cue in six steps: the model's description, the option points, the parts of
// each type (shaft and butt, joint and bumper, tip) in rows of four with a hover panel, and the summary with
// the price. Two models are sold this way: the custom cue (3100; 150 points, at most 40 an option, every part
// of the catalogue, priced by its parts) and the tuning cue 3104 (20 points, at most 10, a fixed small choice).
// The confirmation (PersonalCueBuyConfirm) sends PersonalCueBuy; the answer comes as the shop's ItemBuyResult.
//
// Threads: as WorkshopWindow.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/gamedata/ItemRecord.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/WorkshopWindow.h"
#include "client/table/ItemModelRecord.h"

namespace kestrovan {

class CuePartPreview;
class CuePartThumbnail;
class CuePartsCatalogueWindow;
class Panel;
class ShopPreviewPanel;

class PersonalCueBuyWindow : public WorkshopWindow {
public:
    static constexpr int32_t kBack = 10;
    static constexpr int32_t kNext = 11;
    static constexpr int32_t kCatalogue = 13;
    static constexpr int32_t kFirstRowPrevious = 14;
    static constexpr int32_t kFirstRowNext = 15;
    static constexpr int32_t kSecondRowPrevious = 16;
    static constexpr int32_t kSecondRowNext = 17;
    static constexpr int32_t kGuide = 28;
    static constexpr int32_t kBuy = 30;
    static constexpr int32_t kFirstThumbnail = 100;
    static constexpr int32_t kFirstValueButton = 200;
    static constexpr size_t kSteps = 6;
    static constexpr size_t kRowThumbnails = 4;
    static constexpr size_t kInventoryLimit = 98;
    static constexpr int32_t kMostPersonalCues = 4;

    // catalogue: the parts catalogue viewer, a sibling on the same screen.
    PersonalCueBuyWindow(WorkshopHost& host, CuePartsCatalogueWindow& catalogue);

    void SetShopPreview(ShopPreviewPanel* preview) { shopPreview_ = preview; }
    // False (nothing changes) for a model other than 3100 and 3104 or one without a model record.
    bool Open(const quill::ItemRecord& entry);
    void SendBuy();
    void OnShow() override;
    void OnHide() override;

    int32_t Step() const { return step_; }
    int32_t PointsLeft() const { return pointsLeft_; }
    const CueOptions& Values() const { return values_; }
    const CueParts& Chosen() const { return chosen_; }
    int64_t Price() const { return price_; }
    uint32_t ModelId() const { return entry_.id; }
    const std::vector<uint16_t>& PartList(size_t type) const { return lists_[type]; }
    int32_t PageStart(size_t type) const { return pageStart_[type]; }
    CuePartThumbnail* Thumbnail(size_t type, size_t n) const { return thumbnails_[type][n]; }
    Widget* HoverPanel() const { return hover_; }
    TextLabel* HoverName() const { return hoverName_; }
    TextLabel* HoverPrice() const { return hoverPrice_; }
    TextLabel* PriceLabel() const { return priceLabel_; }
    TextLabel* AfterLabel() const { return after_; }
    TextLabel* SummaryPart(size_t type) const { return summaryParts_[type]; }
    TextLabel* SummaryOption(size_t option) const { return summaryOptions_[option]; }
    TextLabel* DescriptionLine(size_t n) const { return description_[n]; }
    TextLabel* TitleLabel() const { return title_; }
    Button* CatalogueButton() const { return catalogueButton_; }

protected:
    bool OnClick(int32_t id) override;
    void OnHover(int32_t id, bool entered) override;

private:
    bool IsCustom() const { return CueRules::IsCustomCue(entry_.id); }
    int32_t MaxPerOption() const;
    void BuildSteps();
    void BuildPerformanceStep(Widget& panel);
    void BuildDesignStep(Widget& panel, size_t firstType, size_t secondType);
    void BuildSummaryStep(Widget& panel);
    void SetDescription(const std::array<const char16_t*, 14>& lines);
    void RefreshStep();
    void RefreshPerformance();
    void RefreshPrice();
    void RefreshSummary();
    void FillRow(size_t type);
    void ChoosePart(size_t type, size_t position);
    void TurnPage(bool secondRow, bool forward);
    void ShowWholeCue();
    void Confirm();

    CuePartsCatalogueWindow& catalogue_;
    ShopPreviewPanel* shopPreview_ = nullptr;
    CuePartPreview* partPreview_ = nullptr;
    quill::ItemRecord entry_;
    std::unique_ptr<ItemModelRecord> model_;
    int32_t step_ = 1;
    int32_t pointsLeft_ = 0;
    CueOptions values_{};
    CueParts chosen_{};
    int64_t price_ = 0;
    std::array<std::vector<uint16_t>, kCuePartTypeCount> lists_;
    std::array<int32_t, kCuePartTypeCount> pageStart_{1, 1, 1, 1, 1};
    int32_t hovered_ = -1;

    std::array<Widget*, kSteps> panels_{};
    TextLabel* title_ = nullptr;
    std::array<TextLabel*, 14> description_{};
    TextLabel* points_ = nullptr;
    std::array<TextLabel*, kCueOptionCount> valueLabels_{};
    std::array<TextLabel*, kCueOptionCount> effects_{};
    TextLabel* durability_ = nullptr;
    std::array<TextLabel*, 2> repairLines_{};
    std::array<std::array<CuePartThumbnail*, kRowThumbnails>, kCuePartTypeCount> thumbnails_{};
    Widget* hover_ = nullptr;
    TextLabel* hoverName_ = nullptr;
    TextLabel* hoverPrice_ = nullptr;
    TextLabel* balanceCaption_ = nullptr;
    TextLabel* afterCaption_ = nullptr;
    TextLabel* balance_ = nullptr;
    TextLabel* after_ = nullptr;
    TextLabel* priceLabel_ = nullptr;
    std::array<TextLabel*, kCuePartTypeCount> summaryParts_{};
    std::array<TextLabel*, kCueOptionCount> summaryOptions_{};
    Button* back_ = nullptr;
    Button* next_ = nullptr;
    Button* catalogueButton_ = nullptr;
    std::array<std::array<Button*, 2>, 2> pageButtons_{};  // [row][previous, next], moved into the shown step
};

}  // namespace kestrovan
