#include "client/scenes/SceneFactory.h"

#include "client/app/App.h"
#include "client/app/PlaceholderScene.h"
#include "client/app/SceneId.h"
#include "client/scenes/SceneAlone.h"
#include "client/scenes/SceneIntro.h"

namespace kestrovan {

std::unique_ptr<Scene> CreateScene(int32_t id, App& app) {
    switch (id) {
        case SceneId::Intro:
            return std::make_unique<SceneIntro>(app);
        case SceneId::Alone:
            return app.Mode() == AppMode::Offline ? std::make_unique<SceneAlone>(app) : nullptr;
        default:
            return CreatePlaceholderScene(id, app);
    }
}

}  // namespace kestrovan
