#include "client/scenes/login/SceneIntro.h"

#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceManager.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/SceneId.h"
#include "client/app/ScreenServices.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/ui/Image.h"
#include "client/ui/UiColours.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kLogoWidth = 350;
constexpr int32_t kLogoHeight = 200;
// The frames after the intro are cleared to black: nothing it drew shows through.
constexpr uint32_t kClearAfterIntro = 0xFF000000;

}  // namespace

SceneIntro::SceneIntro(ScreenServices& app) : Scene(SceneId::Intro), app_(app) {}

void SceneIntro::Init() {
    if (built_)
        quill::AssertBreak(".\\SceneIntro", 30);
    built_ = true;
    const ScreenSize screen = app_.GetScreenSize();
    SetRect(0, 0, screen.width, screen.height);
    logo_ = CreateImage(0, 0, kLogoWidth, kLogoHeight, kLogoTexture, 0, 700);
    logo_->SetAnchor(AnchorMode::HCentre, 0, AnchorMode::VCentre, 0);
    logo_->ApplyAnchor(screen.width, screen.height);
}

// The logos are pictures of the interface pack's "Login" file.
int SceneIntro::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice*) {
    if (IsReady())
        quill::AssertBreak(".\\SceneIntro", 96);
    ResourcePackCatalog* catalog = app_.Catalog();
    quill::Package* package =
        resources != nullptr && catalog != nullptr ? resources->FindPackage(catalog->UiFolder()) : nullptr;
    if (package == nullptr) {
        // The loading error names the package that is not there, not whatever loaded last.
        if (resources != nullptr && catalog != nullptr) resources->SetLoadContext(catalog->UiFolder(), u"Login", 0);
        return 1;
    }
    if (package->GetResourceFile(u"Login", true) == nullptr)
        return 1;
    AddResourceRecord({catalog->UiFolder(), u"Login", -1, 0});
    LoadGraphics(0);
    return 0;
}

void SceneIntro::Activate() {
    background_ = kWhite;
    fade_.Reset();
    logo_->SetAlpha(0.0f);
}

void SceneIntro::Update(uint32_t, int64_t, const MouseMotion&) {
    const IntroFade::Step step = fade_.Advance();
    if (step.secondLogo)
        ShowSecondLogo();
    if (step.background)
        background_ = *step.background;
    if (step.finished) {
        RequestSceneChange(SceneId::Login);
        return;
    }
    logo_->SetAlpha(step.alpha);
}

void SceneIntro::ShowSecondLogo() {
    logo_->SetSourceRect(572, 0, kLogoWidth, kLogoHeight);
    logo_->SetSize(kLogoWidth - 1, kLogoHeight - 2);
    const ScreenSize screen = app_.GetScreenSize();
    logo_->ApplyAnchor(screen.width, screen.height);
    logo_->Show(true);
}

// Escape is never reported as handled: the screen only shortens itself.
int SceneIntro::OnMessage(uint32_t id, uint64_t wParam, int64_t) {
    if (id == platform::Msg::Char && wParam == platform::Vk::Escape && fade_.Skip())
        logo_->SetAlpha(1.0f);
    return 0;
}

void SceneIntro::Render(D3D9RenderDevice* device, bool draw) {
    if (device == nullptr)
        return;
    device->clearColor = background_;
    if (draw)
        DrawWidgets(device);
}

bool SceneIntro::OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) {
    if (D3D9RenderDevice* device = app_.GetDevice())
        device->clearColor = kClearAfterIntro;
    return Scene::OnLeave(resources, renderScenes);
}

}  // namespace kestrovan
