#include "tests/support/x11/ProgramUnderX.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/net/GameServerScripts.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

// Last: Xlib's macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace kv::test {

namespace {

// How long a check waits for a screen.
constexpr std::chrono::seconds kScreenLimit{20};
// How long a check waits for the program's window: eight programs started at once beside busy loops took more
// than ten seconds to show theirs.
constexpr std::chrono::seconds kWindowLimit{60};
// Pixels of the table that differ between the aiming views before and after a shot: the balls and the camera
// moved. A shot changes nearly all of them (600,000 of the 690,000 at 1024 x 768), a stroke that shot nothing
// none, or its cue's pose.
constexpr int kShotMoved = 50000;

// The last lines of a file, as far as the program got.
std::string Tail(const std::filesystem::path& path, size_t lines) {
    std::istringstream text(ReadFile(path));
    std::vector<std::string> kept;
    for (std::string line; std::getline(text, line);) {
        kept.push_back(line);
        if (kept.size() > lines) kept.erase(kept.begin());
    }
    std::string tail;
    for (const std::string& line : kept) tail += "  " + line + "\n";
    return tail.empty() ? "  (nothing)\n" : tail;
}

// Waits within the limit for count to reach atLeast; whether it did.
bool WaitForCount(const std::function<size_t()>& count, size_t atLeast, std::chrono::seconds limit) {
    for (const auto deadline = std::chrono::steady_clock::now() + limit; count() < atLeast;) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

// Where a table screen takes a stroke: below the top bar and right of the chalk slot, which turns its chalk.
XWindowGeometry StrokeTable(const XWindowGeometry& window) {
    return {window.x + 70, window.y + 40, window.width - 70, window.height - 40};
}

// The top-level window whose name is exactly name, whatever text encoding its name property has (the
// program sets it in a UTF-8 locale, where the name is UTF8_STRING and not the plain STRING).
unsigned long FindNamedWindow(const std::string& name) {
    TolerateVanishedWindows();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 0;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    unsigned long found = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            XTextProperty property{};
            if (XGetWMName(display, children[i], &property) != 0 && property.value != nullptr) {
                const std::string value(reinterpret_cast<const char*>(property.value), property.nitems);
                if (value == name)
                    found = children[i];
                XFree(property.value);
            }
        }
        if (children != nullptr)
            XFree(children);
    }
    XCloseDisplay(display);
    return found;
}

}  // namespace

uint32_t Screenshot::At(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

namespace {

// The rectangle of the root window (the whole screen when width is 0); empty when it cannot be read.
Screenshot Grab(int left, int top, int width, int height) {
    Screenshot shot;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return shot;
    const Window root = DefaultRootWindow(display);
    if (width == 0) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, root, &attributes);
        width = attributes.width;
        height = attributes.height;
    }
    XImage* image = XGetImage(display, root, left, top, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (image != nullptr) {
        shot.width = width;
        shot.height = height;
        shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
        for (int y = 0; y < shot.height; ++y) {
            for (int x = 0; x < shot.width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                uint8_t* p = &shot.rgb[(static_cast<size_t>(y) * shot.width + x) * 3];
                p[0] = static_cast<uint8_t>(pixel >> 16);
                p[1] = static_cast<uint8_t>(pixel >> 8);
                p[2] = static_cast<uint8_t>(pixel);
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return shot;
}

// The box round the pixels that differ between two captures within the rectangles; empty when none does.
XWindowGeometry ChangedBox(const Screenshot& a, const Screenshot& b, const std::vector<XWindowGeometry>& rectangles) {
    int left = a.width, top = a.height, right = -1, bottom = -1;
    for (const XWindowGeometry& r : rectangles) {
        for (int y = std::max(r.y, 0); y < std::min(r.y + r.height, a.height); ++y) {
            for (int x = std::max(r.x, 0); x < std::min(r.x + r.width, a.width); ++x) {
                if (a.At(x, y) == b.At(x, y))
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? XWindowGeometry{} : XWindowGeometry{left, top, right - left + 1, bottom - top + 1};
}

void SavePng(const Screenshot& shot, const std::filesystem::path& png) {
    if (!shot.rgb.empty())
        stbi_write_png(png.c_str(), shot.width, shot.height, 3, shot.rgb.data(), shot.width * 3);
}

}  // namespace

Screenshot Capture(const std::filesystem::path& png) {
    Screenshot shot = Grab(0, 0, 0, 0);
    SavePng(shot, png);
    return shot;
}

Screenshot CaptureArea(int left, int top, int width, int height) {
    return Grab(left, top, width, height);
}

void SaveEnlarged(const Screenshot& shot, const std::filesystem::path& png, int left, int top, int width, int height,
                  int scale) {
    Screenshot enlarged;
    enlarged.width = width * scale;
    enlarged.height = height * scale;
    enlarged.rgb.resize(static_cast<size_t>(enlarged.width) * enlarged.height * 3);
    for (int y = 0; y < enlarged.height; ++y) {
        for (int x = 0; x < enlarged.width; ++x) {
            const int sx = left + x / scale, sy = top + y / scale;
            const uint32_t rgb = sx >= 0 && sy >= 0 && sx < shot.width && sy < shot.height ? shot.At(sx, sy) : 0;
            uint8_t* p = &enlarged.rgb[(static_cast<size_t>(y) * enlarged.width + x) * 3];
            p[0] = static_cast<uint8_t>(rgb >> 16);
            p[1] = static_cast<uint8_t>(rgb >> 8);
            p[2] = static_cast<uint8_t>(rgb);
        }
    }
    SavePng(enlarged, png);
}

int DifferingPixels(const Screenshot& a, const Screenshot& b, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            count += a.At(x, y) != b.At(x, y) ? 1 : 0;
    }
    return count;
}

int Count(const Screenshot& shot, int left, int top, int right, int bottom, const std::function<bool(uint32_t)>& test) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) count += test(shot.At(x, y)) ? 1 : 0;
    }
    return count;
}

bool IsCaromCloth(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF),
              b = static_cast<int>(rgb & 0xFF);
    return b > 60 && b > r + 40 && b > g + 20;
}

bool IsYellowish(uint32_t rgb) {
    return (rgb >> 16 & 0xFF) > 150 && (rgb >> 8 & 0xFF) > 80 && (rgb & 0xFF) < 90;
}

bool IsLight(uint32_t rgb) {
    return (rgb >> 16 & 0xFF) > 150 && (rgb >> 8 & 0xFF) > 150 && (rgb & 0xFF) > 150;
}

bool IsAccent(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF),
              b = static_cast<int>(rgb & 0xFF);
    return g > r + 60 && b > r + 60;
}

bool IsDarkSlate(uint32_t rgb) {
    return std::max({rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF}) <= 70;
}

bool IsSlate(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF),
              b = static_cast<int>(rgb & 0xFF);
    return b > r && b >= g && r > 20 && b - r < 40;
}

bool DialogShown(const Screenshot& shot, const XWindowGeometry& window, int width, int height) {
    const int boxLeft = window.x + (window.width - width) / 2, boxTop = window.y + (window.height - height) / 2;
    // The bar's right end, which no title reaches.
    const uint32_t rgb = shot.At(boxLeft + width - 30, boxTop + 12);
    const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF);
    const auto white = [](uint32_t c) { return (c >> 16 & 0xFF) > 200 && (c >> 8 & 0xFF) > 200 && (c & 0xFF) > 200; };
    return r < 90 && g > 95 && (rgb & 0xFF) > 95 && g - r > 40 &&
           Count(shot, boxLeft + 20, boxTop + 3, boxLeft + width - 40, boxTop + 23, white) > 20;
}

bool AimingView(const Screenshot& shot, const XWindowGeometry& window) {
    const int x = window.x + window.width / 2, y = window.y + window.height / 2 - 4;
    // White and yellow alike: much red and green, which neither cloth, wood nor a red ball has.
    const auto bright = [](uint32_t rgb) { return (rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) > 340; };
    return Count(shot, x - 8, y - 8, x + 8, y + 8, bright) > 150 &&
           Count(shot, x - 30, y - 30, x + 30, y + 30, bright) < 2000;
}

bool LobbyShown(const Screenshot& shot, const XWindowGeometry& window) {
    return IsSlate(shot.At(window.x + 491, window.y + 540)) && shot.At(window.x + 491, window.y + 551) == 0xFFFFFF;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void ProgramUnderX::SetUp() {
    ASSERT_TRUE(x.Ready()) << "no X display with the XTest extension";
    const char* program = std::getenv("KESTROVAN_PROGRAM");
    ASSERT_NE(program, nullptr) << "KESTROVAN_PROGRAM names the program";
    program_ = program;
    const char* folder = std::getenv("KESTROVAN_WORK_FOLDER");
    ASSERT_NE(folder, nullptr) << "KESTROVAN_WORK_FOLDER names the program's working folder";
    // A folder of its own for each case, so that the screenshots of every case of a check stay to be looked at.
    folder_ = std::filesystem::path(folder) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    const char* data = std::getenv("KESTROVAN_DATA_FOLDER");
    ASSERT_NE(data, nullptr) << "KESTROVAN_DATA_FOLDER names the game data of the build";
    std::filesystem::copy(data, folder_ / "data", std::filesystem::copy_options::recursive);
    // Its own lock folder: another program started elsewhere on this machine does not count.
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
}

// A check that failed halfway leaves no program behind.
void ProgramUnderX::TearDown() {
    if (pid_ <= 0)
        return;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    pid_ = -1;
}

pid_t ProgramUnderX::Start(const std::vector<std::string>& words) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
    const std::string out = (folder_ / "program.out").string();
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<std::string> argumentText{program_};
    argumentText.insert(argumentText.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& word : argumentText)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    exitStatus_.reset();
    posix_spawn(&pid, program_.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    pid_ = pid;
    return pid;
}

pid_t ProgramUnderX::StartOnline(const std::string& furtherConfig) {
    server_ = std::make_unique<kvtest::GameServerFixture>();
    kvtest::InstallLoginScript(*server_);
    std::ofstream config(folder_ / "config.ini", std::ios::binary);
    config << "[Server]\r\nHost=127.0.0.1\r\nPort=" << server_->Port() << "\r\n" << furtherConfig;
    config.close();
    // Four words choose the online start with the login filled in; the first is not read.
    return Start({"launcher", kLoginId, kPassword});
}

XWindowGeometry ProgramUnderX::WaitForWindow() {
    // The X server maps the window a moment after the program asked for it; a starved start takes seconds more.
    bool shown = false;
    for (const auto deadline = Clock::now() + kWindowLimit; !shown && !Ended() && Clock::now() < deadline;) {
        window_ = FindNamedWindow("Kestrovan");
        shown = window_ != 0 && x.IsShown(window_);
        if (!shown) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!shown) {
        ADD_FAILURE() << "the program's window never showed: "
                      << (exitStatus_ ? "the program ended with status " + std::to_string(*exitStatus_)
                                      : "not within " + std::to_string(kWindowLimit.count()) + " s")
                      << "\nthe end of StartLog.log:\n" << Tail(folder_ / "StartLog.log", 10)
                      << "the end of program.out:\n" << Tail(folder_ / "program.out", 20);
        return {};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto geometry = x.Geometry(window_);
    EXPECT_TRUE(geometry.has_value()) << "the window's geometry";
    if (!geometry)
        return {};
    EXPECT_GE(geometry->width, 1024);
    EXPECT_GE(geometry->height, 768);
    return *geometry;
}

void ProgramUnderX::SkipIntro(const XWindowGeometry& area) {
    // The first logo shows over white; once Escape has cut it short, the background darkens.
    WaitForScreen(folder_ / "intro.png", [&](const Screenshot& shot) {
        return shot.At(area.x + 20, area.y + 20) == 0xFFFFFF &&
               shot.At(area.x + area.width / 2, area.y + area.height / 2) != 0xFFFFFF;
    });
    PressKey("Escape");
    WaitForScreen(folder_ / "intro2.png",
                  [&](const Screenshot& shot) { return shot.At(area.x + 20, area.y + 20) != 0xFFFFFF; });
    PressKey("Escape");
}

XWindowGeometry ProgramUnderX::StartOfflineAtLogin(const std::filesystem::path& desktop) {
    std::filesystem::create_directories(desktop);
    setenv("XDG_DESKTOP_DIR", desktop.c_str(), 1);
    EXPECT_GT(Start({"offline"}), 0);
    unsetenv("XDG_DESKTOP_DIR");
    const XWindowGeometry area = WaitForWindow();
    if (::testing::Test::HasFailure()) return area;
    SkipIntro(area);
    const int right = area.x + area.width;
    WaitForScreen(folder_ / "login.png",
                  [&](const Screenshot& shot) { return shot.At(right - 210 + 57, area.y + 20) != 0; });
    return area;
}

XWindowGeometry ProgramUnderX::OfflineTable() {
    const XWindowGeometry area = StartOfflineAtLogin(folder_ / "desktop");
    if (::testing::Test::HasFailure()) return area;
    Click(area.x + area.width - 210 + 57, area.y + 20);  // "Offline"
    EXPECT_TRUE(WaitForLog("Scene 11 ready", std::chrono::seconds(30))) << ReadFile(folder_ / "StartLog.log");
    return area;
}

bool ProgramUnderX::EnterFirstChannel(const XWindowGeometry& area) {
    return EnterFirstChannel(area, *server_);
}

bool ProgramUnderX::EnterFirstChannel(const XWindowGeometry& area, kvtest::GameServerFixture& server) {
    SkipIntro(area);
    const int right = area.x + area.width;
    WaitForScreen(folder_ / "login.png",
                  [&](const Screenshot& shot) { return IsSlate(shot.At(right - 245 + 117, area.y + 200)); });
    PressKey("Return");
    if (!server.WaitForMessage(quill::MessageId::LoginRequest)) return false;
    WaitForScreen(folder_ / "channels.png",
                  [&](const Screenshot& shot) { return IsSlate(shot.At(right - 344 + 10, area.y + 260)); });
    PressKey("Return");
    return server.WaitForMessage(quill::MessageId::LobbyEnter, 20000).has_value();
}

std::optional<Screenshot> ProgramUnderX::AnswerExpiredItemsWithShop(const XWindowGeometry& area) {
    const Screenshot question = WaitForScreen(folder_ / "expired.png",
                                              [&](const Screenshot& shot) { return MessageBoxShown(shot, area); });
    if (!MessageBoxShown(question, area)) return std::nullopt;
    // The box's left button, the one that opens the shop.
    Click(area.x + (area.width - 400) / 2 + 77 + 42, area.y + (area.height - 250) / 2 + 200 + 16);
    if (!server_->WaitForMessage(quill::MessageId::EnterShop)) return std::nullopt;
    return question;
}

bool ProgramUnderX::WaitForLog(const std::string& line, std::chrono::seconds limit) {
    const auto logged = [&] { return ReadFile(folder_ / "StartLog.log").find(line) != std::string::npos; };
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        if (logged())
            return true;
        if (Ended())
            return logged();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

size_t ProgramUnderX::Logged(const std::string& text) {
    const std::string log = ReadFile(folder_ / "StartLog.log");
    size_t count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
}

Screenshot ProgramUnderX::WaitForScreen(const std::filesystem::path& png,
                                        const std::function<bool(const Screenshot&)>& wanted) {
    // Only the last picture is written: encoding a PNG of every poll under the sanitizers took long enough on a
    // loaded machine to miss a screen that shows for a few seconds (the intro's logo).
    Screenshot shot = CaptureArea(0, 0, 0, 0);
    for (auto deadline = Clock::now() + kScreenLimit; Clock::now() < deadline && !wanted(shot);) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        shot = CaptureArea(0, 0, 0, 0);
    }
    SavePng(shot, png);
    if (!wanted(shot))
        std::fprintf(stderr, "[ WAIT END ] %s did not come within its limit\n", png.filename().c_str());
    return shot;
}

Screenshot ProgramUnderX::WaitForScreenAtRest(const std::filesystem::path& png,
                                              const std::vector<XWindowGeometry>& judged,
                                              const std::function<bool(const Screenshot&)>& wanted) {
    // Each capture is compared with the first of the run of captures that show what is wanted and are the same
    // in the rectangles: a screen that stood still before it showed what is wanted (a starved program that has
    // not yet begun to move) is not at rest. The last change is kept to be reported when the rectangles never
    // came to rest.
    Screenshot still = CaptureArea(0, 0, 0, 0);
    auto stillSince = Clock::now();
    Screenshot shot = still;
    XWindowGeometry changed{};
    bool done = false;
    for (const auto deadline = Clock::now() + kScreenLimit; !done && Clock::now() < deadline;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        shot = CaptureArea(0, 0, 0, 0);
        const XWindowGeometry change = ChangedBox(still, shot, judged);
        if (change.width > 0)
            changed = change;
        if (change.width > 0 || !wanted(shot)) {
            still = shot;
            stillSince = Clock::now();
        }
        done = Clock::now() - stillSince >= kRestSpan;
    }
    SavePng(shot, png);
    if (!done) {
        std::fprintf(stderr,
                     "[ WAIT END ] %s did not come at rest within its limit (%s; last change at %d, %d, %d x %d)\n",
                     png.filename().c_str(), wanted(shot) ? "what was wanted showed" : "what was wanted never showed",
                     changed.x, changed.y, changed.width, changed.height);
    }
    return shot;
}

Screenshot ProgramUnderX::CaptureAtRest(const std::filesystem::path& png, const std::vector<XWindowGeometry>& judged) {
    return WaitForScreenAtRest(png, judged, [](const Screenshot&) { return true; });
}

Screenshot ProgramUnderX::WaitForAimingView(const std::filesystem::path& png, const XWindowGeometry& window) {
    const std::vector<XWindowGeometry> table = {StrokeTable(window)};
    const Screenshot aiming =
        WaitForScreenAtRest(png, table, [&](const Screenshot& shot) { return AimingView(shot, window); });
    return AimingView(aiming, window) ? aiming : CaptureAtRest(png, table);
}

void ProgramUnderX::PressKey(const std::string& key) {
    x.Key(key, true);
    x.Key(key, false);
}

void ProgramUnderX::Type(const std::string& text) {
    for (char c : text) {
        const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
        if (upper) x.Key("Shift_L", true);
        PressKey(std::string(1, upper ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c));
        if (upper) x.Key("Shift_L", false);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
}

void ProgramUnderX::StrokeCue(int px, int py, bool withButton, StrokeStart start) {
    const auto hold = [&](bool press) {
        if (withButton) x.Button(1, press);
        else x.Key("Control_L", press);
    };
    // The cue follows only a draw-back spread over several frames: slow steps back, then a quick push. While the
    // stroke hides the cursor the mouse's own motion counts, wherever the pointer is.
    const auto holdAndDrawBack = [&] {
        hold(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        for (int step = 0; step < 20; ++step) {
            x.MovePointerBy(0, 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
        }
    };
    x.MovePointer(px, py);
    if (start != StrokeStart::WithTheMove) std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (start == StrokeStart::StoppedThroughTheDrawBack) {
        WhileStopped(holdAndDrawBack);
    } else {
        holdAndDrawBack();
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    for (int step = 0; step < 6; ++step) {
        x.MovePointerBy(0, -40);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    hold(false);
}

void ProgramUnderX::WhileStopped(const std::function<void()>& input) {
    ASSERT_GT(pid_, 0) << "no program to stop";
    kill(pid_, SIGSTOP);
    input();
    kill(pid_, SIGCONT);
}

ProgramUnderX::TableStops ProgramUnderX::LoggedStops() {
    return {[this] { return Logged("BallsStopped"); }};
}

::testing::AssertionResult ProgramUnderX::StrokeShoots(TableStops& stops, const XWindowGeometry& window,
                                                       const std::string& name, const std::function<void()>& stroke) {
    const std::string limit = std::to_string(kShotLimit.count()) + " s";
    if (!WaitForCount(stops.count, stops.awaited, kShotLimit))
        return ::testing::AssertionFailure() << name << " was not played: the shot before it never stopped ("
                                             << stops.count() << " of " << stops.awaited << " stops in " << limit
                                             << ")";
    const XWindowGeometry table = StrokeTable(window);
    Screenshot ready = CaptureArea(0, 0, 0, 0);
    if (stops.atRest.rgb.empty() || ChangedBox(stops.atRest, ready, {table}).width > 0)
        ready = WaitForAimingView(folder_ / (name + "_ready.png"), window);
    else
        SavePng(ready, folder_ / (name + "_ready.png"));
    const size_t before = stops.count();
    stroke();
    const auto changed = [&](const Screenshot& shot) {
        return DifferingPixels(ready, shot, table.x, table.y, table.x + table.width, table.y + table.height);
    };
    // The table is watched on the way to the stop as well: a shot can end as it began, as when the cue ball
    // rolls into the pocket it was aimed at and is put back on the spot it was struck from.
    int moved = 0;
    const bool stopped = WaitForCount(
        [&] {
            moved = std::max(moved, changed(CaptureArea(0, 0, 0, 0)));
            return stops.count();
        },
        before + 1, kShotLimit);
    stops.atRest = WaitForAimingView(folder_ / (name + ".png"), window);
    moved = std::max(moved, changed(stops.atRest));
    // A stroke whose balls still run holds the next one back until they stop; one that shot nothing does not.
    stops.awaited = stopped || moved > kShotMoved ? before + 1 : before;
    if (stopped && moved > kShotMoved) return ::testing::AssertionSuccess();
    const std::string stood = "the table stood as before it (at most " + std::to_string(moved) +
                              " pixels changed; see " + name + "_ready.png and " + name + ".png)";
    if (stopped) return ::testing::AssertionFailure() << name << ": a stop came, but " << stood;
    if (moved <= kShotMoved)
        return ::testing::AssertionFailure() << name << " shot nothing: no stop within " << limit << ", and " << stood;
    return ::testing::AssertionFailure() << name << ": its balls ran but did not stop within " << limit << " (see "
                                         << name << ".png)";
}

void ProgramUnderX::Click(int px, int py) {
    x.MovePointer(px, py);
    x.Button(1, true);
    x.Button(1, false);
}

int ProgramUnderX::CloseAndWait(std::chrono::seconds limit) {
    x.RequestClose(window_);
    return WaitForExit(limit);
}

int ProgramUnderX::WaitForExit(std::chrono::seconds limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        if (Ended())
            return *exitStatus_;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    return -1;
}

bool ProgramUnderX::Ended() {
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    }
    return exitStatus_.has_value();
}

}  // namespace kv::test
