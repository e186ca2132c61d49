// The game connection's receive path end to end over loopback: enciphered frames written by the loopback
// game server are read by the socket's receive thread, deciphered, queued, and handed by the dispatch
// thread to the current scene's packet slot.
//   DispatchThroughput: messages per second for a burst of 1000 frames written at once.
//   DispatchLatency:    one frame in flight at a time; the time from the server's write to the scene's
//                       packet slot, reported as median and 99th percentile in microseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"
#include "client/connection/ConnectionHost.h"
#include "client/connection/GameConnection.h"
#include "platform/system/Console.h"
#include "tests/support/net/GameServerFixture.h"

namespace {

using Clock = std::chrono::steady_clock;
using quill::MessageId;
using quill::Packet;

constexpr int kBurst = 1000;

// Counts the messages it is handed and notes when the last one came.
class CountingScene : public kestrovan::ConnectionScene {
public:
    int32_t GetSceneId() const override { return 5; }
    bool IsChangePending() const override { return false; }
    bool IsLoading() const override { return false; }
    bool IsReady() const override { return true; }
    int OnPacket(MessageId, Packet& packet) override {
        packet.ReadWString();
        lastArrival_ = Clock::now().time_since_epoch().count();
        {
            std::lock_guard hold(mutex_);
            ++count_;
        }
        arrived_.notify_all();
        return 0;
    }

    int64_t Count() {
        std::lock_guard hold(mutex_);
        return count_;
    }
    // Waits until count messages have come in all; false after ten seconds.
    bool WaitForCount(int64_t count) {
        std::unique_lock hold(mutex_);
        return arrived_.wait_for(hold, std::chrono::seconds(10), [&] { return count_ >= count; });
    }
    Clock::time_point LastArrival() const { return Clock::time_point(Clock::duration(lastArrival_.load())); }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    int64_t count_ = 0;
    std::atomic<Clock::rep> lastArrival_{0};
};

class BenchHost : public kestrovan::ConnectionHost {
public:
    kestrovan::ConnectionScene* CurrentScene() override { return &scene; }
    bool DeliverPacket(MessageId id, Packet& packet) override {
        scene.OnPacket(id, packet);
        return true;
    }
    quill::Lock& ProfileLock() override { return profileLock; }
    void PostEvent(kestrovan::ConnectionEvent, uint32_t, uint32_t, uint32_t) override {}
    void ShowNotice(const kestrovan::ConnectionNotice&) override {}
    void OnMessengerChat(Packet&, bool) override {}
    void OnMessengerMessage(MessageId, Packet&) override {}
    void OnSkillSaveResult(Packet&) override {}
    void RefreshMessengerLists() override {}
    void OnFriendRemoved(uint8_t, const quill::PlayerState&) override {}
    void OnClanMemberJoined(const quill::PlayerState&) override {}
    void OnClanMemberLeft(const quill::PlayerState&) override {}
    void OnMemberPresence(uint8_t, const quill::PlayerState&, bool) override {}
    void ShowInvitation(const kestrovan::Invitation&) override {}
    bool FindCueStatistics(uint32_t, kestrovan::CueStatistics&) override { return false; }
    bool CensorWords(char16_t*, size_t) override { return false; }
    quill::WString FormatMoney(int64_t) override { return {}; }

    CountingScene scene;
    quill::CriticalSectionLock profileLock;
};

// Keeps the connection's start-up printing of the level tables out of the report.
struct QuietConsole {
    QuietConsole() { platform::SetConsoleSink([](std::string_view) {}); }
    ~QuietConsole() { platform::SetConsoleSink({}); }
};

// A connection logged in to the loopback server, with its dispatch thread running.
struct LoggedIn {
    LoggedIn() {
        server.GreetWithHello();
        connection.SetServerAddress(server.Host(), server.Port());
        connection.StartDispatchThread();
        connection.Connect();
        ok = server.WaitForMessage(MessageId::LoginRequest).has_value();
    }
    ~LoggedIn() { connection.StopDispatchThread(); }

    QuietConsole quiet;
    kvtest::GameServerFixture server;
    BenchHost host;
    kestrovan::GameConnection connection{host};
    bool ok = false;
};

// A room chat line of about the size of a typical chat message.
std::vector<uint8_t> ChatFrame(const kvtest::GameServerFixture& server) {
    Packet chat;
    chat.Init(MessageId::RoomChat).WriteWString(u"nice shot, well played!");
    return server.FramesOf(chat);
}

void DispatchThroughput(benchmark::State& state) {
    LoggedIn session;
    if (!session.ok) {
        state.SkipWithError("the loopback session did not start");
        return;
    }
    const std::vector<uint8_t> frame = ChatFrame(session.server);
    std::vector<uint8_t> burst;
    for (int i = 0; i < kBurst; ++i) {
        burst.insert(burst.end(), frame.begin(), frame.end());
    }
    CountingScene& scene = session.host.scene;
    for (auto _ : state) {
        const int64_t target = scene.Count() + kBurst;
        session.server.SendRaw(burst);
        if (!scene.WaitForCount(target)) {
            state.SkipWithError("messages were lost");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kBurst);
}

double Percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, static_cast<size_t>(fraction * static_cast<double>(samples.size())))];
}

void DispatchLatency(benchmark::State& state) {
    LoggedIn session;
    if (!session.ok) {
        state.SkipWithError("the loopback session did not start");
        return;
    }
    const std::vector<uint8_t> frame = ChatFrame(session.server);
    CountingScene& scene = session.host.scene;
    std::vector<double> microseconds;
    for (auto _ : state) {
        const int64_t target = scene.Count() + 1;
        const Clock::time_point sent = Clock::now();
        session.server.SendRaw(frame);
        while (scene.Count() < target) {
            std::this_thread::yield();
        }
        microseconds.push_back(std::chrono::duration<double, std::micro>(scene.LastArrival() - sent).count());
    }
    if (!microseconds.empty()) {
        state.counters["median_us"] = Percentile(microseconds, 0.5);
        state.counters["p99_us"] = Percentile(microseconds, 0.99);
    }
}

}  // namespace

BENCHMARK(DispatchThroughput)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(DispatchLatency)->UseRealTime()->Unit(benchmark::kMicrosecond)->Iterations(5000);
