#include "client/scenes/shop/CueWorkshop.h"

#include <array>

#include "QuillLib/core/AppEventId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/shop/CueOptionUpgradeWindow.h"
#include "client/scenes/shop/CuePartsCatalogueWindow.h"
#include "client/scenes/shop/CuePartsGuideWindow.h"
#include "client/scenes/shop/CuePartsWindow.h"
#include "client/scenes/shop/CueRepairWindow.h"
#include "client/scenes/shop/CueRetuneWindow.h"
#include "client/scenes/shop/CueUpgradeWindow.h"
#include "client/scenes/shop/PersonalCueBuyWindow.h"
#include "client/scenes/shop/PersonalCueWindow.h"
#include "client/scenes/shop/SceneShop.h"

namespace kestrovan {

namespace {

template <class T>
T* Attach(Widget& parent, std::unique_ptr<T> widget) {
    return static_cast<T*>(parent.AddChild(std::move(widget), false));
}

}  // namespace

CueWorkshop::CueWorkshop(ScreenServices& app, SceneShop& shop, ShopPreviewPanel* largePreview) : app_(app), shop_(shop) {
    repair_ = Attach(shop, std::make_unique<CueRepairWindow>(*this));
    retune_ = Attach(shop, std::make_unique<CueRetuneWindow>(*this));
    option_ = Attach(shop, std::make_unique<CueOptionUpgradeWindow>(*this));
    upgrade_ = Attach(shop, std::make_unique<CueUpgradeWindow>(*this, *option_));
    parts_ = Attach(shop, std::make_unique<CuePartsWindow>(*this));
    parts_->SetShopPreview(largePreview);
    management_ = Attach(shop, std::make_unique<PersonalCueWindow>(
                                   *this, PersonalCueWindow::Windows{*repair_, *retune_, *upgrade_, *parts_}));
    catalogue_ = Attach(shop, std::make_unique<CuePartsCatalogueWindow>(*this));
    catalogue_->SetShopPreview(largePreview);
    buy_ = Attach(shop, std::make_unique<PersonalCueBuyWindow>(*this, *catalogue_));
    buy_->SetShopPreview(largePreview);
    guide_ = Attach(shop, std::make_unique<CuePartsGuideWindow>());
}

CueWorkshop::~CueWorkshop() = default;

void CueWorkshop::Open() {
    Raise(*management_);
}

bool CueWorkshop::OpenPurchase(const quill::ItemRecord& entry) {
    if (!buy_->Open(entry)) return false;
    Raise(*buy_);
    return true;
}

void CueWorkshop::OnCueBought() {
    buy_->SetVisible(false);
}

bool CueWorkshop::OnConfirm(uint32_t id, uint32_t button, uint32_t value) {
    if (id == quill::AppEventId::CueGuideOpen) {
        shop_.BringChildToFront(guide_);
        guide_->Open();
        return true;
    }
    if (button != static_cast<uint32_t>(NoticeBox::kOkLeft)) return false;
    switch (id) {
        case quill::AppEventId::PersonalCueBuyConfirm:
            buy_->SendBuy();
            return true;
        case quill::AppEventId::CueRepairConfirm: management_->ConfirmRepair(); return true;
        case quill::AppEventId::CuePartsConfirm: management_->ConfirmParts(); return true;
        case quill::AppEventId::CueOptionConfirm: management_->ConfirmOption(value); return true;
        default: return false;
    }
}

void CueWorkshop::OnRepaired() {
    management_->OnRepaired();
}

void CueWorkshop::OnPartsBought() {
    management_->OnPartsBought();
}

void CueWorkshop::OnRetuned() {
    management_->OnRetuned();
}

void CueWorkshop::OnUpgraded() {
    management_->OnUpgraded();
}

// --- WorkshopHost ---

quill::PlayerState& CueWorkshop::Player() {
    return app_.Connection()->LocalPlayer();
}

bool CueWorkshop::SendAwaited(const std::function<void(quill::Packet&)>& write) {
    return shop_.SendAwaited(write);
}

void CueWorkshop::ShowNotice(std::initializer_list<quill::WStringView> lines) {
    std::array<quill::WStringView, 4> shown{};
    size_t n = 0;
    for (quill::WStringView line : lines)
        if (n < shown.size()) shown[n++] = line;
    app_.Scenes().ShowNoticeBox(&shop_, shown[0], shown[1], shown[2], shown[3]);
}

void CueWorkshop::Ask(const WorkshopQuestion& question) {
    NoticeBox* box = question.secondBox ? app_.Scenes().GetSecondMessageBox() : app_.Scenes().GetMessageBox();
    if (box == nullptr) return;
    shop_.AddChild(box, box->IsVisible());
    box->Reset();
    box->SetButtons(NoticeBox::kLayoutOkCancel);
    box->SetTitle(question.title);
    for (size_t n = 0; n < question.lines.size(); ++n) box->SetLine(question.lines[n], n);
    box->SetEvent(static_cast<int32_t>(question.event), question.value);
    box->Open();
}

void CueWorkshop::PostEvent(uint32_t id, uint32_t value) {
    app_.PostEvent(id, value, 0, 0);
}

void CueWorkshop::Raise(Widget& window) {
    shop_.BringChildToFront(&window);
    window.SetVisible(true);
}

}  // namespace kestrovan
