#include "client/scenes/gallery/GalleryReplyReader.h"

#include <algorithm>
#include <limits>

#include "client/table/SharedUtilities.h"
#include "platform/system/CodePage.h"

namespace kestrovan {

namespace {

constexpr std::string_view kSeparator = "<BR>";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string_view GalleryReplyReader::NextField() {
    return kestrovan::NextField<char>(rest_, kSeparator);
}

int32_t GalleryReplyReader::NextNumber() {
    return ReadNumber(NextField());
}

quill::WString GalleryReplyReader::NextText(size_t maxChars) {
    return ReadText(NextField(), maxChars);
}

std::string GalleryReplyReader::NextBytes(size_t maxBytes) {
    const std::string_view field = NextField();
    return std::string(field.substr(0, maxBytes));
}

int32_t GalleryReplyReader::ReadNumber(std::string_view field) {
    size_t at = 0;
    while (at < field.size() && IsBlank(field[at]))
        ++at;
    bool negative = false;
    if (at < field.size() && (field[at] == '+' || field[at] == '-'))
        negative = field[at++] == '-';
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    for (; at < field.size() && field[at] >= '0' && field[at] <= '9'; ++at) {
        value = std::min<int64_t>(value * 10 + (field[at] - '0'), kLimit);
    }
    if (negative)
        return static_cast<int32_t>(-value);
    return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

quill::WString GalleryReplyReader::ReadText(std::string_view field, size_t maxChars) {
    const size_t end = field.find('\0');
    if (end != std::string_view::npos)
        field = field.substr(0, end);
    quill::WString text = platform::FromCodePage(field);
    if (text.size() > maxChars) {
        // A surrogate pair stays whole or goes whole.
        size_t cut = maxChars;
        if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF)
            --cut;
        text.resize(cut);
    }
    return text;
}

}  // namespace kestrovan
