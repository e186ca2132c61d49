// The real program in replay mode on a real X display, with no server: started with "replay" and a demo shot's
// text as its fifth word, it opens the replay screen at once with the signs on its playback bar's buttons, plays
// the shot pass after pass (three pass ends in its log) and the table's pixels change while the balls roll; the
// window closes on request.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "client/scenes/common/DemoShots.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

// Pixels that change when the cue or a ball moves.
constexpr int kMoved = 150;

int CountCloth(const Screenshot& shot, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) count += IsCaromCloth(shot.At(x, y)) ? 1 : 0;
    }
    return count;
}

// The first demo shot (a carom break) struck gently, so that each pass is over in seconds: its text ends with
// four of the stroke's values, the power (0.55) first.
std::string GentleShot() {
    std::string shot(kestrovan::DemoShots()[0].shot);
    const size_t power = shot.size() - 4 * 8;
    EXPECT_EQ(shot.substr(power, 8), "CDCC0C3F");
    return shot.replace(power, 8, "8FC2F53C");  // 0.03
}

TEST_F(ProgramUnderX, ReplayModePlaysTheShotPassAfterPass) {
    ASSERT_GT(Start({"replay", "1", "2", GentleShot()}), 0);
    const XWindowGeometry area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    ASSERT_TRUE(WaitForLog("Scene 12 ready", std::chrono::seconds(30))) << ReadFile(folder() / "program.out");
    const int left = area.x, top = area.y, right = area.x + area.width, bottom = area.y + area.height;
    // The pointer rests on the title, where it touches neither the table nor a button.
    x.MovePointer(left + 200, top + 16);

    // The table from above shows its cloth; while a pass plays the picture changes (the cue swings, the
    // balls roll). The playback bar is judged at rest.
    const Screenshot first =
        WaitForScreenAtRest(folder() / "replay_1.png", {{left + area.width / 2 - 198, bottom - 60, 7 * 42, 42}},
                            [&](const Screenshot& shot) { return CountCloth(shot, left, top, right, bottom) > 20000; });
    EXPECT_GT(CountCloth(first, left, top, right, bottom), 20000) << "the table: see replay_1.png";
    // The playback bar's buttons each show the sign of what they do (the play and pause buttons take turns).
    int signed_ = 0;
    for (int slot = 0; slot < 7; ++slot) {
        const int bx = left + area.width / 2 - 198 + 42 * slot, by = bottom - 60;
        signed_ += Count(first, bx, by, bx + 42, by + 42, [](uint32_t rgb) {
                       return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 200 && (rgb & 0xFF) > 200;
                   }) >= 10
                       ? 1
                       : 0;
    }
    EXPECT_GE(signed_, 6) << "the playback bar's signs: see replay_1.png";
    const Screenshot moved = WaitForScreen(folder() / "replay_2.png", [&](const Screenshot& shot) {
        return DifferingPixels(first, shot, left, top, right, bottom) > kMoved;
    });
    EXPECT_GT(DifferingPixels(first, moved, left, top, right, bottom), kMoved) << "replay_1.png, replay_2.png";

    // Three passes end: normal, half and quarter speed; the fourth plays again.
    for (const char* line : {"Replay pass 1 ended", "Replay pass 2 ended", "Replay pass 3 ended"})
        EXPECT_TRUE(WaitForLog(line, std::chrono::seconds(120))) << line << "\n" << ReadFile(folder() / "StartLog.log");
    const Screenshot fourth = Capture(folder() / "replay_3.png");
    const Screenshot again = WaitForScreen(folder() / "replay_4.png", [&](const Screenshot& shot) {
        return DifferingPixels(fourth, shot, left, top, right, bottom) > kMoved;
    });
    EXPECT_GT(DifferingPixels(fourth, again, left, top, right, bottom), kMoved) << "replay_3.png, replay_4.png";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

// A shot text of hostile values (power -1e30, deviation 1e30, which once overflowed the gauge's arithmetic and
// stopped the checked build): the program says so in its log and plays the shot at no power, pass after pass.
TEST_F(ProgramUnderX, ReplayModePlaysAHostileShotWithinItsRanges) {
    std::string shot(kestrovan::DemoShots()[0].shot);
    shot.replace(shot.size() - 4 * 8, 16, "CAF249F1CAF24971");
    ASSERT_GT(Start({"replay", "1", "2", shot}), 0);
    ASSERT_FALSE(HasFailure());
    const XWindowGeometry area = WaitForWindow();
    ASSERT_TRUE(WaitForLog("Scene 12 ready", std::chrono::seconds(30))) << ReadFile(folder() / "program.out");
    EXPECT_TRUE(WaitForLog("WARNING: the power or deviation of a shot text lay outside its range",
                           std::chrono::seconds(10)));
    for (const char* line : {"Replay pass 1 ended", "Replay pass 2 ended"})
        EXPECT_TRUE(WaitForLog(line, std::chrono::seconds(60))) << line << "\n" << ReadFile(folder() / "program.out");
    Capture(folder() / "replay_hostile.png");
    (void)area;
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
