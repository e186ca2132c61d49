#pragma once
// The screens of the program, by the numbers the scenes, events and the connection use.
#include <cstdint>

namespace kestrovan {

namespace SceneId {
inline constexpr int32_t Login = 1;
inline constexpr int32_t Intro = 2;
inline constexpr int32_t Lobby = 4;
inline constexpr int32_t RoomGame = 5;
inline constexpr int32_t School = 7;
inline constexpr int32_t RoomPractice = 8;
inline constexpr int32_t ShotGallery = 9;
inline constexpr int32_t Shop = 10;
inline constexpr int32_t Alone = 11;
inline constexpr int32_t Replay = 12;
}  // namespace SceneId

}  // namespace kestrovan
