#pragma once
// The texts the shop shows for a failed answer: by message and result code, one to three lines and the box
// they go to (the error box, or the second notice box for the nickname and reconnecting uses). Codes a message
// does not list show nothing. Pure.
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"

namespace kestrovan {

struct ShopResultText {
    bool secondNotice = false;  // else the error box
    std::vector<quill::WString> lines;
};

class ShopResultTexts {
public:
    static constexpr const char16_t* kNotEnoughMoney = u"Not enough money.";
    static std::optional<ShopResultText> For(quill::MessageId answer, uint8_t code);
};

}  // namespace kestrovan
