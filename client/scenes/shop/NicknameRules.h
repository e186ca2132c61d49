#pragma once
// The rules of a new nickname typed in the nickname-change dialog: which characters it may hold (letters,
// digits, Hangul syllables and at most two special characters from the two symbol sets), how long it may be in
// bytes of the system code page (4 to 12), and when one more symbol may be inserted. Pure.
#include <cstddef>
#include <optional>

#include "QuillLib/core/WString.h"

namespace kestrovan {

class NicknameRules {
public:
    static constexpr size_t kMaxBytes = 12;
    static constexpr size_t kMinBytes = 4;
    static constexpr size_t kInsertBelowBytes = 11;
    static constexpr size_t kMaxSpecial = 2;
    // The symbols of the dialog's buttons, in button order (58), and the other special characters allowed.
    static constexpr char16_t kSymbols[] =
        u"＃＆＊＠§※☆★○●◎◇◆□■△▲▽▼◁◀▷▶♤♠♡♥♧♣⊙◈▣◐◑▒▨▧▦▩♨☏☎☜☞♩♪♬㉿㈜™㏂㏘℡®〓†【】";
    static constexpr char16_t kSpecials[] = u"~!@#$&*<>(){}[]+-_=|:;/?,.";
    static constexpr size_t kSymbolCount = sizeof(kSymbols) / sizeof(char16_t) - 1;

    static constexpr const char16_t* kTooLong = u"Nickname length limit : 12bytes.";

    // Whether a symbol may be inserted into text: it takes fewer than 11 bytes of a 12-byte buffer. A text
    // that does not fit the buffer at all counts as too long.
    static bool MayInsertSymbol(quill::WStringView text);
    // The refusal of the nickname (the error box's text), or nothing when it may be sent.
    static std::optional<quill::WString> Check(quill::WStringView text, quill::WStringView currentNickname);

private:
    static bool IsPlain(char16_t c);
    static bool IsSpecial(char16_t c);
};

}  // namespace kestrovan
