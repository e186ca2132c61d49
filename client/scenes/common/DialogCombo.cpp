#include "client/scenes/common/DialogCombo.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

// Three faces of 20 rows down (normal, hover, pressed), up to 300 wide, below the dialogs' panels.
constexpr int32_t kFaceX = 0;
constexpr int32_t kFaceY = 856;

}  // namespace

ComboBox* CreateDialogCombo(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t rows) {
    ComboBox* combo = parent.CreateComboBox(x, y, w, h, id, -1, kPopupTexture, kFaceX, kFaceY);
    combo->GetFace()->AddLabel(&UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, kWhite, 0, 0);
    combo->SetRowCount(rows);
    return combo;
}

}  // namespace kestrovan
