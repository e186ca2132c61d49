// The filtered-word list comes from a data package: any bytes. Parsing never fails, no word is empty or
// longer than 260 units, and filtering a text with the words never writes past it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "client/app/WordFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<quill::WString> words = kestrovan::ParseWordList(data, size);
    for (const quill::WString& word : words) {
        if (word.size() > 260) std::abort();
    }
    quill::WString text;
    for (size_t i = 0; i + 1 < size && text.size() < 512; i += 2) {
        text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    const size_t length = text.size();
    kestrovan::CensorWords(text.data(), length, words);
    if (text.size() != length) std::abort();
    return 0;
}
