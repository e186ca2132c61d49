#pragma once
// Stand-ins for the application around the game connection: a scene that records the messages it is
// handed and a host that records what the connection asks of the shell, both safe to read from the test
// thread while the dispatch thread writes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "client/connection/ConnectionHost.h"
#include "client/connection/GameConnection.h"
#include "platform/system/Console.h"

namespace kestrovan::test {

using quill::MessageId;
using quill::Packet;
using quill::WString;

inline constexpr uint32_t kWaitMs = 10000;

// Waits on a condition over shared state; all recorders below use one.
class Recorder {
public:
    // Notifies under the lock: a waiter that sees the change may return and destroy the recorder at once,
    // so the recording thread must be done with the condition variable before the waiter can see it.
    template <class Change>
    void Record(Change change) {
        std::lock_guard hold(mutex_);
        change();
        changed_.notify_all();
    }
    bool WaitUntil(const std::function<bool()>& condition) {
        std::unique_lock hold(mutex_);
        return changed_.wait_for(hold, std::chrono::milliseconds(kWaitMs), condition);
    }
    std::mutex& Mutex() { return mutex_; }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
};

struct SceneMessage {
    MessageId id;
    std::vector<uint8_t> payload;  // from the cursor to the message's end when the scene got it
};

class FakeScene : public ConnectionScene {
public:
    explicit FakeScene(int32_t id = 4) : id_(id) {}

    int32_t GetSceneId() const override { return id_; }
    bool IsChangePending() const override { return changePending; }
    bool IsLoading() const override { return loading; }
    bool IsReady() const override { return ready; }
    int OnPacket(MessageId id, Packet& packet) override {
        const auto message = packet.ReceivedMessage();
        recorder_.Record([&] { messages_.push_back({id, {message.begin() + packet.Cursor(), message.end()}}); });
        return 0;
    }

    bool WaitForMessages(size_t count) {
        return recorder_.WaitUntil([&] { return messages_.size() >= count; });
    }
    std::vector<SceneMessage> Messages() {
        std::lock_guard hold(recorder_.Mutex());
        return messages_;
    }
    std::vector<MessageId> Ids() {
        std::vector<MessageId> ids;
        for (const SceneMessage& message : Messages()) {
            ids.push_back(message.id);
        }
        return ids;
    }

    std::atomic<bool> changePending{false};
    std::atomic<bool> loading{false};
    std::atomic<bool> ready{true};

private:
    const int32_t id_;
    Recorder recorder_;
    std::vector<SceneMessage> messages_;
};

struct PostedEvent {
    ConnectionEvent id;
    uint32_t wParam;
    bool operator==(const PostedEvent&) const = default;
};

class FakeHost : public ConnectionHost {
public:
    ConnectionScene* CurrentScene() override { return scene.load(); }
    bool DeliverPacket(MessageId id, Packet& packet) override {
        ConnectionScene* current = scene.load();
        if (current == nullptr || !CanTakePackets(*current)) return false;
        current->OnPacket(id, packet);
        return true;
    }
    // The test reads the local player's profile under it, as the screens read it under the widget-tree lock.
    quill::Lock& ProfileLock() override { return profileLock; }
    void PostEvent(ConnectionEvent id, uint32_t wParam, uint32_t, uint32_t) override {
        recorder_.Record([&] { events_.push_back({id, wParam}); });
    }
    void ShowNotice(const ConnectionNotice& notice) override {
        recorder_.Record([&] { notices_.push_back(notice); });
    }
    void OnMessengerChat(Packet& packet, bool echo) override { Note(echo ? "chat echo" : "chat", packet); }
    void OnMessengerMessage(MessageId id, Packet& packet) override {
        Note("messenger " + std::to_string(static_cast<int>(id)), packet);
    }
    void OnSkillSaveResult(Packet& packet) override { Note("skill", packet); }
    void RefreshMessengerLists() override { Note("refresh"); }
    void OnFriendRemoved(uint8_t kind, const quill::PlayerState& record) override {
        Note("friend removed " + std::to_string(kind) + " " + std::to_string(record.userId));
    }
    void OnClanMemberJoined(const quill::PlayerState& record) override {
        Note("clan joined " + std::to_string(record.userId));
    }
    void OnClanMemberLeft(const quill::PlayerState& record) override {
        Note("clan left " + std::to_string(record.userId));
    }
    void OnMemberPresence(uint8_t kind, const quill::PlayerState& record, bool loggedIn) override {
        Note(std::string(loggedIn ? "in " : "out ") + std::to_string(kind) + " " + std::to_string(record.userId));
    }
    void ShowInvitation(const Invitation& invitation) override {
        recorder_.Record([&] { invitations_.push_back(invitation); });
    }
    bool FindCueStatistics(uint32_t itemId, CueStatistics& statistics) override {
        statistics = {static_cast<uint8_t>(itemId % 100), 1, 2, 3, 4};
        return itemId >= 3000 && itemId < 4000;
    }
    // Masks every "bad" with '?'.
    bool CensorWords(char16_t* text, size_t maxLength) override {
        WString copy(text, maxLength);
        bool found = false;
        for (size_t at = copy.find(u"bad"); at != WString::npos; at = copy.find(u"bad", at + 3)) {
            copy.replace(at, 3, u"???");
            found = true;
        }
        std::copy(copy.begin(), copy.end(), text);
        return found;
    }
    WString FormatMoney(int64_t value) override {
        const std::string digits = std::to_string(value);
        return WString(digits.begin(), digits.end());
    }

    bool WaitForNotices(size_t count) {
        return recorder_.WaitUntil([&] { return notices_.size() >= count; });
    }
    std::vector<PostedEvent> Events() { return Copy(events_); }
    std::vector<ConnectionNotice> Notices() { return Copy(notices_); }
    std::vector<std::string> Calls() { return Copy(calls_); }
    std::vector<Invitation> Invitations() { return Copy(invitations_); }

    std::atomic<ConnectionScene*> scene{nullptr};
    quill::CriticalSectionLock profileLock;

private:
    // Messenger calls are recorded by name; a packet's first payload byte goes with it, to show it was
    // handed over on its payload.
    void Note(std::string call) {
        recorder_.Record([&] { calls_.push_back(std::move(call)); });
    }
    void Note(const std::string& call, Packet& packet) { Note(call + " " + std::to_string(packet.ReadU8())); }
    template <class T>
    std::vector<T> Copy(const std::vector<T>& list) {
        std::lock_guard hold(recorder_.Mutex());
        return list;
    }

    Recorder recorder_;
    std::vector<PostedEvent> events_;
    std::vector<ConnectionNotice> notices_;
    std::vector<std::string> calls_;
    std::vector<Invitation> invitations_;
};

// The message as the dispatcher receives it: finished and read back, cursor on the payload.
inline Packet Received(Packet message) {
    Packet received;
    received.LoadReceived(message.Finish().Bytes());
    return received;
}

// Keeps the connection's start-up printing of the level tables out of the test output; a member declared
// before the connection.
struct QuietConsole {
    QuietConsole() { platform::SetConsoleSink([](std::string_view) {}); }
    ~QuietConsole() { platform::SetConsoleSink({}); }
};

// A connection with a fake host and scene, and no socket traffic.
class ConnectionTest : public ::testing::Test {
protected:
    ConnectionTest() { host_.scene = &scene_; }

    void Dispatch(Packet message) {
        Packet received = Received(std::move(message));
        connection_.Dispatch(&received);
    }

    QuietConsole quiet_;
    FakeHost host_;
    FakeScene scene_;
    GameConnection connection_{host_};
};

// One friend or clan member record as the list messages carry it.
struct Member {
    uint32_t id;
    WString name;
    uint8_t channel = 1;
    uint16_t place = 0;
    uint8_t flag = 0;
    int64_t account = 0;
    uint32_t value = 0;
};

inline Packet& WriteMember(Packet& packet, const Member& member, bool withFlag = true) {
    packet.WriteU32(member.id).WriteI64(member.account).WriteWString(member.name);
    packet.WriteU8(member.channel).WriteU16(member.place).WriteU32(member.value);
    return withFlag ? packet.WriteU8(member.flag) : packet;
}

inline Packet FriendList(const std::vector<Member>& members) {
    Packet packet;
    packet.Init(MessageId::FriendList).WriteU16(static_cast<uint16_t>(members.size()));
    for (const Member& member : members) {
        WriteMember(packet, member);
    }
    return packet;
}

inline Packet ClanInfo(uint32_t clanId, const WString& name, const std::vector<Member>& members) {
    Packet packet;
    packet.Init(MessageId::ClanInfo).WriteU32(clanId).WriteWString(name).WriteU32(7).WriteI64(9000000000LL);
    packet.WriteU8(static_cast<uint8_t>(members.size())).WriteU8(50).WriteU16(static_cast<uint16_t>(members.size()));
    for (const Member& member : members) {
        WriteMember(packet, member);
    }
    return packet;
}

}  // namespace kestrovan::test
