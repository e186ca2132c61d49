#pragma once
// The caption a button whose picture carries no words shows: one line in the middle of the button, across
// and down, in one colour with no shadow.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstddef>
#include <cstdint>

#include "client/app/UiFonts.h"
#include "client/ui/UiColours.h"
#include "platform/system/WString.h"

namespace kestrovan {

class Button;

// Gives the button its label (in that font, bold 12 unless said) and sets the caption.
void SetCentredCaption(Button& button, platform::WStringView caption, uint32_t colour = kWhite,
                       size_t font = UiFont::Bold12);

}  // namespace kestrovan
