#pragma once
// The player's own windows on a headless online App: the shared popups with the real My Info window and
// settings dialog, each on a host that keeps the requests it sends and the events it posts and gives scripted
// display modes and frame rate, and plain screens for them to open over. Server messages go through GameConnection::Dispatch on the test thread, as
// the dispatch thread would hand them on.
#include <memory>
#include <mutex>
#include <vector>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/common/AppPlayerHost.h"
#include "client/scenes/player/MyInfoWindow.h"
#include "client/scenes/player/SettingsDialog.h"
#include "client/app/DisplayModes.h"
#include "client/ui/Button.h"
#include "tests/support/net/ServerMessages.h"
#include "tests/support/scenes/RecordingSender.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {

struct PostedEvent {
    uint32_t id, wParam, lParam, extra;
    friend bool operator==(const PostedEvent&, const PostedEvent&) = default;
};

// The App's host, with the requests kept instead of sent and the events it posts on record.
class RecordingPlayerHost : public AppPlayerHost {
public:
    explicit RecordingPlayerHost(App& app) : AppPlayerHost(app) {}
    RequestSender& Requests() override { return sender; }
    void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) override {
        std::lock_guard hold(mutex);
        posted.push_back({id, wParam, lParam, extra});
    }
    std::vector<PostedEvent> Posted() {
        std::lock_guard hold(mutex);
        return posted;
    }
    void ApplyGameOptions(const Settings& settings) override { gameOptions.push_back(settings.largeChatFont); }
    void SetBrightness(float brightness) override { brightnesses.push_back(brightness); }
    void SendOptionsToServer() override { ++optionsSent; }
    int32_t MeasuredFrameRate() override { return frameRate; }
    std::vector<DisplayModeGroup> DisplayModes() override { return modes; }

    RecordingSender sender;
    std::mutex mutex;
    std::vector<PostedEvent> posted;
    std::vector<uint8_t> gameOptions;  // the chat-font flag of each call
    std::vector<float> brightnesses;
    int32_t frameRate = 60;
    int optionsSent = 0;
    // Three sizes, the last one with a rate the adapter gave as 0.
    std::vector<DisplayModeGroup> modes{{1024, 768, 32, {60, 75}}, {1280, 800, 32, {60}}, {1280, 1024, 32, {0, 75}}};
};

// A screen that does nothing of its own, with the game mode a game room would give.
class PlainScreen : public Scene {
public:
    explicit PlainScreen(int32_t id, int32_t gameMode = -1) : Scene(id), gameMode_(gameMode) {}
    int32_t ProfileGameMode() const override { return gameMode_; }
    void Init() override {}
    void Activate() override {}
    int LoadResources(quill::ResourceManager*, D3D9RenderDevice*) override { return 0; }
    void Render(D3D9RenderDevice*, bool) override {}

private:
    int32_t gameMode_;
};

class PlayerWindows : public SceneTestApp {
protected:
    static constexpr int32_t kRoomGameMode = 4;

    PlayerWindows() : SceneTestApp(AppMode::Online, {u"launcher"}) {
        app.Connection()->SetServerAddress(u"127.0.0.1", 1);
        const quill::ScopedLock turn = MainThreadTurn();
        auto popups = std::make_unique<ScenePopups>(
            [this](uint32_t id, uint32_t w, uint32_t l, uint32_t x) { app.PostEvent(id, w, l, x); },
            app.Connection()->JoinTarget());
        auto myInfoHost = std::make_unique<RecordingPlayerHost>(app);
        myInfoRequests = myInfoHost.get();
        auto myInfoOwned = std::make_unique<MyInfoWindow>(std::move(myInfoHost));
        myInfo = myInfoOwned.get();
        auto settingsHost = std::make_unique<RecordingPlayerHost>(app);
        settingsRequests = settingsHost.get();
        auto settingsOwned = std::make_unique<SettingsDialog>(std::move(settingsHost));
        settings = settingsOwned.get();
        popups->SetPlayerWindows(std::move(settingsOwned), std::move(myInfoOwned));
        app.Scenes().SetPopups(std::move(popups));
        for (int32_t id : {SceneId::Lobby, SceneId::RoomGame}) {
            auto screen = std::make_unique<PlainScreen>(id, id == SceneId::RoomGame ? kRoomGameMode : -1);
            screen->SetRect(0, 0, 1024, 768);
            screens.push_back(screen.get());
            app.Scenes().AddScene(std::move(screen));
        }
        Enter(SceneId::Lobby);
    }

    void Enter(int32_t id) {
        app.Scenes().SwitchTo(id);
        app.Scenes().Current()->SetLoadWanted(false);
        app.Scenes().Current()->SetReady(true);
    }
    Scene& Screen() { return *app.Scenes().Current(); }
    quill::PlayerState& Player() { return app.Connection()->LocalPlayer(); }
    NoticeBox& Box() { return *app.Scenes().GetMessageBox(); }
    void Press(Widget& window, int32_t id) {
        Button probe;
        probe.SetId(id);
        Routed(window, &probe, 1, 0);
    }

    RecordingPlayerHost* myInfoRequests = nullptr;
    MyInfoWindow* myInfo = nullptr;
    RecordingPlayerHost* settingsRequests = nullptr;
    SettingsDialog* settings = nullptr;
    std::vector<Scene*> screens;
};

}  // namespace kestrovan::test
