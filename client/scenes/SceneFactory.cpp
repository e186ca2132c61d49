#include "client/scenes/SceneFactory.h"

#include <mutex>

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/app/App.h"
#include "client/app/PlaceholderScene.h"
#include "client/app/SceneId.h"
#include "client/scenes/SceneAlone.h"
#include "client/scenes/SceneIntro.h"
#include "client/table/ItemModelCatalogue.h"

namespace kestrovan {

std::unique_ptr<Scene> CreateScene(int32_t id, App& app) {
    // The screens' tables, previews and dialogs find the stock item models in the catalogue; it is filled
    // before the first screen exists.
    static std::once_flag stockModels;
    std::call_once(stockModels, [] { TheItemModelCatalogue().AddStockModels(quill::TheCuePartCatalogue()); });
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
