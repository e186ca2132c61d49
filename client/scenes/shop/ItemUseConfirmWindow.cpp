#include "client/scenes/shop/ItemUseConfirmWindow.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/UiFonts.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

ItemUseConfirmWindow::ItemUseConfirmWindow(EventPoster poster)
    : PopupWindow(0, 0, 400, 250, Face{}, 31, 32), poster_(std::move(poster)) {
    SetModal(true);
    AddTitle(14, 7, 300, u"아이템 사용");
    const char16_t* lines[] = {u"미사용 상태의 아이템을 사용합니다.", u"사용시점부터 사용기간이 적용됩니다.",
                               u"사용하시겠습니까?"};
    for (size_t n = 0; n < 3; ++n)
        AddLine(0, 70 + 24 * static_cast<int32_t>(n), 400, UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre)
            ->SetText(lines[n]);
    AddButton(kUse, 70, 200, -1, 85, u"Use");
    AddButton(kCancel, 220, 200, platform::Vk::Escape, 170, u"Cancel");
}

void ItemUseConfirmWindow::OpenFor(uint32_t key, uint32_t subKey, uint32_t requestKind) {
    key_ = static_cast<int64_t>(static_cast<uint64_t>(subKey) << 32 | key);
    requestKind_ = requestKind;
    Open();
}

void ItemUseConfirmWindow::Forget(int64_t key) {
    if (key_ != key) return;
    key_ = 0;
    SetVisible(false);
}

bool ItemUseConfirmWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kUse) {
        const int64_t key = key_.exchange(0);
        if (key == 0) return true;
        SetVisible(false);
        // The sub-key rides in the third value, so that the shop finds the item by both halves of its key.
        const uint64_t bits = static_cast<uint64_t>(key);
        if (poster_)
            poster_(quill::AppEventId::ShopItemUse, static_cast<uint32_t>(bits), requestKind_,
                    static_cast<uint32_t>(bits >> 32));
        return true;
    }
    if (id == kCancel) {
        key_ = 0;
        SetVisible(false);
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
