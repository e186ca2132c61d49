#include "QuillLib/core/TextConvert.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/system/CodePage.h"

namespace quill {

size_t WideToMultiByte(WStringView text, char* buffer, size_t size) {
    std::fill_n(buffer, size, '\0');
    const size_t length = platform::WideToCodePage(text, buffer, size);
    if (length == 0) {
        std::fill_n(buffer, size, '\0');  // no half-converted text is left behind
    }
    return length;
}

size_t MultiByteToWide(const char* text, char16_t* buffer, size_t chars) {
    std::fill_n(buffer, chars, u'\0');
    if (text == nullptr) {
        return 0;
    }
    const std::string_view terminated(text, std::strlen(text) + 1);
    const size_t length = platform::CodePageToWide(terminated, buffer, chars);
    if (length == 0) {
        std::fill_n(buffer, chars, u'\0');
    }
    return length;
}

}  // namespace quill
