// The shop's life (build, load, activation, leave), its layout, and the view and grids it refreshes.
#include "client/scenes/shop/SceneShop.h"

#include <algorithm>

#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/connection/GameConnection.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/WebPages.h"
#include "client/scenes/shop/CuePartPreview.h"
#include "client/scenes/shop/CueWorkshop.h"
#include "client/scenes/shop/ShopPreviewPanel.h"
#include "client/scenes/shop/ShopWidgets.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {


namespace {

// The shop and owned-item grids' top in the main panel.
constexpr int32_t kGridTop = 50;

quill::RenderSceneManager* RenderScenes(ScreenServices& app) {
    quill::Engine* engine = app.GetEngine();
    return engine != nullptr ? engine->GetRenderSceneManager() : nullptr;
}

}  // namespace

SceneShop::SceneShop(ScreenServices& app)
    : Scene(SceneId::Shop),
      app_(app),
      connection_(*app.Connection()),
      sender_(std::make_unique<ConnectionRequestSender>(*app.Connection())),
      titleBarButtons_(*this, app.Scenes(), {.leave = [this] { SendLeaveShop(); }}),
      catalogue_(connection_),
      inventory_(connection_),
      selection_(connection_, catalogue_, inventory_),
      purchases_(*this, connection_, app.Scenes()),
      dialogs_(*this, connection_, app.Scenes(), PosterOf(app)),
      workshop_(*this, connection_, purchases_) {}

SceneShop::~SceneShop() = default;

// --- Layout -------------------------------------------------------------------------------------------------

void SceneShop::Init() {
    if (built_) quill::AssertBreak("SceneShop", __LINE__);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    backdrop_.BuildTiles(*this);
    backdrop_.BuildTopBar(*this);
    purchases_.BuildAccountPanel(*this);
    BuildGrids();
    purchases_.BuildBalances(*this);
    BuildCornerButtons();
    BuildWindows();
    ApplyChildAnchors(screen.width, screen.height);
    OnResize(screen.width, screen.height);
}

void SceneShop::BuildGrids() {
    mainPanel_ = CreateImage(0, 77, 568, 693, kShopTexture, 0, 180, 568, 693);
    viewButtons_[0] = AddShopButton(*mainPanel_, 20, -3, 138, 49, kShopView, -1, u"Item Shop");
    viewButtons_[1] = AddShopButton(*mainPanel_, 160, -3, 138, 49, kMyItemsView, -1, u"My Item");
    for (Button* view : viewButtons_) view->SetCheckBox();
    catalogue_.Build(*mainPanel_, kGridTop);
    inventory_.Build(*mainPanel_, kGridTop);
    // The cash button stands 35 pixels above the grids, between the view buttons and the workshop button, in
    // either view; the top bar above it keeps the cash figure clear.
    cashButton_ = AddShopButton(*mainPanel_, 320, kGridTop - 35, 121, 33, kCashPage, -1, u"Charge Cash");
    workshop_.BuildButton(*mainPanel_);
}

// The shop's title-bar buttons wear the same pictograms, places and keys as every other screen's.
void SceneShop::BuildCornerButtons() {
    titleBarButtons_.Add(TitleBarButtons::Role::ToLobby, kToLobby);
    titleBarButtons_.Add(TitleBarButtons::Role::Settings, kSettings);
    titleBarButtons_.Add(TitleBarButtons::Role::MyInfo, kMyInfo);
    titleBarButtons_.Add(TitleBarButtons::Role::Messenger, kMessenger);
}

void SceneShop::BuildWindows() {
    const AppEventPoster poster = PosterOf(app_);
    selection_.BuildPreview(*this);
    selection_.BuildDetail(*mainPanel_, poster);
    dialogs_.BuildQuestions(*this, [this] { app_.PostQuit(); });
    purchases_.BuildDialogs(*this, poster, CreatePurchaseDialog(app_));
    dialogs_.BuildPicture(*this);
    webPages_ = std::make_unique<WebPages>(app_, poster);
    workshop_.Build(std::make_unique<CueWorkshop>(app_, *this, selection_.Preview()));
}

void SceneShop::OnResize(uint32_t width, uint32_t height) {
    Scene::OnResize(width, height);
    ApplyChildAnchors(static_cast<int32_t>(width), static_cast<int32_t>(height));
    ShopPreviewPanel* preview = selection_.Preview();
    if (preview == nullptr) return;
    const int32_t w =
        std::max(1, static_cast<int32_t>(width) - 10 + mainPanel_->GetRect().left - ShopPreviewPanel::kLeft);
    preview->SetViewSize(w, std::max(1, static_cast<int32_t>(height) - ShopPreviewPanel::kViewTop));
    backdrop_.Resize(static_cast<int32_t>(width), static_cast<int32_t>(height));
}

// --- Life ---------------------------------------------------------------------------------------------------

int SceneShop::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    if (resourcesLoaded_) quill::AssertBreak("SceneShop", __LINE__);
    resourcesLoaded_ = true;
    if (resources != nullptr) {
        for (const char16_t* package : {u"BillObject", u"Tables", u"Balls", u"Cues"}) resources->OpenPackage(package, false);
    }
    LoadGraphics(0);
    quill::SoundManager* sounds = quill::SoundManager::Current();
    ResourcePackCatalog* catalog = app_.Catalog();
    if (sounds != nullptr && catalog != nullptr) {
        if (auto music = catalog->GetSound(kMusic)) {
            sounds->LoadStreamingSound(music, kMusic, quill::SoundManager::kMusicCategory);
            sounds->PlayAtFullVolume(kMusic, true);
        }
    }
    return resources == nullptr || device == nullptr ? 1 : 0;
}

void SceneShop::Activate() {
    WidgetToolkit::CheckTreeAccess("SceneShop::Activate");
    backdrop_.SelectBlankScene(RenderScenes(app_));
    const bool partner = connection_.LocalPlayer().accountKind == ShopGrid::kPartnerAccount;
    cashButton_->Show(!partner);
    purchases_.Enter(partner);
    catalogue_.Enter(partner);
    selection_.Forget();
    inventory_.Enter();
    RebuildMyItems();
    selection_.Hide();
    purchases_.ShowMembership();
    purchases_.ShowMoney();
    SetView(view_);
    StartFadeIn();
    if (partner)
        ShowNotice(u"제휴 포털을 통해 접속하셨습니다.", u"유료 서비스 이용이 불가능합니다.", u"큐머니 아이템만 구입 가능합니다.");
}

bool SceneShop::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    Scene::OnLeave(resources, renderScenes);
    WidgetToolkit::CheckTreeAccess("SceneShop::OnLeave");
    ReleaseItemPreviews(*this);
    CuePartPreview::ReleaseAll(*this);
    inventory_.Leave();
    selection_.Leave();
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) {
        sounds->Stop(kMusic);
        sounds->RemoveSound(kMusic);
    }
    resourcesLoaded_ = false;
    return true;
}

void SceneShop::Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) {
    Scene::Update(timeMs, clockTenthMs, motion);
    backdrop_.Drift();
}

void SceneShop::Render(D3D9RenderDevice* device, bool draw) {
    OpenQueuedCashPage();
    if (!draw || device == nullptr) return;
    const WidgetRect screen = GetRect();
    backdrop_.PlaceTiles(screen.right - screen.left, screen.bottom - screen.top);
    device->Begin2D();
    DrawPreviews(*device);
    DrawWidgets(device);
}

void SceneShop::DrawPreviews(D3D9RenderDevice& device) {
    quill::Engine* engine = app_.GetEngine();
    if (engine == nullptr || engine->GetResourceManager() == nullptr) return;
    LoadShownItemPreviews(*this, *engine->GetResourceManager(), device);
    CuePartPreview::LoadShown(*this, *engine->GetResourceManager(), device);
}

// --- The grids ----------------------------------------------------------------------------------------------

void SceneShop::SetView(int32_t view) {
    WidgetToolkit::CheckTreeAccess("SceneShop::SetView");
    if (view != view_) selection_.OnViewChanged();
    view_ = view;
    viewButtons_[0]->SetChecked(view == 0);
    viewButtons_[1]->SetChecked(view == 1);
    catalogue_.Grid().Panel()->Show(view == 0);
    inventory_.Grid().Panel()->Show(view == 1);
    if (view == 0) RefreshShopGrid();
    else RefreshMyItems();
}

void SceneShop::SelectShopCategory(int32_t category) {
    WidgetToolkit::CheckTreeAccess("SceneShop::SelectShopCategory");
    catalogue_.SelectCategory(category);
    RefreshShopGrid();
}

void SceneShop::SelectMyItemsCategory(int32_t category) {
    WidgetToolkit::CheckTreeAccess("SceneShop::SelectMyItemsCategory");
    inventory_.SelectCategory(category);
    RefreshMyItems();
}

void SceneShop::RefreshShopGrid() {
    WidgetToolkit::CheckTreeAccess("SceneShop::RefreshShopGrid");
    catalogue_.Refresh(selection_.Row());
}

void SceneShop::RefreshMyItems() {
    WidgetToolkit::CheckTreeAccess("SceneShop::RefreshMyItems");
    const std::optional<int64_t> selected = selection_.Owned();
    if (selected && !inventory_.Lists(*selected)) selection_.DropOwned();
    inventory_.Refresh(selection_.Owned());
}

void SceneShop::RebuildMyItems() {
    WidgetToolkit::CheckTreeAccess("SceneShop::RebuildMyItems");
    inventory_.Rebuild();
    selection_.RefreshOwnedDetail();
}

}  // namespace kestrovan
