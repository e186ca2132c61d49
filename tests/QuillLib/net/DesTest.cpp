#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "QuillLib/net/CipherError.h"
#include "QuillLib/net/Des.h"
#include "QuillLib/net/DesCbc.h"

namespace quill {
namespace {

std::vector<uint8_t> FromHex(const std::string& hex) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::array<uint8_t, 8> Block(const std::string& hex) {
    std::array<uint8_t, 8> block{};
    const auto bytes = FromHex(hex);
    std::copy(bytes.begin(), bytes.end(), block.begin());
    return block;
}

TEST(Des, MatchesKnownAnswersBothWays) {
    const char* answers[][3] = {
        // key, plain, cipher
        {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
        {"0E329232EA6D0D73", "8787878787878787", "0000000000000000"},
        {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
        {"0123456789ABCDEF", "0123456789ABCDE7", "C95744256A5ED31D"},
    };
    for (const auto& [key, plain, cipher] : answers) {
        Des des;
        ASSERT_EQ(des.SetKey(FromHex(key)), kCipherOk);
        std::array<uint8_t, 8> out{};
        des.EncryptBlock(Block(plain).data(), out.data());
        EXPECT_EQ(out, Block(cipher)) << key;
        des.DecryptBlock(Block(cipher).data(), out.data());
        EXPECT_EQ(out, Block(plain)) << key;
    }
}

TEST(Des, RefusesWeakAndSemiWeakKeysByTheirExactBytesAndWrongLengths) {
    const char* weak[] = {"0101010101010101", "FEFEFEFEFEFEFEFE", "E0E0E0E0F1F1F1F1", "1F1F1F1F0E0E0E0E",
                          "01FE01FE01FE01FE", "FE01FE01FE01FE01", "1FE01FE00EF10EF1", "E01FE01FF10EF10E",
                          "01E001E001F101F1", "E001E001F101F101", "1FFE1FFE0EFE0EFE", "FE1FFE1FFE0EFE0E",
                          "011F011F010E010E", "1F011F010E010E01", "E0FEE0FEF1FEF1FE", "FEE0FEE0FEF1FEF1"};
    for (const char* key : weak) {
        Des des;
        EXPECT_EQ(des.SetKey(FromHex(key)), kCipherWeakKey) << key;
    }
    Des des;
    EXPECT_EQ(des.SetKey(FromHex("0000000000000000")), kCipherOk) << "same key bits, other parity bits";
    EXPECT_EQ(des.SetKey(FromHex("01234567890ABC")), kCipherBadKeyLength);
    EXPECT_EQ(des.SetKey(FromHex("0123456789ABCDEF01")), kCipherBadKeyLength);
}

TEST(DesCbc, MatchesTheClassicExample) {
    const std::string text = "Now is the time for all ";
    const std::vector<uint8_t> plain(text.begin(), text.end());
    DesCbc cbc;
    ASSERT_EQ(cbc.Init(DesCbc::kPaddingNone, FromHex("0123456789ABCDEF"), Block("1234567890ABCDEF")), kCipherOk);
    std::vector<uint8_t> out(32);
    size_t written = 0;
    ASSERT_EQ(cbc.EncryptUpdate(plain, out, written), kCipherOk);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + static_cast<long>(written)),
              FromHex("E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6"));
    EXPECT_EQ(cbc.EncryptFinal(out, written), kCipherOk);
    EXPECT_EQ(written, 0u);
}

TEST(DesCbc, ReportsItsArgumentAndStreamErrors) {
    const auto key = FromHex("0123456789ABCDEF");
    const auto iv = Block("1234567890ABCDEF");
    DesCbc cbc;
    EXPECT_EQ(cbc.Init(3, key, iv), kCipherBadArgument);

    std::vector<uint8_t> buffer(16, 1);
    size_t written = 0;
    ASSERT_EQ(cbc.Init(DesCbc::kPaddingPkcs5, key, iv), kCipherOk);
    EXPECT_EQ(cbc.EncryptUpdate(buffer, buffer, written), kCipherBadArgument) << "in place";
    std::vector<uint8_t> small(4);
    EXPECT_EQ(cbc.EncryptUpdate(buffer, small, written), kCipherBadArgument) << "output too small";

    ASSERT_EQ(cbc.Init(DesCbc::kPaddingNone, key, iv), kCipherOk);
    std::vector<uint8_t> out(16);
    ASSERT_EQ(cbc.EncryptUpdate(std::span(buffer).first(5), out, written), kCipherOk);
    EXPECT_EQ(cbc.EncryptFinal(out, written), kCipherNotBlockMultiple);

    ASSERT_EQ(cbc.Init(DesCbc::kPaddingPkcs5, key, iv), kCipherOk);
    ASSERT_EQ(cbc.DecryptUpdate(std::span(buffer).first(13), out, written), kCipherOk);
    EXPECT_EQ(cbc.DecryptFinal(out, written), kCipherPartialBlock);

    ASSERT_EQ(cbc.Init(DesCbc::kPaddingPkcs5, key, iv), kCipherOk);
    EXPECT_EQ(cbc.DecryptFinal(out, written), kCipherOk) << "nothing buffered gives no output";
    EXPECT_EQ(written, 0u);
}

}  // namespace
}  // namespace quill
