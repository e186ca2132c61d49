#include <gtest/gtest.h>

#include <array>
#include <random>
#include <thread>
#include <vector>

#include "QuillLib/net/CipherError.h"
#include "QuillLib/net/DesCbc.h"
#include "QuillLib/net/PacketCipher.h"

namespace quill {
namespace {

const PacketCipherKeys kTestKeys{{0x13, 0x34, 0x57, 0x79, 0x9B, 0xBC, 0xDF, 0xF1},
                                 {0x0E, 0x32, 0x92, 0x32, 0xEA, 0x6D, 0x0D, 0x73},
                                 {0x12, 0x34, 0x56, 0x78, 0x90, 0xAB, 0xCD, 0xEF}};

std::vector<uint8_t> Message(size_t length, uint32_t seed) {
    std::vector<uint8_t> message(length);
    std::mt19937 random(seed);
    for (uint8_t& byte : message) {
        byte = static_cast<uint8_t>(random());
    }
    return message;
}

std::vector<uint8_t> Encipher(PacketCipher& cipher, const std::vector<uint8_t>& message) {
    std::vector<uint8_t> frame(PacketCipher::FrameLength(static_cast<uint32_t>(message.size())));
    uint32_t frameLength = 0;
    EXPECT_EQ(cipher.EncryptPacket(message, frame, frameLength), kCipherOk);
    frame.resize(frameLength);
    return frame;
}

// Deciphers a frame (with its u16 length); returns the cipher result.
int Decipher(PacketCipher& cipher, const std::vector<uint8_t>& frame, std::vector<uint8_t>& plain) {
    plain.assign(frame.size(), 0);
    uint32_t plainLength = 0;
    const int result = cipher.DecryptPacket(std::span(frame).subspan(2), plain, plainLength);
    plain.resize(plainLength);
    return result;
}

TEST(PacketCipher, FramesAreTheLengthAndWholePaddedBlocks) {
    PacketCipher client;
    for (const auto& [length, frameLength] : {std::pair{4, 10}, std::pair{8, 18}, std::pair{258, 266}}) {
        const auto frame = Encipher(client, Message(length, length));
        ASSERT_EQ(frame.size(), static_cast<size_t>(frameLength));
        EXPECT_EQ(frame[0] | (frame[1] << 8), frameLength);
    }
}

// A frame of plain enciphered with key and padding, chained from the initial vector of the test keys with
// every byte XORed with 1, as each message is.
std::vector<uint8_t> FrameOf(const std::array<uint8_t, 8>& key, int padding, const std::vector<uint8_t>& plain) {
    std::array<uint8_t, 8> chain = kTestKeys.iv;
    for (uint8_t& byte : chain) {
        byte ^= 1;
    }
    DesCbc cbc;
    EXPECT_EQ(cbc.Init(padding, key, chain), kCipherOk);
    std::vector<uint8_t> frame(2 + plain.size() + 8);
    size_t written = 0;
    size_t last = 0;
    EXPECT_EQ(cbc.EncryptUpdate(plain, std::span(frame).subspan(2), written), kCipherOk);
    EXPECT_EQ(cbc.EncryptFinal(std::span(frame).subspan(2 + written), last), kCipherOk);
    frame.resize(2 + written + last);
    frame[0] = static_cast<uint8_t>(frame.size());
    return frame;
}

TEST(PacketCipher, EveryMessageChainsAfreshFromTheInitialVector) {
    PacketCipher cipher(kTestKeys);
    const auto message = Message(12, 2);
    const auto expected = FrameOf(kTestKeys.encipherKey, DesCbc::kPaddingPkcs5, message);
    EXPECT_EQ(Encipher(cipher, message), expected);
    EXPECT_EQ(Encipher(cipher, message), expected) << "nothing carries from one message to the next";
}

TEST(PacketCipher, RefusesPaddingOutsideOneToEight) {
    PacketCipher cipher(kTestKeys);
    // Two blocks of 3s whose last byte, the padding count, is given.
    const auto endingIn = [](uint8_t lastByte) {
        std::vector<uint8_t> plain(16, 3);
        plain.back() = lastByte;
        return FrameOf(kTestKeys.decipherKey, DesCbc::kPaddingNone, plain);
    };
    std::vector<uint8_t> plain;
    EXPECT_EQ(Decipher(cipher, endingIn(0), plain), kCipherBadPadding);
    EXPECT_EQ(Decipher(cipher, endingIn(9), plain), kCipherBadPadding);
    EXPECT_EQ(Decipher(cipher, endingIn(4), plain), kCipherBadPadding) << "the last 4 bytes must all be 4";
    EXPECT_EQ(Decipher(cipher, endingIn(3), plain), kCipherOk);
    EXPECT_EQ(plain.size(), 13u);
}

TEST(PacketCipher, ThousandsOfRandomMessagesRoundTrip) {
    PacketCipher client;
    PacketCipher server(PacketCipherKeys::BuiltIn().Mirrored());
    std::mt19937 random(7);
    for (uint32_t i = 0; i < 3000; ++i) {
        const auto message = Message(random() % 3072, i);
        std::vector<uint8_t> plain;
        ASSERT_EQ(Decipher(server, Encipher(client, message), plain), kCipherOk);
        ASSERT_EQ(plain, message) << "message " << i;
        ASSERT_EQ(Decipher(client, Encipher(server, message), plain), kCipherOk);
        ASSERT_EQ(plain, message) << "reply " << i;
    }
}

TEST(PacketCipher, EnciphersAndDeciphersOnTwoThreadsAtOnce) {
    PacketCipher cipher;
    PacketCipher peer(PacketCipherKeys::BuiltIn().Mirrored());
    const auto message = Message(700, 9);
    const auto frameFromPeer = Encipher(peer, message);
    const auto expectedFrame = Encipher(cipher, message);
    int badFrames = 0;
    std::thread sender([&] {
        for (int i = 0; i < 2000; ++i) {
            badFrames += Encipher(cipher, message) != expectedFrame;
        }
    });
    int badPlains = 0;
    std::vector<uint8_t> plain;
    for (int i = 0; i < 2000; ++i) {
        badPlains += Decipher(cipher, frameFromPeer, plain) != kCipherOk || plain != message;
    }
    sender.join();
    EXPECT_EQ(badFrames, 0);
    EXPECT_EQ(badPlains, 0);
}

}  // namespace
}  // namespace quill
