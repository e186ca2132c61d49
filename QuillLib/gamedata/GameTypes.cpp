#include "QuillLib/gamedata/GameTypes.h"

#include <algorithm>
#include <array>

#include "QuillLib/core/LogSystem.h"

namespace quill {
namespace {

struct GameTypeInfo {
    uint32_t ballCount;  // 0: not a game (its ball count is an error)
    int32_t family;
    uint16_t tableItem;
    uint16_t ballItem;
    const char16_t* shortName;
    const char16_t* longName;
};

constexpr GameTypeInfo kNoGame{0, -1, 1020, 2003, u"", u""};

// Indexed by game type 0..16.
constexpr std::array<GameTypeInfo, kGameTypeCount> kGameTypes{{
    {4, 0, 1020, 2003, u"4balls", u"4balls korean carom"},
    {4, -1, 1020, 2003, u"", u""},
    {4, 1, 1020, 2003, u"1C-gamble", u"1cushion gamble"},
    {3, 1, 1027, 2004, u"3cushion", u"3cushion"},
    {3, 1, 1024, 2004, u"3C-pro", u"3cushion pro"},
    {3, 1, 1028, 2004, u"3C-gamble", u"3cushion gamble"},
    {6, 2, 1020, 2008, u"6balls", u"6balls gamble"},
    kNoGame,
    kNoGame,
    kNoGame,
    {16, 3, 1030, 2006, u"8-ball", u"8-ball"},
    {16, 3, 1020, 2003, u"card ball", u"card ball"},
    {10, 3, 1032, 2006, u"9-ball", u"9-ball"},
    {16, 3, 1033, 2006, u"14-1 st.", u"14-1 straight"},
    kNoGame,
    kNoGame,
    {22, 3, 1035, 2007, u"snooker", u"snooker"},
}};

// "No game" (-1) has the snooker table's ball count, so a holder made before a game is chosen has room
// for every ball.
constexpr GameTypeInfo kNoneType{22, -1, 1020, 2003, u"", u""};

const GameTypeInfo& InfoOf(GameType type) {
    if (type == game_type::kNone) {
        return kNoneType;
    }
    return IsGameTypeIndex(type) ? kGameTypes[static_cast<size_t>(type)] : kNoGame;
}

struct BallSet {
    float radius;
    float mass;
};

constexpr std::array<BallSet, 7> kBallSets{{
    {3.25f, 0.25f},
    {3.05f, 0.21f},
    {2.87f, 0.17f},
    {3.275f, 0.25f},
    {3.075f, 0.21f},
    {2.86f, 0.17f},
    {2.625f, 0.15f},
}};

}  // namespace

uint32_t GetBallCount(GameType type) {
    const uint32_t count = InfoOf(type).ballCount;
    if (count == 0) {
        TheLog().LogError(u"BBBBBBBBBB :%d \n", type);
    }
    return count;
}

int32_t GetGameFamily(GameType type) {
    return InfoOf(type).family;
}

uint16_t DefaultTableItemId(GameType type) {
    return InfoOf(type).tableItem;
}

uint16_t DefaultBallItemId(GameType type) {
    return InfoOf(type).ballItem;
}

float GetBallRadius(uint32_t ballSetIndex) {
    return ballSetIndex < kBallSets.size() ? kBallSets[ballSetIndex].radius : 0.0f;
}

float GetBallMass(uint32_t ballSetIndex) {
    return ballSetIndex < kBallSets.size() ? kBallSets[ballSetIndex].mass : 0.0f;
}

uint32_t BallGroupOf(uint32_t ballNumber) {
    if (ballNumber == 0) {
        return ball_group::kCue;
    }
    if (ballNumber < 8) {
        return ball_group::kLow;
    }
    return ballNumber == 8 ? ball_group::kEight : ball_group::kHigh;
}

WStringView GameShortName(GameType type) {
    return IsGameTypeIndex(type) ? WStringView(kGameTypes[static_cast<size_t>(type)].shortName) : WStringView();
}

WStringView GameLongName(GameType type) {
    return IsGameTypeIndex(type) ? WStringView(kGameTypes[static_cast<size_t>(type)].longName) : WStringView();
}

int32_t ThousandsCappedAt3(int32_t n) {
    return std::min(n / 1000, 3);
}

}  // namespace quill
