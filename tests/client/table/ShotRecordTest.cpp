#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cstdio>
#include <string>

#include "client/table/HexBytes.h"
#include "client/table/ShotRecord.h"

namespace kestrovan {
namespace {

// A shot text built field by field, as a client of the given version writes it.
class HexText {
public:
    HexText& U8(uint8_t v) { return Bytes(v, 1); }
    HexText& U16(uint16_t v) { return Bytes(v, 2); }
    HexText& U32(uint32_t v) { return Bytes(v, 4); }
    HexText& F32(float v) { return Bytes(std::bit_cast<uint32_t>(v), 4); }
    std::string text;

private:
    HexText& Bytes(uint32_t v, int count) {
        char digits[3];
        for (int i = 0; i < count; ++i) {
            std::snprintf(digits, sizeof digits, "%02X", (v >> (8 * i)) & 0xFF);
            text += digits;
        }
        return *this;
    }
};

// The header, balls and parameters of a text of that version: d = version - 2866 decides the optional fields.
std::string TextOfVersion(uint32_t version, uint8_t gameMode, uint8_t balls) {
    const uint32_t d = version - 2866;
    HexText t;
    t.U32(version).U32(0x10014).U8(gameMode).U16(1003).U16(3005);
    if (d > 256) {
        t.U16(7).U16(8).U16(9).U16(10).U16(11).U8(1).U8(2).U8(3).U8(4).U8(5);
    }
    t.U16(2004);
    if (d > 238) {
        t.U16(4902);
    }
    if (d > 256) {
        t.U8(77);
    }
    t.U8(balls).U8(1);
    for (int i = 0; i < balls; ++i) {
        t.F32(10.0f * static_cast<float>(i)).F32(-5.0f).F32(3.075f);
    }
    for (int i = 0; i < balls; ++i) {
        t.F32(0.0f).F32(0.0f).F32(0.0f).F32(2.0f);  // not unit: the reader normalises it
    }
    if (gameMode > 9) {
        for (int i = 0; i < balls; ++i) {
            t.U8(static_cast<uint8_t>(i));
        }
    }
    if (d > 255) {
        t.F32(0.65f).F32(3.0f);
    }
    for (float v : {100.0f, 20.0f, 0.25f, -0.3f, 0.1f, -0.2f, 5.0f, 4.5f, 0.6f, 0.1f, 0.75f}) {
        t.F32(v);  // aim x, y, tips, strokes, paramC, paramD, power, paramG, paramE
    }
    if (d > 256) {
        t.F32(0.5f);
    }
    return t.text;
}

bool Same(const quill::Vec3& a, const quill::Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

ShotRecord SampleRecord(uint8_t gameMode, uint8_t balls) {
    ShotRecord r;
    r.version = 2966;  // what the table stores; the text says 3131
    r.physicsModelCode = 0x10014;
    r.gameMode = gameMode;
    r.tableItemId = 1010;
    r.cueItemId = 3100;
    r.cuePartIds = {4, 20, 3, 3, 1};
    r.cuePartValues = {9, 8, 7, 6, 5};
    r.ballSetItemId = 2006;
    r.chalkItemId = 4901;
    r.chalkUsed = 12;
    r.chalkValue = 64;
    r.ballCount = balls;
    r.cueBallIndex = 0;
    r.startParamA = 0.65f;
    r.startParamB = 3.0f;
    r.aimPointX = 123.5f;
    r.aimPointY = -7.25f;
    r.tipOffsetX = 0.125f;
    r.tipOffsetY = -0.5f;
    r.strokeX = 0.0625f;
    r.strokeY = -0.75f;
    r.paramC = 12.5f;
    r.paramD = 11.0f;
    r.power = 0.875f;
    r.powerCap = 0.9f;
    r.paramE = 0.3f;
    r.paramF = 0.01f;
    r.paramG = -0.4f;
    for (uint32_t i = 0; i < balls; ++i) {
        r.positions[i] = {static_cast<float>(i) - 60.5f, 3.25f * static_cast<float>(i), 2.86f};
        r.rotations[i] = {0.0f, 0.6f, 0.0f, 0.8f};
        r.ballFlags[i] = static_cast<uint8_t>(i % 3);
    }
    return r;
}

TEST(HexBytes, DigitsEitherCaseAndNonDigitsReadAsZero) {
    EXPECT_EQ(HexToByte('a', '3'), 0xA3);
    EXPECT_EQ(HexToByte('A', '3'), 0xA3);
    EXPECT_EQ(HexToByte('G', '0'), 0x00);
    EXPECT_EQ(HexToByte('f', 'z'), 0xF0);
    EXPECT_EQ(FormatHexU32(0x12345678), "78563412");
    EXPECT_EQ(FormatHexU16(0xABCD), "CDAB");
    EXPECT_EQ(FormatHexU8(0x0F), "0F");
}

TEST(ShotHexText, WrittenTextsReadBackFieldForField) {
    // A carom game (no flags) and a pocket game with the largest ball set.
    for (const auto& [mode, balls] : {std::pair<uint8_t, uint8_t>{3, 3}, {10, 16}, {16, 22}}) {
        const ShotRecord record = SampleRecord(mode, balls);
        const std::string text = ShotRecord::WriteHex(record);
        EXPECT_EQ(text.size(), 70u + 56u * balls + (mode > 9 ? 2u * balls : 0u) + 112u);
        EXPECT_EQ(text.substr(0, 8), FormatHexU32(ShotRecord::kWrittenVersion));
        ShotData data;
        ASSERT_TRUE(ShotRecord::ParseHex(text, data)) << int{mode};
        EXPECT_EQ(data.version, 3131u);
        EXPECT_EQ(data.physicsModelCode, record.physicsModelCode);
        EXPECT_EQ(data.gameMode, mode);
        EXPECT_EQ(data.tableItemId, record.tableItemId);
        EXPECT_EQ(data.cueItemId, record.cueItemId);
        EXPECT_EQ(data.cuePartIds, record.cuePartIds);
        EXPECT_EQ(data.cuePartValues, record.cuePartValues);
        EXPECT_EQ(data.ballSetItemId, record.ballSetItemId);
        EXPECT_EQ(data.chalkItemId, record.chalkItemId);
        EXPECT_EQ(data.chalkValue, record.chalkValue);
        EXPECT_EQ(data.ballCount, balls);
        EXPECT_EQ(data.cueBallIndex, record.cueBallIndex);
        EXPECT_EQ(data.startParamA, record.startParamA);
        EXPECT_EQ(data.startParamB, record.startParamB);
        EXPECT_EQ(data.aimPointX, record.aimPointX);
        EXPECT_EQ(data.aimPointY, record.aimPointY);
        EXPECT_EQ(data.tipOffsetX, record.tipOffsetX);
        EXPECT_EQ(data.tipOffsetY, record.tipOffsetY);
        EXPECT_EQ(data.strokeX, record.strokeX);
        EXPECT_EQ(data.strokeY, record.strokeY);
        EXPECT_EQ(data.paramC, record.paramC);
        EXPECT_EQ(data.paramD, record.paramD);
        EXPECT_EQ(data.power, record.power);
        EXPECT_EQ(data.paramE, record.paramE);
        EXPECT_EQ(data.paramF, record.paramF);
        EXPECT_EQ(data.paramG, record.paramG);
        for (uint32_t i = 0; i < balls; ++i) {
            EXPECT_TRUE(Same(data.positions[i], record.positions[i])) << i;
            EXPECT_FLOAT_EQ(data.rotations[i].y, 0.6f);
            EXPECT_FLOAT_EQ(data.rotations[i].w, 0.8f);
            EXPECT_EQ(data.ballFlags[i], mode > 9 ? record.ballFlags[i] : 0);
        }
    }
}

TEST(ShotHexText, OlderVersionsCarryFewerFields) {
    struct Form {
        uint32_t version;
        bool chalkItem;
        bool leadingParams;
        bool full;  // part ids and values, chalk value, paramF
    };
    for (const Form& form : {Form{3098, false, false, false}, Form{3105, true, false, false},
                             Form{3122, true, true, false}, Form{3131, true, true, true},
                             Form{2000, true, true, true}}) {
        SCOPED_TRACE(form.version);
        ShotData data;
        data.cuePartIds = {100, 101, 102, 103, 104};  // kept when the text has no part ids
        data.chalkItemId = 1;
        data.paramF = 9.0f;
        const std::string text = TextOfVersion(form.version, 12, 10);
        ASSERT_TRUE(ShotRecord::ParseHex(text, data));
        EXPECT_EQ(data.version, form.version);
        EXPECT_EQ(data.cueItemId, 3005);
        EXPECT_EQ(data.cuePartIds[0], form.full ? 7 : 100);
        EXPECT_EQ(data.cuePartValues[4], form.full ? 5 : 0);
        EXPECT_EQ(data.chalkItemId, form.chalkItem ? 4902 : 0);
        EXPECT_EQ(data.chalkValue, form.full ? 77 : 0);
        EXPECT_EQ(data.startParamA, form.leadingParams ? 0.65f : 0.0f);
        EXPECT_EQ(data.paramF, form.full ? 0.5f : 0.0f);
        EXPECT_EQ(data.ballCount, 10);
        EXPECT_EQ(data.cueBallIndex, 1);
        EXPECT_EQ(data.positions[9].x, 90.0f);
        EXPECT_EQ(data.rotations[3].w, 1.0f);  // normalised
        EXPECT_EQ(data.ballFlags[9], 9);
        // paramG comes before paramE in the text.
        EXPECT_EQ(data.power, 0.6f);
        EXPECT_EQ(data.paramG, 0.1f);
        EXPECT_EQ(data.paramE, 0.75f);
    }
    EXPECT_EQ(TextOfVersion(3098, 12, 10).size(), 702u);
    EXPECT_EQ(TextOfVersion(3098, 13, 16).size(), 1050u);
}

TEST(ShotHexText, StockCueCodesCaseAndFlagBytes) {
    std::string text = TextOfVersion(3131, 9, 2);
    text.replace(22, 4, "0100");  // the cue item 1, after version, model, mode and table
    ShotData data;
    ASSERT_TRUE(ShotRecord::ParseHex(text, data));
    EXPECT_EQ(data.cueItemId, 3001);
    // Game mode 9 carries no flag bytes, so the text is shorter than a pocket game's.
    EXPECT_EQ(text.size(), TextOfVersion(3131, 10, 2).size() - 4);

    std::string lower = TextOfVersion(3131, 10, 3);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    ShotData fromLower;
    ShotData fromUpper;
    ASSERT_TRUE(ShotRecord::ParseHex(lower, fromLower));
    ASSERT_TRUE(ShotRecord::ParseHex(TextOfVersion(3131, 10, 3), fromUpper));
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(Same(fromLower.positions[i], fromUpper.positions[i]));
    }
    EXPECT_EQ(fromLower.ballFlags, fromUpper.ballFlags);
}

TEST(ShotHexText, HostileTextsAreRefusedAndChangeNothing) {
    const std::string text = TextOfVersion(3131, 10, 16);
    ShotData untouched;
    untouched.aimPointX = 42.0f;
    // Every text cut short of its fields.
    for (size_t length = 0; length < text.size(); ++length) {
        ShotData data = untouched;
        ASSERT_FALSE(ShotRecord::ParseHex(text.substr(0, length), data)) << length;
        ASSERT_EQ(data.aimPointX, 42.0f);
    }
    // Trailing characters are ignored.
    ShotData data;
    EXPECT_TRUE(ShotRecord::ParseHex(text + "FFFF", data));

    // More than 22 balls, even with text enough for them.
    HexText many;
    many.U32(3131).U32(0x10014).U8(3).U16(1003).U16(3005);
    for (int i = 0; i < 5; ++i) {
        many.U16(0xFFFF);
    }
    for (int i = 0; i < 5; ++i) {
        many.U8(0);
    }
    many.U16(2004).U16(0).U8(0).U8(23).U8(0);
    std::string tooMany = many.text + std::string(23 * 56 + 112, '0');
    ShotData refused = untouched;
    EXPECT_FALSE(ShotRecord::ParseHex(tooMany, refused));
    EXPECT_EQ(refused.aimPointX, 42.0f);

    // Characters that are no digits read as zeros, not as an error; a zero rotation becomes the identity.
    std::string garbage = TextOfVersion(3131, 3, 3);
    const size_t rotations = 70 + 3 * 24;
    garbage.replace(rotations, 32, std::string(32, 'x'));
    ShotData read;
    ASSERT_TRUE(ShotRecord::ParseHex(garbage, read));
    EXPECT_TRUE(read.rotations[0].IsIdentity());
}

}  // namespace
}  // namespace kestrovan
