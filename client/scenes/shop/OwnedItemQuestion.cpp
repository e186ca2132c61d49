#include "client/scenes/shop/OwnedItemQuestion.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/shop/ShopItemKeys.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kLineSpacing = 24;

}  // namespace

OwnedItemQuestion::OwnedItemQuestion(const Wording& wording)
    : PopupWindow(0, 0, 400, 250, wording.face, wording.openSound, sound_id::kPopup) {
    SetModal(true);
    AddTitle(14, 7, 300, wording.title);
    int32_t y = wording.firstLineY;
    for (const char16_t* line : wording.lines) {
        AddLine(0, y, 400, UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre)->SetText(line);
        y += kLineSpacing;
    }
    AddButton(wording.acceptId, 70, 200, -1, 85, wording.acceptCaption);
    AddButton(wording.cancelId, 220, 200, platform::Vk::Escape, 170, u"Cancel");
}

void OwnedItemQuestion::AskAbout(uint32_t key, uint32_t subKey) {
    key_ = ShopItemKey(key, subKey);
    Open();
}

void OwnedItemQuestion::Forget(int64_t key) {
    if (key_ != key) return;
    key_ = 0;
    SetVisible(false);
}

}  // namespace kestrovan
