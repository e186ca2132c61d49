#pragma once
// The client's one connection with the game server. The App creates it at start-up, publishes it through
// the connection global and deletes it at shutdown. It owns the socket and is its listener, the pools of
// packets, inventory items and user records, the local player's profile and room, the friend and clan
// lists, and the queue of received messages with its dispatch thread, which hands each message to the
// connection's own handlers and then to the current scene (MessageDispatcher). It performs the handshake,
// sends the keep-alive and keeps the small pieces of session state that screens and the table read.
//
// Threads: the main, game and dispatch threads send requests and read state; the game thread ticks the keep-alive;
// the socket's connect and receive threads call the listener slots, which only queue; the dispatch thread
// runs every handler, the local ConnectionLost and ConnectFailed messages included, so no handler ever
// races another. A request never waits, not for a packet and not for the server: handlers send under the
// widget-tree lock. Received messages and the packets the client writes come from separate pools, so that a
// flood of received messages, which may fill its pool, never leaves a request without a packet.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "QuillLib/core/ClientVersion.h"
#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/PacketPool.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "QuillLib/net/ClSocket.h"
#include "QuillLib/net/Packet.h"
#include "QuillLib/net/SocketListener.h"
#include "client/connection/BestShot.h"
#include "client/connection/ConnectionHost.h"
#include "client/connection/Inventory.h"
#include "client/connection/JoinWithTarget.h"
#include "client/connection/MemberDirectories.h"
#include "client/connection/MessageQueue.h"
#include "client/connection/ServerAddress.h"
#include "client/connection/TournamentRecord.h"
#include "platform/system/Event.h"
#include "platform/system/Thread.h"

namespace kestrovan {

class MessageDispatcher;

class GameConnection : public quill::SocketListener {
public:
    // Received messages: the receive thread waits up to about five seconds (1 ms sleeps) for one of them.
    static constexpr uint32_t kPacketCount = 1000;
    static constexpr uint32_t kPacketTries = 5000;
    // Requests and the connection's own local messages: each is held for moments only, by one thread.
    static constexpr uint32_t kWrittenPacketCount = 64;
    static constexpr uint32_t kKeepAliveSilenceMs = 5000;  // a keep-alive goes out after more silence than this
    // How long the server may take to greet a connection, and then to answer its login.
    static constexpr uint32_t kAnswerBoundMs = 15000;
    static constexpr uint32_t kAnswerTimedOut = 10060;  // the ConnectFailed code of a server that did not answer
    static constexpr size_t kLoginIdLength = 15;
    static constexpr size_t kPasswordLength = 12;
    static constexpr size_t kChannelCount = 256;
    static constexpr size_t kActiveItemSlots = 8;

    // Builds the pools, the queue and the level tables; the socket stays idle until Connect.
    explicit GameConnection(ConnectionHost& host);
    // Stops the dispatch thread when it runs, then ends the socket and returns every queued packet.
    ~GameConnection() override;
    GameConnection(const GameConnection&) = delete;
    GameConnection& operator=(const GameConnection&) = delete;

    // --- Connecting (login screen) ---

    // Drops a connection that is up, enables the cipher and connects to the server. The answer arrives
    // as ConnectFailed, or as ServerHello, which the connection answers with LoginRequest.
    void Connect();
    // The server Connect uses; 127.0.0.1:7777 until set.
    void SetServerAddress(quill::WStringView host, uint16_t port);
    void SetLoginId(quill::WStringView loginId);     // cut to 15 characters
    void SetPassword(quill::WStringView password);   // cut to 12 characters
    void SetLoginKind(uint8_t kind);                 // the byte LoginRequest carries
    bool IsConnected() const { return connected_; }
    // Ends a connection attempt or a connection without telling anyone (the player cancelled it).
    void CancelConnect();

    // --- Requests (any thread) ---

    // A packet for a request, at once; null, with a warning in the log, when every one is in use.
    quill::Packet* AllocPacket();
    void FreePacket(quill::Packet* packet);  // a packet of either pool; null is ignored
    // Sends through the socket and stamps the last-send time. A null packet sends nothing.
    void SendPacket(quill::Packet* packet);
    // Writes a packet of the pool with write, sends it (SendPacket) and gives it back; false when the request
    // did not go: the pool had no packet free (nothing written), or write overflowed the packet.
    bool SendWritten(const std::function<void(quill::Packet&)>& write);
    // Sends a request whose payload is one byte; the last-send time is not stamped. False when the pool had no
    // packet free.
    bool SendBytePacket(quill::MessageId id, const uint8_t* value);
    // Sends LoginRequest: client version, login kind, login ID and password. Part of the handshake.
    void SendLoginRequest();
    int32_t PacketsInUse() const { return receivedPool_.InUse() + writtenPool_.InUse(); }

    // The keep-alive (game thread): sends KeepAlive when connected and more than 5000 ms have passed
    // since the last send. Also ends a connection whose greeting, or whose login answer, has been awaited for
    // more than kAnswerBoundMs, with ConnectFailed (kAnswerTimedOut), and one whose server has read nothing of
    // what waits for it for ClSocket::kSendStallMs (the lost-connection path).
    void Tick(uint32_t now);

    // --- Dispatch ---

    // Starts the dispatch thread (main loop start); false when it runs already or cannot start.
    bool StartDispatchThread();
    // Ends the dispatch thread and waits for it (shutdown; never from the dispatch thread itself). Queued
    // messages go back to the pool.
    void StopDispatchThread();
    // Hands one received message to the connection's handler or the current scene (dispatch thread).
    void Dispatch(quill::Packet* packet);
    // Waits until the current scene can take messages; false when the dispatch thread is to end first, and
    // at once when called on any other thread (a test handing a message in waits for nobody).
    bool WaitForReadyScene();

    // Handles an operator command typed into a chat: true when the line was one (sent, posted or
    // refused), false when it is ordinary chat.
    bool HandleSlashCommand(quill::WStringView line);
    // Moves a friend in the player's channel to another place and tells the messenger and the scene.
    void UpdateFriendPlace(uint32_t id, int16_t place);
    // Copies the text and masks the filtered words in the copy; true when a word was masked.
    bool CopyAndCensor(quill::WStringView source, quill::WString& destination);

    // --- Items ---

    quill::InventoryItem* AllocItem();
    void FreeItem(quill::InventoryItem* item);
    void RebuildDefaultItems();
    void AddOfflineItems();
    quill::InventoryItem* SpecialItem() const { return inventory_.SpecialItem(); }

    // --- State that screens and the table read ---

    quill::PlayerState& LocalPlayer() { return player_; }
    quill::RoomInfo& GetRoomInfo() { return roomInfo_; }
    MemberDirectories& Directories() { return directories_; }
    Inventory& Items() { return inventory_; }
    JoinWithTarget& JoinTarget() { return joinTarget_; }

    quill::WString Nickname() const;
    void SetNickname(quill::WStringView nickname);

    // The kind of channel n (0-based, as the channel list numbers them), or of the current channel for
    // -1; 0 when no channel has been entered or n is outside the table.
    int16_t GetChannelType(int32_t channel) const;
    void SetChannelKind(uint8_t channel, int16_t kind);
    // The channel entered, 1-based; -1 before the first.
    int32_t CurrentChannel() const;
    void SetCurrentChannel(int32_t channel);

    // The membership: the state (0 none, 1 and 2 standard, 3 plus) and value; the end-date text is kept
    // only when the state is not 0.
    void SetTaggedText(uint8_t state, quill::WStringView text, uint16_t value);
    uint8_t MembershipState() const;
    uint16_t MembershipValue() const;
    quill::WString MembershipText() const;

    void SetValueAndFlag(uint32_t value, uint8_t flag);
    uint32_t ConnectionValue() const;

    TournamentRecord Tournament() const;
    void SetTournament(const TournamentRecord& record);

    // Yesterday's best shots, which the lobby replays behind its lists.
    std::vector<BestShot> BestShots() const;
    void SetBestShots(std::vector<BestShot> shots);

    // The race of the tournament channel: its game type and name.
    void SetRace(uint8_t gameType, quill::WStringView name);
    uint8_t RaceGameType() const;
    quill::WString RaceName() const;

    // --- Active item slots (room and table) ---

    void ClearActiveItems();
    void SetActiveItem(uint32_t slot, uint32_t key, uint32_t subKey, uint8_t flag);
    bool IsItemActive(uint32_t slot) const;
    int64_t GetActiveItemKey(uint32_t slot) const;
    int32_t GetGuideLineBonus() const;  // 15 while slot 1 is in use
    int32_t GetSlot3Bonus() const;      // 100 while slot 3 is in use
    bool IsSlot2Active() const;
    bool IsSlot4Active() const;

    // --- Socket listener (socket threads) ---

    void OnConnect(quill::ClSocket* socket, int code) override;
    void OnReceive(quill::ClSocket* socket, int result) override;
    void OnClose(quill::ClSocket* socket, int reason) override;

private:
    struct ActiveItem {
        uint8_t flag = 0;
        uint32_t key = 0;
        uint32_t subKey = 0;
    };

    // The pools are made with their first packet (a connection's), so offline play does without them.
    quill::Packet* TakePacket(quill::PacketPool& pool, std::once_flag& made, uint32_t count, uint32_t tries);
    void DispatchLoop();
    void DrainQueue();
    // Queues a message that the connection makes for itself.
    void QueueLocalMessage(std::span<const uint8_t> message);
    void SendKeepAlive();
    void AwaitAnswer();
    void GiveUpAwaitedAnswer();

    ConnectionHost& host_;
    quill::PacketPool receivedPool_;
    std::once_flag receivedPoolMade_;
    quill::PacketPool writtenPool_;
    std::once_flag writtenPoolMade_;
    MessageQueue queue_;
    quill::PlayerState player_;
    Inventory inventory_{player_, host_};
    MemberDirectories directories_{host_};
    quill::RoomInfo roomInfo_;
    JoinWithTarget joinTarget_;
    std::unique_ptr<MessageDispatcher> dispatcher_;

    // Session state written by screens and handlers on different threads.
    mutable quill::CriticalSectionLock stateLock_;
    quill::WString serverHost_ = ServerAddress::kDefaultHost;
    uint16_t serverPort_ = ServerAddress::kDefaultPort;
    quill::WString loginId_;
    quill::WString password_;
    quill::WString nickname_ = u"Nickname";
    uint8_t loginKind_ = 0;
    int32_t currentChannel_ = -1;
    std::array<int16_t, kChannelCount> channelKinds_{};
    uint8_t membershipState_ = 0;
    uint16_t membershipValue_ = 0;
    quill::WString membershipText_;
    uint32_t connectionValue_ = 0;
    uint8_t connectionFlag_ = 0;
    TournamentRecord tournament_;
    std::vector<BestShot> bestShots_;
    uint8_t raceGameType_ = 0;
    quill::WString raceName_;

    mutable quill::CriticalSectionLock activeItemsLock_;
    std::array<ActiveItem, kActiveItemSlots> activeItems_{};

    std::atomic<bool> connected_{false};
    std::atomic<uint32_t> lastSendMs_{0};
    // Set from the connect until the login's answer; stamped at the connect and at the login request.
    std::atomic<bool> awaitingAnswer_{false};
    std::atomic<uint32_t> awaitedSinceMs_{0};
    std::atomic<bool> shutdownPending_{false};
    platform::Event shutdownEvent_{true, false};

    std::atomic<bool> dispatchRunning_{false};
    std::atomic<std::thread::id> dispatchThreadId_;
    platform::Event dispatchStopped_{true, false};
    std::unique_ptr<platform::Thread> dispatchThread_;

    // Last, so that it is built after and ended before everything its threads reach.
    std::unique_ptr<quill::ClSocket> socket_;
};

// The application's start-up network step; the socket layer needs no preparation, so it always succeeds.
bool NetworkInit();

}  // namespace kestrovan
