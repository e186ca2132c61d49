// The real program on the X display of DISPLAY (Xvfb with Mesa's software renderer; the program's full-screen
// size is 1024 x 768: xvfb-run -s "-screen 0 1024x768x24" bench_offline), started as "./run.sh offline" starts
// it, in a working folder beside the build's data packs, driven with XTest: through the intro (Escape twice) to
// the login screen, its offline button to the offline screen, and one shot. When the Debian package billard-gl
// is installed, that game is measured the same way in the same run (its title screen, the table of its
// tutorial, one shot) and the ratios are printed (this program / billard-gl, below 1 is better).
//
// Frames presented are counted in each program by a small library loaded into it (libkv_swap_counter.so);
// processor time is the program's own (all its threads, from /proc), so ms per frame is what one drawn frame
// costs the machine. Reported, for this program (and billard-gl with the prefix bgl_, ratios with ratio_):
// - window_s, first_frame_s: from the start of the process to its first window and to its first frame presented;
// - login_cpu_pct, login_ms_per_frame, login_fps: at rest on the login screen (billard-gl: its title screen),
//   processor use with 100 = one core;
// - rest_cpu_pct, rest_ms_per_frame, rest_fps: at rest on the table view (the offline screen);
// - shot_ms_per_frame, shot_fps: while the balls of a shot run;
// - rss_mb: resident memory on the table view.
// Online, against the tests' stand-in game server on 127.0.0.1 (config.ini's [Server] points at it; the login,
// lobby and room scripts answer): logged in, the first channel entered, then Quick Join into the waiting room;
// for this program only:
// - lobby_cpu_pct, lobby_ms_per_frame, lobby_rss_mb: at rest in the lobby;
// - room_cpu_pct, room_ms_per_frame, room_rss_mb: at rest in the game room.
// --benchmark_repetitions=5 gives the medians of five interleaved runs. KV_BENCH_PROGRAM and KV_BENCH_DATA name
// another build's program and data folder in place of this build's, to set an earlier build beside it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/x11/XTestInjector.h"

// Last: Xlib's macros would break the headers above.
#include <X11/Xlib.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using Figures = std::map<std::string, double>;
constexpr const char* kBillardGl = "/usr/games/billard-gl";

// The program and its data: the build's, unless the environment names others.
const char* FromEnvironment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}
const char* Program() { return FromEnvironment("KV_BENCH_PROGRAM", KV_PROGRAM); }
const char* DataFolder() { return FromEnvironment("KV_BENCH_DATA", KV_DATA_FOLDER); }

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void Wait(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool WaitUntil(std::chrono::milliseconds limit, const std::function<bool()>& done) {
    for (const auto deadline = Clock::now() + limit; Clock::now() < deadline;) {
        if (done()) return true;
        Wait(5);
    }
    return false;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The viewable top-level windows of the display.
std::set<Window> ShownWindows(Display* display) {
    std::set<Window> shown;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return shown;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.map_state == IsViewable &&
            attributes.width >= 320) {
            shown.insert(children[i]);
        }
    }
    if (children != nullptr) XFree(children);
    return shown;
}

// One measured program: started in a folder of its own with the frame counter loaded, its processor time,
// memory and frames read from outside.
class MeasuredProgram {
public:
    explicit MeasuredProgram(const std::string& name)
        : folder_(std::filesystem::temp_directory_path() / ("kestrovan_bench_" + name)) {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        const std::filesystem::path counter = folder_ / "frames";
        std::ofstream(counter, std::ios::binary).write(std::string(16, '\0').data(), 16);
        const int file = open(counter.c_str(), O_RDWR);
        void* shared = mmap(nullptr, 16, PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
        close(file);
        frames_ = shared == MAP_FAILED ? nullptr : static_cast<std::atomic<uint64_t>*>(shared);
    }
    ~MeasuredProgram() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            if (!WaitUntil(std::chrono::seconds(5), [&] { return waitpid(pid_, nullptr, WNOHANG) == pid_; })) {
                kill(pid_, SIGKILL);
                waitpid(pid_, nullptr, 0);
            }
        }
        if (frames_ != nullptr) munmap(frames_, 16);
        std::filesystem::remove_all(folder_);
    }
    MeasuredProgram(const MeasuredProgram&) = delete;
    MeasuredProgram& operator=(const MeasuredProgram&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }

    // Starts program with the words in the folder, with HOME and XDG_RUNTIME_DIR there too.
    bool Start(const std::string& program, const std::vector<std::string>& words) {
        std::vector<std::string> environment;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string text = *variable;
            if (text.rfind("HOME=", 0) != 0 && text.rfind("XDG_RUNTIME_DIR=", 0) != 0 &&
                text.rfind("LD_PRELOAD=", 0) != 0) {
                environment.push_back(text);
            }
        }
        environment.push_back("HOME=" + folder_.string());
        environment.push_back("XDG_RUNTIME_DIR=" + folder_.string());
        environment.push_back("KV_SWAP_COUNTER=" + (folder_ / "frames").string());
        environment.push_back(std::string("LD_PRELOAD=") + KV_SWAP_COUNTER_LIBRARY);
        if (std::getenv("SDL_AUDIODRIVER") == nullptr) environment.push_back("SDL_AUDIODRIVER=dummy");
        std::vector<char*> envp;
        for (std::string& text : environment) envp.push_back(text.data());
        envp.push_back(nullptr);
        std::vector<std::string> argvText{program};
        argvText.insert(argvText.end(), words.begin(), words.end());
        std::vector<char*> argv;
        for (std::string& text : argvText) argv.push_back(text.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
        const std::string out = (folder_ / "program.out").string();
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        started_ = Clock::now();
        const bool spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0;
        posix_spawn_file_actions_destroy(&actions);
        return spawned;
    }

    Clock::time_point Started() const { return started_; }
    bool Running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

    // Frames presented so far.
    uint64_t Frames() const {
        if (frames_ == nullptr) return 0;
        const uint64_t throughSdl = frames_[0].load();
        return throughSdl != 0 ? throughSdl : frames_[1].load();
    }

    // Processor time of all the program's threads so far, in milliseconds.
    double CpuMs() const {
        const std::string stat = ReadFile("/proc/" + std::to_string(pid_) + "/stat");
        const size_t end = stat.rfind(')');
        if (end == std::string::npos) return 0;
        std::istringstream fields(stat.substr(end + 2));
        std::string field;
        unsigned long long user = 0, system = 0;
        for (int index = 3; fields >> field; ++index) {
            if (index == 14) user = std::stoull(field);
            if (index == 15) {
                system = std::stoull(field);
                break;
            }
        }
        return static_cast<double>(user + system) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    }

    double ResidentMb() const {
        std::istringstream status(ReadFile("/proc/" + std::to_string(pid_) + "/status"));
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmRSS:", 0) == 0) return static_cast<double>(std::strtol(line.c_str() + 6, nullptr, 10)) / 1024;
        }
        return 0;
    }

    // Processor use (100 = one core), processor ms per frame and frames per second over the next ms.
    void MeasureFor(int ms, Figures& figures, const std::string& cpu, const std::string& perFrame,
                    const std::string& fps) {
        const double cpuStart = CpuMs();
        const uint64_t framesStart = Frames();
        const auto start = Clock::now();
        Wait(ms);
        Record(cpuStart, framesStart, start, figures, cpu, perFrame, fps);
    }

    void Record(double cpuStart, uint64_t framesStart, Clock::time_point start, Figures& figures,
                const std::string& cpu, const std::string& perFrame, const std::string& fps) const {
        const double seconds = SecondsSince(start);
        const double used = CpuMs() - cpuStart;
        const auto frames = static_cast<double>(Frames() - framesStart);
        // Every figure is given in every run (0 for no frame): the repetitions' statistics need them all.
        if (!cpu.empty()) figures[cpu] = used / (seconds * 10.0);
        if (!perFrame.empty()) figures[perFrame] = frames > 0 ? used / frames : 0.0;
        if (!fps.empty()) figures[fps] = frames / seconds;
    }

    // The times to the first window and the first frame presented.
    bool WaitForFirstFrame(Display* display, Figures& figures) {
        const std::set<Window> before = ShownWindows(display);
        bool window = false;
        const bool framed = WaitUntil(std::chrono::seconds(60), [&] {
            if (!window) {
                const std::set<Window> now = ShownWindows(display);
                for (Window shown : now) {
                    if (before.count(shown) == 0) {
                        figures["window_s"] = SecondsSince(started_);
                        window = true;
                    }
                }
            }
            if (Frames() == 0) return false;
            figures["first_frame_s"] = SecondsSince(started_);
            return true;
        });
        if (framed && !window) figures["window_s"] = figures["first_frame_s"];
        return framed;
    }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    Clock::time_point started_;
    std::atomic<uint64_t>* frames_ = nullptr;
};

void Click(kv::test::XTestInjector& x, int px, int py) {
    x.MovePointer(px, py);
    x.Button(1, true);
    x.Button(1, false);
}

void PressKey(kv::test::XTestInjector& x, const char* key) {
    x.Key(key, true);
    x.Key(key, false);
}

// The stroke as a player makes it: the pointer brought to its start, the hold taken (hold(true)), the pointer
// drawn back over several frames and pushed forward, then let go. The motion after the hold is the stroke's.
void Stroke(kv::test::XTestInjector& x, int startX, int startY, const std::function<void(bool)>& hold) {
    x.MovePointer(startX, startY);
    Wait(300);
    hold(true);
    Wait(300);
    for (int step = 0; step < 26; ++step) {
        x.MovePointerBy(0, step < 20 ? 5 : -40);
        Wait(step < 20 ? 60 : 30);
    }
    hold(false);
}

// This program: "kestrovan offline", the intro cut short, the login screen, its offline button, one shot.
std::string MeasureKestrovan(Display* display, kv::test::XTestInjector& x, int measureMs, Figures& figures) {
    MeasuredProgram run("kestrovan");
    std::filesystem::create_directory_symlink(DataFolder(), run.Folder() / "data");
    if (!run.Start(Program(), {"offline"})) return "the program did not start";
    if (!run.WaitForFirstFrame(display, figures)) return "the program presented no frame";
    auto logHas = [&](const std::string& line) { return ReadFile(run.Folder() / "StartLog.log").find(line) != std::string::npos; };

    for (int i = 0; i < 2; ++i) {
        Wait(700);
        PressKey(x, "Escape");
    }
    Wait(1500);
    run.MeasureFor(measureMs, figures, "login_cpu_pct", "login_ms_per_frame", "login_fps");

    // The button is clicked again only while the login screen stays: later the offline screen is there.
    WaitUntil(std::chrono::seconds(60), [&] {
        Click(x, 1024 - 210 + 57, 20);
        return WaitUntil(std::chrono::seconds(10), [&] { return logHas("Scene 11 ready"); });
    });
    if (!logHas("Scene 11 ready")) return "the offline screen did not come";
    Wait(2000);
    run.MeasureFor(measureMs, figures, "rest_cpu_pct", "rest_ms_per_frame", "rest_fps");
    figures["rss_mb"] = run.ResidentMb();

    // The stroke with Ctrl held, as the key guide says.
    Stroke(x, 1024 / 2 - 250, 768 / 2, [&](bool press) { x.Key("Control_L", press); });
    const double cpuStart = run.CpuMs();
    const uint64_t framesStart = run.Frames();
    const auto shotStart = Clock::now();
    if (!WaitUntil(std::chrono::seconds(60), [&] { return logHas("BallsStopped"); })) return "the shot did not end";
    run.Record(cpuStart, framesStart, shotStart, figures, "", "shot_ms_per_frame", "shot_fps");
    return run.Running() ? "" : "the program ended early";
}

// Presses the key every second until the server has the message; false when it did not come within a minute.
bool PressUntil(kv::test::XTestInjector& x, const char* key, kvtest::GameServerFixture& server, quill::MessageId id) {
    for (const auto deadline = Clock::now() + std::chrono::seconds(60); Clock::now() < deadline;) {
        PressKey(x, key);
        if (server.WaitForMessage(id, 1000)) return true;
    }
    return false;
}

// This program online: logged in to the stand-in server, the lobby of the first channel, Quick Join into the
// waiting room; at rest in each.
std::string MeasureKestrovanOnline(Display* display, kv::test::XTestInjector& x, int measureMs, Figures& figures) {
    kvtest::GameServerFixture server;
    kvtest::InstallLoginScript(server);
    kvtest::InstallLobbyScript(server);
    kvtest::InstallRoomScript(server);
    MeasuredProgram run("kestrovan_online");
    std::filesystem::create_directory_symlink(DataFolder(), run.Folder() / "data");
    std::ofstream(run.Folder() / "config.ini", std::ios::binary)
        << "[Server]\r\nHost=127.0.0.1\r\nPort=" << server.Port() << "\r\n";
    // Four words: the online start with the login filled in (the first is not read).
    if (!run.Start(Program(), {"launcher", "player", "password"})) return "the program did not start online";
    Figures start;
    if (!run.WaitForFirstFrame(display, start)) return "the program presented no frame online";
    for (int i = 0; i < 2; ++i) {
        Wait(700);
        PressKey(x, "Escape");
    }
    // The login window's Return logs in with the saved account; the channel list's Return enters the first.
    if (!PressUntil(x, "Return", server, quill::MessageId::LoginRequest)) return "the login did not reach the server";
    if (!PressUntil(x, "Return", server, quill::MessageId::LobbyEnter)) return "the lobby was not entered";
    Wait(2500);
    run.MeasureFor(measureMs, figures, "lobby_cpu_pct", "lobby_ms_per_frame", "");
    figures["lobby_rss_mb"] = run.ResidentMb();

    // The lobby's Quick Join takes the waiting room.
    for (int attempt = 0; attempt < 30 && server.CountReceived(quill::MessageId::JoinRoom) == 0; ++attempt) {
        Click(x, 491, 551);
        server.WaitForMessage(quill::MessageId::JoinRoom, 1000);
    }
    if (!server.WaitForMessage(quill::MessageId::RoomEntered, 30000)) return "the room was not entered";
    Wait(2500);
    run.MeasureFor(measureMs, figures, "room_cpu_pct", "room_ms_per_frame", "");
    figures["room_rss_mb"] = run.ResidentMb();
    return run.Running() ? "" : "the program ended early online";
}

// The window of billard-gl is 1024 pixels wide when its settings say so (the eighth line of its file).
void WriteBillardGlSettings(const std::filesystem::path& home) {
    std::ofstream(home / ".BillardGL.conf.v7")
        << "2\n1\n2\n7\n0.400000\n0\n0\n1024\n16\n0\n1\n3\n0\n0\n1\n2\n0\n0.500000\n0.500000\nName%1\nName%2\nName\n";
}

// billard-gl: its title screen, the table of its tutorial (the first language chosen), one shot.
std::string MeasureBillardGl(Display* display, kv::test::XTestInjector& x, int measureMs, Figures& figures) {
    MeasuredProgram run("billard_gl");
    WriteBillardGlSettings(run.Folder());
    if (!run.Start(kBillardGl, {})) return "billard-gl did not start";
    if (!run.WaitForFirstFrame(display, figures)) return "billard-gl presented no frame";
    Wait(1500);
    run.MeasureFor(measureMs, figures, "login_cpu_pct", "login_ms_per_frame", "login_fps");

    Click(x, 512, 384);  // the title gives way to the choice of language
    Wait(1500);
    Click(x, 510, 333);  // English: the tutorial's table
    Wait(2000);
    run.MeasureFor(measureMs, figures, "rest_cpu_pct", "rest_ms_per_frame", "rest_fps");
    figures["rss_mb"] = run.ResidentMb();

    PressKey(x, "space");  // aim
    Wait(700);
    PressKey(x, "space");  // the stroke's mode
    Wait(700);
    Stroke(x, 512, 384, [&](bool press) { x.Button(1, press); });
    run.MeasureFor(std::max(measureMs, 2000), figures, "", "shot_ms_per_frame", "shot_fps");
    return run.Running() ? "" : "billard-gl ended early";
}

void BM_OfflineScreen(benchmark::State& state) {
    Display* display = XOpenDisplay(nullptr);
    kv::test::XTestInjector x;
    if (display == nullptr || !x.Ready()) {
        state.SkipWithError("needs an X display with XTest (run under Xvfb)");
        if (display != nullptr) XCloseDisplay(display);
        return;
    }
    const bool withPeer = access(kBillardGl, X_OK) == 0;
    const int measureMs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Figures ours, peer;
        if (const std::string failure = MeasureKestrovan(display, x, measureMs, ours); !failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
        Figures online;
        if (const std::string failure = MeasureKestrovanOnline(display, x, measureMs, online); !failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
        if (withPeer) {
            if (const std::string failure = MeasureBillardGl(display, x, measureMs, peer); !failure.empty()) {
                state.SkipWithError(failure.c_str());
                break;
            }
        }
        state.SetIterationTime(ours["first_frame_s"]);
        for (const auto& [name, value] : online) state.counters[name] = value;
        for (const auto& [name, value] : ours) {
            state.counters[name] = value;
            if (!withPeer) continue;
            const double other = peer[name];
            state.counters["bgl_" + name] = other;
            state.counters["ratio_" + name] = other > 0 ? value / other : 0.0;
        }
    }
    XCloseDisplay(display);
}
// The argument: the milliseconds of each measurement at rest.
BENCHMARK(BM_OfflineScreen)->Arg(2000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
