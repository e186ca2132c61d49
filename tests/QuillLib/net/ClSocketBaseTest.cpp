#include <gtest/gtest.h>

#include <vector>

#include "QuillLib/net/CipherError.h"
#include "QuillLib/net/ClSocketBase.h"
#include "tests/support/common/LogCapture.h"

namespace quill {
namespace {

using Bytes = std::vector<uint8_t>;

// The framing alone, without a system socket.
class Framer : public ClSocketBase {
public:
    using ClSocketBase::ClSocketBase;
    int SendPacket(Packet* /*packet*/, int /*flag*/) override { return 0; }
};

// What one FeedReceived call reported.
struct Fed {
    bool intact = true;
    std::vector<int> results;
    std::vector<Bytes> messages;  // the incoming message at each result >= 0
};

Fed Feed(Framer& framer, const Bytes& bytes) {
    Fed fed;
    fed.intact = framer.FeedReceived(bytes, [&](int result) {
        fed.results.push_back(result);
        if (result >= 0) {
            const auto message = framer.IncomingPacket().ReceivedMessage();
            fed.messages.emplace_back(message.begin(), message.end());
        }
    });
    return fed;
}

// A message of exactly length bytes with the given id and a counting payload.
Bytes MessageOf(uint16_t length, uint16_t id) {
    Bytes message(length);
    message[0] = static_cast<uint8_t>(length);
    message[1] = static_cast<uint8_t>(length >> 8);
    message[2] = static_cast<uint8_t>(id);
    message[3] = static_cast<uint8_t>(id >> 8);
    for (size_t i = 4; i < length; ++i) {
        message[i] = static_cast<uint8_t>(i * 7);
    }
    return message;
}

Bytes Concat(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// A frame as the server enciphers it for the client.
Bytes ServerFrame(const Bytes& message) {
    PacketCipher server(PacketCipherKeys::BuiltIn().Mirrored());
    Bytes frame(PacketCipher::FrameLength(static_cast<uint32_t>(message.size())));
    uint32_t length = 0;
    EXPECT_EQ(server.EncryptPacket(message, frame, length), kCipherOk);
    return frame;
}

TEST(ClSocketFraming, ReassemblesFramesHoweverTheReceivesCutTheStream) {
    const Bytes largest = MessageOf(3080, 1202);
    const Bytes small = MessageOf(10, 11);
    const Bytes last = MessageOf(12, 13);
    const Bytes stream = Concat({largest, largest, small, last});
    Framer framer;
    EXPECT_TRUE(Feed(framer, Bytes(stream.begin(), stream.begin() + 3)).results.empty());
    // More than the buffer's free space at once is fed in pieces, without repeating a byte.
    const Fed full = Feed(framer, Bytes(stream.begin() + 3, stream.begin() + 3 + 4096));
    EXPECT_TRUE(full.intact);
    EXPECT_EQ(full.messages, (std::vector<Bytes>{largest}));
    // Each result is the count of bytes still buffered.
    const Fed rest = Feed(framer, Bytes(stream.begin() + 3 + 4096, stream.end()));
    EXPECT_EQ(rest.results, (std::vector<int>{22, 12, 0}));
    EXPECT_EQ(rest.messages, (std::vector<Bytes>{largest, small, last}));
    EXPECT_EQ(framer.IncomingPacket().Id(), static_cast<MessageId>(13));
    EXPECT_EQ(framer.IncomingPacket().Cursor(), 4u);
}

TEST(ClSocketFraming, ABadFrameLengthEndsTheStreamAndIsLogged) {
    test::LogCapture log;
    const Bytes good = MessageOf(6, 2);
    for (bool enciphered : {false, true}) {
        // Enciphered, a frame is its length and whole cipher blocks, at least one.
        const std::vector<Bytes> bad =
            enciphered ? std::vector<Bytes>{{2, 0, 1, 0}, MessageOf(9, 1), MessageOf(11, 1), MessageOf(3082, 1)}
                       : std::vector<Bytes>{{0, 0, 1, 0}, {3, 0, 1, 0}, {0xFF, 0xFF, 1, 0}, MessageOf(3081, 1)};
        for (const Bytes& frame : bad) {
            Framer framer;
            if (enciphered) {
                framer.EnableEncryption();
            }
            const Fed fed = Feed(framer, Concat({enciphered ? ServerFrame(good) : good, frame}));
            EXPECT_FALSE(fed.intact) << "length " << (frame[0] | (frame[1] << 8));
            EXPECT_EQ(fed.results.back(), ClSocketBase::kBadFrameLength);
            EXPECT_EQ(fed.messages, std::vector<Bytes>{good}) << "the good frame before it still arrives";
        }
    }
    EXPECT_TRUE(log.Contains("ERROR : INVALID PACKET SIZE 0\n"));
}

TEST(ClSocketFraming, DropsAMessageThatBelieItsFrameAndGoesOn) {
    test::LogCapture log;
    Framer framer;
    framer.EnableEncryption();
    Bytes lying = MessageOf(20, 5);
    lying[0] = 100;                             // claims more bytes than the frame carried
    Bytes cut = ServerFrame(MessageOf(16, 7));  // cut to two blocks, the last of which is not padding
    cut.resize(18);
    cut[0] = 18;
    const Bytes good = MessageOf(9, 6);
    const Fed fed = Feed(framer, Concat({ServerFrame(lying), cut, ServerFrame(good)}));
    EXPECT_TRUE(fed.intact);
    EXPECT_EQ(fed.results, (std::vector<int>{ClSocketBase::kCipherFailure, ClSocketBase::kCipherFailure, 0}));
    EXPECT_EQ(fed.messages, (std::vector<Bytes>{good}));
    EXPECT_EQ(framer.LastError(), kCipherBadPadding);
    EXPECT_TRUE(log.Contains("WARNING : INVALID MESSAGE LENGTH 100\n"));
    EXPECT_TRUE(log.Contains("WARNING : DECRYPT ERROR 4099\n")) << "each dropped frame leaves one line";
}

// A peer that sends only frames that do not decipher would fill the disk with their log lines: a few in a row end
// the stream, while a bad frame now and then among good ones does not.
TEST(ClSocketFraming, FramesThatDoNotDecipherInARowEndTheStream) {
    test::LogCapture log;
    const Bytes garbage = {10, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    const Bytes good = ServerFrame(MessageOf(9, 6));
    Framer framer;
    framer.EnableEncryption();
    Bytes mixed;
    for (int round = 0; round < 20; ++round) {
        for (int bad = 0; bad < ClSocketBase::kMaxBadFramesInARow - 1; ++bad) mixed.insert(mixed.end(), garbage.begin(), garbage.end());
        mixed.insert(mixed.end(), good.begin(), good.end());
    }
    const Fed tolerated = Feed(framer, mixed);
    EXPECT_TRUE(tolerated.intact);
    EXPECT_EQ(tolerated.messages.size(), 20u);

    Bytes flood;
    for (int frame = 0; frame < 1000; ++frame) flood.insert(flood.end(), garbage.begin(), garbage.end());
    const Fed ended = Feed(framer, flood);
    EXPECT_FALSE(ended.intact);
    EXPECT_EQ(ended.results.size(), static_cast<size_t>(ClSocketBase::kMaxBadFramesInARow));
    EXPECT_TRUE(log.Contains("WARNING : 8 BAD FRAMES IN A ROW, CONNECTION ENDED\n"));
}

TEST(ClSocketFraming, EnciphersEachMessageOfAPacketAsItsOwnFrame) {
    Framer framer;
    framer.EnableEncryption();
    Packet packet;
    packet.Init(MessageId::ShotResultReport).WriteU32(1).BeginMessage(MessageId::TableState).WriteWString(u"state");
    packet.BeginMessage(MessageId::AimState).WriteU8(3).Finish();
    std::span<const uint8_t> frames;
    ASSERT_EQ(framer.PrepareFrames(packet.Bytes(), frames), 0);

    // The server side takes them apart again.
    Framer server(PacketCipherKeys::BuiltIn().Mirrored());
    server.EnableEncryption();
    const Fed fed = Feed(server, Bytes(frames.begin(), frames.end()));
    EXPECT_EQ(fed.messages.size(), 3u);
    EXPECT_EQ(Concat(fed.messages), Bytes(packet.Bytes().begin(), packet.Bytes().end()));
}

TEST(ClSocketFraming, RefusesPacketsWhoseFramesWouldNotFitOrDoNotChain) {
    Framer framer;
    framer.EnableEncryption();
    std::span<const uint8_t> frames;
    EXPECT_EQ(framer.PrepareFrames(MessageOf(3071, 1), frames), 0) << "becomes a frame of 3074 bytes";
    for (const Bytes& bad :
         {MessageOf(3072, 1), Concat({MessageOf(1600, 1), MessageOf(1600, 2)}),
          Concat({MessageOf(8, 1), Bytes{0, 0, 1, 0}}), Concat({MessageOf(8, 1), Bytes{9, 0, 1, 0}})}) {
        EXPECT_EQ(framer.PrepareFrames(bad, frames), ClSocketBase::kBadFrameLength);
        EXPECT_TRUE(frames.empty());
    }
    Framer clear;
    EXPECT_EQ(clear.PrepareFrames(MessageOf(3072, 1), frames), 0) << "in clear a frame is the message";
    EXPECT_EQ(frames.size(), 3072u);
}

}  // namespace
}  // namespace quill
