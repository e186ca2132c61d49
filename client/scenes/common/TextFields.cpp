#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

quill::WString CutToLength(quill::WStringView text, size_t length) {
    if (text.size() <= length) return quill::WString(text);
    size_t kept = length;
    if (kept > 0 && IsHighSurrogate(text[kept - 1])) --kept;
    return quill::WString(text.substr(0, kept));
}

}  // namespace kestrovan
