#pragma once
// The messenger: the one community window of the client, kept by the scene manager for the life of the
// program and moved to each screen the player enters. It has three views: the friend list, the clan member
// list (eight rows each, online members first, a menu per member) and the chats with friends, clan members
// and the whole clan (three tabs over the open chats, seven lines of the current one, an entry to type in).
// A line that comes while it is closed leaves a blinking icon on every screen, with the alarm sound when the
// alarm is on. It owns the friend and clan dialogs and answers the community's server messages.
//
// The friend and clan lists are the connection's two directories; the messenger reads them under their
// locks and keeps copies of what it shows, never a pointer into them.
//
// Threads: see the table in client/app/Scene.h. The dispatch thread fills the messenger and its dialogs and leaves
// every window it opens (dialogs, boxes, the change of view) and what chat lines change on the screen (the lines, tabs,
// marks and the alarm, once for all the lines since: ChatRefresh) to the main thread's next pass (ShowPending). A
// directory's lock is taken only while its members are read.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/app/MessengerPopup.h"
#include "client/scenes/common/ChatRefresh.h"
#include "client/scenes/community/ChatPartners.h"
#include "client/scenes/community/CommunityHost.h"
#include "client/scenes/community/CommunityRequests.h"
#include "client/scenes/community/FriendRequestQueue.h"
#include "client/scenes/community/MemberMenuRules.h"
#include "client/scenes/community/MemberSnapshot.h"
#include "client/scenes/community/MessengerAlarm.h"
#include "client/ui/Window.h"

namespace kestrovan {

class BlinkingIcon;
class Button;
class ChatPartnerTab;
class ClanDialog;
class ClanInviteDialog;
class DeleteFriendDialog;
class EditBox;
class FindPlayerDialog;
class FoundPlayerDialog;
class FriendRequestDialog;
class Image;
class MemberListRow;
class MemberQuestionDialog;
class Panel;
class ScrollBar;
class TextLabel;

class Messenger : public Window, public MessengerPopup {
public:
    static constexpr int32_t kWidth = 325;
    static constexpr int32_t kHeight = 185;
    static constexpr int32_t kRows = 8;
    static constexpr int32_t kLines = 7;
    static constexpr int32_t kTabs = 3;
    static constexpr int32_t kFriendCapacity = 50;
    static constexpr uint8_t kFriendList = 1;
    static constexpr uint8_t kClanList = 2;
    static constexpr uint8_t kMasterRank = 10;
    static constexpr size_t kChatLength = 36;

    // Control ids.
    static constexpr int32_t kClose = 1;
    static constexpr int32_t kCloseChat = 2;
    static constexpr int32_t kFriendsTab = 5;
    static constexpr int32_t kClanTab = 6;
    static constexpr int32_t kChatTab = 7;
    static constexpr int32_t kAlarmToggle = 9;
    static constexpr int32_t kFindPlayer = 11;
    static constexpr int32_t kMemberScroll = 20;
    static constexpr int32_t kLineScroll = 21;
    static constexpr int32_t kTabScroll = 22;
    static constexpr int32_t kChatWith = 30;
    static constexpr int32_t kViewInfo = 31;
    static constexpr int32_t kInvite = 32;
    static constexpr int32_t kJoinWith = 33;
    static constexpr int32_t kDelFriend = 34;
    static constexpr int32_t kLeaveClan = 44;
    static constexpr int32_t kClanName = 45;
    static constexpr int32_t kMoreTabs = 46;
    static constexpr int32_t kEditInfo = 50;
    static constexpr int32_t kClanChat = 51;
    static constexpr int32_t kFirstRow = 100;
    static constexpr int32_t kFirstPartnerTab = 1000;

    static constexpr uint32_t kAlarmSound = 35;
    static constexpr uint32_t kOwnLineColour = 0xFFFFFFFF;
    static constexpr uint32_t kOtherLineColour = 0xFFFFFF00;
    static constexpr uint32_t kPresenceColour = 0xFFFF8080;
    static constexpr uint32_t kNoticeColour = 0xFFFFFF00;

    explicit Messenger(std::unique_ptr<CommunityHost> host);
    ~Messenger() override;

    // --- The window ---
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // Places the window (centred the first time, kept on the screen), opens it in the chat view when a line
    // waits unread, applies the view and refreshes the member list.
    void OnShow() override;
    // Hiding first takes the keyboard from the chat entry; the open flag follows.
    void SetVisible(bool visible) override;

    // --- Views and their contents ---
    void SetView(int32_t view) { view_ = view; }
    int32_t View() const { return view_; }
    void ApplyView();
    void RefreshMemberList() override;
    void RefreshPartnerTabs();
    void RefreshChatScroll();
    void RefreshChatLines();

    // --- Chats ---
    // The chat with the member (opened when there is none); select makes it current and redraws the tabs.
    void OpenChat(const MemberSnapshot& member, uint8_t kind, bool select);
    void CloseCurrentChat();
    // What the entry holds, sent to the current chat's partner when he is online; the entry empties.
    void SendChatEntry();

    // --- Friend requests ---
    void AnswerFriendRequest(bool accept);

    // --- MessengerPopup ---
    void LoadWindowGraphics(uint32_t arg) override;
    void OnChatLine(quill::Packet& packet, bool echo) override;
    void OnServerMessage(quill::MessageId id, quill::Packet& packet) override;
    void OnClanCreateResult(quill::Packet& packet) override;
    void OnFriendRemoved(uint8_t quiet, const quill::PlayerState& record) override;
    void OnClanMemberJoined(const quill::PlayerState& record) override;
    void OnClanMemberLeft(const quill::PlayerState& record) override;
    void OnMemberPresence(uint8_t listKind, const quill::PlayerState& record, bool online) override;
    void AttachToScreen(Widget& screen) override;
    void Toggle(Widget& screen) override;
    bool IsOpen() const override { return alarm_.IsOpen(); }
    void ShowPending() override;
    void ShowNextRequest() override;
    Widget* AlarmIcon() const override;
    void OpenClanDialog() override;
    void AskAboutMember(const quill::PlayerState& record, int32_t kind) override;
    void AskDeleteFriend(const quill::PlayerState& record) override;
    void ReleaseChatFocus() override;
    void FocusChatEntry() override;

    // --- The parts, for the screens' tests ---
    const MessengerAlarm& Alarm() const { return alarm_; }
    bool IsUnread() const { return alarm_.IsUnread(); }
    MemberListRow* Row(int32_t n) const { return rows_[static_cast<size_t>(n)]; }
    ChatPartnerTab* PartnerTab(int32_t n) const { return partnerTabs_[static_cast<size_t>(n)]; }
    TextLabel* ChatLineLabel(int32_t n) const { return lineLabels_[static_cast<size_t>(n)]; }
    EditBox* ChatEntry() const { return chatEntry_; }
    TextLabel* CountLabel() const { return countLabel_; }
    TextLabel* ClanNameLabel() const { return clanNameLabel_; }
    TextLabel* ClanMoneyLabel() const { return clanMoneyLabel_; }
    Button* ClanNameButton() const { return clanNameButton_; }
    Button* LeaveClanButton() const { return leaveClanButton_; }
    Button* FindPlayerButton() const { return findPlayerButton_; }
    BlinkingIcon* ChatTabMark() const { return chatTabMark_; }
    BlinkingIcon* NewMessageIcon() const { return newMessageIcon_.get(); }
    Panel* MemberPanel() const { return memberPanel_; }
    Panel* ChatPanel() const { return chatPanel_; }
    ScrollBar* MemberScroll() const { return memberScroll_; }
    ScrollBar* LineScroll() const { return lineScroll_; }
    ScrollBar* TabScroll() const { return tabScroll_; }
    Window* MemberMenu() const { return memberMenu_; }
    Window* ClanMenu() const { return clanMenu_; }
    Button* MenuButton(int32_t id) const;
    FriendRequestDialog& FriendRequest() const { return *friendRequest_; }
    MemberQuestionDialog& Question() const { return *question_; }
    DeleteFriendDialog& DeleteFriend() const { return *deleteFriend_; }
    ClanInviteDialog& ClanInvite() const { return *clanInvite_; }
    FindPlayerDialog& FindPlayer() const { return *findPlayer_; }
    FoundPlayerDialog& FoundPlayer() const { return *foundPlayer_; }
    ClanDialog& Clan() const { return *clanDialog_; }
    FriendRequestQueue& Requests() { return requestQueue_; }
    int32_t FirstRow() const;
    int32_t FirstTab() const;
    int32_t FirstLine() const;
    // The member ids of the open chats, in order, and of the current one (-1: none).
    std::vector<uint32_t> ChatMembers() const;
    int64_t CurrentChatMember() const;
    // A copy of a chat's lines (empty when no chat with that member is open).
    std::vector<ChatLine> ChatLinesOf(uint32_t memberId) const;
    bool ChatIsUnread(uint32_t memberId) const;
    quill::WString LastAnnouncedRequester() const override;

private:
    // --- Layout (Messenger.cpp) ---
    void BuildFrame();
    void BuildMemberPanel();
    void BuildChatPanel();
    void BuildMenus();
    void BuildDialogs();
    Button* AddButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key, int32_t srcX,
                      int32_t srcY, quill::WStringView caption);

    // --- Events (MessengerEvents.cpp) ---
    bool OnWindowControl(int32_t id, int32_t value);
    bool OnMenuControl(int32_t id);
    void OnChatEntryEvent(int32_t key);
    void OnMemberRow(MemberListRow& row);
    void OnPartnerTab(int32_t index);
    void ShowChatView();
    void OnClanTab();
    void AskLeaveClan();
    void EditClanInfo();
    void JoinWithMember(const MemberSnapshot& member);
    MemberSnapshot SelectedMember() const;

    // --- Members and clan (MessengerMembers.cpp) ---
    void FillHeader(int32_t count);
    // The player's rank in his clan: his own entry's in the clan list, else the one the connection keeps.
    uint8_t OwnClanRank();
    bool HasClan();
    OwnLocation Own();
    // A member's place as the member rows write it, and a found player's.
    quill::WString RowLocation(const MemberSnapshot& member);
    quill::WString FoundLocation(uint8_t channel, uint16_t place);
    void AddSceneNotice(quill::WStringView text);
    // The first shared box, reset, titled and given its lines, on the current screen (main thread); with
    // the Yes and No buttons, their press posts the event.
    void ShowBox(quill::WStringView title, quill::WStringView line0, quill::WStringView line1 = {},
                 uint32_t yesNoEvent = 0);
    // The same box at the main thread's next pass (server messages); a later one replaces it.
    void DeferBox(quill::WStringView title, quill::WStringView line0, quill::WStringView line1 = {});
    // Windows for the main thread's next pass.
    void Defer(uint32_t windows) { pending_ |= windows; }
    void OnClanStatus(quill::Packet& packet);
    void OnClanLeaveResult(quill::Packet& packet);

    // --- Chat lines (MessengerChat.cpp) ---
    // The partner a line of that kind and member id is with, and the sender's nickname; false when the
    // line is to be dropped.
    bool RouteLine(uint8_t kind, uint32_t memberId, bool echo, MemberSnapshot& partner, quill::WString& sender);
    // What a line changes, left to the main thread's next pass; RefreshChat shows it there, once for all lines.
    void MarkLineEffects(const MessengerAlarm::LineEffects& effects);
    void RefreshChat();
    // The partner tabs.
    void RefreshTabs(bool& turnedUnread);
    MemberSnapshot ClanChatMember();

    // --- Requests and results (MessengerRequests.cpp) ---
    // The handler of a server message; null for an id the messenger does not read.
    using PacketHandler = void (Messenger::*)(quill::Packet& packet);
    static PacketHandler FindPacketHandler(quill::MessageId id);
    void OnFriendRequestReceived(quill::Packet& packet);
    void OnFriendRequestResult(quill::Packet& packet);
    void OnFriendRequestAnswer(quill::Packet& packet);
    void OnClanInviteResult(quill::Packet& packet);
    void OnClanInvitation(quill::Packet& packet);
    void OnFindPlayerResult(quill::Packet& packet);
    void ShowDialog(Window& dialog);
    void MoveOpenDialogs(Widget& screen);

    std::unique_ptr<CommunityHost> host_;
    CommunityRequests requests_;
    MessengerAlarm alarm_;
    std::atomic<int32_t> view_{1};
    std::atomic<uint8_t> listKind_{kFriendList};
    std::atomic<bool> firstShow_{true};

    // Guarded by memberLock_ (taken before a directory's lock).
    int32_t firstRow_ = 1;
    int32_t memberCount_ = 0;
    MemberSnapshot selected_;

    // What lines that came since the main thread's last pass change: ChatRefresh's marks and these.
    static constexpr uint32_t kRefreshTabs = ChatRefresh::kFirstOwnMark;
    static constexpr uint32_t kRefreshChatTabMark = kRefreshTabs << 1;
    static constexpr uint32_t kRefreshIcon = kRefreshTabs << 2;
    ChatRefresh chatRefresh_;

    ChatPartners chats_;
    int32_t lineRange_ = 1;
    std::array<int64_t, kTabs> tabMembers_{-1, -1, -1};
    quill::WString lastAnnounced_;

    // One try for a record: the requests are added under the screens' lock, so no answer can free a record
    // while the dispatch thread waited, and waiting would only hold the whole program up (5 s).
    FriendRequestQueue requestQueue_{FriendRequestQueue::kCapacity, 1};

    // What the main thread's next pass shows: bits of kPending..., and the box with its lines.
    static constexpr uint32_t kPendingRequest = 1;
    static constexpr uint32_t kPendingClanInvitation = 2;
    static constexpr uint32_t kPendingFoundPlayer = 4;
    static constexpr uint32_t kPendingBox = 8;
    static constexpr uint32_t kPendingFriendsView = 16;
    std::atomic<uint32_t> pending_{0};
    std::array<quill::WString, 3> pendingBox_;  // title and two lines

    // Widgets of the window, owned by its tree.
    Panel* memberPanel_ = nullptr;
    Panel* chatPanel_ = nullptr;
    std::array<Button*, 3> viewTabs_{};
    BlinkingIcon* chatTabMark_ = nullptr;
    Button* findPlayerButton_ = nullptr;
    std::array<MemberListRow*, kRows> rows_{};
    ScrollBar* memberScroll_ = nullptr;
    TextLabel* countLabel_ = nullptr;
    TextLabel* clanMoneyLabel_ = nullptr;
    Image* coinIcon_ = nullptr;
    Button* clanNameButton_ = nullptr;
    TextLabel* clanNameLabel_ = nullptr;
    Button* leaveClanButton_ = nullptr;
    std::array<ChatPartnerTab*, kTabs> partnerTabs_{};
    ScrollBar* tabScroll_ = nullptr;
    std::array<TextLabel*, kLines> lineLabels_{};
    ScrollBar* lineScroll_ = nullptr;
    EditBox* chatEntry_ = nullptr;
    Window* memberMenu_ = nullptr;
    Window* clanMenu_ = nullptr;

    // Windows it shows on the current screen, its own.
    std::unique_ptr<BlinkingIcon> newMessageIcon_;
    std::unique_ptr<FriendRequestDialog> friendRequest_;
    std::unique_ptr<MemberQuestionDialog> question_;
    std::unique_ptr<DeleteFriendDialog> deleteFriend_;
    std::unique_ptr<ClanInviteDialog> clanInvite_;
    std::unique_ptr<FindPlayerDialog> findPlayer_;
    std::unique_ptr<FoundPlayerDialog> foundPlayer_;
    std::unique_ptr<ClanDialog> clanDialog_;
};

}  // namespace kestrovan
