#include "client/connection/SplitWords.h"

#include <algorithm>
#include <limits>

namespace kestrovan {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

size_t SkipBlanks(quill::WStringView text, size_t position) {
    while (position < text.size() && IsBlank(text[position])) {
        ++position;
    }
    return position;
}

size_t FindBlank(quill::WStringView text, size_t position) {
    while (position < text.size() && !IsBlank(text[position])) {
        ++position;
    }
    return position;
}

}  // namespace

size_t SplitWords(quill::WStringView text, std::span<quill::WString> words) {
    size_t count = 0;
    size_t position = 0;
    while (count < words.size()) {
        position = SkipBlanks(text, position);
        if (position >= text.size()) {
            break;
        }
        const bool last = count + 1 == words.size();
        const size_t end = last ? text.size() : FindBlank(text, position);
        words[count++] = text.substr(position, std::min(end - position, kMaxWordLength));
        position = end;
    }
    return count;
}

int32_t ParseDecimal(quill::WStringView text) {
    size_t position = SkipBlanks(text, 0);
    bool negative = false;
    if (position < text.size() && (text[position] == u'+' || text[position] == u'-')) {
        negative = text[position] == u'-';
        ++position;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    for (; position < text.size() && text[position] >= u'0' && text[position] <= u'9'; ++position) {
        value = std::min(value * 10 + (text[position] - u'0'), kLimit);
    }
    value = negative ? -value : std::min<int64_t>(value, std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(value);
}

}  // namespace kestrovan
