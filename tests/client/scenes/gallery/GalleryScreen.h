#pragma once
// The gallery on a headless online App (SceneHarness), with a stand-in web site that answers the posts from
// canned replies and remembers on which thread each came, and the loopback game server (greeted, recording
// what the gallery sends). LoadTable gives the screen its real table from the game data.
#include <filesystem>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/net/MessageId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/gallery/GalleryListDialog.h"
#include "client/scenes/gallery/GalleryShotDialog.h"
#include "client/scenes/gallery/GalleryTransport.h"
#include "client/scenes/gallery/SceneShotGallery.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/scenes/SceneHarness.h"

namespace kestrovan::test {

class FakeGallerySite : public GalleryTransport {
public:
    struct Request {
        std::string path;
        std::string body;
        std::thread::id thread;
    };

    std::optional<std::string> Post(std::string_view path, std::string_view body,
                                    const std::atomic<bool>& cancel) override {
        std::unique_lock hold(mutex_);
        requests_.push_back({std::string(path), std::string(body), std::this_thread::get_id()});
        // A silent site answers when it speaks again, or nothing when the post is given up or after ten seconds.
        ++waiting_;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (silent_ && !cancel && std::chrono::steady_clock::now() < deadline)
            changed_.wait_for(hold, std::chrono::milliseconds(10));
        --waiting_;
        if (silent_ || cancel)
            return std::nullopt;
        const auto found = replies_.find(std::string(path));
        if (found == replies_.end())
            return std::nullopt;
        return found->second;
    }
    void SetSilent(bool silent) {
        std::lock_guard hold(mutex_);
        silent_ = silent;
        changed_.notify_all();
    }
    // Posts waiting for a silent site to speak.
    int Waiting() const {
        std::lock_guard hold(mutex_);
        return waiting_;
    }

    // Every later post of the path gets the reply (nothing: the site fails).
    void Reply(std::string_view path, std::optional<std::string> reply) {
        std::lock_guard hold(mutex_);
        if (reply) {
            replies_[std::string(path)] = *reply;
        } else {
            replies_.erase(std::string(path));
        }
    }
    std::vector<Request> Requests() const {
        std::lock_guard hold(mutex_);
        return requests_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, std::string> replies_;
    std::vector<Request> requests_;
    bool silent_ = false;
    int waiting_ = 0;
};

// The screen as the program makes it, on the stand-in site.
class TestGallery : public SceneShotGallery {
public:
    explicit TestGallery(App& app) : TestGallery(app, new FakeGallerySite()) {}
    FakeGallerySite& Site() const { return *site_; }

private:
    TestGallery(App& app, FakeGallerySite* site)
        : SceneShotGallery(app, std::unique_ptr<GalleryTransport>(site)), site_(site) {}
    FakeGallerySite* site_;
};

// Fields of a reply, each ended by "<BR>".
inline std::string Reply(std::initializer_list<std::string> fields) {
    std::string reply;
    for (const std::string& field : fields)
        reply += field + "<BR>";
    return reply;
}

class GalleryScreen : public SceneHarness<TestGallery> {
protected:
    // With dispatchThread the connection's dispatch thread delivers what the server sends; without, it answers
    // the server's greeting and stops, and the test delivers the server's messages itself (Receive).
    explicit GalleryScreen(bool dispatchThread = false) {
        server.GreetWithHello();
        GameConnection& connection = *app.Connection();
        connection.SetServerAddress(server.Host(), server.Port());
        connection.LocalPlayer().name = u"me";
        connection.LocalPlayer().stickerCount = 5;
        connection.StartDispatchThread();
        connection.Connect();
        connected = server.WaitForMessage(quill::MessageId::LoginRequest).has_value();
        if (!dispatchThread)
            connection.StopDispatchThread();
    }
    ~GalleryScreen() override { app.Connection()->StopDispatchThread(); }

    FakeGallerySite& Site() { return scene->Site(); }
    // What the game thread does each frame, until the windows have shown every reply of the site.
    void GameFrame() {
        Eventually([&] {
            scene->Update(0, 0, {});
            return !scene->ListDialog()->IsFetchPending() && !scene->ShotDialog()->IsFetchPending();
        });
    }
    // The events the windows posted, handled as the game thread handles them.
    void HandlePosted() { app.DrainPostedEvents(); }

    // The screen's table on the game data, as the shell's load makes it.
    bool LoadTable() {
        RegisterItemModels();
        std::filesystem::copy(KV_DATA_FOLDER, fixture.folder.Path() / "data", std::filesystem::copy_options::recursive);
        if (!app.InitRenderer())
            return false;
        return scene->LoadResources(app.GetResourceManager(), app.GetDevice()) == 0;
    }

    std::vector<uint8_t> Sent(quill::MessageId id) {
        if (!server.WaitForMessage(id, 3000))
            return {};
        std::vector<uint8_t> last;
        for (const kvtest::ServerMessage& message : server.Received())
            if (message.id == id)
                last = message.bytes;
        return last;
    }

    kvtest::GameServerFixture server;
    bool connected = false;
};

}  // namespace kestrovan::test
