#pragma once
// The payloads of the game-server messages that carry the table: the reported ball state (TableState, 1202),
// the shooter's turn report (ShotResultReport, 1205), the stroke (Shot, 1204), the placement of a ball in hand
// (BallPlacement, 1215) and the pen points (TableEvent, 1235). Every value is little-endian; floats travel as
// their 32-bit pattern. The bytes are fixed by the other clients.
//
// Each record's Layout is its one description on the wire (QuillLib/net/FieldReader.h), which the readers and
// writers here, the tests' builders and the fuzz target follow. Readers take messages from other players
// through the server: each reads the whole payload first and answers false, leaving the output as it was, when
// the payload ends early; counts beyond 22 balls are read and skipped.
// Pure: the table gathers what to write and applies what was read.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"
#include "QuillLib/net/Packet.h"
#include "client/table/ShotRecord.h"

namespace kestrovan {

// What the shooter reports after the balls stopped.
struct ShotReport {
    uint16_t turnCode = 0;
    quill::GameType gameMode = quill::game_type::kNone;
    int8_t ruleValue = 0;
    uint8_t firstListCount = 0;  // 255: the rule's list is not well-formed
    std::span<const uint8_t> firstList;
    uint8_t secondListCounter = 0;  // 22 plus 3 per listed ball
    std::span<const uint8_t> secondList;
};

// A position and a rotation as their floats.
inline void Vec3Layout(auto& io, auto& v) { io(v.x, v.y, v.z); }
inline void QuaternionLayout(auto& io, auto& q) { io(q.x, q.y, q.z, q.w); }

// A ball state: the count sent and the first 22 balls of it; the flags only in pocket games.
struct BallStateMessage {
    uint8_t count = 0;
    std::vector<quill::Vec3> positions;
    std::vector<quill::Quaternion> rotations;
    std::vector<uint8_t> flags;
    static void Layout(auto& io, auto& m, quill::GameType gameMode) {
        io(m.count);
        io.Repeat(m.count, m.positions, quill::kMaxBalls, [&io](auto& v) { Vec3Layout(io, v); });
        io.Repeat(m.count, m.rotations, quill::kMaxBalls, [&io](auto& q) { QuaternionLayout(io, q); });
        if (!quill::IsCaromGame(gameMode)) io.Repeat(m.count, m.flags, quill::kMaxBalls);
    }
};

// TableState as the shooter sends it: the table's items before the ball state.
struct TableStateMessage {
    uint16_t tableItemId = 0;
    uint16_t ballSetItemId = 0;
    BallStateMessage balls;
    static void Layout(auto& io, auto& m, quill::GameType gameMode) {
        io(m.tableItemId, m.ballSetItemId);
        BallStateMessage::Layout(io, m.balls, gameMode);
    }
};

// ShotResultReport: in pocket games the rule value and two ball lists follow the turn code.
struct ShotResultMessage {
    uint16_t turnCode = 0;
    int8_t ruleValue = 0;
    std::vector<uint8_t> firstList;
    std::vector<uint8_t> secondList;
    static void Layout(auto& io, auto& m, quill::GameType gameMode) {
        io(m.turnCode);
        if (quill::IsCaromGame(gameMode)) return;
        io(m.ruleValue);
        io.CountedList(m.firstList, quill::kMaxBalls);
        io.CountedList(m.secondList, quill::kMaxBalls);
    }
};

// Shot: the balls' start positions, the chalk and the fifteen stroke values.
struct ShotMessage {
    static constexpr size_t kStrokeValues = 15;
    uint8_t count = 0;
    std::vector<quill::Vec3> positions;
    uint16_t chalkItemId = 0;
    uint8_t chalkValue = 0;
    std::array<float, kStrokeValues> stroke{};
    static void Layout(auto& io, auto& m) {
        io(m.count);
        io.Repeat(m.count, m.positions, quill::kMaxBalls, [&io](auto& v) { Vec3Layout(io, v); });
        io(m.chalkItemId, m.chalkValue, m.stroke);
    }
};

// A ball and a point on the table: the pen's stroke and point (TableEvent), or a ball placed in hand.
struct PenPointMessage {
    uint8_t stroke = 0;
    quill::Vec3 position;
    static void Layout(auto& io, auto& m) {
        io(m.stroke);
        Vec3Layout(io, m.position);
    }
};

class TableMessages {
public:
    // The ball count, the report record's positions and rotations, and in pocket games (10 and above) the flags;
    // appended to the packet's messages when append is set, else as its only message.
    static void WriteTableState(quill::Packet& packet, bool append, uint16_t tableItemId, uint16_t ballSetItemId,
                                const ShotRecord& report, uint16_t ballCount, quill::GameType gameMode);
    // The turn code, and in pocket games the rule value and both ball lists. A first list that is not well-formed
    // is written empty; the result is then false so that the caller can report it.
    static bool WriteShotResultReport(quill::Packet& packet, const ShotReport& report);
    // The balls' start positions, the chalk and the fifteen stroke values of the record.
    static void WriteShot(quill::Packet& packet, const ShotRecord& record, uint16_t ballCount);
    static void WriteBallPlacement(quill::Packet& packet, uint8_t ball, const quill::Vec3& position);
    static void WritePenPoint(quill::Packet& packet, uint8_t stroke, const quill::Vec3& position);

    // The payload of a TableState (flags only in pocket games).
    static bool ReadBallState(quill::Packet& packet, quill::GameType gameMode, BallStateMessage& out);
    // The payload of a relayed Shot into the record's start positions, chalk and stroke values; count gets the
    // number of balls sent.
    static bool ReadShot(quill::Packet& packet, ShotRecord& out, uint8_t& count);
    static bool ReadPenPoint(quill::Packet& packet, PenPointMessage& out);
};

}  // namespace kestrovan
