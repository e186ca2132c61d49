#include <gtest/gtest.h>

#include <vector>

#include "tests/support/common/LogCapture.h"
#include "QuillLib/net/CipherError.h"
#include "QuillLib/net/ClSocketBase.h"

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

Bytes Concat(std::initializer_list<Bytes> parts) {
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

TEST(ClSocketFraming, TwoFramesInOneReceiveAreReportedInTurn) {
    Framer framer;
    const Bytes first = MessageOf(10, 11);
    const Bytes second = MessageOf(12, 13);
    const Fed fed = Feed(framer, Concat({first, second}));
    EXPECT_TRUE(fed.intact);
    EXPECT_EQ(fed.results, (std::vector<int>{12, 0}));
    EXPECT_EQ(fed.messages, (std::vector<Bytes>{first, second}));
    EXPECT_EQ(framer.IncomingPacket().Id(), static_cast<MessageId>(13));
    EXPECT_EQ(framer.IncomingPacket().Cursor(), 4u);
}

TEST(ClSocketFraming, AFrameSplitAcrossReceivesIsReportedWhenComplete) {
    Framer framer;
    const Bytes message = MessageOf(40, 1210);
    EXPECT_TRUE(Feed(framer, Bytes(message.begin(), message.begin() + 3)).results.empty());
    EXPECT_TRUE(Feed(framer, Bytes(message.begin() + 3, message.begin() + 39)).results.empty());
    const Fed fed = Feed(framer, Bytes(message.begin() + 39, message.end()));
    EXPECT_EQ(fed.results, (std::vector<int>{0}));
    EXPECT_EQ(fed.messages, (std::vector<Bytes>{message}));
}

TEST(ClSocketFraming, AcceptsFramesUpTo3080Bytes) {
    Framer framer;
    const Fed fed = Feed(framer, MessageOf(3080, 1202));
    EXPECT_TRUE(fed.intact);
    EXPECT_EQ(fed.results, (std::vector<int>{0}));
    EXPECT_EQ(framer.IncomingPacket().LengthReadBack(), 3080);
}

TEST(ClSocketFraming, LogsTheLengthOfABadFrame) {
    test::LogCapture log;
    Framer framer;
    EXPECT_FALSE(Feed(framer, Bytes{0, 0, 1, 0}).intact);
    EXPECT_TRUE(log.Contains("ERROR : INVALID PACKET SIZE 0\n"));
}

TEST(ClSocketFraming, ABadFrameLengthEndsTheStream) {
    for (const Bytes& bad : {MessageOf(3081, 1), Bytes{0, 0, 1, 0}, Bytes{3, 0, 1, 0}, Bytes{0xFF, 0xFF, 1, 0}}) {
        Framer framer;
        const Fed fed = Feed(framer, Concat({MessageOf(6, 2), bad}));
        EXPECT_FALSE(fed.intact) << "length " << (bad[0] | (bad[1] << 8));
        EXPECT_EQ(fed.results.back(), ClSocketBase::kBadFrameLength);
        EXPECT_EQ(fed.messages.size(), 1u) << "the good frame before it still arrives";
    }
}

TEST(ClSocketFraming, FeedsAFullBufferInPiecesWithoutRepeatingAByte) {
    Framer framer;
    const Bytes first = MessageOf(3080, 100);
    const Bytes second = MessageOf(3080, 101);
    const Bytes third = MessageOf(2000, 102);
    const Bytes stream = Concat({first, second, third});
    EXPECT_TRUE(Feed(framer, Bytes(stream.begin(), stream.begin() + 3000)).results.empty());
    const Fed fed = Feed(framer, Bytes(stream.begin() + 3000, stream.begin() + 3000 + 4096));
    EXPECT_TRUE(fed.intact);
    EXPECT_EQ(fed.messages, (std::vector<Bytes>{first, second}));
    const Fed rest = Feed(framer, Bytes(stream.begin() + 3000 + 4096, stream.end()));
    EXPECT_EQ(rest.messages, (std::vector<Bytes>{third}));
}

TEST(ClSocketFraming, DeciphersEncipheredFrames) {
    Framer framer;
    framer.EnableEncryption();
    const Bytes first = MessageOf(4, 2);
    const Bytes second = MessageOf(258, 1208);
    const Fed fed = Feed(framer, Concat({ServerFrame(first), ServerFrame(second)}));
    EXPECT_EQ(fed.results, (std::vector<int>{266, 0}));
    EXPECT_EQ(fed.messages, (std::vector<Bytes>{first, second}));
}

TEST(ClSocketFraming, EncipheredFramesMustBeWholeBlocks) {
    for (uint16_t length : {2, 9, 11, 3081}) {
        Framer framer;
        framer.EnableEncryption();
        Bytes frame(std::max<size_t>(length, 4), 0);
        frame[0] = static_cast<uint8_t>(length);
        frame[1] = static_cast<uint8_t>(length >> 8);
        const Fed fed = Feed(framer, frame);
        EXPECT_FALSE(fed.intact) << length;
        EXPECT_EQ(fed.results, (std::vector<int>{ClSocketBase::kBadFrameLength})) << length;
    }
}

TEST(ClSocketFraming, DropsAMessageThatBelieItsFrameAndGoesOn) {
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
    ASSERT_EQ(fed.results.size(), 3u);
    EXPECT_EQ(fed.results[0], ClSocketBase::kCipherFailure);
    EXPECT_EQ(fed.results[1], ClSocketBase::kCipherFailure);
    EXPECT_EQ(fed.results[2], 0);
    EXPECT_EQ(fed.messages, (std::vector<Bytes>{good}));
    EXPECT_EQ(framer.LastError(), kCipherBadPadding);
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
    ASSERT_EQ(fed.messages.size(), 3u);
    EXPECT_EQ(fed.messages[0].size(), 8u);
    EXPECT_EQ(fed.messages[1].size(), 18u);
    EXPECT_EQ(fed.messages[2].size(), 5u);
    EXPECT_EQ(Concat({fed.messages[0], fed.messages[1], fed.messages[2]}),
              Bytes(packet.Bytes().begin(), packet.Bytes().end()));
}

TEST(ClSocketFraming, RefusesPacketsWhoseFramesWouldNotFitOrDoNotChain) {
    Framer framer;
    framer.EnableEncryption();
    std::span<const uint8_t> frames;
    EXPECT_EQ(framer.PrepareFrames(MessageOf(3071, 1), frames), 0) << "becomes a frame of 3074 bytes";
    EXPECT_EQ(framer.PrepareFrames(MessageOf(3072, 1), frames), ClSocketBase::kBadFrameLength);
    EXPECT_EQ(framer.PrepareFrames(Concat({MessageOf(1600, 1), MessageOf(1600, 2)}), frames),
              ClSocketBase::kBadFrameLength);
    EXPECT_EQ(framer.PrepareFrames(Concat({MessageOf(8, 1), Bytes{0, 0, 1, 0}}), frames),
              ClSocketBase::kBadFrameLength);
    EXPECT_EQ(framer.PrepareFrames(Concat({MessageOf(8, 1), Bytes{9, 0, 1, 0}}), frames),
              ClSocketBase::kBadFrameLength);
    EXPECT_TRUE(frames.empty());

    Framer clear;
    EXPECT_EQ(clear.PrepareFrames(MessageOf(3072, 1), frames), 0) << "in clear a frame is the message";
    EXPECT_EQ(frames.size(), 3072u);
}

}  // namespace
}  // namespace quill
