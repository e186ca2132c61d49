#pragma once
// The table's record of one shot: the equipment, where every ball stood before the stroke and the stroke's
// parameters. The table keeps three: the shot being played, the state it reports to the server and the copy
// taken when a local stroke is committed. Only the field list binds; the layout in memory is free, and the
// record is written to messages and texts field by field.
//
// A shot is stored and exchanged as one line of hexadecimal text (HexBytes.h), field after field. Which optional
// fields a text carries depends on its version word; texts written by older clients stay readable. Pure.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"
#include "client/table/ShotData.h"

namespace kestrovan {

struct ShotRecord {
    // Bytes of the valid word: filled, taken in table state 7, and the local-shot flag of a committed copy.
    static constexpr uint32_t kValidFilled = 0x1;
    static constexpr uint32_t kValidState7 = 0x100;
    static constexpr uint32_t kValidLocalShot = 0x10000;
    // The version word every written text carries: one whose texts hold every field.
    static constexpr uint32_t kWrittenVersion = 3131;

    // Fills data from a text. False, with data unchanged, for a text too short for the fields it announces or
    // one with more than 22 balls; characters beyond the fields are ignored, and a character that is no hex
    // digit reads as 0.
    static bool ParseHex(std::string_view text, ShotData& data);
    // The record as text, every field present under the version word kWrittenVersion (the record's own version
    // is not written). Valid, chalkUsed and powerCap are not part of the text; ballFlags are written in pocket
    // games only; at most 22 balls.
    static std::string WriteHex(const ShotRecord& record);
    // The equipment, the cue-ball index and the stroke values of a parsed shot (not its version, cue parts or
    // balls, which the caller decides on).
    void TakeFields(const ShotData& data);
    // Keeps the stroke's power within 0..1 and its follow-through deviation within -1..1, the ranges the table
    // plays and draws; a value that is no number becomes 0. A shot from outside (another player's Shot, a
    // stored text) passes here before the table plays it. True when a value had to change.
    bool KeepStrokeInRange();

    uint32_t valid = 0;
    uint32_t version = 0;
    uint32_t physicsModelCode = 0;
    uint8_t gameMode = 0;
    uint16_t tableItemId = 0;
    uint16_t cueItemId = 0;
    std::array<uint16_t, 5> cuePartIds{};
    std::array<uint8_t, 5> cuePartValues{};
    uint16_t ballSetItemId = 0;
    uint16_t chalkItemId = 0;  // 0: no chalk
    uint8_t chalkUsed = 0;
    uint8_t chalkValue = 0;  // the chalk level (0 to 100) when the stroke was committed
    uint8_t ballCount = 0;
    uint8_t cueBallIndex = 0;
    float startParamA = 0.0f;
    float startParamB = 0.0f;
    float aimPointX = 0.0f;
    float aimPointY = 0.0f;
    float tipOffsetX = 0.0f;
    float tipOffsetY = 0.0f;
    float strokeX = 0.0f;
    float strokeY = 0.0f;
    float paramC = 0.0f;  // the cue elevation in degrees
    float paramD = 0.0f;
    float power = 0.0f;  // 0 to 1
    float powerCap = 0.0f;
    float paramE = 0.0f;
    float paramF = 0.0f;
    float paramG = 0.0f;  // the follow-through deviation of the mouse stroke, -1 to 1
    std::array<quill::Vec3, quill::kMaxBalls> positions{};
    std::array<quill::Quaternion, quill::kMaxBalls> rotations{};
    std::array<uint8_t, quill::kMaxBalls> ballFlags{};
};

}  // namespace kestrovan
