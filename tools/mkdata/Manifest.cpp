#include "tools/mkdata/Manifest.h"

#include <charconv>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "platform/system/CodePage.h"

namespace mkdata {
namespace {

bool ParseId(const std::string& text, uint32_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseKind(const std::string& text, quill::ResourceKind& kind) {
    const quill::WString wanted = platform::Utf8ToUtf16(text);
    for (uint32_t index = 0; index < quill::kResourceKindCount; ++index) {
        if (quill::GetKindInfo(static_cast<quill::ResourceKind>(index)).longName == wanted) {
            kind = static_cast<quill::ResourceKind>(index);
            return true;
        }
    }
    return false;
}

// "a,b,c" into its names; false when one is empty.
bool SplitList(const std::string& text, std::vector<std::string>& names) {
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        names.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (names.back().empty()) {
            return false;
        }
        if (comma == std::string::npos) {
            return true;
        }
        start = comma + 1;
    }
}

}  // namespace

bool SplitWords(const std::string& line, std::vector<std::string>& words) {
    words.clear();
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (char c : line) {
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == '"') {
            quoted = true;
            inWord = true;
        } else if (c == '#') {
            break;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord) {
                words.push_back(word);
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return !quoted;
}

bool Manifest::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error_ = path + ": cannot be read";
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

bool Manifest::Parse(const std::string& text) {
    entries_.clear();
    std::istringstream lines(text);
    std::string line;
    uint32_t number = 0;
    while (std::getline(lines, line)) {
        if (!ParseLine(line, ++number)) {
            return false;
        }
    }
    std::set<std::tuple<std::string, std::string, quill::ResourceKind, uint32_t>> seen;
    for (const ManifestEntry& entry : entries_) {
        if (!seen.emplace(entry.package, entry.file, entry.kind, entry.id).second) {
            return Fail(entry.line, "a second item " + entry.Where());
        }
    }
    return true;
}

bool Manifest::ParseLine(const std::string& line, uint32_t number) {
    std::vector<std::string> words;
    if (!SplitWords(line, words)) {
        return Fail(number, "unclosed quote");
    }
    if (words.empty()) {
        return true;
    }
    if (words.size() < 5) {
        return Fail(number, "expected <package> <file> <KIND> <id> <maker> [key=value ...]");
    }
    ManifestEntry entry;
    entry.maker = words[4];
    entry.line = number;
    if (!ParseKind(words[2], entry.kind)) {
        return Fail(number, words[2] + " is no resource kind");
    }
    uint32_t first = 0, last = 0;
    const size_t dash = words[3].find('-');
    if (dash == std::string::npos ? !ParseId(words[3], first)
                                  : !ParseId(words[3].substr(0, dash), first) ||
                                        !ParseId(words[3].substr(dash + 1), last)) {
        return Fail(number, words[3] + " is no id or id range");
    }
    if (dash == std::string::npos) {
        last = first;
    }
    if (last < first || last - first > 4096) {
        return Fail(number, words[3] + " is no usable id range");
    }
    for (size_t i = 5; i < words.size(); ++i) {
        const size_t equals = words[i].find('=');
        if (equals == std::string::npos || equals == 0) {
            return Fail(number, words[i] + " is not key=value");
        }
        entry.arguments[words[i].substr(0, equals)] = words[i].substr(equals + 1);
    }
    std::vector<std::string> packages, files;
    if (!SplitList(words[0], packages) || !SplitList(words[1], files)) {
        return Fail(number, "an empty name in a list of packages or files");
    }
    for (const std::string& package : packages) {
        for (const std::string& file : files) {
            entry.package = package;
            entry.file = file;
            for (uint32_t id = first; id <= last; ++id) {
                entry.id = id;
                entries_.push_back(entry);
            }
        }
    }
    return true;
}

bool Manifest::Fail(uint32_t line, const std::string& message) {
    error_ = "manifest line " + std::to_string(line) + ": " + message;
    return false;
}

}  // namespace mkdata
