#include "client/scenes/SceneFactory.h"

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/app/App.h"
#include "client/app/PlaceholderScene.h"
#include "client/app/SceneId.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "client/scenes/offline/SceneAlone.h"
#include "client/scenes/login/SceneIntro.h"
#include "client/scenes/login/SceneLogin.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/table/ItemModelCatalogue.h"

namespace kestrovan {

std::unique_ptr<Scene> CreateScene(int32_t id, App& app) {
    switch (id) {
        case SceneId::Intro:
            return std::make_unique<SceneIntro>(app);
        case SceneId::Login:
            return std::make_unique<SceneLogin>(app);
        case SceneId::Lobby:
            return app.Mode() == AppMode::Online ? std::make_unique<SceneLobby>(app) : nullptr;
        case SceneId::RoomGame:
            return app.Mode() == AppMode::Online ? std::make_unique<SceneRoomGame>(app) : nullptr;
        case SceneId::Alone:
            return app.Mode() == AppMode::Offline ? std::make_unique<SceneAlone>(app) : nullptr;
        default:
            return CreatePlaceholderScene(id, app);
    }
}

void RegisterItemModels() {
    TheItemModelCatalogue().AddStockModels(quill::TheCuePartCatalogue());
}

bool FindCueStatistics(uint32_t itemId, CueStatistics& statistics) {
    const ItemModelRecord* record = TheItemModelCatalogue().FindById(itemId);
    if (record == nullptr || record->kind != ItemModelKind::kCue) return false;
    for (size_t i = 0; i < statistics.size(); ++i) statistics[i] = static_cast<uint8_t>(record->stats[i]);
    return true;
}

}  // namespace kestrovan
