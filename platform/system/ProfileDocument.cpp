#include "platform/system/ProfileDocument.h"

#include <climits>

namespace platform {

namespace {

constexpr size_t npos = std::string::npos;

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The section name of a header line, or false when the line is no header.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return false;
    const size_t close = line.find(']');
    if (close == npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

// The key and value of a "key=value" line, or false.
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    const size_t equals = line.find('=');
    if (equals == npos) return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return !key.empty();
}

}  // namespace

int ParseProfileInt(std::string_view value) {
    value = Trim(value);
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    long long result = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        result = result * 10 + (value[i] - '0');
        if (result > INT_MAX) result = static_cast<long long>(INT_MAX) + 1;  // saturate, never overflow
    }
    if (negative) result = -result;
    if (result > INT_MAX) return INT_MAX;
    if (result < INT_MIN) return INT_MIN;
    return static_cast<int>(result);
}

ProfileDocument::ProfileDocument(std::string_view text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines_.emplace_back(line);
        start = end + 1;
    }
}

size_t ProfileDocument::FindSection(std::string_view section) const {
    std::string_view name;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (SectionName(lines_[i], name) && SameName(name, section)) return i;
    }
    return npos;
}

size_t ProfileDocument::FindKey(size_t header, std::string_view key) const {
    std::string_view name;
    std::string_view value;
    for (size_t i = header + 1; i < lines_.size(); ++i) {
        if (SectionName(lines_[i], name)) break;
        if (KeyValue(lines_[i], name, value) && SameName(name, key)) return i;
    }
    return npos;
}

size_t ProfileDocument::SectionEnd(size_t header) const {
    std::string_view name;
    size_t end = header + 1;
    for (size_t i = header + 1; i < lines_.size(); ++i) {
        if (SectionName(lines_[i], name)) break;
        if (!Trim(lines_[i]).empty()) end = i + 1;
    }
    return end;
}

bool ProfileDocument::GetString(std::string_view section, std::string_view key, std::string& out) const {
    const size_t header = FindSection(section);
    if (header == npos) return false;
    const size_t line = FindKey(header, key);
    if (line == npos) return false;
    std::string_view name;
    std::string_view value;
    KeyValue(lines_[line], name, value);
    out = std::string(value);
    return true;
}

int ProfileDocument::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    std::string value;
    return GetString(section, key, value) ? ParseProfileInt(value) : defaultValue;
}

void ProfileDocument::SetString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    size_t header = FindSection(section);
    if (header == npos) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
        return;
    }
    const size_t existing = FindKey(header, key);
    if (existing != npos) {
        // The key keeps the spelling it has in the file.
        std::string_view name;
        std::string_view oldValue;
        KeyValue(lines_[existing], name, oldValue);
        lines_[existing] = std::string(name) + "=" + std::string(value);
        return;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)), std::move(line));
}

std::string ProfileDocument::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace platform
