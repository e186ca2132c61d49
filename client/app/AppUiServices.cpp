#include "client/app/AppUiServices.h"

#include "QuillLib/engine/Engine.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/App.h"
#include "client/app/AppEditBridge.h"
#include "client/app/NativeEditBridge.h"
#include "client/app/UiFonts.h"

namespace kestrovan {

AppUiServices::AppUiServices(App& app) : app_(app) {}

AppUiServices::~AppUiServices() {
    ReleaseEditBridge();
}

uint16_t AppUiServices::GetScreenWidth() const {
    return app_.GetScreenSize().width;
}

uint16_t AppUiServices::GetScreenHeight() const {
    return app_.GetScreenSize().height;
}

bool AppUiServices::IsUiUpdateEnabled() const {
    return SceneManager::UpdateActive();
}

int16_t AppUiServices::GetKeyState(int32_t vk) const {
    if (vk < 0 || vk > 255)
        return 0;
    return app_.MainWindow().GetKeyState(vk);
}

void AppUiServices::PlaySound(uint32_t id) {
    quill::Engine* engine = app_.GetEngine();
    quill::SoundManager* sounds = engine != nullptr ? engine->GetSoundManager() : nullptr;
    if (sounds != nullptr)
        sounds->Play(id, 1.0f, 0, false);
}

EditBridge* AppUiServices::GetEditBridge() {
    if (!app_.MainWindow().IsCreated())
        return nullptr;
    // The bridge's lock is the one under which every thread changes the screens' widgets.
    if (!editBridge_) {
        NativeEditBridge& native = NativeEditBridge::Instance(app_.MainWindow(), app_.Scenes().WidgetTreeLock());
        editBridge_ = std::make_unique<AppEditBridge>(native);
    }
    return editBridge_.get();
}

void AppUiServices::ReleaseEditBridge() {
    if (!editBridge_)
        return;
    editBridge_.reset();
    NativeEditBridge::DestroyInstance();
}

const FontDesc& AppUiServices::GetDefaultFont() const {
    return UiFontAt(UiFont::Regular14);
}

void AppUiServices::CheckWidgetTreeAccess(const char* entry) const {
    app_.Scenes().Threads().ExpectWidgetTreeHeld(entry);
}

}  // namespace kestrovan
