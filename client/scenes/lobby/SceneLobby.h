#pragma once
// The lobby of one channel: the channel's rooms (joined by a click, by quick join or created with the
// creation dialog), the players in the channel or the player's friends with a context menu on each, the
// channel chat, and the ways out to the practice room, the school, the shop, the shot gallery and the channel
// list. Behind the widgets a table replays yesterday's best shots under a slowly orbiting camera.
//
// Threads (Scene.h): the packet handlers (SceneLobbyPackets.cpp) run on the connection's dispatch thread; Update
// on the game thread; control events, application events (SceneLobbyEvents.cpp), the chat send, Init, loading,
// Activate, Render and OnLeave on the main thread. The room table, the user table and the chat log
// are shared by them and guarded by the one lock of the screen (lock_); flags read across threads are
// atomic. Web pages asked for by an application event go through the lobby's event queue to Render.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/EventQueue.h"
#include "QuillLib/core/WString.h"
#include "client/app/Scene.h"
#include "client/scenes/common/PlayerListRow.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/scenes/lobby/ChatFloodGuard.h"
#include "client/scenes/lobby/LobbyChatLog.h"
#include "client/scenes/lobby/LobbyRoomTable.h"
#include "client/scenes/lobby/LobbyRules.h"
#include "client/scenes/lobby/LobbyUserTable.h"
#include "client/table/ShotData.h"

namespace quill {
class RenderScene;
}

namespace kestrovan {

class App;
class AppTableHost;
class Button;
class EditBox;
class EventPagePopup;
class GameConnection;
class GameTable;
class HelpWindow;
class Image;
class InProgressDialog;
class LobbyImageWindow;
class LobbyPageWindow;
class NoticeBox;
class RenderSceneCameras;
class RoomCreateDialog;
class RoomDetailPanel;
class RoomListRow;
class RoomPasswordPopup;
class RoomSettingDialog;
class ScrollBar;
class TextLabel;
class TournamentPopups;
class WebPages;
class Window;

class SceneLobby : public Scene {
public:
    // Control ids.
    static constexpr int32_t kQuit = 1;
    static constexpr int32_t kSettings = 2;
    static constexpr int32_t kHelp = 3;
    static constexpr int32_t kMyInfo = 4;
    static constexpr int32_t kMessenger = 5;
    static constexpr int32_t kLobbyUsersTab = 11;
    static constexpr int32_t kFriendsTab = 12;
    static constexpr int32_t kListAll = 13;
    static constexpr int32_t kWaitingFirst = 14;
    static constexpr int32_t kCreateRoom = 20;
    static constexpr int32_t kQuickJoin = 21;
    static constexpr int32_t kShotGallery = 102;
    static constexpr int32_t kPractice = 104;
    static constexpr int32_t kSchool = 105;
    static constexpr int32_t kChannelList = 106;
    static constexpr int32_t kItemShop = 107;
    static constexpr int32_t kTournamentInfo = 108;
    static constexpr int32_t kWebPage = 109;
    static constexpr int32_t kRoomScroll = 150;
    static constexpr int32_t kUserScroll = 151;
    static constexpr int32_t kChatScroll = 152;
    static constexpr int32_t kFirstFilter = 200;
    static constexpr int32_t kFirstRoomRow = 400;
    static constexpr int32_t kFirstUserRow = 420;
    static constexpr int32_t kViewInfo = 490;
    static constexpr int32_t kJoinWithEntry = 491;
    static constexpr int32_t kFriendEntry = 492;
    static constexpr int32_t kInviteClan = 493;

    static constexpr size_t kRoomRows = 6;
    static constexpr size_t kChatLines = 6;
    static constexpr int32_t kChatInputLength = 58;
    static constexpr uint32_t kEventQueueSize = 32;

    explicit SceneLobby(App& app);
    ~SceneLobby() override;

    // --- Scene slots ---
    void Init() override;
    void Activate() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs) override;
    int OnPacket(quill::MessageId id, quill::Packet& packet) override;
    void OnResize(uint32_t width, uint32_t height) override;
    void OnActivate(bool active) override;
    void OnSettingsChanged(const Settings& settings) override;
    // The windowed frame's title bar shows while the cursor is over the drag band.
    void OnCaptionHover(bool overDragBand) override { ShowTitleBar(overDragBand); }
    void ShowTitleBar(bool shown);
    void AddChatLine(quill::WStringView text, uint32_t value) override { AddNoticeLine(text, value); }
    bool OnEvent(Widget* source, int32_t kind, int32_t key) override;

    // --- The room list ---
    void RefreshRoomList();
    void SetListOrder(LobbyRoomTable::Order order);
    void JoinRoom(int32_t room);
    void JoinRoomWithPassword(int32_t room, quill::WStringView password);
    void QuickJoin();
    void SendCreateRoom();

    // --- The user list ---
    void SelectUserTab(int32_t tab);
    void RefreshUserList();

    // --- The chat (SceneLobbyChat.cpp) ---
    // True when the input may be cleared: sent, taken as a command, or refused for a ban.
    bool SendChat(quill::WStringView text);
    void AddNoticeLine(quill::WStringView text, uint32_t colour);
    void RefreshChatView();

    // --- Application events (SceneLobbyEvents.cpp) ---
    void FollowJoinTarget();
    void TutorialGate();
    void ShowExpiredItems();
    // Main thread: ExpiredItemsSeen when expired items are still owned, then EnterShop and the shop.
    void GoToShop();
    bool CheckTournamentEntry();
    void ShowYesterdayBest();

    // --- What tests read ---
    bool IsJoinPending() const { return joinPending_; }
    int32_t UserTab() const { return userTab_; }
    int32_t ActivationCount() const { return activationCount_; }
    int32_t RoomRowsShown() const { return roomRowsShown_; }
    RoomListRow* RoomRow(size_t k) const { return roomRows_[k]; }
    PlayerListRow* UserRow(size_t k) const { return userRows_[k]; }
    TextLabel* ChatLineLabel(size_t k) const { return chatLabels_[k]; }
    EditBox* ChatInput() const { return chatInput_; }
    TextLabel* ChannelLabel() const { return channelLabel_; }
    TextLabel* TitleLabel() const { return titleLabel_; }
    TextLabel* BestShotLabel() const { return bestShotLabel_; }
    Window* ContextMenu() const { return contextMenu_; }
    Button* ContextEntry(size_t k) const { return contextEntries_[k]; }
    Button* FilterButton(int32_t mode) const;
    Button* CreateButton() const { return createButton_; }
    Button* QuickJoinButton() const { return quickJoinButton_; }
    Button* OrderButton(int32_t order) const { return orderButtons_[static_cast<size_t>(order)]; }
    ScrollBar* RoomScroll() const { return roomScroll_; }
    RoomDetailPanel* DetailPanel() const { return detailPanel_; }
    RoomPasswordPopup* PasswordPopup() const { return passwordPopup_; }
    RoomSettingDialog* PracticeDialog() const { return practiceDialog_; }
    RoomCreateDialog* CreateDialog() const { return createDialog_; }
    EventPagePopup* EventPopup() const { return eventPopup_; }
    InProgressDialog* InProgress() const { return inProgress_; }
    LobbyImageWindow* ImageWindow() const { return imageWindow_; }
    LobbyPageWindow* PageWindow() const { return pageWindow_; }
    Image* CornerImage() const { return corner_; }
    GameTable* Table() const { return table_.get(); }
    bool IsWebWindowOpen() const;
    int32_t WebWindowsOpened() const { return webWindowsOpened_; }
    const quill::WString& LastWebPage() const { return lastWebPage_; }
    bool IsShotReloadPending() const { return reloadPending_; }
    size_t BestShotIndex() const { return bestShotIndex_; }
    // Copies under the screen's lock.
    std::vector<LobbyChatLine> ChatLines() const;
    int32_t UserCount() const;
    int32_t UserRecordsInUse() const;
    int32_t QuickJoinCursor() const;

private:
    // --- Layout (SceneLobby.cpp) ---
    Button* AddButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                      int32_t texture, int32_t srcX, int32_t srcY, const char16_t* caption);
    void BuildChatPanel();
    void BuildUserPanel();
    void BuildRoomPanel();
    void BuildFilterButtons();
    void BuildTitleAndButtons();
    void BuildContextMenu();
    void BuildPopups();
    void BuildPictureWindows(const PopupWindow::EventPoster& poster);
    ScrollBar* AddScrollBar(Widget& parent, int32_t x, int32_t y, int32_t h, int32_t id);
    void WriteTitles();
    void ApplyChatFont(const Settings& settings);

    // --- Controls (SceneLobby.cpp) ---
    bool OnRoomRowEvent(RoomListRow& row, int32_t kind);
    bool OnUserRowEvent(PlayerListRow& row, int32_t kind);
    void OpenContextMenu(const PlayerListRow& row);
    void OnContextEntry(int32_t id);
    void OnChatInput(int32_t kind);
    // Leaving by a one-byte request and a screen change, unless a join is pending.
    void LeaveFor(quill::MessageId request, int32_t scene);
    void ShowComingSoon();
    void AskMessengerAbout(const ShownPlayer& target, int32_t entry);
    void ShowNotice(quill::WStringView line);
    void SendUserInfoRequest(const ShownPlayer& target);
    void SendLobbyEnter();
    void FillRoomRows(const LobbyRoomTable::Page& page);
    void ShowRoomDetail(const RoomListRow& row);
    // The listed record of a room (an empty room of that number when it is not listed), under lock_.
    quill::RoomInfo ListedRoom(int32_t room) const;
    void NoteAskedRoom(const quill::RoomInfo& room);
    // The connection's "join with" target as the lobby reads and writes it: under lock_, because the
    // main thread's handlers and LobbyEntered on the dispatch thread both use it.
    JoinWithTarget ReadJoinTarget() const;
    void WriteJoinTarget(const JoinWithTarget& target);
    void ClearJoinTarget();

    // --- The server's answers (SceneLobbyPackets.cpp) ---
    void OnRoomMessage(quill::MessageId id, quill::Packet& packet);
    void OnUserMessage(quill::MessageId id, quill::Packet& packet);
    void OnNoticeMessage(quill::MessageId id, quill::Packet& packet);
    void OnLobbyEntered();
    void OnCreateRoomResult(quill::Packet& packet);
    void OnJoinRoomResult(quill::Packet& packet);
    void OnLobbyChat(quill::Packet& packet);
    void OnChatBanned(quill::Packet& packet);
    void WarnDropped(const char16_t* what);

    // --- Chat (SceneLobbyChat.cpp) ---
    void AddChatLineRecord(uint32_t colour, quill::WStringView text);
    quill::WString Censored(quill::WStringView text);

    // --- Application events (SceneLobbyEvents.cpp) ---
    void CarryOut(JoinStep step);
    void OpenWebPage(quill::WStringView path);
    void OpenQueuedWebPages();
    void OnWebWindowClosed();
    void OnRoomSettingConfirm();
    void ForwardPreviewMouse(uint32_t id, uint64_t wParam, int64_t lParam);

    // --- The background table (SceneLobbyTable.cpp) ---
    bool CreateBackgroundTable(quill::ResourceManager& resources, D3D9RenderDevice& device);
    void ReleaseBackgroundTable();
    void PrepareBackgroundTable();
    void ApplyPendingBestShot();
    void DrawBackgroundTable(D3D9RenderDevice& device, bool draw);
    void OrbitCamera();
    void OnBallsStopped();

    App& app_;
    GameConnection& connection_;
    bool built_ = false;
    bool resourcesLoaded_ = false;

    // The models the dispatch and main threads share, under lock_.
    mutable quill::CriticalSectionLock lock_;
    LobbyRoomTable rooms_;
    LobbyUserTable users_;
    LobbyChatLog chat_;
    int32_t roomPosition_ = 1;
    int32_t userPosition_ = 1;
    // The room of the last JoinRoom, JoinRoomWithPassword or CreateRoom, for the room screen's title and
    // number when the server lets the player in; none once an answer has taken it.
    std::optional<quill::RoomInfo> askedRoom_;

    ChatFloodGuard flood_;  // main thread only
    std::atomic<bool> joinPending_{false};
    std::atomic<int32_t> userTab_{0};
    std::atomic<int32_t> roomRowsShown_{static_cast<int32_t>(kRoomRows)};
    int32_t activationCount_ = 0;
    std::optional<ShownPlayer> contextTarget_;
    int32_t contextTab_ = 0;
    bool inviteClanShown_ = false;

    quill::EventQueue lobbyEvents_{kEventQueueSize};
    std::unique_ptr<WebPages> webPages_;
    std::unique_ptr<TournamentPopups> tournament_;  // the status window, the ranking chart and the alarm
    int32_t webWindowsOpened_ = 0;
    quill::WString lastWebPage_;

    // Widgets, owned by the tree.
    Image* corner_ = nullptr;
    Image* chatPanel_ = nullptr;
    TextLabel* channelLabel_ = nullptr;
    std::array<TextLabel*, kChatLines> chatLabels_{};
    EditBox* chatInput_ = nullptr;
    ScrollBar* chatScroll_ = nullptr;
    Image* userPanel_ = nullptr;
    std::array<Button*, 2> tabs_{};
    std::array<PlayerListRow*, LobbyUserTable::kRows> userRows_{};
    ScrollBar* userScroll_ = nullptr;
    Image* roomPanel_ = nullptr;
    std::array<RoomListRow*, kRoomRows> roomRows_{};
    Image* roomBar_ = nullptr;
    ScrollBar* roomScroll_ = nullptr;
    std::array<Button*, 2> orderButtons_{};
    std::vector<Button*> filterButtons_;
    Button* createButton_ = nullptr;
    Button* quickJoinButton_ = nullptr;
    Image* titleBar_ = nullptr;
    TextLabel* titleLabel_ = nullptr;
    Button* messengerButton_ = nullptr;
    TextLabel* bestShotLabel_ = nullptr;
    Window* contextMenu_ = nullptr;
    std::array<Button*, 4> contextEntries_{};
    RoomDetailPanel* detailPanel_ = nullptr;
    RoomPasswordPopup* passwordPopup_ = nullptr;
    RoomSettingDialog* practiceDialog_ = nullptr;
    RoomCreateDialog* createDialog_ = nullptr;
    HelpWindow* help_ = nullptr;
    TitleBarButtons titleBarButtons_;
    InProgressDialog* inProgress_ = nullptr;
    EventPagePopup* eventPopup_ = nullptr;
    LobbyImageWindow* imageWindow_ = nullptr;
    LobbyPageWindow* pageWindow_ = nullptr;

    // The background table and yesterday's best shots.
    quill::RenderScene* renderScene_ = nullptr;
    std::unique_ptr<RenderSceneCameras> cameras_;
    std::unique_ptr<AppTableHost> tableHost_;
    std::unique_ptr<GameTable> table_;
    float orbitPitch_ = 18.0f;
    float orbitDistance_ = 300.0f;
    float orbitSpeed_ = 2.0f;
    quill::CriticalSectionLock shotLock_;
    ShotData shot_;
    std::atomic<bool> reloadPending_{false};
    size_t bestShotIndex_ = 0;
};

}  // namespace kestrovan
