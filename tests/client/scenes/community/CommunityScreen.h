#pragma once
// The community windows on a headless online App: the shared popups with the real messenger and profile
// window (its host records sounds and posted events), a screen of a chosen id that records its chat notices
// and character messages, and the App's connection linked to a stand-in game server that records what the
// windows send. Server messages go through GameConnection::Dispatch on the test thread (playing the dispatch
// thread), followed by a pass of the main loop that shows the windows they opened; the clock is the test's.
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/community/AppCommunityHost.h"
#include "client/scenes/community/Messenger.h"
#include "client/scenes/community/ProfileWindow.h"
#include "client/ui/Button.h"
#include "platform/system/Clock.h"
#include "tests/client/scenes/community/CommunityMessageNames.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {

struct PostedEvent {
    uint32_t id, wParam, lParam, extra;
    friend bool operator==(const PostedEvent&, const PostedEvent&) = default;
};

// The App's host, with the sounds and events it was asked for on record.
class RecordingCommunityHost : public AppCommunityHost {
public:
    explicit RecordingCommunityHost(App& app) : AppCommunityHost(app) {}
    void PlaySound(uint32_t id) override {
        std::lock_guard hold(mutex);
        sounds.push_back(id);
    }
    void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) override {
        std::lock_guard hold(mutex);
        posted.push_back({id, wParam, lParam, extra});
        AppCommunityHost::PostEvent(id, wParam, lParam, extra);
    }
    std::vector<uint32_t> Sounds() {
        std::lock_guard hold(mutex);
        return sounds;
    }
    std::vector<PostedEvent> Posted() {
        std::lock_guard hold(mutex);
        return posted;
    }

    std::mutex mutex;
    std::vector<uint32_t> sounds;
    std::vector<PostedEvent> posted;
};

// A screen of any id that keeps the notices written into its chat and the window and server messages handed
// to it, and handles none of the community's.
class RecordingScreen : public Scene {
public:
    explicit RecordingScreen(int32_t id) : Scene(id) {}
    int OnPacket(quill::MessageId id, quill::Packet&) override {
        quill::ScopedLock hold(lock);
        packets.push_back(id);
        return 0;
    }
    void Init() override {}
    void Activate() override {}
    int LoadResources(quill::ResourceManager*, D3D9RenderDevice*) override { return 0; }
    void Render(D3D9RenderDevice*, bool) override {}
    void AddChatLine(quill::WStringView text, uint32_t colour) override {
        quill::ScopedLock hold(lock);
        notices.emplace_back(text);
        colours.push_back(colour);
    }
    int OnMessage(uint32_t id, uint64_t wParam, int64_t) override {
        messages.push_back({id, static_cast<uint32_t>(wParam)});
        return 0;
    }

    quill::CriticalSectionLock lock;
    std::vector<quill::WString> notices;
    std::vector<uint32_t> colours;
    std::vector<std::pair<uint32_t, uint32_t>> messages;
    std::vector<quill::MessageId> packets;
};

class CommunityScreen : public SceneTestApp {
protected:
    static constexpr uint32_t kOwnMemberId = 77;
    static constexpr int64_t kOwnUserId = 0x100000002;

    // script: the stand-in server's replies, installed before the connection is made; with dispatchThread the
    // connection's own dispatch thread delivers what the server sends.
    explicit CommunityScreen(int32_t sceneId = SceneId::Lobby,
                             const std::function<void(kvtest::GameServerFixture&)>& script = {},
                             bool dispatchThread = false)
        : SceneTestApp(AppMode::Online, {u"launcher"}) {
        platform::SetTickSource([this] { return now.load(); });
        BuildScreens();
        Enter(sceneId);
        quill::PlayerState& player = connection().LocalPlayer();
        player.userId = kOwnMemberId;
        player.accountId = kOwnUserId;
        player.name = u"Carom";
        player.channel = 3;
        player.position = 0;
        player.cueMoney = 1000000;
        if (script)
            script(server);
        if (dispatchThread)
            connection().StartDispatchThread();
        ConnectToServer();
    }
    ~CommunityScreen() override {
        connection().StopDispatchThread();
        platform::SetTickSource({});
    }

    // The shared popups and the screens, built as the main loop builds them: before any other thread may
    // reach them, in a turn of the main thread.
    void BuildScreens() {
        const quill::ScopedLock turn = MainThreadTurn();
        auto popups = std::make_unique<ScenePopups>(
            [this](uint32_t id, uint32_t w, uint32_t l, uint32_t x) { app.PostEvent(id, w, l, x); },
            app.Connection()->JoinTarget());
        auto hostOwned = std::make_unique<RecordingCommunityHost>(app);
        host = hostOwned.get();
        auto messengerOwned = std::make_unique<Messenger>(std::move(hostOwned));
        messenger = messengerOwned.get();
        auto profileOwned = std::make_unique<ProfileWindow>();
        profile = profileOwned.get();
        popups->SetCommunityWindows(std::move(messengerOwned), std::move(profileOwned));
        app.Scenes().SetPopups(std::move(popups));
        for (int32_t id : {SceneId::Login, SceneId::Lobby, SceneId::RoomGame}) {
            auto scene = std::make_unique<RecordingScreen>(id);
            screens[id] = scene.get();
            scene->SetRect(0, 0, 1024, 768);
            app.Scenes().AddScene(std::move(scene));
        }
    }

    GameConnection& connection() { return *app.Connection(); }
    RecordingScreen& Screen() { return *static_cast<RecordingScreen*>(app.Scenes().Current()); }
    NoticeBox& Box() { return *app.Scenes().GetMessageBox(); }

    // Makes the screen of that id current and ready, as the frame step does in its turn, and moves the
    // messenger there.
    void Enter(int32_t id) {
        const quill::ScopedLock turn = MainThreadTurn();
        app.Scenes().SwitchTo(id);
        RecordingScreen& screen = *screens[id];
        screen.SetLoadWanted(false);
        screen.SetReady(true);
        messenger->AttachToScreen(screen);
    }
    // The message dispatched as the connection's dispatch thread would, then one pass of the main loop, which
    // shows what it opened.
    void Receive(quill::Packet message) {
        SceneTestApp::Receive(std::move(message));
        MainLoopPass();
    }
    void MainLoopPass() { app.Scenes().PollCurrentScene(); }
    // Passes of the main loop until the condition holds, within a generous bound (the dispatch thread
    // delivers what the server sends meanwhile).
    bool Eventually(const std::function<bool()>& condition) {
        return SceneTestApp::Eventually(condition, [this] { MainLoopPass(); });
    }
    // The messages of that id the server has received so far, whole, after waiting for count of them.
    std::vector<std::vector<uint8_t>> Sent(quill::MessageId id, size_t count = 1) {
        server.WaitForMessages(id, count);
        std::vector<std::vector<uint8_t>> bytes;
        for (const kvtest::ServerMessage& message : server.Received()) {
            if (message.id == id)
                bytes.push_back(message.bytes);
        }
        return bytes;
    }
    // What the server has of that id once whatever was sent before a marker request has arrived: a
    // KeepAlive marks the end, as the stream keeps the order.
    size_t SentCount(quill::MessageId id) {
        const size_t keepAlives = server.CountReceived(quill::MessageId::KeepAlive);
        const uint8_t none = 0;
        connection().SendBytePacket(quill::MessageId::KeepAlive, &none);
        server.WaitForMessages(quill::MessageId::KeepAlive, keepAlives + 1);
        return server.CountReceived(id);
    }
    // Fills the friend and clan lists as the login brings them.
    void FillLists(const std::vector<TestMember>& friends, const std::vector<TestMember>& clan,
                   const TestClan& clanRecord = TestClan{}) {
        Receive(FriendListMessage(friends));
        if (!clan.empty() || clanRecord.id != 0)
            Receive(ClanInfoMessage(clanRecord, clan));
    }
    void Click(Widget& source, int32_t a = 0) { Routed(*source.GetParent(), &source, a, 0); }
    void Press(int32_t id) {
        Button button;
        button.SetId(id);
        Routed(*messenger, &button, 0, 0);
    }
    static TestMember Online(uint32_t id, quill::WStringView nickname, uint8_t channel = 3, uint16_t place = 0,
                             uint8_t rank = 0) {
        return TestMember{id, 5000 + id, quill::WString(nickname), channel, place, rank};
    }
    // The player's own entry in his clan's list.
    static TestMember Own(uint8_t rank) { return TestMember{kOwnMemberId, kOwnUserId, u"Carom", 3, 0, rank}; }
    static TestMember Offline(uint32_t id, quill::WStringView nickname, uint8_t rank = 0) {
        return TestMember{id, 5000 + id, quill::WString(nickname), 0xFF, 0xFFFD, rank};
    }

    kvtest::GameServerFixture server;
    std::atomic<uint32_t> now{100000};
    RecordingCommunityHost* host = nullptr;
    Messenger* messenger = nullptr;
    ProfileWindow* profile = nullptr;
    std::map<int32_t, RecordingScreen*> screens;

private:
    void ConnectToServer() {
        server.GreetWithHello();
        connection().SetServerAddress(server.Host(), server.Port());
        connection().Connect();
        ASSERT_TRUE(Eventually([this] { return connection().IsConnected(); }));
    }
};

}  // namespace kestrovan::test
