#include "client/scenes/practice/PracticeMessages.h"

namespace kestrovan {

std::optional<GoldChargedMessage> ReadGoldCharged(quill::Packet& packet) {
    return quill::ReadMessage<GoldChargedMessage>(packet);
}

std::optional<ChallengeRewardMessage> ReadChallengeReward(quill::Packet& packet) {
    return quill::ReadMessage<ChallengeRewardMessage>(packet);
}

std::optional<quill::WString> ReadPracticeNotice(quill::Packet& packet) {
    const uint16_t before = packet.ErrorCount();
    quill::WString text;
    packet.ReadWString(text, kPracticeTextUnits);
    if (packet.ErrorCount() != before) return std::nullopt;
    return text;
}

}  // namespace kestrovan
