#include "client/scenes/common/ButtonCaption.h"

#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/gfx/TextFormat.h"

namespace kestrovan {

void SetCentredCaption(Button& button, platform::WStringView caption, uint32_t colour, size_t font) {
    button.AddLabel(&UiFontAt(font), TextLabel::kAlignCentre, colour, 0, 0);
    button.GetCaption()->AddStyle(platform::gfx::TextFormat::VCenter, 0, 0);
    button.SetCaption(caption);
}

}  // namespace kestrovan
