#pragma once
// The room's purchase window: a fixed offer of twelve shop items (chalk, boosts and services), four cards at
// a time; accounts that may not pay in cash see only the items sold for gold. Choosing a card shows what it
// is and offers "Purchase" and "Make a gift", which post ItemDialogResult (1 and 2) for the room to open
// the shop's dialog for the chosen offer.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "QuillLib/gamedata/ItemRecord.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/SlidingItemWindow.h"

namespace kestrovan {

class Button;
class PurchaseItemCard;
class TextLabel;

class PurchaseGiftWindow : public SlidingItemWindow {
public:
    static constexpr size_t kCards = 4;
    static constexpr int32_t kFirstCardId = 200;
    static constexpr int32_t kScrollBarId = 91;
    static constexpr int32_t kPurchaseId = 93;
    static constexpr int32_t kGiftId = 94;
    static constexpr std::array<uint32_t, 12> kOfferIds{4902, 4504, 4150, 4145, 3050, 4510,
                                                        4903, 4511, 4512, 4513, 4108, 4146};

    // Whether the account may not pay in cash (the connection's account mode 2).
    using CashRefused = std::function<bool()>;

    PurchaseGiftWindow(AppEventPoster poster, CashRefused cashRefused, MouseReposter reposter = {});

    const quill::ItemRecord* SelectedOffer() const { return selected_; }
    int32_t OfferCount() const { return offerCount_; }
    PurchaseItemCard* Card(size_t index) const { return cards_[index]; }
    TextLabel* Line(size_t index) const { return lines_[index]; }
    Button* PurchaseButton() const { return purchase_; }
    Button* GiftButton() const { return gift_; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

protected:
    void Refresh() override;
    // The hovered offer's lines, hidden over an empty card.
    void ShowHovered(size_t card) override;
    void ShowChosen() override;
    // Chooses the offer and shows the purchase and gift buttons.
    void Choose(size_t card) override;

private:
    // The two lines about the offer, or hidden without one.
    void Describe(const quill::ItemRecord* offer);
    Button* AddActionButton(int32_t id, int32_t y, const char16_t* caption);

    AppEventPoster poster_;
    CashRefused cashRefused_;
    std::vector<const quill::ItemRecord*> offers_;
    std::array<PurchaseItemCard*, kCards> cards_{};
    std::array<TextLabel*, 2> lines_{};
    Button* purchase_ = nullptr;
    Button* gift_ = nullptr;
    const quill::ItemRecord* selected_ = nullptr;
    int32_t offerCount_ = 0;
};

}  // namespace kestrovan
