// Strokes in a row on the offline screen, as a player plays them: five on the pocket table, then the room
// setting's four-ball and three on the carom table. Each stroke brings the pointer to where it starts, waits for
// the last shot's stop and the aiming view to stand still, holds Ctrl while the mouse draws the cue back and
// pushes it, and lets go at once; each must shoot at the first press: the balls run and stop ("BallsStopped" in
// StartLog.log, once for every shot) and the table differs from before. The screens: strokes_*.png and
// flick*.png in the working folder.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using namespace std::chrono_literals;

class StrokeSeries : public ProgramUnderX {
protected:
    // One stroke from the pointer's place below the cue ball: Ctrl held, the mouse drawn back and pushed, Ctrl
    // let go at once.
    ::testing::AssertionResult PushStroke(const XWindowGeometry& area, const std::string& name) {
        x.MovePointer(area.x + area.width / 2, area.y + area.height / 2 + 116);
        return StrokeShoots(stops_, area, "strokes_" + name, [&] {
            x.Key("Control_L", true);
            std::this_thread::sleep_for(300ms);
            x.MovePointerInSteps(20, 0, 5, 60);
            x.MovePointerInSteps(6, 0, -40, 30);
            x.Key("Control_L", false);
        });
    }

    TableStops stops_ = LoggedStops();
};

TEST_F(StrokeSeries, EveryOfflineStrokeShootsOnThePocketAndTheCaromTable) {
    const XWindowGeometry area = OfflineTable();
    ASSERT_FALSE(HasFailure());
    const int right = area.x + area.width;

    for (int stroke = 1; stroke <= 5; ++stroke)
        EXPECT_TRUE(PushStroke(area, "pocket" + std::to_string(stroke)));

    // The room setting: four-ball (the carom column's first row), OK; the carom table's blue cloth shows.
    Click(right - 200 + 16, area.y + 17);
    const int dialogX = area.x + (area.width - 403) / 2, dialogY = area.y + (area.height - 392) / 2;
    WaitForScreen(folder() / "strokes_setting.png",
                  [&](const Screenshot& shot) { return IsSlate(shot.At(dialogX + 200, dialogY + 300)); });
    Click(dialogX + 193 + 80, dialogY + 72 + 10);
    std::this_thread::sleep_for(500ms);
    Click(dialogX + 80 + 42, dialogY + 344 + 16);
    const Screenshot carom = WaitForScreen(folder() / "strokes_carom.png", [&](const Screenshot& shot) {
        return Count(shot, area.x, area.y + 100, right, area.y + area.height - 100, IsCaromCloth) > 20000;
    });
    ASSERT_GT(Count(carom, area.x, area.y + 100, right, area.y + area.height - 100, IsCaromCloth), 20000)
        << "the carom table: see strokes_carom.png";

    for (int stroke = 1; stroke <= 3; ++stroke)
        EXPECT_TRUE(PushStroke(area, "carom" + std::to_string(stroke)));
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

// Fast flicks on the pocket table, as a player in a hurry plays them: Ctrl held, the cue drawn back in two quick
// steps and pushed hard in two more, 30 ms apart, Ctrl let go at once. Each shoots while the program reads the
// draw-back before the push; a program held up so long that it reads both in one go sees a push of the undrawn
// cue, which the stroke ignores. A measure for the soaks (scripts/program-soak.sh), which count the flicks lost.
TEST_F(StrokeSeries, EveryFastFlickShoots) {
    constexpr int kFlicks = 8;
    const XWindowGeometry area = OfflineTable();
    ASSERT_FALSE(HasFailure());
    int shot = 0;
    for (int flick = 1; flick <= kFlicks; ++flick) {
        x.MovePointer(area.x + area.width / 2, area.y + area.height / 2 + 116);
        const auto shoots = StrokeShoots(stops_, area, "flick" + std::to_string(flick), [&] {
            x.Key("Control_L", true);
            std::this_thread::sleep_for(300ms);
            x.MovePointerInSteps(2, 0, 50, 30);
            x.MovePointerInSteps(2, 0, -120, 30);
            x.Key("Control_L", false);
        });
        EXPECT_TRUE(shoots);
        shot += shoots ? 1 : 0;
    }
    EXPECT_EQ(shot, kFlicks) << "flicks that shot";
    EXPECT_EQ(CloseAndWait(10s), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
