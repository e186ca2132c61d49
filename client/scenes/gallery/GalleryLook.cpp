#include "client/scenes/gallery/GalleryLook.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/ui/TextLabel.h"

namespace kestrovan::gallery_look {

TextLabel* AddLabel(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
    TextLabel* label = parent.CreateTextLabel(x, y, w, h, &UiFontAt(UiFont::Bold12), 0, 0);
    label->SetColors(colour, 0);
    return label;
}

}  // namespace kestrovan::gallery_look
