#include "client/scenes/shop/DeleteItemConfirm.h"

#include "QuillLib/core/AppEventId.h"

namespace kestrovan {

DeleteItemConfirm::DeleteItemConfirm(EventPoster poster)
    : OwnedItemQuestion({Face{}, 0, u"Question",
                         {u"삭제된 아이템은 복구할 수 없습니다.", u"삭제할 아이템을 다시 한번 확인하시고",
                          u"신중히 선택하시기 바랍니다.", u"아이템을 삭제하시겠습니까?"},
                         60, kOk, u"OK", kCancel}),
      poster_(std::move(poster)) {}

bool DeleteItemConfirm::OnEvent(Widget* source, int32_t a, int32_t b) {
    const auto remove = [this] {
        SetVisible(false);
        if (poster_ && key_ != 0) poster_(quill::AppEventId::ShopSend105, 0, 0, 0);
    };
    return Answers(source, kOk, kCancel, remove) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
