#pragma once
// The real program on the X display the test runs on (Xvfb), in a working folder of its own with the game data
// of the build, driven as a player drives it (XTestInjector) and watched through the screen's real pixels.
//
// Offline: Start({"offline"}). Online: StartOnline() first starts the stand-in game server with the login
// script (a test adds other scripts, or pushes messages, through server()), writes config.ini's [Server]
// section to point at it and starts the program with a login ID and password on its command line, so that
// the login screen's Login (Return) connects and logs in. The check then waits for screens and captures them:
//
//   const pid_t pid = StartOnline();
//   const XWindowGeometry window = WaitForWindow();
//   SkipIntro(window);
//   PressKey("Return");
//   Screenshot shot = WaitForScreenAtRest(folder() / "channels.png", {window}, [&](const Screenshot& s) { return ...; });
//
// A check judges a frame at rest (WaitForScreenAtRest, CaptureAtRest) or a line of the log (WaitForLog), never
// a frame taken after a fixed time or the first frame that shows a change: on a loaded machine the frames come
// slowly, and a camera may still glide or a window fade in on them. WaitForScreen's first frame only tells when
// the next input may come.
//
// Environment (set by the test's CMake entry): KESTROVAN_PROGRAM, KESTROVAN_WORK_FOLDER, KESTROVAN_DATA_FOLDER.
// Each case works in a folder of its own below KESTROVAN_WORK_FOLDER, named after the case, where its
// screenshots stay.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/net/GameServerFixture.h"
#include "tests/support/x11/XTestInjector.h"

namespace kv::test {

// The whole screen as RGB bytes.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    // 0xRRGGBB.
    uint32_t At(int x, int y) const;
};

// The screen now, also written as a PNG for a person to look at; empty when no display could be opened.
Screenshot Capture(const std::filesystem::path& png);
// A rectangle of the screen now, written nowhere: quick enough to be taken many times a second.
Screenshot CaptureArea(int left, int top, int width, int height);
// A rectangle of a capture enlarged scale times (each pixel a square), written as a PNG for a person to look at.
void SaveEnlarged(const Screenshot& shot, const std::filesystem::path& png, int left, int top, int width, int height,
                  int scale);
// Pixels that differ between two captures within the rectangle.
int DifferingPixels(const Screenshot& a, const Screenshot& b, int left, int top, int right, int bottom);
// Pixels within the rectangle that pass the test.
int Count(const Screenshot& shot, int left, int top, int right, int bottom, const std::function<bool(uint32_t)>& test);
// The interface skin's face colour (a slate blue-grey), under the modal shade or not.
bool IsSlate(uint32_t rgb);
// The carom table's cloth: a blue far bluer than grey or the interface's slate.
bool IsCaromCloth(uint32_t rgb);
// Yellow text and marks, anti-aliased over a face.
bool IsYellowish(uint32_t rgb);
// White text, anti-aliased over a face.
bool IsLight(uint32_t rgb);
// The skin's teal accent (pressed tabs, the corner brackets of framed plates).
bool IsAccent(uint32_t rgb);
// The dark slates of a screen's backdrop (the shop's): no channel above 70.
bool IsDarkSlate(uint32_t rgb);
// Whether the dialog of that size centred in the window shows: its title bar in the skin's teal accent with its
// white title ("Notice", "Help"); the teal alone is also the face of a chosen card under it.
bool DialogShown(const Screenshot& shot, const XWindowGeometry& window, int width, int height);
// The message box (400 x 250) centred in the window.
inline bool MessageBoxShown(const Screenshot& shot, const XWindowGeometry& window) {
    return DialogShown(shot, window, 400, 250);
}
// A table's aiming view: the camera looks at the cue ball (white, or a carom player's yellow), which stands as a
// bright disc just above the middle of the window (the cue below it may be no more than its butt's end, raised
// over a rail). Neither a loading screen, nor a table's opening view before its camera came round to aim, nor a
// view still gliding to the cue ball after a shot shows it there.
bool AimingView(const Screenshot& shot, const XWindowGeometry& window);
// The lobby shows: its Quick Join button, the skin's face above its white caption.
bool LobbyShown(const Screenshot& shot, const XWindowGeometry& window);
std::string ReadFile(const std::filesystem::path& path);

class ProgramUnderX : public ::testing::Test {
protected:
    using Clock = std::chrono::steady_clock;

    // How long a judged rectangle shows what is wanted unchanged before its frame counts as at rest: longer than
    // the longest gap between two frames the program drew while moving, 0.8 s with every processor taken.
    static constexpr std::chrono::milliseconds kRestSpan{1200};

    // The login the online start puts on the command line; the login script accepts any.
    static constexpr const char* kLoginId = "player";
    static constexpr const char* kPassword = "password";

    void SetUp() override;
    void TearDown() override;

    // Starts the program in the working folder with these words after its own name; the process id.
    pid_t Start(const std::vector<std::string>& words);
    // The stand-in server with the login script, config.ini pointing at it (followed by the further sections
    // given, such as a display mode), and the program started online.
    pid_t StartOnline(const std::string& furtherConfig = {});
    // The input made while the program is stopped, as on a machine too busy to run it for a while: the program
    // then finds all of it waiting at once.
    void WhileStopped(const std::function<void()>& input);
    kvtest::GameServerFixture& server() { return *server_; }

    // The program's window once the X server shows it, at least 1024 x 768; fails the test, with the end of
    // the start log and of the program's output, when it does not come within a minute or the program ends.
    XWindowGeometry WaitForWindow();
    // Escape twice, the second once the first logo has gone: the intro cut short, the login screen next.
    void SkipIntro(const XWindowGeometry& area);
    // Offline, with its desktop (where screenshots go) the folder given, made: the program's window once the
    // intro was skipped and the login screen shows.
    XWindowGeometry StartOfflineAtLogin(const std::filesystem::path& desktop);
    // Offline, on to the offline screen's pocket table through the login screen's Offline button.
    XWindowGeometry OfflineTable();
    // After StartOnline: the intro skipped, the login window's Return (the saved account), the channel list's
    // Return (the first channel), up to the lobby's entry. False when the server did not get the login or the
    // lobby's entry. The second form watches a server the check started itself.
    bool EnterFirstChannel(const XWindowGeometry& area);
    bool EnterFirstChannel(const XWindowGeometry& area, kvtest::GameServerFixture& server);
    // In the lobby of an account with an expired item: waits for the expired-items question (expired.png) and
    // answers it with its shop button. The question's picture once the server was asked EnterShop; nothing when
    // the question or that message never came.
    std::optional<Screenshot> AnswerExpiredItemsWithShop(const XWindowGeometry& area);

    // Waits for the line in StartLog.log; false at once when the program ended without writing it.
    bool WaitForLog(const std::string& line, std::chrono::seconds limit);
    // How many times StartLog.log holds the text.
    size_t Logged(const std::string& text);
    // Captures the screen until it shows what is wanted, within twenty seconds (the first frames of a screen
    // may take a moment to reach the display on a busy machine); the last capture.
    Screenshot WaitForScreen(const std::filesystem::path& png, const std::function<bool(const Screenshot&)>& wanted);
    // As WaitForScreen, but the capture returned also has the judged rectangles (of the screen) at rest: what
    // is wanted shows, and the rectangles are the same, in every capture over the last kRestSpan. The rectangles
    // leave out what moves on its own there (a demo table, a blinking caret, the frame rate a dialog shows); a
    // wait that never comes to rest says where it last changed.
    Screenshot WaitForScreenAtRest(const std::filesystem::path& png, const std::vector<XWindowGeometry>& judged,
                                   const std::function<bool(const Screenshot&)>& wanted);
    // The screen once the judged rectangles are at rest.
    Screenshot CaptureAtRest(const std::filesystem::path& png, const std::vector<XWindowGeometry>& judged);
    // A table screen's aiming view at rest (AimingView), the table below the top bar and right of the chalk slot
    // judged: where the table takes a stroke. A ball the last shot left just before the cue ball, or a cue
    // raised high over a rail, can hide the mark AimingView knows the view by for the whole wait: the table at
    // rest then serves, and a stroke it does not take fails the check that counts the shots.
    Screenshot WaitForAimingView(const std::filesystem::path& png, const XWindowGeometry& window);

    void PressKey(const std::string& key);
    // Letters and digits as keys, a capital with Shift held.
    void Type(const std::string& text);
    void Click(int x, int y);
    // A cue stroke as a player plays it: the pointer at (x, y), Ctrl (or the left button) held while the mouse
    // draws the cue back slowly, the cue held still a second, then pushed forward hard and let go. The pause is
    // the player's look at the drawn-back cue before the flick: a starved program that read the push in the
    // frame that ends the draw-back would move the cue by their sum.
    // AfterARest: the pointer rests at (x, y) before the hold; WithTheMove: the hold comes with the move there,
    // as a player who grabs Ctrl while still moving the mouse; StoppedThroughTheDrawBack: after a rest, the
    // program stopped from the hold to the end of the draw-back (WhileStopped), which it then finds waiting
    // together.
    enum class StrokeStart { AfterARest, WithTheMove, StoppedThroughTheDrawBack };
    void StrokeCue(int x, int y, bool withButton, StrokeStart start = StrokeStart::AfterARest);

    // How long a stroke's shot may run until its balls stop: a bound for a failure only, well over the 36 s a
    // shot took with busy loops on every processor.
    static constexpr std::chrono::seconds kShotLimit{90};
    // The shots of one table that have stopped, as a check counts them; the count the last stroke awaits, and
    // the table at rest after it.
    struct TableStops {
        std::function<size_t()> count;
        size_t awaited = 0;
        Screenshot atRest{};
    };
    // The offline table's stops: the "BallsStopped" lines of StartLog.log, one a shot.
    TableStops LoggedStops();
    // One stroke (stroke plays it, from the hold to the release) judged by its own stop. The table is ready once
    // the last stroke's stop has come (a stroke played while a shot runs is lost, and that shot's stop would be
    // taken for its own) and its aiming view is at rest, <name>_ready.png; the stops counted then, just before
    // the hold, must grow within kShotLimit, and the table must differ from the ready view on the way or in the
    // aiming view at rest after the stop, <name>.png: the balls moved. A failure names the stroke and what never
    // came. The aiming view at rest after the last stroke serves as this one's while the table still shows it
    // unchanged.
    ::testing::AssertionResult StrokeShoots(TableStops& stops, const XWindowGeometry& window, const std::string& name,
                                            const std::function<void()>& stroke);
    // Asks the window manager's way to close the window and waits for the exit status (-1 when the program
    // did not end within the limit; it is then killed).
    int CloseAndWait(std::chrono::seconds limit);
    // Waits for the program to end by itself: its exit status (128 when a signal ended it), or -1 when it did
    // not end within the limit (it is then killed).
    int WaitForExit(std::chrono::seconds limit);

    const std::filesystem::path& folder() const { return folder_; }
    unsigned long window() const { return window_; }

    XTestInjector x;

private:
    std::string program_;
    std::filesystem::path folder_;
    std::unique_ptr<kvtest::GameServerFixture> server_;
    // Whether the started program has ended; its status is then kept for WaitForExit.
    bool Ended();

    pid_t pid_ = -1;
    std::optional<int> exitStatus_;
    unsigned long window_ = 0;
};

}  // namespace kv::test
