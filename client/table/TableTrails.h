#pragma once
// The lines the table draws on the cloth: a fading trail behind each moving ball (the cue ball's, or every ball's
// once 'T' is pressed twice), the overview's guide line from the cue ball toward the aim, and the snooker D with
// its baulk line.
//
// Threads: see the table in client/app/Scene.h; the trails read the balls under the physics lock.
#include <array>
#include <cstdint>
#include <memory>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/table/LineList.h"
#include "client/table/TableLineDrawer.h"

namespace kestrovan {

class TablePhysics;

class TableTrails {
public:
    static constexpr uint32_t kGuideLineColour = 0x80ff80ff;

    TableTrails();
    TableTrails(const TableTrails&) = delete;
    TableTrails& operator=(const TableTrails&) = delete;

    // 0xRRGGBB of a ball in the HUD and in its trail, by game type.
    static uint32_t GetBallColour(quill::GameType gameMode, uint32_t ball);

    LineList& BallTrail(uint32_t ball) { return *ballTrails_[ball % quill::kMaxBalls]; }
    // 0: the overview's guide line; 1: the snooker D.
    LineList& GuideLine(uint32_t index) { return *guideLines_[index % 2]; }
    // Draws the ball trails (the trail option of the screen).
    void SetTrailsShown(bool shown) { trailsShown_ = shown; }
    // 'T' pressed twice: every ball leaves a trail, not only the cue ball.
    void ToggleAllTrails() { showAllTrails_ = !showAllTrails_; }
    bool ShowsAllTrails() const { return showAllTrails_; }

    // Every ball's trail fades through the ball's colour, more quickly (the trail colours of a table variant).
    void ColourTrails(quill::GameType gameMode);
    // Empties every ball's trail, also those of balls the current game does not have.
    void ClearTrails();
    // The moving balls' positions onto their trails (the cue ball's only unless every trail is shown); takes the
    // physics lock.
    void AppendTrailPoints(TablePhysics& physics, quill::GameType gameMode);
    // The D and the baulk line of snooker anew into the second guide line, for the table unit; nothing for another
    // game.
    void DrawSnookerD(quill::GameType gameMode, float unit);

    // The ball trails, when they are shown.
    void DrawTrails(TableLineDrawer& drawer) const;

private:
    std::array<std::unique_ptr<LineList>, quill::kMaxBalls> ballTrails_;
    std::array<std::unique_ptr<LineList>, 2> guideLines_;
    bool trailsShown_ = false;
    bool showAllTrails_ = false;
};

}  // namespace kestrovan
