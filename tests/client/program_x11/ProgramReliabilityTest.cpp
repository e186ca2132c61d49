// The real program where a user's set-up is odd: without a display it says so and ends with 1 instead of running
// unseen; a package missing from its data folder shows its loading error in a box on the screen (naming the
// package) and logs it; in English (lang= 1) it starts and reaches the login screen.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using ProgramReliability = ProgramUnderX;

// An environment variable taken away for the span of a check.
class WithoutVariable {
public:
    explicit WithoutVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) value_ = value;
        unsetenv(name);
    }
    ~WithoutVariable() {
        if (value_) setenv(name_, value_->c_str(), 1);
    }

private:
    const char* name_;
    std::optional<std::string> value_;
};

// The colours SDL's message box draws with on X: its face and its text.
bool IsBoxFace(uint32_t rgb) { return rgb == 0x383635; }
bool IsBoxText(uint32_t rgb) { return rgb == 0xD1CFCD; }

int CountIn(const Screenshot& shot, const XWindowGeometry& area, bool (*test)(uint32_t)) {
    int count = 0;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int px = area.x; px < area.x + area.width; ++px) count += test(shot.At(px, y)) ? 1 : 0;
    }
    return count;
}

TEST_F(ProgramReliability, WithoutADisplayItSaysSoAndEndsWithOne) {
    {
        WithoutVariable display("DISPLAY");
        WithoutVariable driver("SDL_VIDEODRIVER");
        ASSERT_GT(Start({"offline"}), 0);
    }
    EXPECT_EQ(WaitForExit(std::chrono::seconds(30)), 1) << ReadFile(folder() / "program.out");
    EXPECT_NE(ReadFile(folder() / "program.out").find("Kestrovan cannot open its window"), std::string::npos)
        << ReadFile(folder() / "program.out");
}

TEST_F(ProgramReliability, AMissingPackageShowsItsLoadingErrorInABox) {
    std::filesystem::remove(folder() / "data" / "Balls.tpk");
    ASSERT_GT(Start({"offline"}), 0);
    const XWindowGeometry area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    SkipIntro(area);
    // The login screen's demo table needs the balls: its load fails, and the box says which package.
    ASSERT_TRUE(WaitForLog("Message box \"Kestrovan\": Loading error-2", std::chrono::seconds(30)))
        << ReadFile(folder() / "StartLog.log");
    EXPECT_NE(ReadFile(folder() / "StartLog.log").find("pack:Balls"), std::string::npos)
        << ReadFile(folder() / "StartLog.log");
    const Screenshot box = WaitForScreen(folder() / "loading_error.png", [&](const Screenshot& shot) {
        return CountIn(shot, area, IsBoxFace) > 5000 && CountIn(shot, area, IsBoxText) > 100;
    });
    EXPECT_GT(CountIn(box, area, IsBoxFace), 5000) << "the box on the screen: see loading_error.png";
    EXPECT_GT(CountIn(box, area, IsBoxText), 100) << "its text: see loading_error.png";
    // The box waits for its answer; the program ends after it.
    x.MovePointer(area.x + area.width / 2, area.y + area.height / 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    PressKey("Return");
    EXPECT_EQ(WaitForExit(std::chrono::seconds(20)), 6) << ReadFile(folder() / "program.out");
}

// The desktop (1280 x 1024 here) is asked before the window opens: a window stands in its middle, and full screen
// without a size takes the desktop's.
TEST_F(ProgramReliability, TheWindowIsPlacedOnTheDesktopItOpensOn) {
    std::ofstream(folder() / "config.ini", std::ios::binary) << "[Video]\r\nfullscreen= 0\r\n";
    ASSERT_GT(Start({"offline"}), 0);
    XWindowGeometry area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(area.width, 1024);
    EXPECT_EQ(area.x, (1280 - 1024) / 2);
    EXPECT_EQ(area.y, (1024 - 768) / 2);
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");

    std::ofstream(folder() / "config.ini", std::ios::binary)
        << "[Video]\r\nfullscreen= 1\r\nwidth= 0\r\nheight= 0\r\n";
    ASSERT_GT(Start({"offline"}), 0);
    area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(area.x, 0);
    EXPECT_EQ(area.width, 1280);
    EXPECT_EQ(area.height, 1024);
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

TEST_F(ProgramReliability, EnglishStartsAndReachesTheLoginScreen) {
    std::ofstream(folder() / "config.ini", std::ios::binary) << "[Game]\r\nlang= 1\r\n";
    ASSERT_GT(Start({"offline"}), 0);
    const XWindowGeometry area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    SkipIntro(area);
    const int right = area.x + area.width;
    const int bottom = area.y + area.height;
    // The login screen as in Korean: the offline button at the top right, the black bar at the bottom.
    const Screenshot login = WaitForScreen(folder() / "login_english.png", [&](const Screenshot& shot) {
        return shot.At(right - 210 + 57, area.y + 20) != 0x000000 && shot.At(area.x + 500, bottom - 10) == 0x000000;
    });
    EXPECT_NE(login.At(right - 210 + 57, area.y + 20), 0x000000u) << "the offline button: see login_english.png";
    EXPECT_EQ(login.At(area.x + 500, bottom - 10), 0x000000u) << "the letterbox bar: see login_english.png";
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
    const std::string log = ReadFile(folder() / "StartLog.log");
    EXPECT_EQ(log.find("Loading error"), std::string::npos) << log;
    EXPECT_NE(log.find("Init done...\n"), std::string::npos) << log;
}

}  // namespace
}  // namespace kv::test
