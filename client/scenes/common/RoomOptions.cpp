#include "client/scenes/common/RoomOptions.h"

namespace kestrovan {

bool IsGambleType(quill::GameType type) {
    return type == quill::game_type::kOneCushionGamble || type == quill::game_type::kThreeCushionGamble ||
           type == quill::game_type::kSixBalls;
}

bool HasHandicapRange(quill::GameType type) {
    return type == quill::game_type::kFourBall || type == quill::game_type::kThreeCushion || IsGambleType(type);
}

bool HalfGameOffered(quill::GameType type, uint16_t ownHandicap) {
    const bool carom = type == quill::game_type::kFourBall || type == quill::game_type::kThreeCushion;
    return (carom && ownHandicap >= 200) || (type == quill::game_type::kStraightPool && ownHandicap >= 400);
}

bool FriendlyOffered(quill::GameType type, int32_t stakeRow, uint8_t membership) {
    return !IsGambleType(type) && stakeRow == 0 && membership > 0;
}

RoomOptions::Difference RoomOptions::Compare(const RoomOptions& room, const RoomOptions& chosen) {
    Difference difference;
    difference.restricted = room.ruleOption != chosen.ruleOption || room.flags != chosen.flags ||
                            room.stakeIndex != chosen.stakeIndex;
    difference.changed = difference.restricted || room.title != chosen.title || room.password != chosen.password ||
                         room.players != chosen.players || room.timeLimit != chosen.timeLimit ||
                         room.master != chosen.master || room.minimumHandicap != chosen.minimumHandicap ||
                         room.maximumHandicap != chosen.maximumHandicap || room.tableItem != chosen.tableItem ||
                         room.ballSetItem != chosen.ballSetItem;
    return difference;
}

}  // namespace kestrovan
