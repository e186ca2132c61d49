#pragma once
// One item of the data manifest: where it goes (package, resource file, kind, id), which maker builds it
// and the maker's arguments (key=value words).
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "QuillLib/resource/ResourceKind.h"
#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

struct ManifestEntry {
    std::string package;
    std::string file;
    quill::ResourceKind kind = quill::ResourceKind::Texture;
    uint32_t id = 0;
    std::string maker;
    std::map<std::string, std::string> arguments;
    uint32_t line = 0;  // in the manifest, for messages

    // The argument, or fallback when absent.
    std::string Text(const std::string& key, const std::string& fallback = {}) const;
    // Empty when present but not a number.
    std::optional<float> Number(const std::string& key, float fallback) const;
    // RRGGBB or AARRGGBB in hexadecimal; empty when present but malformed.
    std::optional<Argb> Colour(const std::string& key, Argb fallback) const;
    // "package/file/KIND/id (line n)" for messages.
    std::string Where() const;
};

}  // namespace mkdata
