#include "client/scenes/shop/CuePartsCatalogueWindow.h"

namespace kestrovan {

CuePartsCatalogueWindow::CuePartsCatalogueWindow(WorkshopHost& host)
    : CuePartBrowser(host, 623, 383, {u"%s %d", u"%s (Cash)", u"%s (Gold)", true}) {
    AddTitle(14, 7, 300, u"파츠 보기");
    AddCommand(kClose, 510, 340, u"닫기");
}

void CuePartsCatalogueWindow::Open(uint32_t modelId) {
    Begin(modelId, CueParts{});
}

bool CuePartsCatalogueWindow::OnClick(int32_t id) {
    if (OnBrowse(id)) return true;
    if (id != kClose) return false;
    SetVisible(false);
    return true;
}

}  // namespace kestrovan
