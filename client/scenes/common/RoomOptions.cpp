#include "client/scenes/common/RoomOptions.h"

namespace kestrovan {

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
