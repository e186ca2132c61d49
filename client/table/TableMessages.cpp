#include "client/table/TableMessages.h"

#include <algorithm>

#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/FieldWriter.h"

namespace kestrovan {
namespace {

using quill::MessageId;
using quill::Packet;

// The record's stroke values in the order Shot carries them.
constexpr std::array<float ShotRecord::*, ShotMessage::kStrokeValues> kStrokeFields = {
    &ShotRecord::powerCap,   &ShotRecord::power,       &ShotRecord::paramG,  &ShotRecord::aimPointX,
    &ShotRecord::aimPointY,  &ShotRecord::tipOffsetX,  &ShotRecord::tipOffsetY, &ShotRecord::strokeX,
    &ShotRecord::strokeY,    &ShotRecord::paramC,      &ShotRecord::paramD,  &ShotRecord::paramE,
    &ShotRecord::paramF,     &ShotRecord::startParamA, &ShotRecord::startParamB};

// The first count of values, never more than there are.
template <class T, size_t N>
std::vector<T> First(const std::array<T, N>& values, uint32_t count) {
    return {values.begin(), values.begin() + std::min<size_t>(count, N)};
}

// A list of ball numbers with count entries, never more than the list holds.
std::vector<uint8_t> BallList(int32_t count, std::span<const uint8_t> list) {
    const auto kept = static_cast<size_t>(std::clamp<int64_t>(count, 0, static_cast<int64_t>(list.size())));
    return {list.begin(), list.begin() + static_cast<std::ptrdiff_t>(kept)};
}

// The message read whole into out; out stays as it was when the payload ends early.
template <class M, class... Context>
bool ReadInto(Packet& packet, M& out, Context... context) {
    std::optional<M> read = quill::ReadMessage<M>(packet, context...);
    if (!read) return false;
    out = std::move(*read);
    return true;
}

}  // namespace

void TableMessages::WriteTableState(Packet& packet, bool append, uint16_t tableItemId, uint16_t ballSetItemId,
                                    const ShotRecord& report, uint16_t ballCount, quill::GameType gameMode) {
    if (append) {
        packet.BeginMessage(MessageId::TableState);
    } else {
        packet.Init(MessageId::TableState);
    }
    TableStateMessage message{tableItemId, ballSetItemId, {}};
    BallStateMessage& balls = message.balls;
    balls.count = static_cast<uint8_t>(ballCount);
    balls.positions = First(report.positions, balls.count);
    balls.rotations = First(report.rotations, balls.count);
    balls.flags = First(report.ballFlags, balls.count);
    quill::WriteMessage(packet, message, gameMode);
}

bool TableMessages::WriteShotResultReport(Packet& packet, const ShotReport& report) {
    packet.Init(MessageId::ShotResultReport);
    const bool firstListValid = report.firstListCount != 255;
    ShotResultMessage message;
    message.turnCode = report.turnCode;
    message.ruleValue = report.ruleValue;
    message.firstList = BallList(firstListValid ? report.firstListCount : 0, report.firstList);
    // The second count is computed as a signed byte; a count of 0 or less is written as 0 with no entries.
    const auto secondCount = static_cast<int8_t>((static_cast<int32_t>(report.secondListCounter) - 22) / 3);
    message.secondList = BallList(secondCount, report.secondList);
    quill::WriteMessage(packet, message, report.gameMode);
    return quill::IsCaromGame(report.gameMode) || firstListValid;
}

void TableMessages::WriteShot(Packet& packet, const ShotRecord& record, uint16_t ballCount) {
    packet.Init(MessageId::Shot);
    ShotMessage message;
    message.count = static_cast<uint8_t>(ballCount);
    message.positions = First(record.positions, message.count);
    message.chalkItemId = record.chalkItemId;
    message.chalkValue = record.chalkValue;
    for (size_t i = 0; i < kStrokeFields.size(); ++i) message.stroke[i] = record.*kStrokeFields[i];
    quill::WriteMessage(packet, message);
}

void TableMessages::WriteBallPlacement(Packet& packet, uint8_t ball, const quill::Vec3& position) {
    packet.Init(MessageId::BallPlacement);
    quill::WriteMessage(packet, PenPointMessage{ball, position});
}

void TableMessages::WritePenPoint(Packet& packet, uint8_t stroke, const quill::Vec3& position) {
    packet.Init(MessageId::TableEvent);
    quill::WriteMessage(packet, PenPointMessage{stroke, position});
}

bool TableMessages::ReadBallState(Packet& packet, quill::GameType gameMode, BallStateMessage& out) {
    return ReadInto(packet, out, gameMode);
}

bool TableMessages::ReadShot(Packet& packet, ShotRecord& out, uint8_t& count) {
    ShotMessage message;
    if (!ReadInto(packet, message)) return false;
    std::ranges::copy(message.positions, out.positions.begin());
    out.chalkItemId = message.chalkItemId;
    out.chalkValue = message.chalkValue;
    for (size_t i = 0; i < kStrokeFields.size(); ++i) out.*kStrokeFields[i] = message.stroke[i];
    count = message.count;
    return true;
}

bool TableMessages::ReadPenPoint(Packet& packet, PenPointMessage& out) {
    return ReadInto(packet, out);
}

}  // namespace kestrovan
