#pragma once
// The room's top bar: the room's number, its title, the stake (or "Friendly", "Tournament"), the lock of a
// room with a password, the handicap range of the games that have one, the half-game mark and the game
// clock.
//
// Threads: as the screen's entries (client/app/Scene.h), under the widget-tree lock.
#include "QuillLib/gamedata/RoomInfo.h"

namespace kestrovan {

class GameClock;
class Image;
class NumberDisplay;
class TextLabel;
class Widget;

class RoomTopBar {
public:
    void Build(Widget& screen);
    // The room's number, title, lock and half-game mark.
    void ShowRoom(const quill::RoomInfo& room);
    void ShowTitle(const quill::RoomInfo& room);
    void ShowStake(const quill::RoomInfo& room, bool tournament);
    // The handicap range, for the games that have one.
    void ShowLevelRange(const quill::RoomInfo& room);

    Image* Bar() const { return bar_; }
    NumberDisplay* Number() const { return number_; }
    TextLabel* Title() const { return title_; }
    TextLabel* Stake() const { return stake_; }
    TextLabel* Level() const { return level_; }
    TextLabel* HalfGame() const { return halfGame_; }
    Image* Lock() const { return lock_; }
    GameClock* Clock() const { return clock_; }

private:
    // Widgets, owned by the tree.
    Image* bar_ = nullptr;
    NumberDisplay* number_ = nullptr;
    TextLabel* title_ = nullptr;
    TextLabel* stake_ = nullptr;
    Image* lock_ = nullptr;
    TextLabel* level_ = nullptr;
    TextLabel* halfGame_ = nullptr;
    GameClock* clock_ = nullptr;
};

}  // namespace kestrovan
