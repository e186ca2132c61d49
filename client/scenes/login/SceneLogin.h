#pragma once
// The login screen. Behind it a table plays built-in demo shots under an orbiting camera while the credits
// fade in and out; on top it takes the player from the login window (ID and password) through the
// connection to the game server, an optional nickname, the channel list and the channel entry to the lobby.
// It also answers a game the server still holds for the player (resume) and a tournament opponent's place.
// In offline mode there is no login window: a button leads to the offline screen.
//
// Threads: see the table in client/app/Scene.h; the packet handlers change widgets and members directly. The demo shot
// crosses from Update to Render through a pending flag.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/WString.h"
#include "client/app/Scene.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/DemoShotCycle.h"
#include "client/scenes/common/TableSceneStage.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/scenes/login/AccountRecord.h"
#include "client/scenes/login/ChannelGates.h"
#include "client/scenes/login/CreditsRoll.h"
#include "client/scenes/login/ReenableTimer.h"
#include "client/table/ShotData.h"
#include "platform/gfx/GfxStructs.h"

namespace kestrovan {

class Button;
class EditBox;
class FeatureNoticePopup;
class GameConnection;
class GameTable;
class Image;
class NicknameDialog;
class ScreenServices;
class TextLabel;
class Window;

class SceneLogin : public Scene {
public:
    static constexpr size_t kChannelRows = 10;
    static constexpr int32_t kMinimumLength = 4;
    static constexpr size_t kMaximumLength = 50;

    // Control ids.
    static constexpr int32_t kExitButton = 0;
    static constexpr int32_t kSettingsButton = 1;
    static constexpr int32_t kMessengerButton = 5;
    static constexpr int32_t kPictureWindow = 9;
    static constexpr int32_t kLoginButton = 11;
    static constexpr int32_t kEnterButton = 12;
    static constexpr int32_t kRefreshButton = 13;
    static constexpr int32_t kFirstRow = 20;
    static constexpr int32_t kOfflineButton = 50;

    explicit SceneLogin(ScreenServices& app);
    ~SceneLogin() override;

    // --- Scene slots ---
    void Init() override;
    void Activate() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) override;
    int OnPacket(quill::MessageId id, quill::Packet& packet) override;
    void OnResize(uint32_t width, uint32_t height) override;
    void OnCaptionHover(bool overDragBand) override;
    void OnSettingsChanged(const Settings& settings) override;
    bool OnEvent(Widget* source, int32_t kind, int32_t key) override;

    // --- Operations ---
    void TryLogin();
    void Connect();
    void EnterChannel(int32_t row);
    void RequestChannelList();
    void ApplyCommandLineLogin();

    // --- What tests and the demo read ---
    bool IsLoggedIn() const { return loggedIn_; }
    bool IsShowingLoginFailure() const { return loginFailure_; }
    int32_t SelectedRow() const { return selectedRow_; }
    ChannelRow Row(size_t index) const;
    const AccountRecord& Account() const { return account_; }
    EditBox* IdBox() const { return idBox_; }
    EditBox* PasswordBox() const { return passwordBox_; }
    Button* LoginButton() const { return loginButton_; }
    Window* LoginWindow() const { return loginWindow_; }
    Window* ChannelWindow() const { return channelWindow_; }
    Button* RowButton(size_t index) const { return rows_[index].button; }
    TextLabel* RowCount(size_t index) const { return rows_[index].count; }
    Button* EnterButton() const { return enterButton_; }
    Button* RefreshButton() const { return refreshButton_; }
    Button* OfflineButton() const { return offlineButton_; }
    Button* MessengerButton() const { return messengerButton_; }
    NicknameDialog* Nickname() const { return nicknameDialog_; }
    Image* TitleBar() const { return titleBar_; }
    TextLabel* TitleLabel() const { return titleLabel_; }
    TextLabel* RoleLabel() const { return roleLabel_; }
    TextLabel* NameLabel() const { return nameLabel_; }
    Image* TopBar() const { return topBar_; }
    GameTable* Table() const { return stage_.Table(); }
    const DemoShotCycle& Demo() const { return demo_; }
    bool IsShotPending() const { return shotPending_; }

private:
    struct RowWidgets {
        Button* button = nullptr;
        TextLabel* caption = nullptr;
        TextLabel* count = nullptr;
    };

    // --- Layout (SceneLogin.cpp) ---
    void BuildFrame();
    void BuildLoginWindow();
    void BuildChannelWindow();
    Button* AddButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key, int32_t srcX,
                      int32_t srcY, const char16_t* caption);  // no caption (null) for a pictogram button
    void PlaceLetterbox(uint32_t width, uint32_t height);
    void RefreshTitle();
    void SetLoginControlsEnabled(bool enabled);
    void OnBoxButton(int32_t button);
    void SetChannelControlsEnabled(bool enabled);
    void HideRows();
    void SelectRow(int32_t row);
    void ShowFeatureNotice();

    // --- The server's answers (SceneLoginPackets.cpp) ---
    // The handler of a server message; null for an id the login screen does not know.
    using PacketHandler = void (*)(SceneLogin& login, quill::Packet& packet);
    static PacketHandler FindPacketHandler(quill::MessageId id);
    void OnConnectionLost();
    void OnConnectFailed(quill::Packet& packet);
    void OnLoginResult(quill::Packet& packet);
    void OnLoggedIn(quill::Packet& packet);
    void OnLoginFailed(quill::Packet& packet);
    void OnNicknameCreateResult(quill::Packet& packet);
    void OnChannelList(quill::Packet& packet);
    void FillRow(size_t index, const ChannelRow& row);
    void OnChannelEnterResult(quill::Packet& packet);
    void OnResumeGameNotice(quill::Packet& packet);
    void OnResumeGame(quill::Packet& packet);
    void OnFriendWhere(quill::Packet& packet);
    // False, after the not-sent notice, when the request did not go.
    bool SendChannelListRequest();

    // --- The demo table and the credits (SceneLoginDemo.cpp) ---
    // The room scene of "Map0000" and the table on it with its models; false when something is missing.
    bool CreateDemoTable(quill::ResourceManager& resources, D3D9RenderDevice& device);
    // Shown: frames come at the demo's rate (or the display's, where that is lower); left: at the display's.
    void PaceDemo(bool shown);
    void ReleaseDemoTable();
    void ResetDemo();
    void SetUpDemoCamera();
    void LoadNextDemoShot();
    void ApplyPendingShot();
    void UpdateDemo(int64_t clockTenthMs);
    void PlayDemoShot();
    void UpdateCredits();
    void ShowCredit();
    void RunTimers();

    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender requests_;
    // The requests whose answers give the controls back: the channel list, a channel's entry, a nickname.
    AwaitedRequest awaited_;
    TitleBarButtons titleBarButtons_;
    bool built_ = false;
    bool resourcesLoaded_ = false;
    bool firstActivation_ = true;

    quill::WString loginId_;
    quill::WString password_;
    std::atomic<bool> loggedIn_{false};
    std::atomic<bool> loginFailure_{false};
    // A LoginAccepted waits in the App's queue (set on the dispatch thread, cleared on the game thread as it is
    // taken): however often the server repeats its answer, one opening of the nickname dialog is queued.
    std::atomic<bool> nicknameOpenQueued_{false};
    AccountRecord account_;

    std::array<ChannelRow, kChannelRows> channelRows_{};
    std::array<RowWidgets, kChannelRows> rows_{};
    std::atomic<int32_t> selectedRow_{-1};
    ReenableTimer listTimer_;
    ReenableTimer entryTimer_;

    // Widgets, owned by the tree.
    Image* topBar_ = nullptr;
    Image* bottomBar_ = nullptr;
    Image* titleBar_ = nullptr;
    TextLabel* titleLabel_ = nullptr;
    TextLabel* roleLabel_ = nullptr;
    TextLabel* nameLabel_ = nullptr;
    TextLabel* shotByLabel_ = nullptr;
    Button* messengerButton_ = nullptr;
    Window* loginWindow_ = nullptr;
    EditBox* idBox_ = nullptr;
    EditBox* passwordBox_ = nullptr;
    Button* loginButton_ = nullptr;
    Button* offlineButton_ = nullptr;
    Window* channelWindow_ = nullptr;
    Button* enterButton_ = nullptr;
    Button* refreshButton_ = nullptr;
    NicknameDialog* nicknameDialog_ = nullptr;
    FeatureNoticePopup* featureNotice_ = nullptr;

    // The demo table on its room scene, drawn only between the letterbox bars (the whole screen without bars).
    TableSceneStage stage_;
    std::optional<platform::gfx::Rect> demoBand_;
    int32_t displayRate_ = 0;  // the frames a second before the demo slowed them, 0 while it does not
    DemoShotCycle demo_;
    CreditsRoll credits_;
    ShotData shot_;
    quill::WString shotNickname_;
    std::atomic<bool> shotPending_{false};
};

}  // namespace kestrovan
