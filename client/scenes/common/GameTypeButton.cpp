#include "client/scenes/common/GameTypeButton.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr int32_t kCaromTileX = 706;
constexpr int32_t kPocketTileX = 865;
constexpr int32_t kTileStep = 60;
constexpr int32_t kFirstPocketRow = 10;

}  // namespace

Button* CreateGameTypeButton(Widget& parent, quill::GameType type, int32_t x, int32_t y) {
    const int32_t row = GameTypeListRow(type);
    const int32_t id = kFirstGameTypeButtonId + type;
    Button* button = quill::IsCaromGame(type)
                         ? parent.CreateButton(x, y, kGameTypeButtonWidth, kGameTypeButtonHeight, id, -1,
                                               kCommonTexture, kCaromTileX, kTileStep * row)
                         : parent.CreateButton(x, y, kGameTypeButtonWidth, kGameTypeButtonHeight, id, -1,
                                               kCommonTexture, kPocketTileX, kTileStep * (row - kFirstPocketRow));
    button->SetRadio();
    button->SetHoverEvents(true);
    button->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kWhite, 0, 0);
    button->SetCaption(GameTypeLongName(type));
    return button;
}

}  // namespace kestrovan
