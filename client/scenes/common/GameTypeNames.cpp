#include "client/scenes/common/GameTypeNames.h"

#include <array>

namespace kestrovan {

namespace {

// Slots by game type: carom types 0 to 5, pocket types 10 to 14, -1 for the types without a name.
constexpr std::array<int32_t, quill::kGameTypeCount> kSlots{0,  -1, 1,  2,  3,  4,  5,  -1, -1,
                                                            -1, 10, 11, 12, 13, -1, -1, 14};

}  // namespace

quill::WStringView GameTypeShortName(quill::GameType type) { return quill::GameShortName(type); }

quill::WStringView GameTypeLongName(quill::GameType type) { return quill::GameLongName(type); }

int32_t GameTypeSlot(quill::GameType type) {
    return quill::IsGameTypeIndex(type) ? kSlots[static_cast<size_t>(type)] : -1;
}

bool GameTypeOffered(quill::GameType type) {
    using namespace quill::game_type;
    switch (type) {
        case kFourBall:
        case kOneCushionGamble:
        case kThreeCushion:
        case kThreeCushionPro:
        case kThreeCushionGamble:
        case kSixBalls:
        case kEightBall:
        case kNineBall:
        case kStraightPool:
        case kSnooker:
            return true;
        default:
            return false;
    }
}

}  // namespace kestrovan
