#include "client/scenes/shop/CueUpgradeWindow.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/shop/CueOptionUpgradeWindow.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

CueUpgradeWindow::CueUpgradeWindow(WorkshopHost& host, CueOptionUpgradeWindow& option)
    : WorkshopWindow(host, 623, 383), option_(option) {
    SetModal(true);
    AddTitle(14, 7, 300, u"튜닝큐 업그레이드");
    preview_ = AddPreview(20, 50, 147, 242, false);
    for (size_t i = 0; i < kCueOptionCount; ++i) {
        const int32_t y = 55 + 35 * static_cast<int32_t>(i);
        AddText(190, y, 120, quill::GetItemStatName(static_cast<uint32_t>(i)));
        values_[i] = AddText(320, y, 40, u"", kYellow);
        effects_[i] = AddText(370, y, 80, u"", kYellow);
        AddCommand(kFirstOption + static_cast<int32_t>(i), 470, y, u"업그레이드", 100);
    }
    const char16_t* guide[] = {u"성능 업그레이드는 각 파츠의 업그레이드 최대치까지만",
                               u"가능하며 파츠 교체를 통해 최대치를 높일 수 있습니다.",
                               u"업그레이드를 하기 위해서는 큐의 업그레이드 포인트가",
                               u"필요하며 이 포인트는 큐를 많이 사용하면 누적됩니다.",
                               u"옵션 수치가 높아질수록 업그레이드 성공률이 낮아집니다."};
    for (int32_t n = 0; n < 5; ++n) AddText(190, 240 + 18 * n, 420, guide[n]);
    AddCommand(kClose, 520, 345, u"닫기");
}

void CueUpgradeWindow::SetCue(const quill::InventoryItem& cue) {
    cue_ = cue;
    preview_->ShowItem(cue);
    for (size_t i = 0; i < kCueOptionCount; ++i) {
        values_[i]->SetText(quill::Format(u"%d", cue.statistics[i]));
        effects_[i]->SetText(CueRules::EffectFloatText(i, cue.statistics[i]));
    }
}

bool CueUpgradeWindow::OnClick(int32_t id) {
    if (id == kClose) {
        SetVisible(false);
        return true;
    }
    const int32_t option = id - kFirstOption;
    if (option < 0 || option >= static_cast<int32_t>(kCueOptionCount) || !cue_) return false;
    option_.SetOption(*cue_, static_cast<size_t>(option));
    host_.Raise(option_);
    return true;
}

}  // namespace kestrovan
