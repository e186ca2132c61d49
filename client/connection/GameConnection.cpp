#include "client/connection/GameConnection.h"

#include <algorithm>
#include <new>

#include "QuillLib/core/ClientVersion.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/LevelTables.h"
#include "client/connection/MessageDispatcher.h"
#include "client/connection/OperatorCommand.h"
#include "platform/system/Clock.h"
#include "platform/system/FpuMode.h"
#include "platform/system/Sleep.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;
using quill::ScopedLock;
using quill::WString;
using quill::WStringView;

namespace {

constexpr int32_t kGuideLineBonus = 15;
constexpr int32_t kSlot3Bonus = 100;

// Milliseconds from a stamp to the caller's clock reading. The stamps are taken on the connection's threads, so
// one may be a little later than the reading the game thread took at the start of its frame: that counts as no
// time at all, not as a difference wrapped round to 49 days. Readings 24 days apart are not compared.
uint32_t MsSince(uint32_t now, uint32_t stamp) {
    return static_cast<uint32_t>(std::max<int32_t>(0, static_cast<int32_t>(now - stamp)));
}

}  // namespace

GameConnection::GameConnection(ConnectionHost& host)
    : host_(host), dispatcher_(std::make_unique<MessageDispatcher>(*this, host)) {
    quill::BuildExperienceTable();
    quill::BuildMoneyLimitTable();
    socket_ = std::make_unique<quill::ClSocket>(this);
}

GameConnection::~GameConnection() {
    StopDispatchThread();
    // Ending the socket joins its threads, so no listener call comes after this line.
    socket_.reset();
    DrainQueue();
}

void GameConnection::Connect() {
    awaitingAnswer_ = false;
    if (connected_) {
        socket_->Close();  // tells no one: the caller starts over
        connected_ = false;
    }
    socket_->EnableEncryption();
    WString host;
    uint16_t port = 0;
    {
        ScopedLock hold(stateLock_);
        host = serverHost_;
        port = serverPort_;
    }
    socket_->Connect(host, port);
}

void GameConnection::SetServerAddress(WStringView host, uint16_t port) {
    ScopedLock hold(stateLock_);
    serverHost_ = host;
    serverPort_ = port;
}

void GameConnection::SetLoginId(WStringView loginId) {
    ScopedLock hold(stateLock_);
    loginId_ = loginId.substr(0, kLoginIdLength);
}

void GameConnection::SetPassword(WStringView password) {
    ScopedLock hold(stateLock_);
    password_ = password.substr(0, kPasswordLength);
}

void GameConnection::SetLoginKind(uint8_t kind) {
    ScopedLock hold(stateLock_);
    loginKind_ = kind;
}

Packet* GameConnection::AllocPacket() {
    Packet* packet = TakePacket(writtenPool_, writtenPoolMade_, kWrittenPacketCount, 1);
    if (packet == nullptr) {
        quill::TheLog().LogError(u"WARNING : NO FREE PACKET, A REQUEST IS NOT SENT\n");
    }
    return packet;
}

Packet* GameConnection::TakePacket(quill::PacketPool& pool, std::once_flag& made, uint32_t count, uint32_t tries) {
    std::call_once(made, [&] { pool.Init(count, Packet::kPoolBlockSize); });
    void* block = pool.Alloc(tries);
    if (block == nullptr) {
        return nullptr;
    }
    auto* packet = new (block) Packet;
    packet->SetInUse(false);
    return packet;
}

void GameConnection::FreePacket(Packet* packet) {
    // Each pool ignores the other's packets.
    receivedPool_.Free(packet);
    writtenPool_.Free(packet);
}

void GameConnection::SendPacket(Packet* packet) {
    if (packet == nullptr) {
        return;
    }
    socket_->SendPacket(packet);
    lastSendMs_ = platform::TimeGetTime();
}

bool GameConnection::SendWritten(const std::function<void(Packet&)>& write) {
    Packet* packet = AllocPacket();
    if (packet == nullptr) {
        return false;
    }
    write(*packet);
    // The socket refuses a packet that its writer overflowed, with its log line.
    const bool whole = !packet->Overflowed();
    SendPacket(packet);
    FreePacket(packet);
    return whole;
}

bool GameConnection::SendBytePacket(MessageId id, const uint8_t* value) {
    Packet* packet = value != nullptr ? AllocPacket() : nullptr;
    if (packet == nullptr) {
        return false;
    }
    packet->Init(id).WriteU8(*value);
    socket_->SendPacket(packet);
    FreePacket(packet);
    return true;
}

void GameConnection::SendLoginRequest() {
    Packet* packet = AllocPacket();
    if (packet == nullptr) {
        return;
    }
    {
        ScopedLock hold(stateLock_);
        packet->Init(MessageId::LoginRequest).WriteU32(quill::kClientVersion).WriteU8(loginKind_);
        packet->WriteWString(loginId_).WriteWString(password_);
    }
    AwaitAnswer();
    socket_->SendPacket(packet);
    lastSendMs_ = platform::TimeGetTime();
    FreePacket(packet);
}

void GameConnection::CancelConnect() {
    awaitingAnswer_ = false;
    connected_ = false;
    socket_->Close();
}

void GameConnection::Tick(uint32_t now) {
    if (!connected_) {
        return;
    }
    socket_->CheckSendProgress(now);
    if (awaitingAnswer_ && MsSince(now, awaitedSinceMs_) > kAnswerBoundMs) {
        GiveUpAwaitedAnswer();
        return;
    }
    if (MsSince(now, lastSendMs_) <= kKeepAliveSilenceMs) {
        return;
    }
    lastSendMs_ = now;
    SendKeepAlive();
}

void GameConnection::AwaitAnswer() {
    awaitedSinceMs_ = platform::TimeGetTime();
    awaitingAnswer_ = true;
}

// A server that accepts and then says nothing would leave the player waiting for ever: the attempt ends as a
// connect that failed.
void GameConnection::GiveUpAwaitedAnswer() {
    awaitingAnswer_ = false;
    quill::TheLog().LogError(u"WARNING: the game server did not answer within %d s; the connection is ended\n",
                             static_cast<int>(kAnswerBoundMs / 1000));
    connected_ = false;
    socket_->Close();
    const uint32_t code = kAnswerTimedOut;
    const uint8_t message[] = {8, 0, static_cast<uint8_t>(MessageId::ConnectFailed), 0, static_cast<uint8_t>(code),
                               static_cast<uint8_t>(code >> 8), 0, 0};
    QueueLocalMessage(message);
}

void GameConnection::SendKeepAlive() {
    Packet* packet = AllocPacket();
    if (packet == nullptr) {
        return;
    }
    packet->Init(MessageId::KeepAlive).WriteU8(0);
    socket_->SendPacket(packet);
    FreePacket(packet);
}

bool GameConnection::StartDispatchThread() {
    if (dispatchThread_) {
        return false;
    }
    dispatchStopped_.Reset();
    dispatchRunning_ = true;
    auto thread = std::make_unique<platform::Thread>();
    if (!thread->Start([this] { DispatchLoop(); })) {
        dispatchRunning_ = false;
        return false;
    }
    dispatchThread_ = std::move(thread);
    return true;
}

void GameConnection::StopDispatchThread() {
    if (!dispatchThread_) {
        return;
    }
    dispatchRunning_ = false;
    queue_.Signal();
    dispatchStopped_.Wait();
    dispatchThread_->Join();
    dispatchThread_.reset();
}

void GameConnection::DispatchLoop() {
    dispatchThreadId_ = std::this_thread::get_id();
    platform::SetThreadFpuMode();
    host_.DispatchThreadStarted();
    while (dispatchRunning_) {
        queue_.Wait();
        while (dispatchRunning_) {
            Packet* packet = queue_.Pop();
            if (packet == nullptr) {
                break;
            }
            if (WaitForReadyScene()) {
                Dispatch(packet);
            }
            FreePacket(packet);
        }
    }
    DrainQueue();
    host_.DispatchThreadEnded();
    dispatchStopped_.Set();
}

bool GameConnection::WaitForReadyScene() {
    // The current scene is read without a lock and nothing is held across the sleep, so a scene switch on
    // the main thread is never held up by the waiting dispatcher.
    if (std::this_thread::get_id() != dispatchThreadId_.load()) {
        return false;
    }
    while (dispatchRunning_) {
        const ConnectionScene* scene = host_.CurrentScene();
        if (scene != nullptr && CanTakePackets(*scene)) {
            return true;
        }
        platform::Sleep(1);
    }
    return false;
}

void GameConnection::DrainQueue() {
    while (Packet* packet = queue_.Pop()) {
        FreePacket(packet);
    }
}

void GameConnection::Dispatch(Packet* packet) {
    if (packet != nullptr) {
        dispatcher_->Dispatch(*packet);
    }
}

bool GameConnection::HandleSlashCommand(WStringView line) {
    Packet request;
    const OperatorCommand command = OperatorCommand::Parse(line, request);
    switch (command.action) {
        case OperatorCommand::Action::NotACommand:
            return false;
        case OperatorCommand::Action::Send:
            SendPacket(&request);
            return true;
        case OperatorCommand::Action::GoToRoom:
            host_.PostEvent(ConnectionEvent::GoToRoom, command.room, 0, 0);
            return true;
        case OperatorCommand::Action::Rejected:
            return true;
    }
    return true;
}

void GameConnection::UpdateFriendPlace(uint32_t id, int16_t place) {
    if (directories_.UpdateFriendPlace(id, place, player_.channel)) {
        dispatcher_->DeliverEmpty(MessageId::MemberLocation);
    }
}

bool GameConnection::CopyAndCensor(WStringView source, WString& destination) {
    destination.assign(source);
    return !destination.empty() && host_.CensorWords(destination.data(), destination.size());
}

quill::InventoryItem* GameConnection::AllocItem() {
    return inventory_.AllocItem();
}

void GameConnection::FreeItem(quill::InventoryItem* item) {
    inventory_.FreeItem(item);
}

void GameConnection::RebuildDefaultItems() {
    inventory_.RebuildDefaultItems(MembershipState());
}

void GameConnection::AddOfflineItems() {
    inventory_.AddOfflineItems();
}

WString GameConnection::Nickname() const {
    ScopedLock hold(stateLock_);
    return nickname_;
}

void GameConnection::SetNickname(WStringView nickname) {
    ScopedLock hold(stateLock_);
    nickname_ = nickname;
}

int16_t GameConnection::GetChannelType(int32_t channel) const {
    ScopedLock hold(stateLock_);
    // The current channel is kept 1-based; the table is indexed by the channel list's 0-based numbers.
    const int32_t index = channel == -1 ? currentChannel_ - 1 : channel;
    if (index < 0 || index >= static_cast<int32_t>(kChannelCount)) {
        return 0;
    }
    return channelKinds_[static_cast<size_t>(index)];
}

void GameConnection::SetChannelKind(uint8_t channel, int16_t kind) {
    ScopedLock hold(stateLock_);
    channelKinds_[channel] = kind;
}

int32_t GameConnection::CurrentChannel() const {
    ScopedLock hold(stateLock_);
    return currentChannel_;
}

void GameConnection::SetCurrentChannel(int32_t channel) {
    ScopedLock hold(stateLock_);
    currentChannel_ = channel;
}

void GameConnection::SetTaggedText(uint8_t state, WStringView text, uint16_t value) {
    ScopedLock hold(stateLock_);
    membershipState_ = state;
    membershipValue_ = value;
    if (state != 0) {
        membershipText_ = text;
    }
}

uint8_t GameConnection::MembershipState() const {
    ScopedLock hold(stateLock_);
    return membershipState_;
}

uint16_t GameConnection::MembershipValue() const {
    ScopedLock hold(stateLock_);
    return membershipValue_;
}

WString GameConnection::MembershipText() const {
    ScopedLock hold(stateLock_);
    return membershipText_;
}

void GameConnection::SetValueAndFlag(uint32_t value, uint8_t flag) {
    ScopedLock hold(stateLock_);
    connectionValue_ = value;
    connectionFlag_ = flag;
}

uint32_t GameConnection::ConnectionValue() const {
    ScopedLock hold(stateLock_);
    return connectionValue_;
}

std::vector<BestShot> GameConnection::BestShots() const {
    quill::ScopedLock hold(stateLock_);
    return bestShots_;
}

void GameConnection::SetBestShots(std::vector<BestShot> shots) {
    quill::ScopedLock hold(stateLock_);
    bestShots_ = std::move(shots);
}

TournamentRecord GameConnection::Tournament() const {
    ScopedLock hold(stateLock_);
    return tournament_;
}

void GameConnection::SetTournament(const TournamentRecord& record) {
    ScopedLock hold(stateLock_);
    tournament_ = record;
}

void GameConnection::SetRace(uint8_t gameType, WStringView name) {
    ScopedLock hold(stateLock_);
    raceGameType_ = gameType;
    raceName_ = name;
}

uint8_t GameConnection::RaceGameType() const {
    ScopedLock hold(stateLock_);
    return raceGameType_;
}

WString GameConnection::RaceName() const {
    ScopedLock hold(stateLock_);
    return raceName_;
}

void GameConnection::ClearActiveItems() {
    ScopedLock hold(activeItemsLock_);
    for (ActiveItem& item : activeItems_) {
        item.flag = 0;
    }
}

void GameConnection::SetActiveItem(uint32_t slot, uint32_t key, uint32_t subKey, uint8_t flag) {
    if (slot >= kActiveItemSlots) {
        return;
    }
    ScopedLock hold(activeItemsLock_);
    activeItems_[slot] = {flag, key, subKey};
}

bool GameConnection::IsItemActive(uint32_t slot) const {
    if (slot >= kActiveItemSlots) {
        return false;
    }
    ScopedLock hold(activeItemsLock_);
    return activeItems_[slot].flag != 0;
}

int64_t GameConnection::GetActiveItemKey(uint32_t slot) const {
    if (slot >= kActiveItemSlots) {
        return 0;
    }
    ScopedLock hold(activeItemsLock_);
    const ActiveItem& item = activeItems_[slot];
    return static_cast<int64_t>((uint64_t{item.subKey} << 32) | item.key);
}

int32_t GameConnection::GetGuideLineBonus() const {
    return IsItemActive(1) ? kGuideLineBonus : 0;
}

int32_t GameConnection::GetSlot3Bonus() const {
    return IsItemActive(3) ? kSlot3Bonus : 0;
}

bool GameConnection::IsSlot2Active() const {
    return IsItemActive(2);
}

bool GameConnection::IsSlot4Active() const {
    return IsItemActive(4);
}

void GameConnection::OnConnect(quill::ClSocket* socket, int code) {
    if (shutdownPending_.exchange(false)) {
        socket->Close();
        shutdownEvent_.Set();
        return;
    }
    if (code == 0) {
        // A keep-alive fills a silence: the first one counts from the connect, so the login goes first.
        lastSendMs_ = platform::TimeGetTime();
        AwaitAnswer();
        connected_ = true;
        quill::TheLog().Log(u"CONNECTED..\n");
        return;
    }
    const auto word = static_cast<uint32_t>(code);
    const uint8_t message[] = {8,
                               0,
                               static_cast<uint8_t>(MessageId::ConnectFailed),
                               0,
                               static_cast<uint8_t>(word),
                               static_cast<uint8_t>(word >> 8),
                               static_cast<uint8_t>(word >> 16),
                               static_cast<uint8_t>(word >> 24)};
    QueueLocalMessage(message);
}

void GameConnection::OnReceive(quill::ClSocket* socket, int result) {
    if (result < 0) {
        return;  // a bad frame was dropped by the socket
    }
    const MessageId id = socket->IncomingPacket().Id();
    // ConnectionLost and ConnectFailed are the connection's own news; from the server they would end a session
    // that is still up.
    if (id == MessageId::ConnectionLost || id == MessageId::ConnectFailed) {
        quill::TheLog().LogError(u"WARNING: the server sent the local message %d; it is dropped\n", static_cast<int>(id));
        return;
    }
    if (id == MessageId::LoginResult || id == MessageId::LoginFailed) {
        awaitingAnswer_ = false;
    }
    Packet* packet = TakePacket(receivedPool_, receivedPoolMade_, kPacketCount, kPacketTries);
    if (packet == nullptr) {
        quill::TheLog().LogError(u"WARNING : NO FREE PACKET, MESSAGE %d DROPPED\n",
                                 static_cast<int>(socket->IncomingPacket().Id()));
        return;
    }
    if (!packet->LoadReceived(socket->IncomingPacket().ReceivedMessage())) {
        FreePacket(packet);
        return;
    }
    packet->SetInUse(false);
    queue_.Push(packet);
}

void GameConnection::OnClose(quill::ClSocket* /*socket*/, int /*reason*/) {
    // Cleared before queuing, so that a new connection made in answer to the loss keeps its flag.
    connected_ = false;
    awaitingAnswer_ = false;
    quill::TheLog().LogError(u"WARNING: Connection lost.\n");
    const uint8_t message[] = {4, 0, static_cast<uint8_t>(MessageId::ConnectionLost), 0};
    QueueLocalMessage(message);
}

// From the pool of written packets: a loss is noticed on any thread, and one that holds the widget-tree lock must
// not wait for the slots of a flood of received messages.
void GameConnection::QueueLocalMessage(std::span<const uint8_t> message) {
    Packet* packet = TakePacket(writtenPool_, writtenPoolMade_, kWrittenPacketCount, 1);
    if (packet == nullptr || !packet->LoadReceived(message)) {
        quill::TheLog().LogError(u"WARNING : NO FREE PACKET, MESSAGE %d DROPPED\n", static_cast<int>(message[2]));
        FreePacket(packet);
        return;
    }
    queue_.Push(packet);
}

bool NetworkInit() {
    return true;
}

}  // namespace kestrovan
