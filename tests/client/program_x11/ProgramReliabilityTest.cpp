// The real program where a user's set-up is odd: without a display it says so in one line and ends with 1 instead
// of running unseen; a package missing from its data folder shows its loading error in a box on the screen (naming the
// package) and logs it; in English (lang= 1) it starts and reaches the login screen; without a sound card one
// line reaches the terminal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using ProgramReliability = ProgramUnderX;

// A close asked for just after the start, while the program may still set up its screens: generous, as a starved
// start has taken more than ten seconds to end, and a program that does not answer never ends.
constexpr std::chrono::seconds kCloseLimit{30};

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

// An X server of the check's own (Xvfb), which the check may kill under the program.
class OwnXServer {
public:
    OwnXServer() {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            // -noreset: when the last client leaves, a server that resets writes its number again to the
            // descriptor, whose reader is gone, and dies of it.
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        // The server writes its number and then a line end, in two writes: the pipe stays open until the line
        // end has come, or the second write fails and the server ends itself ("Cannot write display number").
        std::string number;
        char c = 0;
        while (number.size() < 16) {
            const ssize_t got = read(fds[0], &c, 1);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0 || c == '\n') break;
            number += c;
        }
        close(fds[0]);
        if (!number.empty() && c == '\n') display_ = ":" + number;
    }
    ~OwnXServer() { Kill(); }
    const std::string& Display() const { return display_; }
    void Kill() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    std::string display_;
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

// The X server goes away under the running program, once while the intro and the login screen's demo play, once
// while a loading-error box waits: the program says so and ends with 1, without a crash (no statics destroyed
// under the threads that still run, nothing joined in the box's child process).
TEST_F(ProgramReliability, LosingTheDisplayEndsTheProgramWithoutACrash) {
    for (const bool boxUp : {false, true}) {
        SCOPED_TRACE(boxUp ? "a box up" : "the demo playing");
        if (boxUp) std::filesystem::remove(folder() / "data" / "Balls.tpk");
        // On a machine where other X servers come and go, the display number a new server announces may be taken
        // from under it: the program then finds no display, and the round starts again on a new server.
        std::unique_ptr<OwnXServer> server;
        bool reached = false;
        for (int attempt = 0; attempt < 3 && !reached; ++attempt) {
            server = std::make_unique<OwnXServer>();
            ASSERT_FALSE(server->Display().empty());
            const char* previous = std::getenv("DISPLAY");
            const std::string kept = previous != nullptr ? previous : "";
            setenv("DISPLAY", server->Display().c_str(), 1);
            ASSERT_GT(Start({"offline"}), 0);
            setenv("DISPLAY", kept.c_str(), 1);
            reached = WaitForLog(boxUp ? "Message box \"Kestrovan\": Loading error" : "Init done",
                                 std::chrono::seconds(60));
            if (!reached) WaitForExit(std::chrono::seconds(1));
        }
        ASSERT_TRUE(reached) << ReadFile(folder() / "program.out");
        std::this_thread::sleep_for(std::chrono::seconds(boxUp ? 1 : 12));
        server->Kill();
        EXPECT_EQ(WaitForExit(std::chrono::seconds(30)), 1) << ReadFile(folder() / "program.out");
        const std::string out = ReadFile(folder() / "program.out");
        EXPECT_NE(out.find("the connection to the X display was lost"), std::string::npos) << out;
        EXPECT_EQ(out.find("ACCESS_VIOLATION"), std::string::npos) << out;
        EXPECT_EQ(out.find("AddressSanitizer"), std::string::npos) << out;
    }
}

// In one line on the terminal, whether SDL chooses its video driver or is told to use X; as over a remote shell
// without a session, no runtime folder either. The start log keeps the window's box.
TEST_F(ProgramReliability, WithoutADisplayItSaysSoAndEndsWithOne) {
    for (const char* driver : {static_cast<const char*>(nullptr), "x11"}) {
        SCOPED_TRACE(driver != nullptr ? driver : "no driver named");
        {
            WithoutVariable display("DISPLAY");
            WithoutVariable wayland("WAYLAND_DISPLAY");
            WithoutVariable runtime("XDG_RUNTIME_DIR");
            WithoutVariable named("SDL_VIDEODRIVER");
            if (driver != nullptr) setenv("SDL_VIDEODRIVER", driver, 1);
            ASSERT_GT(Start({"offline"}), 0);
        }
        EXPECT_EQ(WaitForExit(std::chrono::seconds(30)), 1) << ReadFile(folder() / "program.out");
        EXPECT_EQ(ReadFile(folder() / "program.out"),
                  "Kestrovan cannot open its window: no display could be opened (is DISPLAY set?).\n");
        EXPECT_NE(ReadFile(folder() / "StartLog.log").find("Message box \"Kestrovan\": Failed to Create window.. code:1400\n"),
                  std::string::npos)
            << ReadFile(folder() / "StartLog.log");
    }
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
    // The box waits for its answer: a click on its OK button, in the middle of its bottom row (the game window keeps
    // the keyboard, as no window manager hands it to the box). The program ends after it.
    int left = area.x + area.width, right = area.x, bottom = area.y;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int px = area.x; px < area.x + area.width; ++px) {
            if (IsBoxFace(box.At(px, y))) {
                left = std::min(left, px);
                right = std::max(right, px);
                bottom = std::max(bottom, y);
            }
        }
    }
    ASSERT_LT(left, right);
    Click((left + right) / 2, bottom - 27);
    EXPECT_EQ(WaitForExit(std::chrono::seconds(20)), 6) << ReadFile(folder() / "program.out");
}

// While the loading-error box waits for its OK, the program still ends when asked: by SIGTERM, and by a close of
// its window. The box goes with it.
TEST_F(ProgramReliability, AQuitAskedWhileABoxWaitsEndsTheProgramAndItsBox) {
    for (const bool signal : {true, false}) {
        SCOPED_TRACE(signal ? "SIGTERM" : "the window closed");
        std::filesystem::remove(folder() / "data" / "Balls.tpk");
        std::filesystem::remove(folder() / "StartLog.log");
        const pid_t pid = Start({"offline"});
        ASSERT_GT(pid, 0);
        const XWindowGeometry area = WaitForWindow();
        ASSERT_FALSE(HasFailure());
        SkipIntro(area);
        ASSERT_TRUE(WaitForLog("Message box \"Kestrovan\": Loading error-2", std::chrono::seconds(30)))
            << ReadFile(folder() / "StartLog.log");
        const Screenshot box = WaitForScreen(folder() / "box_before_quit.png", [&](const Screenshot& shot) {
            return CountIn(shot, area, IsBoxFace) > 5000;
        });
        ASSERT_GT(CountIn(box, area, IsBoxFace), 5000) << "see box_before_quit.png";
        const auto asked = std::chrono::steady_clock::now();
        if (signal) {
            kill(pid, SIGTERM);
        } else {
            x.RequestClose(window());
        }
        EXPECT_GE(WaitForExit(std::chrono::seconds(10)), 0) << "the program ended";
        std::printf("Ended %.0f ms after the quit was asked\n",
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - asked).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_LT(CountIn(Capture(folder() / "box_after_quit.png"), area, IsBoxFace), 100)
            << "the box went with it: see box_after_quit.png";
        EXPECT_EQ(ReadFile(folder() / "program.out").find("AddressSanitizer"), std::string::npos);
        std::filesystem::copy(std::filesystem::path(std::getenv("KESTROVAN_DATA_FOLDER")) / "Balls.tpk",
                              folder() / "data" / "Balls.tpk", std::filesystem::copy_options::overwrite_existing);
    }
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
    EXPECT_EQ(CloseAndWait(kCloseLimit), 0) << ReadFile(folder() / "program.out");

    std::ofstream(folder() / "config.ini", std::ios::binary)
        << "[Video]\r\nfullscreen= 1\r\nwidth= 0\r\nheight= 0\r\n";
    ASSERT_GT(Start({"offline"}), 0);
    area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(area.x, 0);
    EXPECT_EQ(area.width, 1280);
    EXPECT_EQ(area.height, 1024);
    EXPECT_EQ(CloseAndWait(kCloseLimit), 0) << ReadFile(folder() / "program.out");
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
    EXPECT_EQ(CloseAndWait(kCloseLimit), 0) << ReadFile(folder() / "program.out");
    const std::string log = ReadFile(folder() / "StartLog.log");
    EXPECT_EQ(log.find("Loading error"), std::string::npos) << log;
    EXPECT_NE(log.find("Init done...\n"), std::string::npos) << log;
}

// What a start killed while it wrote config.ini or a screenshot left (the unfinished copy beside the file) is
// removed by the next start; files that only look alike stay.
TEST_F(ProgramReliability, TheNextStartRemovesTheUnfinishedFilesOfAKilledOne) {
    const std::filesystem::path desktop = folder() / "desktop";
    std::filesystem::create_directories(desktop);
    for (const auto& path : {folder() / "config.ini.k3j9x0qa.tmp", desktop / "Kestrovan-261208-101500.jpg.0a1b2c3d.tmp",
                             folder() / "notes.ini.k3j9x0qa.tmp", desktop / "holiday.jpg.0a1b2c3d.tmp"})
        std::ofstream(path) << "half";
    setenv("XDG_DESKTOP_DIR", desktop.c_str(), 1);
    ASSERT_GT(Start({"offline"}), 0);
    unsetenv("XDG_DESKTOP_DIR");
    ASSERT_TRUE(WaitForLog("Init done", std::chrono::seconds(60))) << ReadFile(folder() / "program.out");
    EXPECT_FALSE(std::filesystem::exists(folder() / "config.ini.k3j9x0qa.tmp"));
    EXPECT_FALSE(std::filesystem::exists(desktop / "Kestrovan-261208-101500.jpg.0a1b2c3d.tmp"));
    EXPECT_TRUE(std::filesystem::exists(folder() / "notes.ini.k3j9x0qa.tmp"));
    EXPECT_TRUE(std::filesystem::exists(desktop / "holiday.jpg.0a1b2c3d.tmp"));
    EXPECT_NE(ReadFile(folder() / "StartLog.log").find("Removed 2 unfinished files"), std::string::npos);
    WaitForWindow();
    EXPECT_EQ(CloseAndWait(kCloseLimit), 0) << ReadFile(folder() / "program.out");
}

// With SDL free to choose the real sound output, as on a player's machine: without a sound card the terminal
// gets the one line that says the game is silent, not the sound library's own report of each step it failed.
TEST_F(ProgramReliability, WithoutASoundCardTheTerminalGetsOneLine) {
    const WithoutVariable audio("SDL_AUDIODRIVER");
    ASSERT_GT(Start({"offline"}), 0);
    WaitForWindow();
    ASSERT_FALSE(HasFailure());
    EXPECT_TRUE(WaitForLog("Init done...", std::chrono::seconds(20)));
    EXPECT_EQ(CloseAndWait(kCloseLimit), 0) << ReadFile(folder() / "program.out");
    const std::string out = ReadFile(folder() / "program.out");
    EXPECT_EQ(out.find("ALSA lib"), std::string::npos) << out;
    EXPECT_LE(std::count(out.begin(), out.end(), '\n'), 1) << out;
}

}  // namespace
}  // namespace kv::test
