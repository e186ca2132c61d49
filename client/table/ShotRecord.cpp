#include "client/table/ShotRecord.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "QuillLib/math/MathConstants.h"
#include "client/table/HexBytes.h"

namespace kestrovan {
namespace {

// Texts below this version carry every field, as do those far enough above it; d = version - kVersionBase is
// taken as an unsigned number.
constexpr uint32_t kVersionBase = 2866;
constexpr uint32_t kChalkItemAfter = 238;    // d above: the chalk item
constexpr uint32_t kStartParamsAfter = 255;  // d above: the two leading parameters
constexpr uint32_t kFullAfter = 256;         // d above: part ids and values, the chalk value, paramF
// The game modes above this one (the pocket games) carry a flag byte per ball.
constexpr uint8_t kLastCaromMode = 9;

// A cursor over the text that fails, instead of reading past the end, when a field does not fit.
class HexReader {
public:
    explicit HexReader(std::string_view text) : text_(text) {}

    bool Ok() const { return ok_; }

    uint8_t U8() {
        if (!ok_ || text_.size() - position_ < 2) {
            ok_ = false;
            return 0;
        }
        const uint8_t value = HexToByte(text_[position_], text_[position_ + 1]);
        position_ += 2;
        return value;
    }
    uint16_t U16() {
        const uint16_t low = U8();
        return static_cast<uint16_t>(low | (U8() << 8));
    }
    uint32_t U32() {
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            value |= static_cast<uint32_t>(U8()) << shift;
        }
        return value;
    }
    float F32() { return std::bit_cast<float>(U32()); }

private:
    std::string_view text_;
    size_t position_ = 0;
    bool ok_ = true;
};

class HexWriter {
public:
    void U8(uint8_t value) { text_ += FormatHexU8(value); }
    void U16(uint16_t value) { text_ += FormatHexU16(value); }
    void U32(uint32_t value) { text_ += FormatHexU32(value); }
    void F32(float value) { U32(std::bit_cast<uint32_t>(value)); }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

// A rotation read from a text is made unit length; one too short to have a direction becomes the identity.
quill::Quaternion ReadRotation(HexReader& in) {
    quill::Quaternion q;
    q.x = in.F32();
    q.y = in.F32();
    q.z = in.F32();
    q.w = in.F32();
    float length = 0.0f;
    quill::QuaternionNormalize(q, &length);
    if (!(length >= quill::kFloatEpsilon)) {
        q = quill::kIdentityQuaternion;
    }
    return q;
}

uint16_t StockCueOf(uint16_t cueItemId) {
    // 0, 1 and 2 stand for the three stock cues.
    return cueItemId <= 2 ? static_cast<uint16_t>(3000 + cueItemId) : cueItemId;
}

}  // namespace

bool ShotRecord::ParseHex(std::string_view text, ShotData& data) {
    ShotData out = data;
    HexReader in(text);
    out.version = in.U32();
    const uint32_t d = out.version - kVersionBase;
    out.physicsModelCode = in.U32();
    out.gameMode = in.U8();
    out.tableItemId = in.U16();
    out.cueItemId = StockCueOf(in.U16());
    if (d > kFullAfter) {
        for (uint16_t& id : out.cuePartIds) {
            id = in.U16();
        }
        for (uint8_t& value : out.cuePartValues) {
            value = in.U8();
        }
    }
    out.ballSetItemId = in.U16();
    out.chalkItemId = d > kChalkItemAfter ? in.U16() : 0;
    out.chalkValue = d > kFullAfter ? in.U8() : 0;
    out.ballCount = in.U8();
    out.cueBallIndex = in.U8();
    if (!in.Ok() || out.ballCount > quill::kMaxBalls) {
        return false;
    }
    for (uint32_t i = 0; i < out.ballCount; ++i) {
        out.positions[i].x = in.F32();
        out.positions[i].y = in.F32();
        out.positions[i].z = in.F32();
    }
    for (uint32_t i = 0; i < out.ballCount; ++i) {
        out.rotations[i] = ReadRotation(in);
    }
    if (out.gameMode > kLastCaromMode) {
        for (uint32_t i = 0; i < out.ballCount; ++i) {
            out.ballFlags[i] = in.U8();
        }
    }
    out.startParamA = d > kStartParamsAfter ? in.F32() : 0.0f;
    out.startParamB = d > kStartParamsAfter ? in.F32() : 0.0f;
    out.aimPointX = in.F32();
    out.aimPointY = in.F32();
    out.tipOffsetX = in.F32();
    out.tipOffsetY = in.F32();
    out.strokeX = in.F32();
    out.strokeY = in.F32();
    out.paramC = in.F32();
    out.paramD = in.F32();
    out.power = in.F32();
    out.paramG = in.F32();
    out.paramE = in.F32();
    out.paramF = d > kFullAfter ? in.F32() : 0.0f;
    if (!in.Ok()) {
        return false;
    }
    data = out;
    return true;
}

void ShotRecord::TakeFields(const ShotData& data) {
    gameMode = data.gameMode;
    tableItemId = data.tableItemId;
    cueItemId = data.cueItemId;
    ballSetItemId = data.ballSetItemId;
    chalkItemId = data.chalkItemId;
    chalkValue = data.chalkValue;
    cueBallIndex = data.cueBallIndex;
    startParamA = data.startParamA;
    startParamB = data.startParamB;
    aimPointX = data.aimPointX;
    aimPointY = data.aimPointY;
    tipOffsetX = data.tipOffsetX;
    tipOffsetY = data.tipOffsetY;
    strokeX = data.strokeX;
    strokeY = data.strokeY;
    paramC = data.paramC;
    paramD = data.paramD;
    power = data.power;
    paramE = data.paramE;
    paramF = data.paramF;
    paramG = data.paramG;
}

namespace {

// The value within low..high, 0 for a value that is no number; whether it changed.
bool KeepWithin(float& value, float low, float high) {
    const float kept = std::isnan(value) ? 0.0f : std::clamp(value, low, high);
    const bool changed = std::bit_cast<uint32_t>(kept) != std::bit_cast<uint32_t>(value);
    value = kept;
    return changed;
}

}  // namespace

bool ShotRecord::KeepStrokeInRange() {
    const bool powerChanged = KeepWithin(power, 0.0f, 1.0f);
    const bool deviationChanged = KeepWithin(paramG, -1.0f, 1.0f);
    return powerChanged || deviationChanged;
}

std::string ShotRecord::WriteHex(const ShotRecord& record) {
    const uint8_t balls = std::min<uint8_t>(record.ballCount, quill::kMaxBalls);
    HexWriter out;
    out.U32(kWrittenVersion);
    out.U32(record.physicsModelCode);
    out.U8(record.gameMode);
    out.U16(record.tableItemId);
    out.U16(record.cueItemId);
    for (uint16_t id : record.cuePartIds) {
        out.U16(id);
    }
    for (uint8_t value : record.cuePartValues) {
        out.U8(value);
    }
    out.U16(record.ballSetItemId);
    out.U16(record.chalkItemId);
    out.U8(record.chalkValue);
    out.U8(balls);
    out.U8(record.cueBallIndex);
    for (uint32_t i = 0; i < balls; ++i) {
        out.F32(record.positions[i].x);
        out.F32(record.positions[i].y);
        out.F32(record.positions[i].z);
    }
    for (uint32_t i = 0; i < balls; ++i) {
        out.F32(record.rotations[i].x);
        out.F32(record.rotations[i].y);
        out.F32(record.rotations[i].z);
        out.F32(record.rotations[i].w);
    }
    if (record.gameMode > kLastCaromMode) {
        for (uint32_t i = 0; i < balls; ++i) {
            out.U8(record.ballFlags[i]);
        }
    }
    for (float value : {record.startParamA, record.startParamB, record.aimPointX, record.aimPointY,
                        record.tipOffsetX, record.tipOffsetY, record.strokeX, record.strokeY, record.paramC,
                        record.paramD, record.power, record.paramG, record.paramE, record.paramF}) {
        out.F32(value);
    }
    return out.Take();
}

}  // namespace kestrovan
