// Feeds arbitrary bytes to the receiving side of the game-server connection: as a stream of frames cut into
// receives of varying size (in clear and enciphered), as ciphertext for the packet cipher, and as messages
// for the packet readers and the sending side's framing. Nothing may crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "QuillLib/net/ClSocketBase.h"
#include "QuillLib/net/Packet.h"
#include "QuillLib/net/PacketCipher.h"
#include "platform/system/Console.h"

namespace {

class Framer : public quill::ClSocketBase {
public:
    int SendPacket(quill::Packet* /*packet*/, int /*flag*/) override { return 0; }
};

// Reads the payload field by field, the kinds chosen by the fuzzer's own bytes, until the message ends.
void ReadFields(quill::Packet& packet, std::span<const uint8_t> kinds) {
    char16_t text[64];
    for (size_t i = 0; packet.Cursor() < packet.LengthReadBack() && i < 4096; ++i) {
        switch (kinds.empty() ? 0 : kinds[i % kinds.size()] % 6) {
            case 0:
                packet.ReadU8();
                break;
            case 1:
                packet.ReadU16();
                break;
            case 2:
                packet.ReadU32();
                break;
            case 3:
                packet.ReadI64();
                break;
            case 4:
                packet.ReadWString();
                break;
            default:
                packet.ReadWString(text, sizeof(text) / sizeof(text[0]));
                break;
        }
    }
    packet.ReadU32();  // past the end
}

// Feeds the stream in receives whose sizes come from the data, reading every message that arrives.
void FeedStream(std::span<const uint8_t> data, bool encrypted) {
    Framer framer;
    if (encrypted) {
        framer.EnableEncryption();
    }
    size_t offset = 0;
    for (size_t step = 0; offset < data.size(); ++step) {
        const size_t piece = std::min<size_t>(data.size() - offset, 1 + data[step % data.size()] * 17u);
        const bool intact = framer.FeedReceived(data.subspan(offset, piece), [&](int result) {
            if (result >= 0) {
                quill::Packet copy;
                copy.LoadReceived(framer.IncomingPacket().ReceivedMessage());
                ReadFields(copy, data);
            }
        });
        if (!intact) {
            return;
        }
        offset += piece;
    }
}

void Decipher(std::span<const uint8_t> data) {
    static quill::PacketCipher cipher;
    std::vector<uint8_t> plain(data.size());
    uint32_t length = 0;
    if (cipher.DecryptPacket(data, plain, length) == 0) {
        quill::Packet packet;
        if (packet.LoadReceived(std::span(plain).first(length))) {
            ReadFields(packet, data);
        }
    }
}

void FrameForSending(std::span<const uint8_t> data) {
    Framer framer;
    framer.EnableEncryption();
    std::span<const uint8_t> frames;
    framer.PrepareFrames(data, frames);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // The network code logs every bad frame; the fuzzer's output stays readable without them.
    platform::SetConsoleSink([](std::string_view) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::span<const uint8_t> data(bytes, size);
    FeedStream(data, true);
    FeedStream(data, false);
    Decipher(data);
    FrameForSending(data);
    quill::Packet packet;
    if (packet.LoadReceived(data)) {
        ReadFields(packet, data);
    }
    return 0;
}
