#include "QuillLib/gamedata/RoomInfo.h"

#include <array>

namespace quill {
namespace {

bool IsGamble(uint8_t type) {
    return type == game_type::kOneCushionGamble || type == game_type::kThreeCushionGamble ||
           type == game_type::kSixBalls;
}

constexpr size_t kStakeIndices = 5;
using StakeRow = std::array<uint32_t, kStakeIndices>;

constexpr StakeRow kOneCushionStakes{1000, 2000, 5000, 10000, 0};
constexpr StakeRow kThreeCushionStakes{2000, 5000, 10000, 20000, 0};
constexpr StakeRow kSixBallStakes{10000, 20000, 50000, 100000, 0};
constexpr StakeRow kOpenClassStakes{0, 200, 500, 1000, 2000};
constexpr StakeRow kLimitedClassStakes{0, 100, 200, 500, 0};
constexpr StakeRow kNoStakes{};

const StakeRow& StakeRowOf(uint8_t gameType, uint32_t stakeClass) {
    switch (gameType) {
        case game_type::kOneCushionGamble:
            return kOneCushionStakes;
        case game_type::kThreeCushionGamble:
            return kThreeCushionStakes;
        case game_type::kSixBalls:
            return kSixBallStakes;
        default:
            if (stakeClass == 0) {
                return kOpenClassStakes;
            }
            return stakeClass <= 3 ? kLimitedClassStakes : kNoStakes;
    }
}

}  // namespace

void RoomInfo::Reset() {
    state = 0;
    status = 0;
    gameType = 0;
    playerCount = 0;
    maxPlayers = 6;
    slotIndex = -1;
    firstCueBall = 0;
    setting = 1;
    shooterSeat = -1;
    inningTime = 40;
    open = 1;
    optionFlags = 0;
    roomNumber = -2;
    password.clear();
    passwordFlag = 0;
    minHandicap = 0;
    maxHandicap = 0;
    counterA = 0;
    counterB = 0;
    counterC = 0;
    stake = 0;
    startTime = 0;
    extraWord = 0;
    tableItem = 0;
    ballItem = 0;
}

bool RoomInfo::IsHalfGame() const {
    const bool knowsHalf = gameType == game_type::kFourBall || gameType == game_type::kThreeCushion ||
                           gameType == game_type::kStraightPool;
    return knowsHalf && (optionFlags & kHalfGameFlag) != 0;
}

bool RoomInfo::IsFriendly() const {
    return !IsGamble(gameType) && (optionFlags & kFriendlyFlag) != 0;
}

bool RoomInfo::IsClosed() const {
    return !IsGamble(gameType) && open == 0;
}

bool RoomInfo::IsGambleGame() const {
    return gameType == game_type::kOneCushionGamble || gameType == game_type::kThreeCushionGamble;
}

uint32_t RoomInfo::StakeAmount(uint8_t gameType, uint8_t stakeIndex, uint32_t stakeClass) {
    return stakeIndex < kStakeIndices ? StakeRowOf(gameType, stakeClass)[stakeIndex] : 0;
}

int64_t RoomInfo::RequiredMoney(int64_t money, uint8_t single) const {
    // In 64 bits: a stake from the server may be any 32-bit value.
    const int64_t stakeValue = stake;
    int64_t required = 0;
    if (gameType == game_type::kOneCushionGamble || gameType == game_type::kThreeCushionGamble) {
        required = 10 * stakeValue;
    } else if (gameType == game_type::kSixBalls) {
        required = 2 * stakeValue;
    } else if (open != 0) {
        required = (single == 1 ? 3 : 5) * stakeValue;
    }
    return money < required ? required : 0;
}

}  // namespace quill
