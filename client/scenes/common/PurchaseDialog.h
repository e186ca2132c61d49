#pragma once
// The modal window in which the player confirms an item: bought for himself, given to another player, or
// given to a member of his clan with the clan's money. It shows the item's name, up to three periods with
// their prices and cue-money bonuses, the balance before and after, the club discount, and for gifts the
// recipient and a message, with lists of friends and clan members to choose from. OK runs the checks
// (PurchaseRules) and, when they pass, disables itself and posts ItemCheckPassed; the screen that opened
// the dialog (the room, the shop) then writes the request (WriteRequest) and sends it.
//
// Opening: SetMode, then SetItem, then show.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/PurchaseRules.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class EditBox;
class GiftRecipientList;
class MemberDirectories;
class Panel;
class ScreenServices;
class TextLabel;

class PurchaseDialog : public Window {
public:
    static constexpr int32_t kWidth = 554;
    static constexpr int32_t kHeight = 360;
    static constexpr int32_t kFirstPeriodId = 150;
    static constexpr int32_t kBonusBoxId = 135;
    static constexpr int32_t kFriendListId = 71;
    static constexpr int32_t kClanListId = 72;
    static constexpr int32_t kOkId = 130;
    static constexpr int32_t kCancelId = 2049;
    static constexpr int32_t kHideWithBeep = 110;
    static constexpr int32_t kRecipientBytes = 12;
    static constexpr int32_t kMessageBytes = 37;

    // What the dialog needs of the program.
    struct Services {
        std::function<PurchaseAccount()> account;                // the player's balances and standing now
        std::function<uint32_t(uint32_t typeCode)> ownedOfType;  // how many items of the type he owns
        std::function<bool(quill::WStringView nickname)> isClanMember;
        std::function<void(const PurchaseRefusal& refusal)> refuse;  // the notice or error box
        std::function<void()> beep;                                  // a short high tone
        AppEventPoster poster;
    };

    PurchaseDialog(Services services, MemberDirectories& members);

    void SetMode(PurchaseMode mode);
    void SetItem(const quill::ItemRecord& item);
    // The price of the chosen period after any discount, the discount lines and the balance after.
    void UpdatePrice();
    // The request of the confirmed choice: ItemBuy, ItemGift or ClanGift by the mode.
    void WriteRequest(quill::Packet& packet) const;

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;

    PurchaseMode Mode() const;
    quill::ItemRecord Item() const;
    int32_t Period() const;
    int64_t Price() const;
    bool IsBonusChecked() const;
    quill::WString Recipient() const;
    quill::WString Message() const;

    TextLabel* Title() const { return title_; }
    TextLabel* SecondTitle() const { return secondTitle_; }
    TextLabel* ItemName() const { return itemName_; }
    Button* PeriodButton(size_t row) const { return periodButtons_[row]; }
    TextLabel* PeriodLabel(size_t row) const { return periodLabels_[row]; }
    TextLabel* BonusLabel(size_t row) const { return bonusLabels_[row]; }
    TextLabel* BalanceCaption() const { return balanceCaption_; }
    TextLabel* Balance() const { return balance_; }
    TextLabel* After() const { return after_; }
    TextLabel* DiscountLine(size_t n) const { return discountLines_[n]; }
    TextLabel* LegalNotice(size_t n) const { return legalNotices_[n]; }
    Panel* RecipientPanel() const { return recipientPanel_; }
    EditBox* RecipientBox() const { return recipient_; }
    EditBox* MessageBox() const { return message_; }
    Button* OkButton() const { return ok_; }

private:
    void BuildPeriodRows();
    void BuildBalanceLines();
    void BuildRecipientPanel();
    TextLabel* AddLabel(Widget& parent, int32_t x, int32_t y, int32_t w, quill::WStringView text);
    Button* AddButton(int32_t id, int32_t x, int32_t y, int32_t key, int32_t tileX, quill::WStringView caption);
    void SelectPeriod(int32_t period);
    void FillPeriodLabels();
    void ShowRecipients(uint8_t kind, Widget& button);
    void Confirm();

    Services services_;
    TextLabel* title_ = nullptr;
    TextLabel* secondTitle_ = nullptr;
    TextLabel* itemName_ = nullptr;
    std::array<Button*, 3> periodButtons_{};
    std::array<TextLabel*, 3> periodLabels_{};
    std::array<TextLabel*, 3> bonusLabels_{};
    TextLabel* balanceCaption_ = nullptr;
    TextLabel* balance_ = nullptr;
    TextLabel* afterCaption_ = nullptr;
    TextLabel* after_ = nullptr;
    std::array<TextLabel*, 2> discountLines_{};
    std::array<TextLabel*, 2> legalNotices_{};
    Panel* recipientPanel_ = nullptr;
    EditBox* recipient_ = nullptr;
    EditBox* message_ = nullptr;
    TextLabel* bonusCaption_ = nullptr;
    Button* bonusBox_ = nullptr;
    Button* friendList_ = nullptr;
    Button* clanList_ = nullptr;
    Button* ok_ = nullptr;
    GiftRecipientList* list_ = nullptr;

    quill::ItemRecord item_;
    PurchaseMode mode_ = PurchaseMode::kBuy;
    int32_t period_ = 1;
    int64_t price_ = 0;
};

// A purchase dialog of the program: the connection's player, clan and lists, the shared message boxes, the
// sound manager's beep and the App's event queue.
std::unique_ptr<PurchaseDialog> CreatePurchaseDialog(ScreenServices& app);

}  // namespace kestrovan
