#pragma once
// The purchase of a club membership: its kind (standard or plus; basic has no button), 30 or 90 days, for
// oneself or as a gift to a nickname, with the cash before and after and the cue money the plus kind gives.
// Buy (30) runs the checks (MembershipRules) and, when they pass, hides the dialog and posts MembershipBuy
// (1101); the shop then reads the choice and sends MembershipRequest. Control 69 posts PictureWindowOpen.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/scenes/shop/MembershipRules.h"

namespace kestrovan {

class Button;
class EditBox;
class TextLabel;

class MembershipDialog : public PopupWindow {
public:
    static constexpr int32_t kBuy = 30;
    static constexpr int32_t kGiftBox = 31;
    static constexpr int32_t kDays30 = 50;
    static constexpr int32_t kDays90 = 51;
    static constexpr int32_t kBasic = 61;
    static constexpr int32_t kStandard = 62;
    static constexpr int32_t kPlus = 63;
    static constexpr int32_t kPicture = 69;
    static constexpr int32_t kCancel = 2049;
    static constexpr int32_t kRecipientBytes = 12;

    struct Services {
        std::function<uint8_t()> membership;  // the player's membership flag
        std::function<int64_t()> cash;
        std::function<quill::WString()> nickname;
        std::function<quill::WString(int64_t)> formatMoney;
        std::function<void(quill::WStringView line0, quill::WStringView line1)> showNotice;
        std::function<void(quill::WStringView line)> showError;
        EventPoster poster;
    };

    explicit MembershipDialog(Services services);

    MembershipChoice Choice() const;
    quill::WString Recipient() const;

    Button* KindButton(int32_t kind) const { return kind == 2 ? standard_ : kind == 3 ? plus_ : nullptr; }
    Button* PeriodButton(int32_t period) const { return periods_[static_cast<size_t>(period - 1)]; }
    EditBox* RecipientBox() const { return recipient_; }
    TextLabel* PriceLabel(int32_t period) const { return priceLabels_[static_cast<size_t>(period - 1)]; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    TextLabel* AddText(int32_t x, int32_t y, int32_t w, quill::WStringView text, uint32_t colour);
    Button* AddToggle(int32_t id, int32_t x, int32_t y, int32_t w, quill::WStringView caption);
    void ApplyKindFromMembership();
    void SetKind(int32_t kind);
    void UpdatePrices();
    void OnGiftBox();
    void OnKind(int32_t wanted);
    void OnBuy();
    void ShowCueMoneyNotice();
    quill::WString Money(int64_t value) const;

    Services services_;
    Button* standard_ = nullptr;
    Button* plus_ = nullptr;
    std::array<Button*, 2> periods_{};
    std::array<TextLabel*, 2> priceLabels_{};
    TextLabel* cash_ = nullptr;
    TextLabel* after_ = nullptr;
    TextLabel* cueMoney_ = nullptr;
    Button* giftBox_ = nullptr;
    EditBox* recipient_ = nullptr;
    MembershipChoice choice_;
    int64_t price_ = 0;
};

}  // namespace kestrovan
