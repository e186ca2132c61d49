#include "client/app/PlaceholderScene.h"

#include "QuillLib/core/LogSystem.h"
#include "client/app/App.h"
#include "client/app/SceneId.h"

namespace kestrovan {

void PlaceholderScene::Activate() {
    quill::TheLog().Log(u"Scene %d ready\n", static_cast<int>(GetSceneId()));
}

void PlaceholderScene::Update(uint32_t, int64_t, const MouseMotion&) {
    if (next_ != 0 && !moved_.exchange(true)) RequestSceneChange(next_);
}

std::unique_ptr<Scene> CreatePlaceholderScene(int32_t id, App& app) {
    const bool offline = app.Mode() == AppMode::Offline;
    switch (id) {
        case SceneId::Intro:
            return std::make_unique<PlaceholderScene>(id, SceneId::Login);
        case SceneId::Login:
            return std::make_unique<PlaceholderScene>(id, offline ? SceneId::Alone : 0);
        case SceneId::Alone:
            return std::make_unique<PlaceholderScene>(id, 0);
        default:
            return nullptr;
    }
}

}  // namespace kestrovan
