#include "tools/mkdata/ManifestEntry.h"

#include <charconv>

#include "platform/system/CodePage.h"

namespace mkdata {

std::string ManifestEntry::Text(const std::string& key, const std::string& fallback) const {
    const auto found = arguments.find(key);
    return found == arguments.end() ? fallback : found->second;
}

std::optional<float> ManifestEntry::Number(const std::string& key, float fallback) const {
    const auto found = arguments.find(key);
    if (found == arguments.end()) {
        return fallback;
    }
    float value = 0.0f;
    const std::string& text = found->second;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Argb> ManifestEntry::Colour(const std::string& key, Argb fallback) const {
    const auto found = arguments.find(key);
    if (found == arguments.end()) {
        return fallback;
    }
    const std::string& text = found->second;
    if (text.size() != 6 && text.size() != 8) {
        return std::nullopt;
    }
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return text.size() == 6 ? (value | 0xFF000000u) : value;
}

std::string ManifestEntry::Where() const {
    return package + "/" + file + "/" + platform::Utf16ToUtf8(quill::GetKindInfo(kind).longName) + "/" +
           std::to_string(id) + " (line " + std::to_string(line) + ")";
}

}  // namespace mkdata
