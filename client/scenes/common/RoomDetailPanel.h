#pragma once
// The panel the lobby shows beside a room row under the mouse: the room's title and number, how long its
// game has been running (hours and minutes) and up to eight of the players in it with their levels.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/ui/Image.h"

namespace kestrovan {

class NumberDisplay;
class TextLabel;

// The running time of a game started at startTime (tick count) as hours and minutes at now; the tick
// count wraps, so the difference is taken unsigned.
struct RunningTime {
    uint32_t hours = 0;
    uint32_t minutes = 0;
};
RunningTime RunningTimeOf(uint32_t startTime, uint32_t now);

class RoomDetailPanel : public Image {
public:
    static constexpr int32_t kWidth = 266;
    static constexpr int32_t kHeight = 225;
    static constexpr int32_t kTexture = 5;
    static constexpr size_t kPlayerLines = 8;

    struct PlayerLine {
        quill::WString nickname;
        uint16_t level = 0;
    };

    RoomDetailPanel();

    // Title, number and, for a running game, its time at now.
    void SetRoom(const quill::RoomInfo& room, uint32_t now);
    // The players' lines; lines beyond eight are not shown, lines left over are hidden.
    void SetPlayers(const std::vector<PlayerLine>& players);

    TextLabel* Title() const { return title_; }
    TextLabel* Number() const { return number_; }
    NumberDisplay* Hours() const { return hours_; }
    NumberDisplay* Minutes() const { return minutes_; }
    TextLabel* PlayerName(size_t line) const { return lines_[line].name; }
    TextLabel* PlayerValue(size_t line) const { return lines_[line].value; }

private:
    struct LineWidgets {
        Image* icon = nullptr;
        TextLabel* name = nullptr;
        TextLabel* value = nullptr;
    };

    NumberDisplay* AddClock(int32_t x);

    TextLabel* title_ = nullptr;
    TextLabel* number_ = nullptr;
    NumberDisplay* hours_ = nullptr;
    NumberDisplay* minutes_ = nullptr;
    Image* colon_ = nullptr;
    std::vector<LineWidgets> lines_;
};

}  // namespace kestrovan
