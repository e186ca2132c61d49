#pragma once
// The text of a private profile file ("config.ini"): "[Section]" lines and "key=value" lines below them.
// Section and key names match without regard to ASCII letter case; blanks around names and values are
// ignored. Reading a key that is missing gives the caller's default; an integer value is an optional sign
// and the decimal digits that follow, so "12x" reads 12 and a present key without digits reads 0. Writing
// replaces the value of an existing key in place, else adds the key at the end of its section, else adds
// the section at the end; every other line stays as it was. Lines may end in CR LF or LF; written lines
// end in CR LF, as the files of the original platform do.
//
// Pure text, no files: the caller reads and writes the file. One thread at a time.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ProfileDocument {
public:
    ProfileDocument() = default;
    explicit ProfileDocument(std::string_view text);

    // The key's integer value, or defaultValue when the section or the key is missing.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    // The key's value text without surrounding blanks; false when missing.
    bool GetString(std::string_view section, std::string_view key, std::string& out) const;
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;

private:
    // Index of the section's header line, or npos.
    size_t FindSection(std::string_view section) const;
    // Index of the key's line within the section starting after header, or npos.
    size_t FindKey(size_t header, std::string_view key) const;
    // Index one past the section's last non-blank line.
    size_t SectionEnd(size_t header) const;

    std::vector<std::string> lines_;
};

// The integer a profile value text starts with, as the profile read takes it (0 when there are no digits).
int ParseProfileInt(std::string_view value);

}  // namespace platform
