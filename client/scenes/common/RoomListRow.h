#pragma once
// One room of the lobby's room list: a 476 x 64 button framed by the room's game mode, with the room's
// number, title, players, state (PLAY, FULL, WAIT), handicap range, stake, the friendly or tournament flag,
// the half-game label and the lock, rated and special-table marks. A full room is drawn faded. The row
// keeps a copy of the room it shows, so the room table may change under it.
//
// Threads: see the table in client/app/Scene.h.
#include <atomic>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class Image;
class NumberDisplay;
class TextLabel;

// Where a game mode's frame lies in the rows' texture; an unknown mode (or one without a row) gets the
// empty frame.
struct RoomRowFrame {
    int32_t x = 0;
    int32_t y = 0;
};
RoomRowFrame RoomRowFrameOf(int32_t gameMode);

// "~ 30", "10 ~", "10 ~ 30" or "" (no limit, or a mode that shows no range).
quill::WString RoomHandicapText(const quill::RoomInfo& room);

// The state word and its colour: PLAY (yellow) for a running game, else FULL (red), else WAIT (green).
struct RoomStateText {
    const char16_t* text;
    uint32_t colour;
};
RoomStateText RoomStateTextOf(const quill::RoomInfo& room);

class RoomListRow : public Widget {
public:
    static constexpr int32_t kWidth = 476;
    static constexpr int32_t kHeight = 64;
    static constexpr int32_t kTexture = 6;
    static constexpr RoomRowFrame kEmptyFrame{476, 960};
    static constexpr float kFullOpacity = 0.4f;
    static constexpr float kEmptyOpacity = 0.5f;

    explicit RoomListRow(int32_t controlId);

    // Shows the room; tournament: the channel is of the tournament kind.
    void SetRoom(const quill::RoomInfo& room, bool tournament);
    void Clear();
    // The shown room's number, -1 when the row is empty.
    int32_t GetRoomNumber() const { return roomNumber_; }
    // The shown room (a copy); meaningful while GetRoomNumber is not -1.
    const quill::RoomInfo& Room() const { return room_; }

    Button* GetButton() const { return button_; }
    TextLabel* Title() const { return title_; }
    TextLabel* Players() const { return players_; }
    TextLabel* State() const { return state_; }
    TextLabel* Handicap() const { return handicap_; }
    TextLabel* Flag() const { return flag_; }
    TextLabel* Half() const { return half_; }
    TextLabel* Stake() const { return stake_; }
    Image* Lock() const { return lock_; }
    Image* RatedMark() const { return rated_; }
    NumberDisplay* Number() const { return number_; }

    // The button's clicks and hover go on to the list's owner with the row as the source.
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    void ShowFrame(RoomRowFrame frame);
    void ShowStake(const quill::RoomInfo& room, bool tournament);
    void HideParts();

    Button* button_ = nullptr;
    NumberDisplay* number_ = nullptr;
    TextLabel* title_ = nullptr;
    TextLabel* players_ = nullptr;
    TextLabel* state_ = nullptr;
    TextLabel* handicap_ = nullptr;
    TextLabel* flag_ = nullptr;
    TextLabel* half_ = nullptr;
    Image* lock_ = nullptr;
    Image* rated_ = nullptr;
    Image* specialTable_ = nullptr;
    Image* modeIcon_ = nullptr;
    Image* stakeIcon_ = nullptr;
    TextLabel* stake_ = nullptr;
    std::atomic<int32_t> roomNumber_{-1};
    quill::RoomInfo room_;
};

}  // namespace kestrovan
