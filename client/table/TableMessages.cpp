#include "client/table/TableMessages.h"

#include <algorithm>
#include <bit>

namespace kestrovan {
namespace {

using quill::MessageId;
using quill::Packet;

void WriteFloat(Packet& packet, float value) {
    packet.WriteU32(std::bit_cast<uint32_t>(value));
}

void WriteVec3(Packet& packet, const quill::Vec3& v) {
    WriteFloat(packet, v.x);
    WriteFloat(packet, v.y);
    WriteFloat(packet, v.z);
}

float ReadFloat(Packet& packet) {
    return std::bit_cast<float>(packet.ReadU32());
}

quill::Vec3 ReadVec3(Packet& packet) {
    const float x = ReadFloat(packet);
    const float y = ReadFloat(packet);
    const float z = ReadFloat(packet);
    return {x, y, z};
}

quill::Quaternion ReadQuaternion(Packet& packet) {
    const float x = ReadFloat(packet);
    const float y = ReadFloat(packet);
    const float z = ReadFloat(packet);
    const float w = ReadFloat(packet);
    return {x, y, z, w};
}

// A list of ball numbers: its count byte, then the entries; never more entries than the list holds.
void WriteBallList(Packet& packet, int32_t count, std::span<const uint8_t> list) {
    const auto written = static_cast<uint8_t>(std::clamp<int64_t>(count, 0, static_cast<int64_t>(list.size())));
    packet.WriteU8(written);
    for (uint8_t i = 0; i < written; ++i) {
        packet.WriteU8(list[i]);
    }
}

// Tracks whether a reader ran past the end of its message.
class ReadGuard {
public:
    explicit ReadGuard(const Packet& packet) : packet_(packet), errors_(packet.ErrorCount()) {}
    bool Intact() const { return packet_.ErrorCount() == errors_; }

private:
    const Packet& packet_;
    uint16_t errors_;
};

}  // namespace

void TableMessages::WriteTableState(Packet& packet, bool append, uint16_t tableItemId, uint16_t ballSetItemId,
                                    const ShotRecord& report, uint16_t ballCount, quill::GameType gameMode) {
    if (append) {
        packet.BeginMessage(MessageId::TableState);
    } else {
        packet.Init(MessageId::TableState);
    }
    const auto count = static_cast<uint8_t>(ballCount);
    const uint32_t balls = std::min<uint32_t>(count, kMaxBalls);
    packet.WriteU16(tableItemId).WriteU16(ballSetItemId).WriteU8(count);
    for (uint32_t i = 0; i < balls; ++i) {
        WriteVec3(packet, report.positions[i]);
    }
    for (uint32_t i = 0; i < balls; ++i) {
        const quill::Quaternion& q = report.rotations[i];
        WriteFloat(packet, q.x);
        WriteFloat(packet, q.y);
        WriteFloat(packet, q.z);
        WriteFloat(packet, q.w);
    }
    if (!quill::IsCaromGame(gameMode)) {
        for (uint32_t i = 0; i < balls; ++i) {
            packet.WriteU8(report.ballFlags[i]);
        }
    }
}

bool TableMessages::WriteShotResultReport(Packet& packet, const ShotReport& report) {
    packet.Init(MessageId::ShotResultReport);
    packet.WriteU16(report.turnCode);
    if (quill::IsCaromGame(report.gameMode)) {
        return true;
    }
    packet.WriteU8(static_cast<uint8_t>(report.ruleValue));
    const bool firstListValid = report.firstListCount != 255;
    WriteBallList(packet, firstListValid ? report.firstListCount : 0, report.firstList);
    // The second count is computed as a signed byte; a count of 0 or less is written as 0 with no entries.
    const auto secondCount = static_cast<int8_t>((static_cast<int32_t>(report.secondListCounter) - 22) / 3);
    WriteBallList(packet, secondCount, report.secondList);
    return firstListValid;
}

void TableMessages::WriteShot(Packet& packet, const ShotRecord& record, uint16_t ballCount) {
    packet.Init(MessageId::Shot);
    const auto count = static_cast<uint8_t>(ballCount);
    packet.WriteU8(count);
    for (uint32_t i = 0; i < std::min<uint32_t>(count, kMaxBalls); ++i) {
        WriteVec3(packet, record.positions[i]);
    }
    packet.WriteU16(record.chalkItemId).WriteU8(record.chalkValue);
    for (float value : {record.powerCap, record.power, record.paramG, record.aimPointX, record.aimPointY,
                        record.tipOffsetX, record.tipOffsetY, record.strokeX, record.strokeY, record.paramC,
                        record.paramD, record.paramE, record.paramF, record.startParamA, record.startParamB}) {
        WriteFloat(packet, value);
    }
}

void TableMessages::WriteBallPlacement(Packet& packet, uint8_t ball, const quill::Vec3& position) {
    packet.Init(MessageId::BallPlacement);
    packet.WriteU8(ball);
    WriteVec3(packet, position);
}

void TableMessages::WritePenPoint(Packet& packet, uint8_t stroke, const quill::Vec3& position) {
    packet.Init(MessageId::TableEvent);
    packet.WriteU8(stroke);
    WriteVec3(packet, position);
}

bool TableMessages::ReadBallState(Packet& packet, quill::GameType gameMode, BallStateMessage& out) {
    const ReadGuard guard(packet);
    BallStateMessage read;
    read.count = packet.ReadU8();
    for (uint32_t i = 0; i < read.count; ++i) {
        const quill::Vec3 position = ReadVec3(packet);
        if (i < kMaxBalls) {
            read.positions[i] = position;
        }
    }
    for (uint32_t i = 0; i < read.count; ++i) {
        const quill::Quaternion rotation = ReadQuaternion(packet);
        if (i < kMaxBalls) {
            read.rotations[i] = rotation;
        }
    }
    if (!quill::IsCaromGame(gameMode)) {
        for (uint32_t i = 0; i < read.count; ++i) {
            const uint8_t flag = packet.ReadU8();
            if (i < kMaxBalls) {
                read.flags[i] = flag;
            }
        }
    }
    if (!guard.Intact()) {
        return false;
    }
    out = read;
    return true;
}

bool TableMessages::ReadShot(Packet& packet, ShotRecord& out, uint8_t& count) {
    const ReadGuard guard(packet);
    ShotRecord read = out;
    const uint8_t sent = packet.ReadU8();
    for (uint32_t i = 0; i < sent; ++i) {
        const quill::Vec3 position = ReadVec3(packet);
        if (i < kMaxBalls) {
            read.positions[i] = position;
        }
    }
    read.chalkItemId = packet.ReadU16();
    read.chalkValue = packet.ReadU8();
    for (float* value : {&read.powerCap, &read.power, &read.paramG, &read.aimPointX, &read.aimPointY,
                         &read.tipOffsetX, &read.tipOffsetY, &read.strokeX, &read.strokeY, &read.paramC,
                         &read.paramD, &read.paramE, &read.paramF, &read.startParamA, &read.startParamB}) {
        *value = ReadFloat(packet);
    }
    if (!guard.Intact()) {
        return false;
    }
    out = read;
    count = sent;
    return true;
}

bool TableMessages::ReadPenPoint(Packet& packet, PenPointMessage& out) {
    const ReadGuard guard(packet);
    PenPointMessage read;
    read.stroke = packet.ReadU8();
    read.position = ReadVec3(packet);
    if (!guard.Intact()) {
        return false;
    }
    out = read;
    return true;
}

}  // namespace kestrovan
