#pragma once
// The information panel under the shop's grids: the chosen item's description (six lines), measures,
// function, games, requirements, cautions, and either its prices per period with their bonuses and the buy,
// gift and clan-gift buttons (a catalogue item) or its state, period, engraving and the use and delete buttons
// (an owned item). Its buttons post the shop's events: 17 ShopTab1079 (use), 18 ShopTab1080 (delete), 124
// PictureWindowOpen, 130/131/132 ItemDialogResult with 1/2/3 (buy, gift, clan gift).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/shop/ShopItemTexts.h"
#include "client/ui/Image.h"

namespace kestrovan {

class Button;
class TextLabel;

class ShopItemDetailPanel : public Image {
public:
    static constexpr int32_t kUse = 17;
    static constexpr int32_t kDelete = 18;
    static constexpr int32_t kPicture = 124;
    static constexpr int32_t kBuy = 130;
    static constexpr int32_t kGift = 131;
    static constexpr int32_t kClanGift = 132;
    static constexpr uint8_t kClanMasterRank = 10;

    explicit ShopItemDetailPanel(AppEventPoster poster);

    // clanRank: the player's clan-rank byte, read when the buttons are placed.
    void ShowShopMode(uint8_t clanRank);
    void ShowInventoryMode();
    // Stores the row and the owned item (copied; none for a catalogue item), places the buttons for the mode
    // and fills the texts.
    void SetItem(const ShopItemText& row, const quill::InventoryItem* owned, uint8_t clanRank);
    // Fills the labels from the stored row and item.
    void FillTexts();
    // Forgets the item (the panel is hidden by its owner).
    void ClearItem();

    DetailMode Mode() const { return mode_; }
    const ShopItemText* Row() const { return row_; }
    const std::optional<quill::InventoryItem>& Owned() const { return owned_; }
    std::optional<int64_t> OwnedKey() const;
    Button* ButtonOf(int32_t id) const;
    TextLabel* DescriptionLine(size_t n) const { return description_[n]; }
    TextLabel* Function(size_t n) const { return function_[n]; }
    TextLabel* Price(size_t n) const { return prices_[n]; }
    TextLabel* State() const { return state_; }
    TextLabel* Period() const { return period_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    TextLabel* AddCaption(int32_t x, int32_t y, quill::WStringView text);
    TextLabel* AddValue(int32_t x, int32_t y, int32_t width);
    void PlaceButtons(uint8_t clanRank);

    AppEventPoster poster_;
    DetailMode mode_ = DetailMode::kCatalogue;
    const ShopItemText* row_ = nullptr;
    std::optional<quill::InventoryItem> owned_;
    std::array<TextLabel*, ItemDetailTexts::kDescriptionLines> description_{};
    TextLabel* measures_ = nullptr;
    std::array<TextLabel*, 2> function_{};
    TextLabel* gameTypes_ = nullptr;
    TextLabel* requirements_ = nullptr;
    std::array<TextLabel*, 2> caution_{};
    TextLabel* priceCaption_ = nullptr;
    std::array<TextLabel*, 3> prices_{};
    std::array<TextLabel*, 3> bonuses_{};
    TextLabel* stateCaption_ = nullptr;
    TextLabel* state_ = nullptr;
    TextLabel* periodCaption_ = nullptr;
    TextLabel* period_ = nullptr;
    TextLabel* remark_ = nullptr;
    Button* picture_ = nullptr;
    Button* buy_ = nullptr;
    Button* gift_ = nullptr;
    Button* clanGift_ = nullptr;
    Button* use_ = nullptr;
    Button* delete_ = nullptr;
};

}  // namespace kestrovan
