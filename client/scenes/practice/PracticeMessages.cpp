#include "client/scenes/practice/PracticeMessages.h"

#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

// Whether the reads since `before` stayed inside the message.
bool ReadWhole(const quill::Packet& packet, uint16_t before) {
    return packet.ErrorCount() == before;
}

}  // namespace

std::optional<GoldChargedMessage> ReadGoldCharged(quill::Packet& packet) {
    const uint16_t before = packet.ErrorCount();
    GoldChargedMessage message;
    packet.ReadU8(message.result).ReadI64(message.gold).ReadU32(message.amount).ReadU8(message.chargesLeft);
    if (!ReadWhole(packet, before)) return std::nullopt;
    return message;
}

std::optional<ChallengeRewardMessage> ReadChallengeReward(quill::Packet& packet) {
    const uint16_t before = packet.ErrorCount();
    ChallengeRewardMessage message;
    packet.ReadU32(message.amount).ReadI64(message.gold);
    if (!ReadWhole(packet, before)) return std::nullopt;
    return message;
}

std::optional<quill::WString> ReadPracticeNotice(quill::Packet& packet) {
    const uint16_t before = packet.ErrorCount();
    quill::WString text = packet.ReadWString();
    if (!ReadWhole(packet, before)) return std::nullopt;
    return CutToLength(text, kPracticeTextUnits);
}

}  // namespace kestrovan
