// Command-line text from whoever starts the program: any UTF-16 units. No word keeps a blank or a double
// quote (a word of two single quotes becomes empty, as the splitter always did), and the mode choice
// accepts every split.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "client/app/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quill::WString text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    std::vector<quill::WString> words;
    kestrovan::SplitCommandLine(text, words);
    for (const quill::WString& word : words) {
        if (word.find_first_of(u" \"") != quill::WString::npos) std::abort();
    }
    kestrovan::ChooseStart(words);
    kestrovan::ConnectionModeOf(words);
    return 0;
}
