#pragma once
// The lobby of one channel: the channel's rooms (joined by a click, by quick join or created with the
// creation dialog), the players in the channel or the player's friends with a context menu on each, the
// channel chat, and the ways out to the practice room, the school, the shop, the shot gallery and the channel
// list. Behind the widgets a table replays yesterday's best shots under a slowly orbiting camera.
//
// The screen owns one part per concern, each a class with its own state and the operations on it: the room
// list (LobbyRoomList), the player list and its context menu (LobbyUserList), the chat (LobbyChat), the
// windows over the panels (LobbyDialogs) and the background table (LobbyBackground). The screen lays the
// parts out in one order, hands every server message to its handler through one table from message id to
// handler, and keeps the title bar, the way into rooms (the join pending, the room asked for, the "join
// with" target) and the ways out.
//
// Threads: see the table in client/app/Scene.h; the packet handlers are in SceneLobbyPackets.cpp, the control and
// application events in SceneLobbyEvents.cpp. Flags read across threads are atomic.
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/app/Scene.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/scenes/lobby/LobbyBackground.h"
#include "client/scenes/lobby/LobbyChat.h"
#include "client/scenes/lobby/LobbyDialogs.h"
#include "client/scenes/lobby/LobbyRoomList.h"
#include "client/scenes/lobby/LobbyRules.h"
#include "client/scenes/lobby/LobbyUserList.h"

namespace kestrovan {

class Button;
class EditBox;
class GameConnection;
class Image;
class InProgressDialog;
class PlayerListRow;
class RoomCreateDialog;
class RoomListRow;
class RoomPasswordPopup;
class ScreenServices;
class ScrollBar;
class TextLabel;
class Window;
struct ShownPlayer;

class SceneLobby : public Scene {
public:
    // Control ids.
    static constexpr int32_t kQuit = 1;
    static constexpr int32_t kSettings = 2;
    static constexpr int32_t kHelp = 3;
    static constexpr int32_t kMyInfo = 4;
    static constexpr int32_t kMessenger = 5;
    static constexpr int32_t kLobbyUsersTab = LobbyUserList::kLobbyUsersTab;
    static constexpr int32_t kFriendsTab = LobbyUserList::kFriendsTab;
    static constexpr int32_t kListAll = LobbyRoomList::kListAll;
    static constexpr int32_t kWaitingFirst = LobbyRoomList::kWaitingFirst;
    static constexpr int32_t kCreateRoom = LobbyRoomList::kCreateRoom;
    static constexpr int32_t kQuickJoin = LobbyRoomList::kQuickJoin;
    static constexpr int32_t kShotGallery = 102;
    static constexpr int32_t kPractice = 104;
    static constexpr int32_t kSchool = 105;
    static constexpr int32_t kChannelList = 106;
    static constexpr int32_t kItemShop = 107;
    static constexpr int32_t kTournamentInfo = 108;
    static constexpr int32_t kWebPage = 109;
    static constexpr int32_t kRoomScroll = LobbyRoomList::kScroll;
    static constexpr int32_t kUserScroll = LobbyUserList::kScroll;
    static constexpr int32_t kChatScroll = 152;
    static constexpr int32_t kViewInfo = LobbyUserList::kViewInfo;
    static constexpr int32_t kJoinWithEntry = LobbyUserList::kJoinWithEntry;
    static constexpr int32_t kFriendEntry = LobbyUserList::kFriendEntry;
    static constexpr int32_t kInviteClan = LobbyUserList::kInviteClan;

    static constexpr size_t kChatLines = LobbyChat::kLines;

    explicit SceneLobby(ScreenServices& app);
    ~SceneLobby() override;

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
    void OnActivate(bool active) override;
    void OnSettingsChanged(const Settings& settings) override;
    // The windowed frame's title bar shows while the cursor is over the drag band.
    void OnCaptionHover(bool overDragBand) override { ShowTitleBar(overDragBand); }
    void ShowTitleBar(bool shown);
    void AddChatLine(quill::WStringView text, uint32_t value) override { chat_.AddLine(text, value); }
    bool OnEvent(Widget* source, int32_t kind, int32_t key) override;

    // --- Into a room ---
    void JoinRoom(int32_t room);
    void JoinRoomWithPassword(int32_t room, quill::WStringView password);
    void QuickJoin();
    void SendCreateRoom();
    // True when the input may be cleared: sent, taken as a command, or refused for a ban.
    bool SendChat(quill::WStringView text) { return chat_.Send(text); }

    // --- What tests read ---
    bool IsJoinPending() const { return joinPending_; }
    int32_t ActivationCount() const { return activationCount_; }
    RoomListRow* RoomRow(size_t k) const { return rooms_.Row(k); }
    PlayerListRow* UserRow(size_t k) const { return users_.Row(k); }
    TextLabel* ChatLineLabel(size_t k) const { return chat_.Line(k); }
    EditBox* ChatInput() const { return chat_.Input(); }
    TextLabel* ChannelLabel() const { return chat_.ChannelLabel(); }
    TextLabel* TitleLabel() const { return titleLabel_; }
    TextLabel* BestShotLabel() const { return background_.Caption(); }
    Window* ContextMenu() const { return users_.Menu(); }
    Button* ContextEntry(size_t k) const { return users_.MenuEntry(k); }
    Button* CreateButton() const { return rooms_.CreateButton(); }
    ScrollBar* RoomScroll() const { return rooms_.Scroll(); }
    RoomPasswordPopup* PasswordPopup() const { return dialogs_.PasswordPopup(); }
    RoomCreateDialog* CreateDialog() const { return dialogs_.CreateDialog(); }
    InProgressDialog* InProgress() const { return dialogs_.InProgress(); }
    bool IsWebWindowOpen() const { return dialogs_.IsWebWindowOpen(); }
    int32_t WebWindowsOpened() const { return dialogs_.WebWindowsOpened(); }
    const quill::WString& LastWebPage() const { return dialogs_.LastWebPage(); }
    bool IsShotReloadPending() const { return background_.IsReloadPending(); }
    // Copies under the parts' locks.
    std::vector<LobbyChatLine> ChatLines() const { return chat_.Lines(); }
    int32_t UserCount() const { return users_.Count(); }
    int32_t UserRecordsInUse() const { return users_.RecordsInUse(); }

private:
    // The one byte of the requests that carry nothing.
    static constexpr uint8_t kZero = 0;

    // --- Layout (SceneLobby.cpp) ---
    void BuildTitleAndButtons();
    void WriteTitles();
    void WriteEntryLines();

    // --- Controls (SceneLobby.cpp) ---
    bool OnControl(int32_t id);
    void OnRoomRowEvent(RoomListRow& row, int32_t kind);
    void ShowRoomDetail(const RoomListRow& row);
    void OnContextEntry(int32_t id);
    void OnChatInput(int32_t kind);
    // Leaving by a one-byte request and a screen change, unless a join is pending.
    void LeaveFor(quill::MessageId request, int32_t scene);
    void AskMessengerAbout(const ShownPlayer& target, int32_t entry);
    void ShowNotice(quill::WStringView line);
    void SendUserInfoRequest(const ShownPlayer& target);
    void NoteAskedRoom(const quill::RoomInfo& room);
    // The connection's "join with" target as the lobby reads and writes it (the main thread's handlers and
    // LobbyEntered on the dispatch thread).
    JoinWithTarget ReadJoinTarget() const;
    void WriteJoinTarget(const JoinWithTarget& target);
    void ClearJoinTarget();

    // --- The server's answers (SceneLobbyPackets.cpp) ---
    // The handler of a server message; null for an id the lobby does not know (it changes nothing).
    using PacketHandler = void (*)(SceneLobby& lobby, quill::Packet& packet);
    static PacketHandler FindPacketHandler(quill::MessageId id);
    void OnLobbyEntered();
    void OnCreateRoomResult(quill::Packet& packet);
    void OnJoinRoomResult(quill::Packet& packet);
    void OnRaceTournamentNotice(quill::Packet& packet);

    // --- Application events (SceneLobbyEvents.cpp) ---
    void FollowJoinTarget();
    void TutorialGate();
    void ShowExpiredItems();
    // Main thread: ExpiredItemsSeen when expired items are still owned, then EnterShop and the shop.
    void GoToShop();
    bool CheckTournamentEntry();
    void CarryOut(JoinStep step);
    void OnRoomSettingConfirm();

    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender requests_;
    // The requests whose answers the lobby waits for: joining or creating a room.
    AwaitedRequest awaited_;
    bool built_ = false;
    bool resourcesLoaded_ = false;
    TitleBarButtons titleBarButtons_;
    LobbyRoomList rooms_;
    LobbyUserList users_;
    LobbyChat chat_;
    LobbyDialogs dialogs_;
    LobbyBackground background_;

    // The room of the last JoinRoom, JoinRoomWithPassword or CreateRoom, for the room screen's title and
    // number when the server lets the player in; none once an answer has taken it.
    std::optional<quill::RoomInfo> askedRoom_;
    std::atomic<bool> joinPending_{false};
    int32_t activationCount_ = 0;

    // Widgets, owned by the tree.
    Image* corner_ = nullptr;
    Image* titleBar_ = nullptr;
    TextLabel* titleLabel_ = nullptr;
};

}  // namespace kestrovan
