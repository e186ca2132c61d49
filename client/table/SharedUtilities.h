#pragma once
// Small helpers that the table and the screens share: money amounts with thousands separators, splitting a
// server reply into its fields, and the greatest common divisor of two screen sizes. Pure.
#include <cstdint>
#include <string_view>

#include "QuillLib/core/WString.h"

namespace kestrovan {

// The value with its digits grouped by three with "," ("1,234,567", "-5,000", "0").
quill::WString FormatMoney(int64_t value);

// The text from the cursor up to the next separator (written exactly so, or with its letters in lower case: "<BR>"
// and "<br>"); the cursor moves past the separator. Without a further separator the field is the rest of the
// text and the cursor ends empty.
template <typename Char>
std::basic_string_view<Char> NextField(std::basic_string_view<Char>& cursor, std::basic_string_view<Char> separator);

// The greatest common divisor (of the magnitudes); Gcd(0, n) = n and Gcd(n, 0) = n.
int32_t Gcd(int32_t a, int32_t b);

// --- implementation ---

namespace detail {

template <typename Char>
Char AsciiLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

// Whether text starts with the separator written exactly or in lower case.
template <typename Char>
bool StartsWithSeparator(std::basic_string_view<Char> text, std::basic_string_view<Char> separator) {
    if (text.size() < separator.size()) {
        return false;
    }
    bool exact = true;
    bool lower = true;
    for (size_t i = 0; i < separator.size(); ++i) {
        exact = exact && text[i] == separator[i];
        lower = lower && text[i] == AsciiLower(separator[i]);
    }
    return exact || lower;
}

}  // namespace detail

template <typename Char>
std::basic_string_view<Char> NextField(std::basic_string_view<Char>& cursor, std::basic_string_view<Char> separator) {
    for (size_t i = 0; !separator.empty() && i < cursor.size(); ++i) {
        if (detail::StartsWithSeparator(cursor.substr(i), separator)) {
            const std::basic_string_view<Char> field = cursor.substr(0, i);
            cursor.remove_prefix(i + separator.size());
            return field;
        }
    }
    const std::basic_string_view<Char> field = cursor;
    cursor = {};
    return field;
}

}  // namespace kestrovan
