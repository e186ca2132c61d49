#include "client/scenes/SceneFactory.h"

#include "client/app/PlaceholderScene.h"

namespace kestrovan {

std::unique_ptr<Scene> CreateScene(int32_t id, App& app) {
    return CreatePlaceholderScene(id, app);
}

}  // namespace kestrovan
