#pragma once
// The parts purchase of a personal cue: the parts of each type in pages of four, the chosen part's name,
// price, level and function, the whole cue with the chosen parts in the shop's large preview, and the cash
// and cue-money totals of the changed parts. The confirmation (CuePartsConfirm) sends PartsBuy with the
// changed types only. A part id without a catalogue record is listed but cannot be chosen.
//
// Threads: game thread.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/WorkshopWindow.h"

namespace kestrovan {

class CuePartThumbnail;
class ShopPreviewPanel;

class CuePartsWindow : public WorkshopWindow {
public:
    static constexpr int32_t kReset = 4;
    static constexpr int32_t kPreviousPage = 14;
    static constexpr int32_t kNextPage = 15;
    static constexpr int32_t kGuide = 28;
    static constexpr int32_t kFirstTab = 30;
    static constexpr int32_t kFirstThumbnail = 100;
    static constexpr size_t kThumbnails = 4;
    static constexpr std::array<uint16_t, kCuePartTypeCount> kListSizes{8, 36, 8, 8, 8};

    explicit CuePartsWindow(WorkshopHost& host);

    void SetShopPreview(ShopPreviewPanel* preview) { shopPreview_ = preview; }
    void Open(const quill::InventoryItem& cue);
    void SendPartsBuy();
    void OnShow() override;
    void OnHide() override;

    const std::optional<quill::InventoryItem>& Cue() const { return cue_; }
    const CueParts& Chosen() const { return chosen_; }
    size_t CurrentType() const { return type_; }
    int32_t PageStart(size_t type) const { return pageStart_[type]; }
    CueMoneyTotals Totals() const { return totals_; }
    CuePartThumbnail* Thumbnail(size_t n) const { return thumbnails_[n]; }
    Button* PreviousPage() const { return previous_; }
    Button* NextPage() const { return next_; }
    TextLabel* NameLabel() const { return name_; }
    TextLabel* PriceLabel() const { return price_; }
    TextLabel* LevelLabel() const { return level_; }
    TextLabel* FunctionLabel(size_t n) const { return function_[n]; }
    TextLabel* CashTotalLabel() const { return cashTotal_; }
    TextLabel* CueMoneyTotalLabel() const { return cueMoneyTotal_; }

protected:
    bool OnClick(int32_t id) override;

private:
    CueParts Present() const;
    void ApplyChoice();
    void FillThumbnails();
    void RefreshTexts();
    void SelectTab(size_t type);
    void Confirm();

    std::optional<quill::InventoryItem> cue_;
    CueParts chosen_{};
    size_t type_ = 0;
    std::array<std::vector<uint16_t>, kCuePartTypeCount> lists_;
    std::array<int32_t, kCuePartTypeCount> pageStart_{1, 1, 1, 1, 1};
    CueMoneyTotals totals_;
    ShopPreviewPanel* shopPreview_ = nullptr;
    std::array<CuePartThumbnail*, kThumbnails> thumbnails_{};
    std::array<Button*, kCuePartTypeCount> tabs_{};
    Button* previous_ = nullptr;
    Button* next_ = nullptr;
    TextLabel* name_ = nullptr;
    TextLabel* price_ = nullptr;
    TextLabel* level_ = nullptr;
    std::array<TextLabel*, 2> function_{};
    TextLabel* cash_ = nullptr;
    TextLabel* cashTotal_ = nullptr;
    TextLabel* cueMoney_ = nullptr;
    TextLabel* cueMoneyTotal_ = nullptr;
};

}  // namespace kestrovan
