// Arbitrary UTF-16 text as a format, as a damaged language table would present one of its message texts,
// with arguments of every kind: into a growing string and into small fixed buffers.
#include "QuillLib/core/Format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string format(size / 2, u'\0');
    std::memcpy(format.data(), data, format.size() * sizeof(char16_t));

    const std::string narrow = "narrow \xED\x95\x9C";
    const quill::WString formatted =
        quill::Format(format.c_str(), -7, 3000000000u, std::numeric_limits<int64_t>::min(), 2.5, u"wide", narrow, u'X',
                      static_cast<const void*>(data), -3, 1e300);
    (void)formatted;

    for (size_t capacity : {size_t{0}, size_t{1}, size_t{9}, size_t{256}}) {
        std::vector<char16_t> buffer(capacity + 1, u'#');
        quill::FormatTo(buffer.data(), capacity, format.c_str(), 42, u"text", 0.125);
        if (buffer[capacity] != u'#') {
            __builtin_trap();  // wrote past the capacity
        }
    }
    return 0;
}
