// The offline screen of the real program on the X display of DISPLAY (Xvfb with Mesa's software renderer;
// a 1024 x 768 screen, the program's full-screen size, with the default black root window:
// xvfb-run -s "-screen 0 1024x768x24" bench_offline): the program of this build tree is started as
// "./run.sh offline" starts it, in a working folder beside the build's data packs, taken through the intro
// (Escape twice) and the login screen's offline button, and a shot is played with XTest. Reported:
// - startup_ms: from the start of the process to its first frame on the screen (the intro's white);
// - shot_fps: frames per second that reach the screen while the balls run (distinct window contents per
//   second, sampled as fast as the X server hands them out, so a lower bound when the program is faster);
// - rss_mb: the program's resident memory once the balls have stopped.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/x11/XTestInjector.h"

// Last: Xlib's macros would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A hash of the window region of the screen (0 when it cannot be read) and the colour near its top-left corner.
struct WindowSample {
    uint64_t hash = 0;
    unsigned long corner = 0;
};

WindowSample SampleScreen(Display* display, int width, int height) {
    WindowSample sample;
    XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) return sample;
    sample.hash = 1469598103934665603ull;
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < width; x += 2) sample.hash = (sample.hash ^ XGetPixel(image, x, y)) * 1099511628211ull;
    }
    sample.corner = XGetPixel(image, 20, 20) & 0xFFFFFF;
    XDestroyImage(image);
    return sample;
}

long ResidentKilobytes(pid_t pid) {
    std::istringstream status(ReadFile("/proc/" + std::to_string(pid) + "/status"));
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

class OfflineRun {
public:
    OfflineRun() : folder_(std::filesystem::temp_directory_path() / "kestrovan_bench_offline") {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::filesystem::create_directory_symlink(KV_DATA_FOLDER, folder_ / "data");
        setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    ~OfflineRun() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        std::filesystem::remove_all(folder_);
    }
    OfflineRun(const OfflineRun&) = delete;
    OfflineRun& operator=(const OfflineRun&) = delete;

    bool Start() {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
        const std::string out = (folder_ / "program.out").string();
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        std::string program = KV_PROGRAM;
        char* argv[] = {program.data(), const_cast<char*>("offline"), nullptr};
        const bool started = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        return started;
    }

    bool LogHas(const std::string& line) const {
        return ReadFile(folder_ / "StartLog.log").find(line) != std::string::npos;
    }

    static bool WaitUntil(std::chrono::seconds limit, const std::function<bool()>& done) {
        for (const auto deadline = Clock::now() + limit; Clock::now() < deadline;) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    pid_t Pid() const { return pid_; }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

void BM_OfflineShot(benchmark::State& state) {
    Display* display = XOpenDisplay(nullptr);
    kv::test::XTestInjector x;
    if (display == nullptr || !x.Ready()) {
        state.SkipWithError("needs an X display with XTest (run under Xvfb)");
        return;
    }
    const int width = 1024;
    const int height = 768;
    if (SampleScreen(display, width, height).corner == 0xFFFFFF) {
        state.SkipWithError("the first frame is told by its white: run on a black root window (Xvfb's default)");
        XCloseDisplay(display);
        return;
    }
    for (auto _ : state) {
        OfflineRun run;
        const auto started = Clock::now();
        if (!run.Start()) {
            state.SkipWithError("the program did not start");
            break;
        }
        // The first frame: the intro's white background.
        OfflineRun::WaitUntil(std::chrono::seconds(60),
                              [&] { return SampleScreen(display, width, height).corner == 0xFFFFFF; });
        const double startupMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();

        // Through the intro and the login screen's offline button to the offline screen.
        for (int i = 0; i < 2; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(700));
            x.Key("Escape", true);
            x.Key("Escape", false);
        }
        // The button is clicked again only while the login screen stays: later the offline screen's HUD is there.
        OfflineRun::WaitUntil(std::chrono::seconds(60), [&] {
            x.MovePointer(width - 210 + 57, 20);
            x.Button(1, true);
            x.Button(1, false);
            return OfflineRun::WaitUntil(std::chrono::seconds(10), [&] { return run.LogHas("Scene 11 ready"); });
        });
        std::this_thread::sleep_for(std::chrono::seconds(2));

        // The stroke (drawn back over several frames, each step from where the pointer is, then pushed), then
        // distinct frames counted until the balls stop.
        x.MovePointer(width / 2 - 250, height / 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        x.Button(1, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        for (int step = 0; step < 26; ++step) {
            int px = 0, py = 0, wx = 0, wy = 0;
            unsigned int mask = 0;
            Window root = 0, child = 0;
            XQueryPointer(display, DefaultRootWindow(display), &root, &child, &px, &py, &wx, &wy, &mask);
            x.MovePointer(px, py + (step < 20 ? 5 : -40));
            std::this_thread::sleep_for(std::chrono::milliseconds(step < 20 ? 60 : 30));
        }
        x.Button(1, false);
        const auto shotStart = Clock::now();
        uint64_t last = 0;
        int frames = 0;
        const bool stopped = OfflineRun::WaitUntil(std::chrono::seconds(60), [&] {
            const uint64_t hash = SampleScreen(display, width, height).hash;
            frames += hash != last ? 1 : 0;
            last = hash;
            return run.LogHas("BallsStopped");
        });
        const double shotSeconds = std::chrono::duration<double>(Clock::now() - shotStart).count();
        if (!stopped) {
            state.SkipWithError("the shot did not end with BallsStopped");
            break;
        }
        state.SetIterationTime(shotSeconds);
        state.counters["startup_ms"] = startupMs;
        state.counters["shot_fps"] = frames / shotSeconds;
        state.counters["rss_mb"] = static_cast<double>(ResidentKilobytes(run.Pid())) / 1024.0;
    }
    XCloseDisplay(display);
}
BENCHMARK(BM_OfflineShot)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
