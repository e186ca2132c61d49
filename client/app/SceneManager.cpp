#include "client/app/SceneManager.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/render/RenderScene.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/BinaryData.h"
#include "QuillLib/resource/BinaryDataTable.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "client/app/DirectInputMouse.h"
#include "client/app/MessengerPopup.h"
#include "client/app/ProfilePopup.h"
#include "client/app/Scene.h"
#include "client/app/Settings.h"
#include "client/app/WordFilter.h"
#include "client/ui/EditBox.h"
#include "client/ui/EditBridge.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Tooltip.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {
namespace {

constexpr int32_t kTooltipWidth = 200;
constexpr int32_t kTooltipHeight = 20;
constexpr int32_t kTooltipTexture = 0;  // the shared texture slot
constexpr int32_t kTooltipSourceX = 0;
constexpr int32_t kTooltipSourceY = 446;
constexpr int32_t kTooltipFaceWidth = 445;  // the strip the default data paints for it
constexpr uint32_t kTooltipTextColor = 0xFF404000;
constexpr uint32_t kTooltipShadowColor = 0xFF000000;
// Models of a loaded scene: water (reflecting with the water effect) and models always drawn opaque.
constexpr uint32_t kWaterTag = 3;
constexpr uint32_t kOpaqueTag = 4;

void ApplyWaterEffect(quill::RenderScene& scene, uint8_t waterEffect) {
    scene.ChangeModelObjectsByTag(kWaterTag, [waterEffect](quill::ModelObject& object) {
        object.SetReflectionRecursive(waterEffect);
    });
}

}  // namespace

quill::WString LoadingErrorText(int stage, quill::WStringView file, quill::WStringView pack, uint32_t kind) {
    const quill::WString format = u"%s-" + quill::Format(u"%d", stage) + u" (file:%s pack:%s type:%d)\r\r%s";
    return quill::Format(format.c_str(), u"Loading error", file, pack, static_cast<int>(kind),
                         u"Reinstall Kestrovan after Remove");
}

SceneManager::SceneManager() = default;

SceneManager::~SceneManager() {
    DestroyAll();
}

bool SceneManager::AddScene(std::unique_ptr<Scene> scene) {
    const int32_t id = scene->GetSceneId();
    return scenes_.emplace(id, std::move(scene)).second;
}

bool SceneManager::HasScene(int32_t id) const {
    return scenes_.contains(id);
}

bool SceneManager::SwitchTo(int32_t id) {
    const auto found = scenes_.find(id);
    if (found == scenes_.end()) {
        quill::TheLog().LogError(u"ERROR: no scene %d to switch to; the current scene stays\n", static_cast<int>(id));
        return false;
    }
    if (Scene* current = current_.load()) previousId_ = current->GetSceneId();
    current_ = found->second.get();
    return true;
}

void SceneManager::PerformPendingSwitch(quill::RenderSceneManager* renderScenes) {
    threads_.ExpectThread({ProgramThread::Main}, "the scene switch");
    quill::ScopedLock tree(widgetTreeLock_);
    Scene* scene = current_.load();
    if (scene == nullptr || !scene->IsChangePending()) return;
    const int32_t next = scene->NextSceneId();
    if (!HasScene(next)) {
        quill::TheLog().LogError(u"ERROR: scene %d asked for scene %d, which does not exist\n",
                                 static_cast<int>(scene->GetSceneId()), static_cast<int>(next));
        scene->CancelPendingChange();
        return;
    }
    // A table mode held across the switch (a button pressed, a key down) ends as at its release: the cursor
    // shows and the mouse is given back before the next screen, which never saw the press, takes over.
    if (scene->IsReady()) scene->OnActivate(false);
    inputRoute_.ScreenLeft(scene);
    scene->OnLeave(host_ != nullptr ? host_->GetResourceManager() : nullptr, renderScenes);
    scene->FinishPendingChange();
    SwitchTo(next);
    current_.load()->OnEnter();
}

int SceneManager::LoadPendingScene() {
    threads_.ExpectThread({ProgramThread::Main}, "the scene load");
    quill::ScopedLock tree(widgetTreeLock_);
    Scene* scene = current_.load();
    if (scene == nullptr || !scene->IsLoading()) return 0;
    scene->ClearLoadWord();
    quill::ResourceManager* resources = host_ != nullptr ? host_->GetResourceManager() : nullptr;
    if (scene->LoadResources(resources, host_ != nullptr ? host_->GetDevice() : nullptr) != 0) {
        if (host_ != nullptr) {
            host_->SetDeviceDialogBoxMode(true);
            quill::ResourceLoadContext failure;
            if (resources != nullptr) failure = resources->GetLoadContext();
            host_->ShowLoadErrorBox(LoadingErrorText(2, failure.fileName, failure.packageName, failure.kind));
        }
        return -1;
    }
    CompleteLoad(*scene);
    return 1;
}

// The shared messenger follows the player: once a screen is loaded it moves there (and opens again, or shows
// its icon and the friend requests that wait).
void SceneManager::CompleteLoad(Scene& scene) {
    quill::RenderScene* render = CurrentRenderScene();
    if (render != nullptr && host_ != nullptr) {
        ApplyWaterEffect(*render, host_->GetSettings().waterEffect);
        render->ChangeModelObjectsByTag(kOpaqueTag, [](quill::ModelObject& object) { object.SetBlendModeRecursive(0); });
    }
    scene.SetLoaded(true);
    if (popups_) popups_->HideMessageBoxes();
    scene.CollectTaggedObjects(render);
    scene.SetVisible(true);
    scene.Activate();
    if (MessengerPopup* messenger = GetMessenger()) messenger->AttachToScreen(scene);
    scene.StartFadeIn();
    scene.SetReady(true);
    scene.SetLoadWanted(false);
}

// The game thread's update; the main thread runs one right after a load completes. The mouse is read under
// the tree lock, so a table mode that a key starts on the main thread meanwhile sees none of the motion made
// before it (DirectInputMouse::ForgetEarlierMotion).
void SceneManager::UpdateCurrentScene(uint32_t timeMs, int64_t clockTenthMs, DirectInputMouse* mouse) {
    threads_.ExpectThread({ProgramThread::Game, ProgramThread::Main}, "Update");
    quill::ScopedLock tree(widgetTreeLock_);
    Scene* scene = current_.load();
    if (scene == nullptr || !scene->IsReady() || scene->IsChangePending()) return;
    const MouseMotion motion = mouse != nullptr ? mouse->Update() : MouseMotion{};
    scene->FadeStep();
    scene->Update(timeMs, clockTenthMs, motion);
    if (++updateCount_ >= 4) {
        scene->TickWidgets(timeMs);
        updateCount_ = 0;
    }
}

void SceneManager::HandOverMotionBeforeRelease(int64_t clockTenthMs, DirectInputMouse& mouse) {
    threads_.ExpectThread({ProgramThread::Main}, "TakeMotionBeforeRelease");
    quill::ScopedLock tree(widgetTreeLock_);
    Scene* scene = current_.load();
    if (scene == nullptr || !scene->IsReady() || scene->IsChangePending()) return;
    const MouseMotion motion = mouse.UpdateBeforeRelease();
    if (motion.dx == 0 && motion.dy == 0 && motion.wheel == 0) return;
    scene->TakeMotionBeforeRelease(clockTenthMs, motion);
}

bool SceneManager::CanTakeMessages(const Scene& scene) const {
    return !scene.IsChangePending() && (!scene.IsLoading() || scene.IsReady());
}

bool SceneManager::OnMessage(uint32_t id, uint32_t wParam, uint32_t lParam) {
    threads_.ExpectThread({ProgramThread::Main}, "an application event");
    quill::ScopedLock tree(widgetTreeLock_);
    if (id == quill::AppEventId::AppQuit) {
        if (host_ != nullptr) host_->PostQuit();
        return true;
    }
    if (id == quill::AppEventId::MessengerControl && wParam == kMessengerWindowParam) {
        if (MessengerPopup* messenger = GetMessenger()) messenger->OpenClanDialog();
    }
    if (id == quill::AppEventId::MessengerControlSend && wParam == kMessengerWindowParam && host_ != nullptr) {
        host_->SendClanLeave();
    }
    Scene* scene = current_.load();
    if (scene == nullptr || !CanTakeMessages(*scene)) return false;
    return scene->OnMessage(id, wParam, lParam) != 0;
}

bool SceneManager::DeliverPacket(quill::MessageId id, quill::Packet& packet) {
    threads_.ExpectThread({ProgramThread::Dispatch}, "a server message");
    quill::ScopedLock tree(widgetTreeLock_);
    Scene* scene = current_.load();
    if (scene == nullptr || !CanTakePackets(*scene)) return false;
    // The community's answers reach its shared windows on whatever screen the player is.
    switch (id) {
        case quill::MessageId::UserProfile:
            if (ProfilePopup* profile = GetProfilePopup(); profile != nullptr && scene->ProfileGameMode() >= 0)
                profile->SetSelectedMode(scene->ProfileGameMode());
            ShowUserProfile(scene, packet);
            break;
        case quill::MessageId::ClanCreateResult:
            if (MessengerPopup* messenger = GetMessenger()) messenger->OnClanCreateResult(packet);
            break;
        default:
            scene->OnPacket(id, packet);
            break;
    }
    return true;
}

bool SceneManager::HandleWindowMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    threads_.ExpectThread({ProgramThread::Main}, "a window message");
    quill::ScopedLock tree(widgetTreeLock_);
    Scene* scene = current_.load();
    if (scene == nullptr || !CanTakeMessages(*scene)) return false;
    using Route = HeldInputRoute::Route;
    using Target = HeldInputRoute::Target;
    // A release goes where its press went, and a key's repeats with their characters where its first press went:
    // to the screen alone when the widgets left the press to it, to the widgets alone when one of them took it,
    // whatever window opened meanwhile.
    const auto widgetsTake = [&] { return scene->IsLoaded() && scene->IsReady() && scene->RouteMessage(id, wParam, lParam); };
    switch (inputRoute_.RouteOf(id, wParam, lParam, scene)) {
        case Route::Nowhere:
            return false;
        case Route::Screen:
            return scene->OnMessage(id, wParam, lParam) != 0;
        case Route::Widgets:
            return widgetsTake();
        case Route::AsRouted:
            break;
    }
    if (widgetsTake()) {
        inputRoute_.Pressed(id, wParam, scene, Target::Widgets);
        return true;
    }
    inputRoute_.Pressed(id, wParam, scene, Target::Screen);
    return scene->OnMessage(id, wParam, lParam) != 0;
}

// Once per main-loop pass: the shared windows that server messages opened are shown, on this thread.
void SceneManager::PollCurrentScene() {
    threads_.ExpectThread({ProgramThread::Main}, "Poll");
    quill::ScopedLock tree(widgetTreeLock_);
    if (MessengerPopup* messenger = GetMessenger()) messenger->ShowPending();
    if (ProfilePopup* profile = GetProfilePopup()) profile->ShowPending();
    Scene* scene = current_.load();
    if (scene != nullptr && !scene->IsChangePending() && (scene->IsReady() || !scene->IsLoading())) scene->Poll();
}

void SceneManager::ActivateCurrentScene(bool active) {
    threads_.ExpectThread({ProgramThread::Main}, "OnActivate");
    quill::ScopedLock tree(widgetTreeLock_);
    Scene* scene = current_.load();
    if (scene != nullptr && scene->IsReady()) scene->OnActivate(active);
}

void SceneManager::NotifyCurrentScene(bool overDragBand) {
    threads_.ExpectThread({ProgramThread::Main}, "OnCaptionHover");
    quill::ScopedLock tree(widgetTreeLock_);
    Scene* scene = current_.load();
    if (scene != nullptr && scene->IsReady()) scene->OnCaptionHover(overDragBand);
}

void SceneManager::ApplyEffectSettings(const Settings& settings) {
    threads_.ExpectThread({ProgramThread::Main}, "OnSettingsChanged");
    quill::ScopedLock tree(widgetTreeLock_);
    if (Scene* scene = current_.load()) scene->OnSettingsChanged(settings);
    if (quill::RenderScene* render = CurrentRenderScene()) ApplyWaterEffect(*render, settings.waterEffect);
}

quill::RenderScene* SceneManager::CurrentRenderScene() const {
    quill::RenderSceneManager* scenes = host_ != nullptr ? host_->GetRenderScenes() : nullptr;
    return scenes != nullptr ? scenes->GetCurrentScene() : nullptr;
}

void SceneManager::ResizeAll(uint32_t width, uint32_t height) {
    threads_.ExpectThread({ProgramThread::Main}, "the resize");
    quill::ScopedLock tree(widgetTreeLock_);
    for (auto& [id, scene] : scenes_) {
        scene->ResizeWidgets(width, height);
        scene->OnResize(width, height);
    }
}

// The scenes go first, then the popups they may hold attached (a child that outlives its parent is detached).
void SceneManager::DestroyAll() {
    quill::ScopedLock tree(widgetTreeLock_);
    current_ = nullptr;
    scenes_.clear();
    popups_.reset();
}

void SceneManager::RenderCurrentScene(D3D9RenderDevice* device, bool draw) {
    threads_.ExpectThread({ProgramThread::Main}, "Render");
    quill::ScopedLock tree(widgetTreeLock_);
    Scene* scene = current_.load();
    if (scene != nullptr && scene->IsReady()) scene->Render(device, draw);
}

bool SceneManager::LoadSharedResources(quill::ResourceManager* resources) {
    quill::ScopedLock tree(widgetTreeLock_);
    if (popups_) popups_->LoadGraphics(0);
    CreateTooltip();
    if (resources == nullptr) return false;
    quill::Package* package = resources->OpenPackage(u"Lang", true);
    if (package == nullptr) return false;
    quill::ResourceFile* file = package->FindLoadedFile(u"Lang");
    if (file == nullptr) return false;
    quill::SharedPtr<quill::BinaryData> item = file->GetBinaryDataTable()->FindShared(0);
    if (!item) return false;
    quill::MemoryStream& data = item->Data();
    for (quill::WString& word : ParseWordList(data.Data(), data.Size())) {
        AddCensorWord(word);
    }
    return true;
}

// The one tooltip every widget with tooltip text shows: its face from the shared texture and its caption. Made
// once; without it no tooltip would ever show.
void SceneManager::CreateTooltip() {
    WidgetToolkit* toolkit = WidgetToolkit::Current();
    if (toolkit == nullptr) return;
    Tooltip& tooltip = toolkit->GetTooltip();
    if (tooltip.GetCaption() != nullptr) return;
    tooltip.Create(0, 0, kTooltipWidth, kTooltipHeight);
    tooltip.SetFace(kTooltipTexture, kTooltipSourceX, kTooltipSourceY, kTooltipFaceWidth);
    tooltip.SetAlpha(1.0f);
    tooltip.GetCaption()->SetColors(kTooltipTextColor, kTooltipShadowColor);
    tooltip.LoadGraphics(0);
}

Widget* SceneManager::PopupParent(Widget* parent) const {
    if (!popups_) return nullptr;
    return parent != nullptr ? parent : current_.load();
}

void SceneManager::ShowErrorBox(Widget* parent, quill::WStringView line0, quill::WStringView line1,
                                quill::WStringView line2) {
    quill::ScopedLock tree(widgetTreeLock_);
    if (Widget* owner = PopupParent(parent)) popups_->ShowErrorBox(*owner, line0, line1, line2);
}

void SceneManager::ShowNoticeBox(Widget* parent, quill::WStringView line0, quill::WStringView line1,
                                 quill::WStringView line2, quill::WStringView line3) {
    quill::ScopedLock tree(widgetTreeLock_);
    if (Widget* owner = PopupParent(parent)) popups_->ShowNoticeBox(*owner, line0, line1, line2, line3);
}

void SceneManager::ShowSecondNoticeBox(Widget* parent, quill::WStringView line0, quill::WStringView line1,
                                       quill::WStringView line2) {
    quill::ScopedLock tree(widgetTreeLock_);
    if (Widget* owner = PopupParent(parent)) popups_->ShowSecondNoticeBox(*owner, line0, line1, line2);
}

void SceneManager::ShowBox(Widget* parent, const ConnectionNotice& notice, uint32_t layout) {
    quill::ScopedLock tree(widgetTreeLock_);
    if (Widget* owner = PopupParent(parent)) popups_->ShowBox(*owner, notice, layout);
}

void SceneManager::ShowConnectionNotice(const ConnectionNotice& notice) {
    ShowBox(nullptr, notice, 0);  // the OK button alone
}

void SceneManager::ShowInvitation(const Invitation& invitation) {
    quill::ScopedLock tree(widgetTreeLock_);
    if (Widget* owner = PopupParent(nullptr)) popups_->ShowInvitation(*owner, invitation);
}

bool SceneManager::ShowUserProfile(Widget* parent, quill::Packet& packet) {
    quill::ScopedLock tree(widgetTreeLock_);
    ProfilePopup* profile = GetProfilePopup();
    Widget* owner = PopupParent(parent);
    return profile != nullptr && owner != nullptr && profile->OnUserProfile(*owner, packet);
}

void SceneManager::SendChatMacro(int slot, quill::WStringView text) {
    threads_.ExpectThread({ProgramThread::Main}, "a chat macro");
    quill::ScopedLock tree(widgetTreeLock_);
    WidgetToolkit* toolkit = WidgetToolkit::Current();
    EditBridge* bridge = toolkit != nullptr ? toolkit->Services().GetEditBridge() : nullptr;
    if (EditBox* box = bridge != nullptr ? bridge->GetFocusWidget() : nullptr) {
        box->InsertText(text);
        return;
    }
    if (host_ != nullptr) host_->PostEvent(quill::AppEventId::ChatSubmit, static_cast<uint32_t>(slot), 0, 0);
}

}  // namespace kestrovan
