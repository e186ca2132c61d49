// Feeds arbitrary bytes to a connected ClSocket through a real loopback connection, so that the receive
// thread reassembles, deciphers and hands out frames cut wherever the system cuts them, while the owner's
// thread sends and closes. The first byte chooses the cipher and whether the owner closes while bytes are
// still arriving; the rest is the stream, sent in pieces whose sizes come from the data. Nothing may crash,
// race or read out of bounds; a stream that ends must be reported (OnClose) or closed by the owner, never
// hang the socket.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>

#include "QuillLib/net/ClSocket.h"
#include "QuillLib/net/Packet.h"
#include "platform/net/TcpListener.h"
#include "platform/system/Console.h"

namespace {

constexpr uint32_t kWaitMs = 10000;

// Records the connection's reports; calls arrive on the socket's threads.
class Listener : public quill::SocketListener {
public:
    void OnConnect(quill::ClSocket* /*socket*/, int code) override {
        const std::lock_guard<std::mutex> hold(mutex_);
        code_ = code;
        connectReported_ = true;
        changed_.notify_all();
    }

    void OnReceive(quill::ClSocket* socket, int result) override {
        if (result < 0) {
            return;
        }
        // The message must be whole: its length field matches what the socket hands out.
        const std::span<const uint8_t> message = socket->IncomingPacket().ReceivedMessage();
        if (message.size() < 4) {
            std::abort();
        }
        quill::Packet copy;
        if (copy.LoadReceived(message)) {
            copy.ReadU32();
            copy.ReadWString();
        }
    }

    void OnClose(quill::ClSocket* /*socket*/, int /*reason*/) override {
        const std::lock_guard<std::mutex> hold(mutex_);
        closed_ = true;
        changed_.notify_all();
    }

    // The connect's code: 0 connected, otherwise the failure (-1 also when none was reported in time).
    int WaitForConnect() {
        std::unique_lock<std::mutex> hold(mutex_);
        changed_.wait_for(hold, std::chrono::milliseconds(kWaitMs), [this] { return connectReported_; });
        return connectReported_ ? code_ : -1;
    }

    bool WaitForClose() {
        std::unique_lock<std::mutex> hold(mutex_);
        return changed_.wait_for(hold, std::chrono::milliseconds(kWaitMs), [this] { return closed_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool connectReported_ = false;
    int code_ = -1;
    bool closed_ = false;
};

// Loopback servers, taken in turn. A connection that ends leaves its pair of ports waiting for a minute; a
// million of them within minutes would use up the client's ports toward a single server port.
constexpr size_t kServers = 16;

platform::TcpListener& Server(size_t index) {
    static platform::TcpListener servers[kServers];
    return servers[index % kServers];
}

platform::TcpListener& NextServer() {
    static size_t next = 0;
    return Server(next++);
}

void SendInPieces(platform::TcpSocket& peer, std::span<const uint8_t> stream) {
    size_t offset = 0;
    for (size_t step = 0; offset < stream.size(); ++step) {
        const size_t piece = std::min<size_t>(stream.size() - offset, 1 + stream[step % stream.size()] * 7u);
        if (peer.SendAll(stream.data() + offset, piece) != 0) {
            return;
        }
        offset += piece;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    platform::SetConsoleSink([](std::string_view) {});
    for (size_t i = 0; i < kServers; ++i) {
        if (Server(i).Listen(0) != 0) {
            std::abort();
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool encrypted = (bytes[0] & 1) != 0;
    const bool ownerCloses = (bytes[0] & 2) != 0;
    const std::span<const uint8_t> stream(bytes + 1, size - 1);

    Listener listener;
    quill::ClSocket socket(&listener);
    if (encrypted) {
        socket.EnableEncryption();
    }
    platform::TcpListener& server = NextServer();
    socket.Connect(u"127.0.0.1", server.Port());
    std::unique_ptr<platform::TcpSocket> peer = server.Accept(kWaitMs);
    const int code = listener.WaitForConnect();
    if (!peer || code != 0) {
        std::fprintf(stderr, "the loopback connection failed (code %d)\n", code);
        std::abort();
    }
    SendInPieces(*peer, stream);
    if (ownerCloses) {
        socket.Close();
    } else {
        peer->Shutdown();
        // The peer has gone: the receive thread must see the end of the stream and say so.
        if (!listener.WaitForClose()) {
            std::abort();
        }
    }
    return 0;
}
