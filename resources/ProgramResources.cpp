#include "resources/ProgramResources.h"

#include <array>
#include <string_view>

#include "platform/window/VirtualKey.h"

namespace kestrovan {
namespace {

using platform::AccelFlag::Alt;
using platform::AccelFlag::VirtKey;

// Pictures are drawn one character per pixel: '.' is transparent, the letters are colours.
uint32_t PaletteColour(char c) {
    switch (c) {
        case 'K':
            return 0xFF000000;  // black
        case 'W':
            return 0xFFFFFFFF;  // white
        case 'w':
            return 0xFFC8C8C8;  // light grey
        case 'G':
            return 0xFF1E7A3C;  // cloth green
        case 'g':
            return 0xFF145A2A;  // cloth shadow
        case 'R':
            return 0xFFD02020;  // ball red
        case 'r':
            return 0xFF901010;  // ball shadow
        case 'Y':
            return 0xFFF0C020;  // pen body
        case 'B':
            return 0xFF6A4A2A;  // pen tip
        default:
            return 0x00000000;
    }
}

template <size_t Rows>
constexpr bool RowsAlike(const std::array<std::string_view, Rows>& rows) {
    for (const std::string_view row : rows) {
        if (row.size() != rows[0].size()) {
            return false;
        }
    }
    return true;
}

template <size_t Rows>
platform::PixelImage Draw(const std::array<std::string_view, Rows>& rows, int scale) {
    platform::PixelImage image;
    image.width = static_cast<int>(rows[0].size()) * scale;
    image.height = static_cast<int>(Rows) * scale;
    image.pixels.reserve(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (const std::string_view row : rows) {
        for (int repeat = 0; repeat < scale; ++repeat) {
            for (const char c : row) {
                image.pixels.insert(image.pixels.end(), static_cast<size_t>(scale), PaletteColour(c));
            }
        }
    }
    return image;
}

// A red ball with its highlight on the cloth, drawn at 16 x 16 and shown at 32 x 32.
constexpr std::array<std::string_view, 16> kIcon{
    "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGRRRRRRGGGGG", "GGGGRRRRRRRRGGGG",
    "GGGRRWWRRRRRRGGG", "GGRRRWWRRRRRRrGG", "GGRRRRRRRRRRRrGG", "GGRRRRRRRRRRRrGG",
    "GGRRRRRRRRRRRrGG", "GGRRRRRRRRRRrrGG", "GGGRRRRRRRRrrGGG", "GGGGRRRRRrrrGGGG",
    "GGGGGrrrrrrGGggg", "GGGGGGGGGGGggggg", "GGGGGGGGGggggggg", "GGGGGGGggggggggg",
};

// The normal pointer: a white arrow with a black outline, pointing with its top-left pixel.
constexpr std::array<std::string_view, 19> kNormalCursor{
    "K...........", "KK..........", "KWK.........", "KWWK........", "KWWWK.......",
    "KWWWWK......", "KWWWWWK.....", "KWWWWWWK....", "KWWWWWWWK...", "KWWWWWWWWK..",
    "KWWWWWWWWWK.", "KWWWWWWKKKKK", "KWWWKWWK....", "KWWKKWWK....", "KWK..KWWK...",
    "KK...KWWK...", "K.....KWWK..", "......KWWK..", ".......KK...",
};

// The pen of the table's drawing mode, writing with its lower-left tip.
constexpr std::array<std::string_view, 16> kPenCursor{
    "...........KKK..", "..........KwwwK.", ".........KYwwwK.", "........KYYYwK..",
    ".......KYYYYK...", "......KYYYYK....", ".....KYYYYK.....", "....KYYYYK......",
    "...KYYYYK.......", "..KBYYYK........", "..KBBYK.........", ".KBBBK..........",
    ".KBBK...........", "KKK.............", "KK..............", "................",
};

static_assert(RowsAlike(kIcon) && RowsAlike(kNormalCursor) && RowsAlike(kPenCursor));

}  // namespace

platform::PixelImage LoadIconResource() { return Draw(kIcon, 2); }

std::optional<platform::CursorImage> LoadCursorResource(uint32_t id) {
    if (id == ResourceId::CursorNormal) {
        return platform::CursorImage{Draw(kNormalCursor, 1), 0, 0};
    }
    if (id == ResourceId::CursorPen) {
        return platform::CursorImage{Draw(kPenCursor, 1), 0, 14};
    }
    return std::nullopt;
}

platform::AcceleratorTable LoadAcceleratorResource() {
    return platform::AcceleratorTable({
        {VirtKey | Alt, '1', Command::ChatSlot1},
        {VirtKey | Alt, '2', Command::ChatSlot2},
        {VirtKey | Alt, '3', Command::ChatSlot3},
        {VirtKey | Alt, '4', Command::ChatSlot4},
        {VirtKey | Alt, '5', Command::ChatSlot5},
        {Alt, '`', Command::ChatSlot0},
        {VirtKey | Alt, platform::Vk::F4, Command::Quit},
        {VirtKey | Alt, platform::Vk::Return, Command::FullScreen},
        {VirtKey, platform::Vk::F10, Command::Screenshot},
        {VirtKey, platform::Vk::F12, Command::Screenshot2},
    });
}

}  // namespace kestrovan
