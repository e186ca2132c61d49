#pragma once
// Game types and the small per-type facts derived from them: ball counts, families, default equipment,
// ball-set sizes and the ball groups of the pocket games. Every room, table, rule object and message that
// concerns a game carries a GameType code (one byte on the wire, -1 sent as 0xFF).
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace quill {

using GameType = int32_t;

namespace game_type {
inline constexpr GameType kNone = -1;
inline constexpr GameType kFourBall = 0;
inline constexpr GameType kFourBallUnnamed = 1;
inline constexpr GameType kOneCushionGamble = 2;
inline constexpr GameType kThreeCushion = 3;
inline constexpr GameType kThreeCushionPro = 4;
inline constexpr GameType kThreeCushionGamble = 5;
inline constexpr GameType kSixBalls = 6;
inline constexpr GameType kEightBall = 10;
inline constexpr GameType kCardBall = 11;
inline constexpr GameType kNineBall = 12;
inline constexpr GameType kStraightPool = 13;
inline constexpr GameType kSnooker = 16;
}  // namespace game_type

// Tables indexed by game type (0..16) have this many entries.
inline constexpr int32_t kGameTypeCount = 17;
// The largest ball count of any game (snooker and "no game").
inline constexpr uint32_t kMaxBalls = 22;

// Pocket-game ball groups.
namespace ball_group {
inline constexpr uint8_t kNone = 0;  // no group chosen yet
inline constexpr uint8_t kCue = 1;
inline constexpr uint8_t kLow = 2;    // balls 1 to 7
inline constexpr uint8_t kHigh = 3;   // balls 9 and above
inline constexpr uint8_t kEight = 4;  // the 8 ball
inline constexpr uint8_t kAny = 5;
inline constexpr uint8_t kRed = 7;     // snooker: a red is on
inline constexpr uint8_t kColour = 8;  // snooker: a colour is on
}  // namespace ball_group

// Snooker ball numbers: 1 to 15 the reds, 16 (yellow, worth 2) to 21 (black, worth 7).
inline constexpr uint32_t kSnookerFirstColour = 16;
inline constexpr uint32_t kSnookerBlack = 21;
inline constexpr uint32_t kSnookerColourValueOffset = 14;

// Carom games are the codes below 10, pocket games 10 and above.
inline bool IsCaromGame(GameType type) {
    return type < game_type::kEightBall;
}
// A valid index into the per-type tables.
inline bool IsGameTypeIndex(GameType type) {
    return type >= 0 && type < kGameTypeCount;
}

// Balls on the table of the game type; an unknown code is logged ("BBBBBBBBBB :%d \n") and yields 0.
uint32_t GetBallCount(GameType type);
// 0 four-ball, 1 one-cushion and three-cushion games, 2 six balls, 3 pocket games, -1 otherwise.
int32_t GetGameFamily(GameType type);
// The table and ball-set item types a room of the game type uses when nothing else is chosen.
uint16_t DefaultTableItemId(GameType type);
uint16_t DefaultBallItemId(GameType type);

// Radius (centimetres) and mass (kilograms) of the balls of ball set 0..6; 0 for any other index.
float GetBallRadius(uint32_t ballSetIndex);
float GetBallMass(uint32_t ballSetIndex);

// Pocket-game group of a ball number: 0 the cue ball's group 1, 1-7 low, 8 the eight, 9 and up high.
uint32_t BallGroupOf(uint32_t ballNumber);

// The short and long display names of a game type ("4balls", "4balls korean carom"); empty for codes
// that name no game and for indices outside 0..16.
WStringView GameShortName(GameType type);
WStringView GameLongName(GameType type);

// min(n / 1000, 3) with signed division: the bank count of a shot code.
int32_t ThousandsCappedAt3(int32_t n);

}  // namespace quill
