#include "client/scenes/shop/NicknameRules.h"

#include <array>

#include "QuillLib/core/Format.h"
#include "platform/system/CodePage.h"

namespace kestrovan {

namespace {

// The bytes text takes in the code page, or nothing when it does not fit in capacity bytes.
std::optional<size_t> CodePageBytes(quill::WStringView text, size_t capacity) {
    if (text.empty()) return size_t{0};
    std::array<char, 64> buffer{};
    const size_t written = platform::WideToCodePage(text, buffer.data(), std::min(capacity, buffer.size()));
    if (written == 0) return std::nullopt;
    return written;
}

}  // namespace

bool NicknameRules::IsPlain(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           (c >= 0xAC00 && c <= 0xD7A3);
}

bool NicknameRules::IsSpecial(char16_t c) {
    return quill::WStringView(kSymbols).find(c) != quill::WStringView::npos ||
           quill::WStringView(kSpecials).find(c) != quill::WStringView::npos;
}

bool NicknameRules::MayInsertSymbol(quill::WStringView text) {
    const std::optional<size_t> bytes = CodePageBytes(text, kMaxBytes);
    return bytes && *bytes < kInsertBelowBytes;
}

std::optional<quill::WString> NicknameRules::Check(quill::WStringView text, quill::WStringView currentNickname) {
    size_t special = 0;
    for (char16_t c : text) {
        if (IsPlain(c)) continue;
        if (!IsSpecial(c)) return quill::Format(u"'%c' 문자는 사용할 수 없습니다.", c);
        // A character of both sets counts once for each.
        if (quill::WStringView(kSymbols).find(c) != quill::WStringView::npos) ++special;
        if (quill::WStringView(kSpecials).find(c) != quill::WStringView::npos) ++special;
    }
    if (special > kMaxSpecial) return quill::WString(u"특수문자는 두글자 까지만 사용 가능합니다.");
    const std::optional<size_t> bytes = CodePageBytes(text, 64);
    if (!bytes || *bytes > kMaxBytes) return quill::WString(kTooLong);
    if (*bytes < kMinBytes) return quill::WString(u"Mininum nickname length : 4bytes");
    if (text.size() < 4) return quill::WString(u"특수문자 외에 적어도 2글자가 있어야 합니다.");
    if (text == currentNickname) return quill::WString(u"현재 닉네임과 같습니다.");
    return std::nullopt;
}

}  // namespace kestrovan
