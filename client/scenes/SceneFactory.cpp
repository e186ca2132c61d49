#include "client/scenes/SceneFactory.h"

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/app/App.h"
#include "client/app/PlaceholderScene.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/community/AppCommunityHost.h"
#include "client/scenes/community/Messenger.h"
#include "client/scenes/community/ProfileWindow.h"
#include "client/scenes/gallery/SceneShotGallery.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "client/scenes/offline/SceneAlone.h"
#include "client/scenes/common/AppPlayerHost.h"
#include "client/scenes/player/MyInfoWindow.h"
#include "client/scenes/player/SettingsDialog.h"
#include "client/scenes/login/SceneIntro.h"
#include "client/scenes/login/SceneLogin.h"
#include "client/scenes/practice/SceneReplay.h"
#include "client/scenes/practice/SceneRoomPractice.h"
#include "client/scenes/practice/SceneSchool.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/shop/SceneShop.h"
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
        case SceneId::School:
            return app.Mode() == AppMode::Online ? std::make_unique<SceneSchool>(app) : nullptr;
        case SceneId::RoomPractice:
            return app.Mode() == AppMode::Online ? std::make_unique<SceneRoomPractice>(app) : nullptr;
        case SceneId::Replay:
            return app.Mode() == AppMode::Replay ? std::make_unique<SceneReplay>(app) : nullptr;
        case SceneId::ShotGallery:
            return app.Mode() == AppMode::Online ? std::make_unique<SceneShotGallery>(app) : nullptr;
        case SceneId::Shop:
            return app.Mode() == AppMode::Online ? std::make_unique<SceneShop>(app) : nullptr;
        case SceneId::Alone:
            return app.Mode() == AppMode::Offline ? std::make_unique<SceneAlone>(app) : nullptr;
        default:
            return CreatePlaceholderScene(id, app);
    }
}

std::unique_ptr<SharedPopups> CreateScenePopups(App& app) {
    auto popups = std::make_unique<ScenePopups>(PosterOf(app), app.Connection()->JoinTarget());
    popups->SetCommunityWindows(std::make_unique<Messenger>(std::make_unique<AppCommunityHost>(app)),
                                std::make_unique<ProfileWindow>());
    popups->SetPlayerWindows(std::make_unique<SettingsDialog>(std::make_unique<AppPlayerHost>(app)),
                             std::make_unique<MyInfoWindow>(std::make_unique<AppPlayerHost>(app)));
    return popups;
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
