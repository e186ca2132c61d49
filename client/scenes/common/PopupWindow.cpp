#include "client/scenes/common/PopupWindow.h"

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr uint8_t kShadow = 1;

}  // namespace

PopupWindow::PopupWindow(int32_t x, int32_t y, int32_t w, int32_t h, Face face, uint32_t openSound,
                         uint32_t closeSound) {
    Create(x, y, w, h, -1, -1);
    SetImage(face.texture, face.srcX, face.srcY, w, h, 1.0f, 1.0f);
    SetSounds(openSound, closeSound);
    Show(false);
}

void PopupWindow::Open() {
    CentreOnScreen(*this);
    SetVisible(true);
}

TextLabel* PopupWindow::AddTitle(int32_t x, int32_t y, int32_t w, quill::WStringView text) {
    TextLabel* title = CreateTextLabel(x, y, w, 20, &UiFontAt(UiFont::Bold14), 0, kShadow);
    title->SetColors(0xFFFFFFFF, 0xFF000000);
    title->SetText(text);
    return title;
}

TextLabel* PopupWindow::AddLine(int32_t x, int32_t y, int32_t w, const FontDesc& font, uint32_t alignment) {
    return CreateTextLabel(x, y, w, 20, &font, alignment, 0);
}

Button* PopupWindow::AddTileButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                                   int32_t tileX) {
    return parent.CreateButton(x, y, w, h, id, key, kCommonTexture, tileX, 0, kButtonWidth, kButtonHeight,
                               static_cast<float>(w) / kButtonWidth, static_cast<float>(h) / kButtonHeight);
}

Button* PopupWindow::AddButton(int32_t id, int32_t x, int32_t y, int32_t key, int32_t tileX, quill::WStringView caption,
                               int32_t texture, int32_t tileY, int32_t w, int32_t h) {
    const bool sharedTile = texture == kCommonTexture && tileY == 0 && tileX % kButtonWidth == 0 &&
                            tileX < kButtonTiles * kButtonWidth;
    Button* button = sharedTile ? AddTileButton(*this, x, y, w, h, id, key, tileX)
                                : CreateButton(x, y, w, h, id, key, texture, tileX, tileY);
    SetCentredCaption(*button, caption, kWhite);
    return button;
}

bool PopupWindow::ClosesOn(const Widget* source, int32_t closeId) {
    if (source == nullptr || source->GetId() != closeId) return false;
    SetVisible(false);
    return true;
}

bool PopupWindow::Answers(const Widget* source, int32_t acceptId, int32_t cancelId,
                          const std::function<void()>& accepted) {
    if (source == nullptr || source->GetId() != acceptId) return ClosesOn(source, cancelId);
    accepted();
    return true;
}

}  // namespace kestrovan
