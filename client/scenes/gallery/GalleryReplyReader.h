#pragma once
// Reads the fields of a reply of the gallery's web service, one after another: each field ends at the next
// "<BR>" (or "<br>"; no other mix of letter cases) or at the end of the reply. The reader never looks past
// the reply's bytes; a field asked for after the end reads as empty text or as 0.
//
// Numbers read as the C library's atoi reads them: leading blanks skipped, an optional sign and the digits
// that follow; no digit gives 0, and a value beyond the 32-bit range stops at its limit. Texts are code-page
// (CP949) bytes up to the first zero byte, converted to wide text and cut to the given number of characters.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "QuillLib/core/WString.h"

namespace kestrovan {

class GalleryReplyReader {
public:
    explicit GalleryReplyReader(std::string_view reply) : rest_(reply) {}

    std::string_view NextField();
    int32_t NextNumber();
    // At most maxChars characters of the field.
    quill::WString NextText(size_t maxChars);
    // The field's bytes unchanged, cut to maxBytes.
    std::string NextBytes(size_t maxBytes);
    void Skip() { NextField(); }

    bool AtEnd() const { return rest_.empty(); }

    static int32_t ReadNumber(std::string_view field);
    static quill::WString ReadText(std::string_view field, size_t maxChars);

private:
    std::string_view rest_;
};

}  // namespace kestrovan
