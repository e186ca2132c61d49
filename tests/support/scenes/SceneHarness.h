#pragma once
// One screen of type T on the headless online App, as the shell has it once the screen's load is done: built
// with T(app), laid out (Init), made the scene manager's current screen and ready. A test sets up what the
// screen's activation reads (the player, the channel, a server) and then calls Activate(), as the shell does
// next. The data packs are not read (a screen that needs them for its table or previews is tested with them
// elsewhere), and no game server answers until a test gives one (the connection points at the closed port 1).
//
// Server messages handed to Receive take the dispatch thread's way: GameConnection::Dispatch, the
// connection's own handlers, then SceneManager::DeliverPacket into the screen's OnPacket, on the test thread.
// A test against GameServerFixture starts the connection's dispatch thread instead and waits with Eventually.
// A test that drives the screen alone takes a turn of the main thread for its body (MainThreadTurn).
//
//   class LobbyScreen : public SceneHarness<SceneLobby> {};
//   TEST_F(LobbyScreen, ListsTheRooms) {
//       const quill::ScopedLock turn = MainThreadTurn();
//       Activate();
//       Receive(kvtest::RoomListEntryMessage(room));
//       EXPECT_EQ(...scene...);
//   }
#include <functional>
#include <initializer_list>
#include <memory>

#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/ScenePopups.h"
#include "tests/support/net/ServerMessages.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {

template <class T>
class SceneHarness : public SceneTestApp {
protected:
    explicit SceneHarness(std::initializer_list<const char16_t*> words = {u"launcher"})
        : SceneTestApp(AppMode::Online, words) {
        app.Connection()->SetServerAddress(u"127.0.0.1", 1);
        // Built as the main loop builds the screens: before any other thread may reach them, in a turn.
        const quill::ScopedLock turn = MainThreadTurn();
        app.Scenes().SetPopups(CreateScenePopups(app));
        auto owned = std::make_unique<T>(app);
        scene = owned.get();
        scene->Init();
        app.Scenes().AddScene(std::move(owned));
        app.Scenes().SwitchTo(scene->GetSceneId());
        scene->SetLoadWanted(false);
        scene->SetReady(true);
    }

    // The screen's activation, which the shell runs under the widget-tree lock when the load completes.
    void Activate() {
        const quill::ScopedLock turn = MainThreadTurn();
        scene->Activate();
    }

    // The two shared message boxes.
    NoticeBox& Box() { return *app.Scenes().GetMessageBox(); }
    NoticeBox& SecondBox() { return *app.Scenes().GetSecondMessageBox(); }

    T* scene = nullptr;
};

}  // namespace kestrovan::test
