#pragma once
// Where the title bars' pictures lie in the interface's common texture (texture 0): the half-transparent bar
// and the buttons' tiles, each four frames of 33 x 34 one under the other (normal, hover, pressed, disabled)
// with the pictogram of the button's action. The screens whose title bars no layout pins to other pictures
// take them from here, so that a button looks the same on every screen.
#include <cstdint>

namespace kestrovan::TitleTiles {

struct Tile {
    int32_t x, y;
};

inline constexpr int32_t kButtonWidth = 33;
inline constexpr int32_t kButtonHeight = 34;
inline constexpr Tile kBar{0, 416};
inline constexpr Tile kSettings{510, 0};
inline constexpr Tile kHelp{543, 0};
inline constexpr Tile kBack{576, 0};
inline constexpr Tile kMyInfo{510, 136};
inline constexpr Tile kMessenger{543, 136};
inline constexpr Tile kRoomSetting{576, 136};
inline constexpr Tile kExit{510, 272};

}  // namespace kestrovan::TitleTiles
