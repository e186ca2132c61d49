#include "client/app/WordFilter.h"

#include <string>

#include "QuillLib/core/TextConvert.h"

namespace kestrovan {

namespace {

constexpr size_t kMaxWordLength = 260;

bool IsHangulSyllable(char16_t c) {
    return c >= 0xAC00 && c <= 0xD7A3;
}

}  // namespace

std::vector<quill::WString>& FilteredWords() {
    static std::vector<quill::WString> words;
    return words;
}

void AddCensorWord(quill::WStringView word) {
    FilteredWords().emplace_back(word);
}

bool CensorWords(char16_t* text, size_t maxLength, const std::vector<quill::WString>& words) {
    size_t n = 0;
    while (n < maxLength && text[n] != 0) ++n;
    if (n == 0) return false;
    quill::WString compact;
    std::vector<size_t> positions;
    for (size_t i = 0; i < n; ++i) {
        if (!IsHangulSyllable(text[i])) continue;
        compact += text[i];
        positions.push_back(i);
    }
    bool found = false;
    for (const quill::WString& word : words) {
        if (word.empty()) continue;
        size_t at = compact.find(word);
        while (at != quill::WString::npos) {
            found = true;
            compact.replace(at, word.size(), word.size(), u'?');
            at = compact.find(word, at + word.size());
        }
    }
    for (size_t i = 0; i < positions.size(); ++i) text[positions[i]] = compact[i];
    return found;
}

std::vector<quill::WString> ParseWordList(const uint8_t* bytes, size_t size) {
    std::vector<quill::WString> words;
    std::string line;
    auto finishLine = [&] {
        if (line.empty()) return;
        // One code-page byte never makes more than one UTF-16 unit.
        std::vector<char16_t> buffer(line.size() + 1);
        quill::MultiByteToWide(line.c_str(), buffer.data(), buffer.size());
        quill::WString word(buffer.data());
        if (word.size() > kMaxWordLength) word.resize(kMaxWordLength);
        words.push_back(std::move(word));
        line.clear();
    };
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            finishLine();
        } else {
            line += static_cast<char>(bytes[i]);
        }
    }
    finishLine();
    return words;
}

}  // namespace kestrovan
