#include "client/app/Scene.h"
#include "client/app/SceneManager.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "AppTestWindow.h"
#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/render/RenderScene.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"
#include "client/app/CatalogWidgetResources.h"
#include "client/app/DirectInputMouse.h"
#include "client/app/DeviceWidgetRenderer.h"
#include "client/app/MessengerPopup.h"
#include "client/app/SceneId.h"
#include "client/app/Settings.h"
#include "client/app/UiFonts.h"
#include "client/connection/ConnectionNotice.h"
#include "client/ui/Button.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"
#include "client/ui/Window.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"
#include "tests/support/gfx/SceneModels.h"
#include "tests/support/gfx/TestEngineFactory.h"

namespace kestrovan {
namespace {

class RecordingScene : public Scene {
public:
    explicit RecordingScene(int32_t id, int failLoad = 0) : Scene(id), failLoad_(failLoad) {}
    void Init() override {}
    void Activate() override {
        Enter("Activate");
        ++activations;
    }
    int LoadResources(quill::ResourceManager*, D3D9RenderDevice*) override {
        Enter("LoadResources");
        return failLoad_;
    }
    bool OnEnter() override {
        Enter("OnEnter");
        SetLoadWanted(true);
        return true;
    }
    void Render(D3D9RenderDevice*, bool) override { Enter("Render"); }
    bool Poll() override {
        Enter("Poll");
        return false;
    }
    void OnActivate(bool active) override {
        Enter("OnActivate");
        if (!active) ++deactivations;
    }
    void OnCaptionHover(bool) override { Enter("OnCaptionHover"); }
    void OnSettingsChanged(const Settings&) override { Enter("OnSettingsChanged"); }
    void OnResize(uint32_t width, uint32_t height) override {
        Enter("OnResize");
        Scene::OnResize(width, height);
    }
    int OnMessage(uint32_t id, uint64_t, int64_t) override {
        Enter("OnMessage");
        messages.push_back(id);
        return 1;
    }
    void Update(uint32_t, int64_t, const MouseMotion&) override {
        Enter("Update");
        ++updates;
    }
    void TakeMotionBeforeRelease(int64_t, const MouseMotion& motion) override {
        Enter("TakeMotionBeforeRelease");
        handedOver.push_back(motion.dy);
    }
    void TickWidgets(uint32_t) override {
        Enter("TickWidgets");
        ++widgetTicks;
    }
    // Packets and leaving note themselves; onPacket and onLeave, when set, run inside (other threads).
    int OnPacket(quill::MessageId id, quill::Packet&) override {
        Enter("OnPacket");
        packets.push_back(id);
        if (inLeave) packetDuringLeave = true;
        if (onPacket) onPacket();
        return 0;
    }
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override {
        Enter("OnLeave");
        inLeave = true;
        if (onLeave) onLeave();
        inLeave = false;
        ++leaves;
        return Scene::OnLeave(resources, renderScenes);
    }

    int activations = 0;
    int deactivations = 0;
    int updates = 0;
    int widgetTicks = 0;
    std::vector<int32_t> handedOver;
    std::vector<uint32_t> messages;
    std::vector<quill::MessageId> packets;
    std::function<void()> onPacket;
    std::function<void()> onLeave;
    std::atomic<bool> inLeave{false};
    std::atomic<bool> packetDuringLeave{false};
    std::atomic<int> leaves{0};
    // Set by the test: the entries that ran without the calling thread holding that lock.
    const quill::CriticalSectionLock* tree = nullptr;
    std::vector<std::string> unlockedEntries;

private:
    void Enter(const char* entry) {
        if (tree != nullptr && tree->Owner() != platform::CurrentThreadId()) unlockedEntries.emplace_back(entry);
    }

    int failLoad_;
};

// What the widgets of these scenes need: no window, no device, no packs.
class WindowlessUiServices : public UiServices {
public:
    uint16_t GetScreenWidth() const override { return 1024; }
    uint16_t GetScreenHeight() const override { return 768; }
    bool IsUiUpdateEnabled() const override { return true; }
    int16_t GetKeyState(int32_t key) const override {
        return key >= 0 && key < 256 && keysDown[static_cast<size_t>(key)] ? static_cast<int16_t>(0x8000) : 0;
    }
    void PlaySound(uint32_t) override {}
    EditBridge* GetEditBridge() override { return nullptr; }
    const FontDesc& GetDefaultFont() const override { return UiFontAt(UiFont::Regular14); }

    std::array<bool, 256> keysDown{};
};

// A window that its button closes, as the game's result board.
class ClosingWindow : public Window {
public:
    bool OnEvent(Widget*, int32_t, int32_t) override {
        SetVisible(false);
        return true;
    }
};

// Records which parent each show operation was given.
// A messenger that records what the scene manager asks of it.
class RecordingMessenger : public MessengerPopup {
public:
    void LoadWindowGraphics(uint32_t) override {}
    void OnChatLine(quill::Packet&, bool) override {}
    void OnServerMessage(quill::MessageId, quill::Packet&) override {}
    void OnClanCreateResult(quill::Packet&) override {}
    void RefreshMemberList() override {}
    void OnFriendRemoved(uint8_t, const quill::PlayerState&) override {}
    void OnClanMemberJoined(const quill::PlayerState&) override {}
    void OnClanMemberLeft(const quill::PlayerState&) override {}
    void OnMemberPresence(uint8_t, const quill::PlayerState&, bool) override {}
    void AttachToScreen(Widget& screen) override { screens.push_back(&screen); }
    void Toggle(Widget&) override {}
    bool IsOpen() const override { return false; }
    void ShowPending() override { ++passes; }
    void ShowNextRequest() override {}
    void OpenClanDialog() override { ++clanDialogs; }
    void AskAboutMember(const quill::PlayerState&, int32_t) override {}
    void AskDeleteFriend(const quill::PlayerState&) override {}
    void ReleaseChatFocus() override {}
    void FocusChatEntry() override {}

    std::vector<Widget*> screens;
    int clanDialogs = 0;
    int passes = 0;
};

class RecordingPopups : public SharedPopups {
public:
    void LoadGraphics(uint32_t) override { ++loads; }
    void ShowErrorBox(Widget& parent, quill::WStringView line0, quill::WStringView, quill::WStringView) override {
        shown.push_back({&parent, quill::WString(line0)});
    }
    void ShowNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView, quill::WStringView,
                       quill::WStringView) override {
        shown.push_back({&parent, quill::WString(line0)});
    }
    void ShowSecondNoticeBox(Widget& parent, quill::WStringView line0, quill::WStringView,
                             quill::WStringView) override {
        shown.push_back({&parent, quill::WString(line0)});
    }
    void ShowBox(Widget& parent, const ConnectionNotice& notice, uint32_t layout) override {
        shown.push_back({&parent, notice.lines[0], layout});
    }
    void ShowInvitation(Widget& parent, const Invitation&) override { shown.push_back({&parent, u"invitation"}); }
    void ShowFeatureNotice(Widget& parent) override { shown.push_back({&parent, u"feature"}); }
    void HideMessageBoxes() override { ++boxesHidden; }
    NoticeBox* GetMessageBox() override { return nullptr; }
    NoticeBox* GetSecondMessageBox() override { return nullptr; }
    MessengerPopup* GetMessenger() override { return &messenger; }
    ProfilePopup* GetProfilePopup() override { return nullptr; }

    RecordingMessenger messenger;
    struct Shown {
        Widget* parent;
        quill::WString line;
        uint32_t layout = 0;
    };
    std::vector<Shown> shown;
    int loads = 0;
    int boxesHidden = 0;
};

class FakeSceneHost : public SceneManagerHost {
public:
    void PostQuit() override { ++quits; }
    void SetDeviceDialogBoxMode(bool enable) override { dialogBoxMode = enable; }
    void ShowLoadErrorBox(quill::WStringView text) override { boxes.emplace_back(text); }
    quill::ResourceManager* GetResourceManager() override { return nullptr; }
    quill::RenderSceneManager* GetRenderScenes() override { return renderScenes; }
    D3D9RenderDevice* GetDevice() override { return nullptr; }
    const Settings& GetSettings() const override { return settings; }
    void SendClanLeave() override { ++clanLeaveSends; }
    void PostEvent(uint32_t id, uint32_t, uint32_t, uint32_t) override { posted.push_back(id); }

    quill::RenderSceneManager* renderScenes = nullptr;
    int quits = 0;
    int clanLeaveSends = 0;
    bool dialogBoxMode = false;
    std::vector<quill::WString> boxes;
    std::vector<uint32_t> posted;
    Settings settings;
};

class SceneManagerTest : public ::testing::Test {
protected:
    SceneManagerTest() {
        manager.SetHost(&host);
        intro = Add(SceneId::Intro);
        login = Add(SceneId::Login);
    }
    RecordingScene* Add(int32_t id, int failLoad = 0) {
        auto scene = std::make_unique<RecordingScene>(id, failLoad);
        RecordingScene* raw = scene.get();
        manager.AddScene(std::move(scene));
        return raw;
    }
    // The frame step's switch and load.
    int Step() {
        manager.PerformPendingSwitch(nullptr);
        return manager.LoadPendingScene();
    }

    WindowlessUiServices services;
    CatalogWidgetResources resources{[] { return nullptr; }, [] { return nullptr; }};
    DeviceWidgetRenderer renderer{[] { return nullptr; }};
    WidgetToolkit toolkit{services, resources, renderer};
    FakeSceneHost host;
    SceneManager manager;
    RecordingScene* intro;
    RecordingScene* login;
};

TEST_F(SceneManagerTest, SwitchLoadsInTheSameStepAndRefusesUnknownIds) {
    EXPECT_FALSE(manager.AddScene(std::make_unique<RecordingScene>(SceneId::Intro)));
    EXPECT_EQ(manager.SceneCount(), 2u);
    ASSERT_TRUE(manager.SwitchTo(SceneId::Intro));
    EXPECT_EQ(Step(), 1);
    EXPECT_TRUE(intro->IsReady());
    EXPECT_EQ(intro->activations, 1);

    intro->RequestSceneChange(SceneId::Login);
    EXPECT_EQ(Step(), 1);  // the new scene's OnEnter asks for its load, which follows at once
    EXPECT_EQ(manager.Current(), login);
    EXPECT_EQ(manager.PreviousId(), SceneId::Intro);
    EXPECT_FALSE(intro->IsVisible());

    // An id without a scene: refused, the current scene stays and takes messages again.
    EXPECT_FALSE(manager.SwitchTo(SceneId::Lobby));
    login->RequestSceneChange(SceneId::Lobby);
    EXPECT_EQ(Step(), 0);
    EXPECT_EQ(manager.Current(), login);
    EXPECT_FALSE(login->IsChangePending());
    EXPECT_TRUE(manager.OnMessage(1100, 0, 0));
}

TEST_F(SceneManagerTest, MessagesWaitForAReadySceneAndQuitAlwaysWorks) {
    EXPECT_FALSE(manager.OnMessage(1100, 0, 0));  // no current scene
    manager.SwitchTo(SceneId::Intro);
    EXPECT_FALSE(manager.OnMessage(1100, 0, 0));  // still loading
    EXPECT_TRUE(manager.OnMessage(quill::AppEventId::AppQuit, 0, 0));
    EXPECT_EQ(host.quits, 1);
    Step();
    EXPECT_TRUE(manager.OnMessage(quill::AppEventId::MessengerControlSend, SceneManager::kMessengerWindowParam, 0));
    EXPECT_EQ(host.clanLeaveSends, 1);
    EXPECT_EQ(intro->messages, (std::vector<uint32_t>{quill::AppEventId::MessengerControlSend}));
    manager.SendChatMacro(3, u"hello");
    EXPECT_EQ(host.posted, (std::vector<uint32_t>{quill::AppEventId::ChatSubmit}));
}

TEST_F(SceneManagerTest, PacketsReachOnlyASceneThatCanTakeThem) {
    quill::Packet packet;
    EXPECT_FALSE(manager.DeliverPacket(quill::MessageId::LobbyChat, packet)) << "no current scene";
    manager.SwitchTo(SceneId::Intro);
    EXPECT_FALSE(manager.DeliverPacket(quill::MessageId::LobbyChat, packet)) << "still loading";
    Step();
    EXPECT_TRUE(manager.DeliverPacket(quill::MessageId::LobbyChat, packet));
    intro->RequestSceneChange(SceneId::Login);
    EXPECT_FALSE(manager.DeliverPacket(quill::MessageId::LobbyEntered, packet)) << "leaving";
    EXPECT_EQ(intro->packets, (std::vector<quill::MessageId>{quill::MessageId::LobbyChat}));
    EXPECT_TRUE(login->packets.empty());
}

// The dispatch thread's OnPacket and the frame step's OnLeave exclude each other: a switch asked for while a
// packet is being handled waits for the handler to end, and a packet that comes while the scene is being left
// waits for the switch, after which the scene no longer takes it.
TEST_F(SceneManagerTest, NoPacketIsHandledWhileTheSceneIsLeft) {
    manager.SwitchTo(SceneId::Intro);
    Step();
    std::promise<void> handling;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    intro->onPacket = [&] {
        handling.set_value();
        released.wait();
    };
    std::thread dispatch([&] {
        quill::Packet packet;
        manager.DeliverPacket(quill::MessageId::LobbyChat, packet);
    });
    handling.get_future().wait();
    intro->RequestSceneChange(SceneId::Login);
    std::thread frame([&] { manager.PerformPendingSwitch(nullptr); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(intro->leaves.load(), 0) << "the switch waits for the handler";
    release.set_value();
    dispatch.join();
    frame.join();
    EXPECT_EQ(intro->leaves.load(), 1);

    // Now the other way round: a packet arriving while the login screen is left for a screen not loaded yet.
    manager.LoadPendingScene();
    RecordingScene* lobby = Add(SceneId::Lobby);
    std::promise<void> leaving;
    std::promise<void> leave;
    std::shared_future<void> left = leave.get_future().share();
    login->onLeave = [&] {
        leaving.set_value();
        left.wait();
    };
    login->RequestSceneChange(SceneId::Lobby);
    std::thread switching([&] { manager.PerformPendingSwitch(nullptr); });
    leaving.get_future().wait();
    std::atomic<bool> delivered{true};
    std::thread late([&] {
        quill::Packet packet;
        delivered = manager.DeliverPacket(quill::MessageId::LobbyChat, packet);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    leave.set_value();
    switching.join();
    late.join();
    EXPECT_FALSE(login->packetDuringLeave.load());
    EXPECT_FALSE(delivered.load()) << "the next scene is still loading";
    EXPECT_TRUE(login->packets.empty());
    EXPECT_TRUE(lobby->packets.empty());
}

TEST_F(SceneManagerTest, UpdatesFadeAndTickWidgetsEveryFourth) {
    manager.SwitchTo(SceneId::Intro);
    Step();
    EXPECT_EQ(intro->FadeAlpha(), 0.0f);
    for (int i = 0; i < 8; ++i) manager.UpdateCurrentScene(0, 0);
    EXPECT_EQ(intro->updates, 8);
    EXPECT_EQ(intro->widgetTicks, 2);
    EXPECT_NEAR(intro->FadeAlpha(), 0.08f, 1e-5f);
    for (int i = 0; i < 100; ++i) manager.UpdateCurrentScene(0, 0);
    EXPECT_EQ(intro->FadeAlpha(), 1.0f);
    EXPECT_EQ(intro->FadeState(), 0);
}

// The motion made before a release goes to the screen ahead of it as input alone: no update of the screen (its
// physics, camera and fades keep to the game thread's ticks), and the next tick reads only what came after.
TEST_F(SceneManagerTest, MotionAheadOfAReleaseIsHandedOverAsInputAlone) {
    test::AppTestWindow app;
    platform::InputEvent focus;
    focus.kind = platform::InputEventKind::FocusGained;
    app.Feed(focus);
    DirectInputMouse mouse;
    ASSERT_EQ(mouse.Create(*app.window), 0u);
    manager.SwitchTo(SceneId::Intro);
    Step();
    const int updates = intro->updates;
    platform::InputEvent motion;
    motion.dy = 40;
    app.Feed(motion);
    manager.HandOverMotionBeforeRelease(0, mouse);
    manager.HandOverMotionBeforeRelease(0, mouse);  // nothing moved since
    EXPECT_EQ(intro->handedOver, (std::vector<int32_t>{40}));
    EXPECT_EQ(intro->updates, updates);
    motion.dy = -7;
    app.Feed(motion);
    EXPECT_EQ(mouse.Update().dy, -7);
}

TEST_F(SceneManagerTest, FailedLoadShowsItsBoxInDialogBoxMode) {
    Add(SceneId::Alone, 7);
    manager.SwitchTo(SceneId::Alone);
    EXPECT_EQ(Step(), -1);
    EXPECT_TRUE(host.dialogBoxMode);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].substr(0, 30), u"Loading error-2 (file: pack: t");
    EXPECT_TRUE(host.boxes[0].ends_with(u")\r\rReinstall Kestrovan after Remove"));
    EXPECT_EQ(LoadingErrorText(1, u"Common", u"UIEn", 1),
              u"Loading error-1 (file:Common pack:UIEn type:1)\r\rReinstall Kestrovan after Remove");
}

TEST_F(SceneManagerTest, WindowInputReachesTheWidgetsFirstThenTheScene) {
    Button* button = intro->CreateButton(100, 100, 80, 30, 7, -1, 35, 0, 0);
    manager.SwitchTo(SceneId::Intro);
    EXPECT_FALSE(manager.HandleWindowMessage(platform::Msg::LButtonDown, 0, platform::MakePointLParam(110, 110)));
    Step();
    // The button under the press takes it, and the release where it went though it lands elsewhere; a key the
    // widgets leave goes on to the scene.
    EXPECT_TRUE(manager.HandleWindowMessage(platform::Msg::LButtonDown, 0, platform::MakePointLParam(110, 110)));
    EXPECT_EQ(button->GetState(), WidgetState::Pressed);
    EXPECT_FALSE(manager.HandleWindowMessage(platform::Msg::LButtonUp, 0, platform::MakePointLParam(500, 500)));
    EXPECT_EQ(button->GetState(), WidgetState::Normal);
    EXPECT_TRUE(manager.HandleWindowMessage(platform::Msg::Char, 27, 0));
    EXPECT_EQ(intro->messages, (std::vector<uint32_t>{platform::Msg::Char}));
    // A press the widgets leave goes to the scene, and so does its release, though it lands on the button (a
    // checked radio refuses a press and takes a release: the scene would stay in the drag its press began).
    EXPECT_TRUE(manager.HandleWindowMessage(platform::Msg::RButtonDown, 0, platform::MakePointLParam(500, 500)));
    EXPECT_TRUE(manager.HandleWindowMessage(platform::Msg::RButtonUp, 0, platform::MakePointLParam(110, 110)));
    EXPECT_EQ(intro->messages,
              (std::vector<uint32_t>{platform::Msg::Char, platform::Msg::RButtonDown, platform::Msg::RButtonUp}));

    // A resize covers the new screen with the root.
    manager.ResizeAll(1280, 1024);
    EXPECT_EQ(intro->Width(), 1280);
    EXPECT_EQ(intro->Height(), 1024);
}

// A key held on the table while a modal window opens (the help, a server notice) would otherwise leave its mode
// on: the window swallows the key-up. A press on a screen that is left since lets go with the screen.
TEST_F(SceneManagerTest, AReleaseGoesWhereItsPressWentWhateverOpenedOrWasLeftMeanwhile) {
    namespace Msg = platform::Msg;
    namespace Vk = platform::Vk;
    manager.SwitchTo(SceneId::Intro);
    Step();
    auto owned = std::make_unique<Window>();
    owned->Create(100, 100, 300, 200, -1, -1);
    Window* help = owned.get();
    intro->AddChild(std::move(owned), true);
    help->SetVisible(false);
    const auto repeat = platform::MakeKeyLParam({.wasDown = true});

    // Escape opens a window whose close button has Escape for its hot key: the key's repeats and the characters
    // they type go where its first press went, past the window, so they press nothing there that the key-up
    // would not release.
    Button* close = help->CreateButton(10, 10, 40, 20, 1, Vk::Escape, 0, 0, 0);
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::KeyDown, Vk::Escape, 0));
    help->SetVisible(true);
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::KeyDown, Vk::Escape, repeat));
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::Char, 27, repeat));
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::KeyUp, Vk::Escape, 0));
    EXPECT_NE(close->GetState(), WidgetState::Pressed);
    EXPECT_EQ(intro->messages, (std::vector<uint32_t>{Msg::KeyDown, Msg::KeyDown, Msg::Char, Msg::KeyUp}))
        << "the repeats and the key-up went where the key-down went, past the modal window";
    intro->messages.clear();

    // A key the modal window took keeps its repeats and key-up with the widgets.
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::KeyDown, Vk::Shift, 0));
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::KeyDown, Vk::Shift, repeat));
    help->SetVisible(false);
    EXPECT_FALSE(manager.HandleWindowMessage(Msg::KeyUp, Vk::Shift, 0));
    EXPECT_TRUE(intro->messages.empty());

    // A button held while the screen changes: the screen lets go as it is left, and its release is nobody's.
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::LButtonDown, 0, platform::MakePointLParam(500, 500)));
    intro->RequestSceneChange(SceneId::Login);
    Step();
    EXPECT_EQ(intro->deactivations, 1);
    EXPECT_FALSE(manager.HandleWindowMessage(Msg::LButtonUp, 0, platform::MakePointLParam(500, 500)));
    EXPECT_TRUE(login->messages.empty());
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::LButtonDown, 0, platform::MakePointLParam(500, 500)));
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::LButtonUp, 0, platform::MakePointLParam(500, 500)));
    EXPECT_EQ(login->messages, (std::vector<uint32_t>{Msg::LButtonDown, Msg::LButtonUp}));
}

// Escape held over a board whose close button has Escape for its hot key, the screen's modal menu opened at the
// key's character: the repeats stay with the button, which the key-up clicks as a tap would, though another key
// went to the menu meanwhile; no button is left pressed to eat the next key.
TEST_F(SceneManagerTest, AHeldKeysRepeatsAndReleaseStayWithTheWidgetItsPressWentTo) {
    namespace Msg = platform::Msg;
    namespace Vk = platform::Vk;
    manager.SwitchTo(SceneId::Intro);
    Step();
    auto ownedBoard = std::make_unique<ClosingWindow>();
    ownedBoard->Create(100, 100, 300, 200, -1, -1);
    ClosingWindow* board = ownedBoard.get();
    board->SetModal(false);
    Button* boardClose = board->CreateButton(10, 10, 20, 20, 1, Vk::Escape, 0, 0, 0);
    intro->AddChild(std::move(ownedBoard), true);
    auto ownedMenu = std::make_unique<Window>();
    ownedMenu->Create(400, 300, 100, 100, -1, -1);
    Window* menu = ownedMenu.get();
    Button* menuClose = menu->CreateButton(10, 10, 20, 20, 4, Vk::Escape, 0, 0, 0);
    intro->AddChild(std::move(ownedMenu), false);
    const auto repeat = platform::MakeKeyLParam({.wasDown = true});

    services.keysDown[Vk::Escape] = true;
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::KeyDown, Vk::Escape, 0));
    manager.HandleWindowMessage(Msg::Char, 27, 0);
    EXPECT_EQ(intro->messages, std::vector<uint32_t>{Msg::Char}) << "the button took the key, the screen its character";
    menu->SetVisible(true);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(manager.HandleWindowMessage(Msg::KeyDown, Vk::Escape, repeat));
    EXPECT_NE(menuClose->GetState(), WidgetState::Pressed);
    services.keysDown[Vk::Shift] = true;
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::KeyDown, Vk::Shift, 0)) << "the modal menu takes another key";
    services.keysDown[Vk::Escape] = false;
    EXPECT_TRUE(manager.HandleWindowMessage(Msg::KeyUp, Vk::Escape, 0));
    EXPECT_FALSE(board->IsVisible()) << "the key-up clicked the board's close button";
    EXPECT_EQ(boardClose->GetState(), WidgetState::Normal);

    menu->SetVisible(false);
    intro->messages.clear();
    services.keysDown[Vk::F1] = true;
    manager.HandleWindowMessage(Msg::KeyDown, Vk::F1, 0);
    EXPECT_EQ(intro->messages, std::vector<uint32_t>{Msg::KeyDown}) << "the next key reaches the screen";
}

TEST_F(SceneManagerTest, SharedBoxesGoToTheGivenParentOrTheCurrentScene) {
    manager.ShowErrorBox(nullptr, u"nothing to show on");
    auto owned = std::make_unique<RecordingPopups>();
    RecordingPopups* popups = owned.get();
    manager.SetPopups(std::move(owned));
    manager.ShowNoticeBox(nullptr, u"no scene yet");
    EXPECT_TRUE(popups->shown.empty());

    manager.SwitchTo(SceneId::Login);
    Step();
    manager.ShowErrorBox(nullptr, u"error");
    manager.ShowSecondNoticeBox(intro, u"second");
    ConnectionNotice notice;
    notice.lines[0] = u"from the server";
    manager.ShowConnectionNotice(notice);
    manager.ShowBox(intro, {u"Notice", {u"Connecting"}}, 2);
    ASSERT_EQ(popups->shown.size(), 4u);
    EXPECT_EQ(popups->shown[0].parent, login);
    EXPECT_EQ(popups->shown[1].parent, intro);
    EXPECT_EQ(popups->shown[2].line, u"from the server");
    EXPECT_EQ(popups->shown[2].parent, login);
    EXPECT_EQ(popups->shown[2].layout, 0u);
    EXPECT_EQ(popups->shown[3].parent, intro);
    EXPECT_EQ(popups->shown[3].layout, 2u);
    manager.LoadSharedResources(nullptr);
    EXPECT_EQ(popups->loads, 1);
}

TEST_F(SceneManagerTest, TheMessengerFollowsEachLoadedSceneAndRunsTheClanDialog) {
    auto owned = std::make_unique<RecordingPopups>();
    RecordingMessenger& messenger = owned->messenger;
    manager.SetPopups(std::move(owned));
    manager.SwitchTo(SceneId::Intro);
    Step();
    intro->RequestSceneChange(SceneId::Login);
    Step();
    EXPECT_EQ(messenger.screens, (std::vector<Widget*>{intro, login}));
    EXPECT_TRUE(manager.OnMessage(quill::AppEventId::MessengerControl, SceneManager::kMessengerWindowParam, 0));
    manager.OnMessage(quill::AppEventId::MessengerControl, 2053, 0);
    EXPECT_EQ(messenger.clanDialogs, 1) << "only the box's Yes opens the clan dialog";
    EXPECT_EQ(host.clanLeaveSends, 0);
    manager.PollCurrentScene();
    EXPECT_EQ(messenger.passes, 1) << "each pass of the main loop shows what the server's messages opened";
}

// Every way into a screen holds the widget-tree lock, so a widget is never changed by one thread while another
// draws or routes to it.
TEST_F(SceneManagerTest, EveryEntryIntoAScreenHoldsTheWidgetTreeLock) {
    intro->tree = login->tree = &manager.WidgetTreeLock();
    manager.SwitchTo(SceneId::Intro);
    Step();
    quill::Packet packet;
    manager.DeliverPacket(quill::MessageId::LobbyChat, packet);
    manager.OnMessage(1100, 0, 0);
    manager.HandleWindowMessage(platform::Msg::Char, 27, 0);
    for (int i = 0; i < 4; ++i) manager.UpdateCurrentScene(0, 0);
    manager.RenderCurrentScene(nullptr, true);
    manager.PollCurrentScene();
    manager.ActivateCurrentScene(true);
    manager.NotifyCurrentScene(true);
    manager.ApplyEffectSettings(host.settings);
    manager.ResizeAll(800, 600);
    intro->RequestSceneChange(SceneId::Login);
    Step();
    EXPECT_EQ(intro->leaves, 1);
    EXPECT_EQ(login->activations, 1);
    EXPECT_EQ(intro->unlockedEntries, std::vector<std::string>{});
    EXPECT_EQ(login->unlockedEntries, std::vector<std::string>{});
}

// A loaded screen's render scene: the water (tag 3) reflects with the water effect, also when the settings
// change later; the models of tag 4 are drawn opaque; the models of tags 6 and 7 are listed for the screen;
// the boxes of the screen before are hidden. A screen's lighting switch unlights the models of tag 2 (each
// with a material of its own) and its fog reaches the scene; its node reset lights the models of tag 5.
TEST_F(SceneManagerTest, ALoadedSceneSetsUpItsRenderSceneByTag) {
    kvtest::TestEngineFactory factory{true};
    std::unique_ptr<quill::Engine> engine = factory.CreateEngine();
    ASSERT_TRUE(engine->Initialize());
    quill::RenderSceneManager& renderScenes = *engine->GetRenderSceneManager();
    auto info = quill::make_shared<quill::SceneInfo>(u"room", std::array<float, 4>{0.3f, 0.3f, 0.3f, 1.0f});
    const quill::SharedPtr<quill::ModelObject> frame =
        kvtest::MakeFrame(kvtest::MakeQuadMesh(kvtest::MakeMaterial(0, 0, 1, 0)));
    for (uint32_t tag : {2u, 3u, 4u, 5u, 6u, 7u}) {
        kvtest::Place(*info, frame, quill::Vec3{static_cast<float>(tag), 0, 0}, 1);
        info->models.Entries().rbegin()->second->tag = tag;
    }
    quill::RenderScene* scene = renderScenes.CreateScene(info);
    ASSERT_TRUE(renderScenes.SelectScene(scene->index));
    // The scene's own placed model of the tag.
    const auto placed = [&](uint32_t tag) -> quill::ModelObject& {
        std::vector<quill::ModelObject*> found;
        scene->CollectModelObjectsByTag(tag, found);
        return *found.at(0);
    };
    const auto lit = [](quill::ModelObject& object) {
        const quill::Material& material = *object.GetAttachment()->parts[0]->material;
        return material.flagB == 0 && material.flagC == 1;
    };
    auto owned = std::make_unique<RecordingPopups>();
    RecordingPopups& popups = *owned;
    manager.SetPopups(std::move(owned));
    host.renderScenes = &renderScenes;
    host.settings.waterEffect = 1;
    manager.SwitchTo(SceneId::Intro);
    ASSERT_EQ(Step(), 1);
    EXPECT_EQ(placed(3).pose.reflection, 1);
    EXPECT_EQ(placed(4).blendMode, 0);
    EXPECT_EQ(placed(6).blendMode, 1) << "other tags keep their blend mode";
    EXPECT_EQ(popups.boxesHidden, 1);
    EXPECT_EQ(intro->TaggedObjects(6), std::vector<quill::ModelObject*>{&placed(6)});
    EXPECT_EQ(intro->TaggedObjects(7), std::vector<quill::ModelObject*>{&placed(7)});
    Settings changed;
    manager.ApplyEffectSettings(changed);
    EXPECT_EQ(placed(3).pose.reflection, 0);

    intro->ResetSceneNodes(scene);
    EXPECT_TRUE(lit(placed(5)));
    EXPECT_FALSE(lit(placed(2))) << "the material is the tag-5 model's own";
    intro->GetEnvironment().lighting = 1;
    intro->GetEnvironment().appliedLighting = 0;
    intro->GetEnvironment().appliedSecondLighting = 0;
    intro->GetEnvironment().fog = 1;
    intro->ApplyEnvironment(scene, true);
    EXPECT_TRUE(lit(placed(2)));
    EXPECT_FLOAT_EQ(placed(2).alpha, 1.0f);
    intro->GetEnvironment().lighting = 0;
    intro->ApplyEnvironment(scene, true);
    EXPECT_FALSE(lit(placed(2)));
    EXPECT_FLOAT_EQ(placed(2).alpha, 0.8f);
    EXPECT_EQ(scene->GetSceneInfo()->fogEnabled, 1);
    EXPECT_FLOAT_EQ(scene->GetSceneInfo()->fogEnd, 100.0f);
    renderScenes.SelectNoScene();
    host.renderScenes = nullptr;
}

TEST(SceneEnvironment, FogRecordFollowsScaleAndDevice) {
    Scene::Environment environment;
    environment.fog = 1;
    environment.scale = 2.0f;
    FogRecord fog = ComputeFogRecord(environment, true, 0xAA00BBCC);
    EXPECT_EQ(fog.flags, 0xAA01BBCCu);
    EXPECT_FLOAT_EQ(fog.start, 5.0f);
    EXPECT_FLOAT_EQ(fog.end, 50.0f);
    EXPECT_FLOAT_EQ(fog.density, 1.0f);
    EXPECT_FLOAT_EQ(fog.red, 0xA3 / 255.0f);
    EXPECT_EQ(ComputeFogRecord(environment, false, 0).flags, 0u);
    environment.scale = 0.0f;
    fog = ComputeFogRecord(environment, true, 0);
    EXPECT_EQ(fog.flags, 0u);
    EXPECT_EQ(fog.start, 0.0f);
}

}  // namespace
}  // namespace kestrovan
