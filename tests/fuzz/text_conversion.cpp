// Arbitrary bytes as UTF-8 (file names, the console, logs and config.ini all come in as UTF-8) and as the
// system code page. Every conversion must stay within its bounds, an invalid sequence becomes a replacement
// and never a crash or an overrun, and what one conversion gives must come back unchanged through the other
// direction and back again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/CodePage.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void Utf8(std::string_view bytes) {
    const platform::WString wide = platform::Utf8ToUtf16(bytes);
    // A byte gives at most one UTF-16 unit: a pair needs the four bytes of a character beyond the first plane.
    Check(wide.size() <= bytes.size());
    const std::string narrow = platform::Utf16ToUtf8(wide);
    Check(platform::Utf8ToUtf16(narrow) == wide);
}

void CodePage(std::string_view bytes) {
    const platform::WString wide = platform::FromCodePage(bytes);
    Check(wide.size() <= bytes.size());
    const std::string narrow = platform::ToCodePage(wide);
    Check(platform::FromCodePage(narrow) == wide);
    // Into callers' buffers: exactly as large, and one unit short.
    std::vector<char16_t> units(bytes.size() + 1);
    const size_t converted = platform::CodePageToWide(bytes, units.data(), units.size());
    Check(converted <= units.size());
    std::vector<char> code(narrow.size() + 1);
    Check(platform::WideToCodePage(wide, code.data(), code.size()) == narrow.size());
    if (!narrow.empty()) {
        Check(platform::WideToCodePage(wide, code.data(), narrow.size() - 1) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Utf8(bytes);
    CodePage(bytes);
    return 0;
}
