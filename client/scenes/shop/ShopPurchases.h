#pragma once
// What the player pays with and buys in the shop: the account panel (membership caption and value), the three
// balances, the membership dialog and the purchase dialog; the purchase that the information panel's buttons
// lead to, the membership request, and the server's answers to purchases, memberships and coin gifts.
//
// Threads: see the table in client/app/Scene.h; the player's lock is taken around its items.
#include <array>
#include <cstdint>
#include <memory>

#include "client/scenes/common/ItemEvents.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class GameConnection;
class Image;
class MembershipDialog;
class PurchaseDialog;
class SceneManager;
class SceneShop;
class TextLabel;
class Widget;
struct BoughtItem;

class ShopPurchases {
public:
    static constexpr int32_t kMembershipButton = 128;

    ShopPurchases(SceneShop& screen, GameConnection& connection, SceneManager& scenes);

    // The screen lays its widgets out in one order; these are the part's places in it.
    void BuildAccountPanel(Widget& screen);
    void BuildBalances(Widget& screen);
    void BuildDialogs(Widget& screen, const AppEventPoster& poster, std::unique_ptr<PurchaseDialog> purchase);

    // A new visit: a partner-portal account sees no membership; the labels afresh.
    void Enter(bool partnerAccount);
    void ShowMoney();
    void ShowMembership();

    void OpenMembership();
    // The information panel's buy, give or cash choice (mode 1 to 3) for its catalogue row.
    void OnItemDialogResult(uint32_t mode);
    void SendPurchase();
    void SendMembershipRequest();

    // The server's answers.
    void OnMembershipResult(quill::Packet& packet);
    void OnCoinGiftResult(quill::Packet& packet);
    void OnItemBuyResult(quill::Packet& packet);
    // The player's cash and cue money as an answer carries them, shown.
    void StoreBalances(int64_t cash, int64_t cueMoney);

    TextLabel* Balance(size_t n) const { return balances_[n]; }
    TextLabel* MembershipCaptionLabel() const { return membershipCaption_; }
    TextLabel* MembershipValueLabel() const { return membershipValue_; }
    MembershipDialog* Membership() const { return membership_; }
    PurchaseDialog* Purchase() const { return purchase_; }

private:
    void AddBoughtItem(const BoughtItem& bought);

    SceneShop& screen_;
    GameConnection& connection_;
    SceneManager& scenes_;

    // Widgets, owned by the tree.
    Image* accountPanel_ = nullptr;
    TextLabel* membershipCaption_ = nullptr;
    TextLabel* membershipValue_ = nullptr;
    std::array<TextLabel*, 3> balances_{};
    MembershipDialog* membership_ = nullptr;
    PurchaseDialog* purchase_ = nullptr;
};

}  // namespace kestrovan
