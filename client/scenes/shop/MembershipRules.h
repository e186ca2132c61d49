#pragma once
// What the membership dialog computes and checks: the price table (basic, standard and plus, 30 or 90 days,
// with the cue money the plus kind gives at once), the kind a player's current membership allows, the kinds a
// click may choose, and the checks of the buy button in their order. Pure.
#include <cstdint>
#include <optional>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct MembershipChoice {
    int32_t kind = 1;    // 1 basic, 2 standard, 3 plus
    int32_t period = 1;  // 1: 30 days, 2: 90 days
    int32_t mode = 1;    // 1 for oneself, 2 as a gift
};

// A refusal of the dialog: the lines and whether they go to the error box (else the notice box).
struct MembershipRefusal {
    bool error = false;
    quill::WString line0;
    quill::WString line1;
};

class MembershipRules {
public:
    static constexpr int32_t kBasic = 1;
    static constexpr int32_t kStandard = 2;
    static constexpr int32_t kPlus = 3;
    static constexpr int32_t kRecipientMinUnits = 2;

    // The price in won of the kind (1..3) for the period (1 or 2); 0 outside the table.
    static int64_t Price(int32_t kind, int32_t period);
    // The cue money the kind gives at once for the period.
    static int64_t CueMoneyGiven(int32_t kind, int32_t period);
    // The kind the dialog starts on for the player's membership flag: 2 gives 2, 1 gives 1, any other 3.
    static int32_t KindForFlag(uint8_t flag);
    // A click on kind wanted (1..3): the refusal when the player's own membership forbids it (mode 1 only).
    static std::optional<MembershipRefusal> CheckKind(int32_t wanted, int32_t mode, uint8_t flag);
    // The buy button's checks; nothing when MembershipBuy may be posted.
    static std::optional<MembershipRefusal> CheckBuy(const MembershipChoice& choice, uint8_t flag, int64_t cash,
                                                     quill::WStringView recipient, quill::WStringView nickname);
};

}  // namespace kestrovan
