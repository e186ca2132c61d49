#pragma once
// The practice room's server messages read into plain records, outside the screen: each reader takes the
// payload at the packet's cursor and returns the record, or nothing when the message ends before its fields
// do (a bad string counts as such an end). Texts are cut to kPracticeTextUnits. ItemUseResult is read by the
// shop's reader (ShopAnswers::ReadItemUse), as in the game room.
//
// Each record's Layout is its one description on the wire (QuillLib/net/FieldReader.h), which the readers,
// the tests' builders and the fuzz targets follow.
#include <cstdint>
#include <optional>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

inline constexpr size_t kPracticeTextUnits = 255;

// GoldCharged (82).
struct GoldChargedMessage {
    uint8_t result = 0;
    int64_t gold = 0;
    uint32_t amount = 0;
    uint8_t chargesLeft = 0;
    static void Layout(auto& io, auto& m) { io(m.result, m.gold, m.amount, m.chargesLeft); }
};

// ChallengeReward (1149).
struct ChallengeRewardMessage {
    uint32_t amount = 0;
    int64_t gold = 0;
    static void Layout(auto& io, auto& m) { io(m.amount, m.gold); }
};

std::optional<GoldChargedMessage> ReadGoldCharged(quill::Packet& packet);
std::optional<ChallengeRewardMessage> ReadChallengeReward(quill::Packet& packet);
// SystemNotice (47): one text.
std::optional<quill::WString> ReadPracticeNotice(quill::Packet& packet);

}  // namespace kestrovan
