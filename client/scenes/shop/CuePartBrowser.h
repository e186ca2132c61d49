#pragma once
// The part browsing that the parts window and the parts catalogue viewer share: five type tabs, the part ids
// of each type in pages of four thumbnails, the chosen part per type with its name, price, required level and
// function, and the whole cue with the chosen parts in the shop's large preview. A part id without a catalogue
// record is listed but cannot be chosen. The windows differ in their wording and in what they compare the
// choice with (the cue's present parts, or nothing).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/WorkshopWindow.h"

namespace kestrovan {

class CuePartPreview;
class CuePartThumbnail;
class ShopPreviewPanel;
struct ItemModelRecord;

// Gives the model record the parts and, when there is a large preview, shows the whole cue in it turning.
void ShowCueWithParts(ItemModelRecord& model, const CueParts& parts, ShopPreviewPanel* preview);

class CuePartBrowser : public WorkshopWindow {
public:
    static constexpr int32_t kPreviousPage = 14;
    static constexpr int32_t kNextPage = 15;
    static constexpr int32_t kFirstTab = 30;
    static constexpr int32_t kFirstThumbnail = 100;
    static constexpr size_t kThumbnails = 4;
    static constexpr std::array<uint16_t, kCuePartTypeCount> kListSizes{8, 36, 8, 8, 8};

    // How a browser words its part texts.
    struct Wording {
        const char16_t* name;       // type name, part number
        const char16_t* cashPrice;  // FormatMoney text
        const char16_t* otherPrice;
        bool catalogueViewer;       // the viewer's texts: English limits, the bumper's "복원"
    };

    ~CuePartBrowser() override;

    void SetShopPreview(ShopPreviewPanel* preview) { shopPreview_ = preview; }
    void OnShow() override;
    void OnHide() override;

    const CueParts& Chosen() const { return chosen_; }
    size_t CurrentType() const { return type_; }
    int32_t PageStart(size_t type) const { return pageStart_[type]; }
    CuePartThumbnail* Thumbnail(size_t n) const { return thumbnails_[n]; }
    Button* NextPage() const { return next_; }
    TextLabel* NameLabel() const { return name_; }
    TextLabel* PriceLabel() const { return price_; }
    TextLabel* LevelLabel() const { return level_; }
    TextLabel* FunctionLabel(size_t n) const { return function_[n]; }

protected:
    CuePartBrowser(WorkshopHost& host, int32_t w, int32_t h, Wording wording);

    // Starts browsing a model (its item type) with that choice; the lists are rebuilt, every page is the first.
    void Begin(uint32_t modelId, const CueParts& chosen);
    void SetChoice(const CueParts& chosen);
    // The parts the choice is compared with (a differing part shows its price); none by default.
    virtual const CueParts* Present() const { return nullptr; }
    // After the part texts: what the window adds to them.
    virtual void RefreshMore() {}
    // Browsing events (thumbnails, tabs, pages); false for any other id.
    bool OnBrowse(int32_t id);
    void FillThumbnails();
    void RefreshTexts();
    // The catalogue's part of a type and id; null when it has none.
    static const quill::CuePartRecord* FindPart(uint8_t type, uint16_t id);

private:
    void ApplyChoice();
    void SelectTab(size_t type);

    Wording wording_;
    std::unique_ptr<ItemModelRecord> model_;
    CueParts chosen_{};
    size_t type_ = 0;
    std::array<std::vector<uint16_t>, kCuePartTypeCount> lists_;
    std::array<int32_t, kCuePartTypeCount> pageStart_{1, 1, 1, 1, 1};
    ShopPreviewPanel* shopPreview_ = nullptr;
    CuePartPreview* partPreview_ = nullptr;
    std::array<CuePartThumbnail*, kThumbnails> thumbnails_{};
    std::array<Button*, kCuePartTypeCount> tabs_{};
    Button* previous_ = nullptr;
    Button* next_ = nullptr;
    TextLabel* name_ = nullptr;
    TextLabel* price_ = nullptr;
    TextLabel* level_ = nullptr;
    std::array<TextLabel*, 2> function_{};
};

}  // namespace kestrovan
