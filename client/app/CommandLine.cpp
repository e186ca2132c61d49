#include "client/app/CommandLine.h"

namespace kestrovan {

namespace {

bool EnclosedIn(const quill::WString& word, char16_t quote) {
    return word.size() >= 2 && word.front() == quote && word.back() == quote;
}

}  // namespace

void SplitCommandLine(quill::WStringView text, std::vector<quill::WString>& words) {
    quill::WString current;
    bool quoted = false;
    for (char16_t c : text) {
        if (c == u' ') {
            if (quoted) continue;
            if (!current.empty()) words.push_back(current);
            current.clear();
        } else if (c == u'"') {
            quoted = !quoted;
        } else {
            current += c;
        }
    }
    if (!current.empty()) words.push_back(current);
    for (quill::WString& word : words) {
        if (EnclosedIn(word, u'\'') || EnclosedIn(word, u'"')) word = word.substr(1, word.size() - 2);
    }
}

StartChoice ChooseStart(const std::vector<quill::WString>& words) {
    const size_t n = words.size();
    if (n == 2 && words[1] == u"offline") return {false, AppMode::Offline};
    if (n == 5 && words[1] == u"replay") return {false, AppMode::Replay};
    if (n < 2) return {true, AppMode::Online};
    return {false, AppMode::Online};
}

uint8_t ConnectionModeOf(const std::vector<quill::WString>& words) {
    return words.size() >= 5 && words[4] == u"2" ? 2 : 0;
}

}  // namespace kestrovan
