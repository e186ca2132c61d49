#include "client/scenes/shop/DeleteItemConfirm.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/UiFonts.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

DeleteItemConfirm::DeleteItemConfirm(EventPoster poster)
    : PopupWindow(0, 0, 400, 250, Face{kCommonTexture, 136, 0}, 0, 32), poster_(std::move(poster)) {
    SetModal(true);
    AddTitle(14, 7, 300, u"Question");
    const char16_t* lines[] = {u"삭제된 아이템은 복구할 수 없습니다.", u"삭제할 아이템을 다시 한번 확인하시고",
                               u"신중히 선택하시기 바랍니다.", u"아이템을 삭제하시겠습니까?"};
    for (size_t n = 0; n < 4; ++n)
        AddLine(0, 60 + 24 * static_cast<int32_t>(n), 400, UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre)
            ->SetText(lines[n]);
    AddButton(kOk, 70, 200, -1, 85, u"OK");
    AddButton(kCancel, 220, 200, platform::Vk::Escape, 170, u"Cancel");
}

void DeleteItemConfirm::OpenFor(uint32_t key, uint32_t subKey) {
    key_ = static_cast<int64_t>(static_cast<uint64_t>(subKey) << 32 | key);
    Open();
}

void DeleteItemConfirm::Forget(int64_t key) {
    if (key_ != key) return;
    key_ = 0;
    SetVisible(false);
}

bool DeleteItemConfirm::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kOk) {
        SetVisible(false);
        if (poster_ && key_ != 0) poster_(quill::AppEventId::ShopSend105, 0, 0, 0);
        return true;
    }
    if (id == kCancel) {
        SetVisible(false);
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
