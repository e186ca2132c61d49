#pragma once
// A label's text cut to a width: a title, name or figure from the server or the web that is longer than its
// column or cell shows what fits of it instead of drawing over its neighbours.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

class TextLabel;

// The label shows the text cut after its last character that still fits the width in the label's font. A
// label without a font yet keeps the whole text.
void SetTextWithin(TextLabel& label, quill::WStringView text, int32_t width);

}  // namespace kestrovan
