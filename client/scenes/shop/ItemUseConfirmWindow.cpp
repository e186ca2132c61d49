#include "client/scenes/shop/ItemUseConfirmWindow.h"

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/shop/ShopItemKeys.h"

namespace kestrovan {

ItemUseConfirmWindow::ItemUseConfirmWindow(EventPoster poster)
    : OwnedItemQuestion({Face{}, 31, u"아이템 사용",
                         {u"미사용 상태의 아이템을 사용합니다.", u"사용시점부터 사용기간이 적용됩니다.",
                          u"사용하시겠습니까?"},
                         70, kUse, u"Use", kCancel}),
      poster_(std::move(poster)) {}

void ItemUseConfirmWindow::OpenFor(uint32_t key, uint32_t subKey, uint32_t requestKind) {
    requestKind_ = requestKind;
    AskAbout(key, subKey);
}

bool ItemUseConfirmWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kUse) {
        Use();
        return true;
    }
    if (id == kCancel) {
        key_ = 0;
        SetVisible(false);
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

void ItemUseConfirmWindow::Use() {
    const int64_t key = key_.exchange(0);
    if (key == 0) return;
    SetVisible(false);
    // The sub-key rides in the third value, so that the shop finds the item by both halves of its key.
    if (poster_) poster_(quill::AppEventId::ShopItemUse, LowOf(key), requestKind_, HighOf(key));
}

}  // namespace kestrovan
