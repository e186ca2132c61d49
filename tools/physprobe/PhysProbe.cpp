// physprobe: runs one shot headless and prints every physics event and the final state of every ball, one per
// line, each float as a decimal and as its bit pattern, so that a shot can be checked and compared between builds
// and machines.
#include <bit>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsModelFactory.h"
#include "client/physics/ShotProbe.h"
#include "client/physics/TableGeometry.h"
#include "platform/system/FpuMode.h"

namespace {

using kestrovan::CueStroke;
using kestrovan::ShotBall;
using kestrovan::ShotSetup;

constexpr const char* kUsage =
    "usage: physprobe --ball X,Y[,Z] [--ball X,Y[,Z] ...] --aim X,Y [options]\n"
    "       physprobe --tables\n"
    "       physprobe --help\n"
    "Runs one shot headless and prints every physics event and the final state of every ball, line by line as\n"
    "the shot goes. Numbers are decimals (a leading 0 is no octal); a whole number may also be given in hex\n"
    "(0x10014) and a float as its bit pattern (0x3F800000). Every value must lie in its range.\n"
    "\n"
    "  --model CODE        physics model code, 0x10000 to 0x10014 (default 0x10014)\n"
    "  --table KIND        table kind, 0 to 11 (default 0); --tables lists each kind's bed\n"
    "  --ball-set N        ball set, 0 to 6 (default 3)\n"
    "  --ball X,Y[,Z]      a ball's centre in cm from the table's origin, -1000 to 1000, once per ball in index\n"
    "                      order (at most 64); Z defaults to resting on the cloth. A ball off the bed is warned of\n"
    "  --cue INDEX         the ball struck, one of the balls (default 0)\n"
    "  --aim X,Y           the point on the table the cue aims at, in cm, -1000 to 1000 (required)\n"
    "  --contact X,Y       the tip's offset from the ball's centre, in ball radii, -1 to 1 (default 0,0)\n"
    "  --spin X,Y          the spin offset, -2 to 2 (default: the contact offset)\n"
    "  --elevation RAD     the cue's elevation above the table, in radians, 0 to 1.5708 (default 0)\n"
    "  --power P           the stroke's power, 0 to 1 (default 0.5)\n"
    "  --time-factor F     the stroke's contact-time factor, -1 to 1 (default 0)\n"
    "  --limit-factor F    the stroke's miscue limit factor, 0 to 1 (default 0)\n"
    "  --extra V           the stroke's extra value, -1 to 1 (default 0)\n"
    "  --substeps N        sub-steps per 0.005 s call, 1 to 10000 (default 50 on carom tables, 15 on pocket tables)\n"
    "  --time-scale S      playback speed factor, 0 to 100 (default 1)\n"
    "  --max-calls N       stop after N calls when the motion has not ended, 1 to 1000000 (default 200000)\n"
    "\n"
    "Exit status: 0 the motion ended, 1 it did not end within the calls, 2 bad arguments.\n";

struct UsageError {
    std::string message;
};

bool ParseFloat(std::string_view text, float* out) {
    const std::string s(text);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && s.find('.') == std::string::npos) {
        char* end = nullptr;
        errno = 0;
        const unsigned long long bits = std::strtoull(s.c_str() + 2, &end, 16);
        if (errno != 0 || *end != '\0' || bits > 0xFFFFFFFFull) {
            return false;
        }
        *out = std::bit_cast<float>(static_cast<uint32_t>(bits));
        return true;
    }
    char* end = nullptr;
    errno = 0;
    *out = std::strtof(s.c_str(), &end);
    return !s.empty() && errno == 0 && *end == '\0';
}

bool ParseUnsigned(std::string_view text, uint64_t limit, uint32_t* out) {
    const std::string s(text);
    if (s.empty() || s[0] == '-' || s[0] == '+') {
        return false;
    }
    // Decimal, or hexadecimal after 0x: a leading zero does not make an octal number.
    const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(s.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || value > limit || !std::isxdigit(static_cast<unsigned char>(s[hex ? 2 : 0]))) {
        return false;
    }
    *out = static_cast<uint32_t>(value);
    return true;
}

std::string FormatLimit(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

std::vector<std::string_view> SplitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) {
            return parts;
        }
        start = comma + 1;
    }
}

// The option's numbers, each from low to high.
std::vector<float> ParseFloats(std::string_view option, std::string_view text, size_t minCount, size_t maxCount,
                               float low, float high) {
    const std::vector<std::string_view> parts = SplitCommas(text);
    if (parts.size() < minCount || parts.size() > maxCount) {
        throw UsageError{std::string(option) + " takes " + std::to_string(minCount) +
                         (minCount == maxCount ? "" : " or " + std::to_string(maxCount)) +
                         " comma-separated numbers, not '" + std::string(text) + "'"};
    }
    std::vector<float> values;
    for (const std::string_view part : parts) {
        float value = 0.0f;
        if (!ParseFloat(part, &value)) {
            throw UsageError{std::string(option) + ": '" + std::string(part) + "' is not a number"};
        }
        if (!(value >= low && value <= high)) {
            throw UsageError{std::string(option) + ": '" + std::string(part) + "' is not from " + FormatLimit(low) +
                             " to " + FormatLimit(high)};
        }
        values.push_back(value);
    }
    return values;
}

float ParseOneFloat(std::string_view option, std::string_view text, float low, float high) {
    return ParseFloats(option, text, 1, 1, low, high)[0];
}

uint32_t ParseOneUnsigned(std::string_view option, std::string_view text, uint32_t low, uint32_t high) {
    uint32_t value = 0;
    if (!ParseUnsigned(text, high, &value) || value < low) {
        throw UsageError{std::string(option) + ": '" + std::string(text) + "' is not a whole number from " +
                         std::to_string(low) + " to " + std::to_string(high)};
    }
    return value;
}

struct Arguments {
    ShotSetup setup;
    bool haveAim = false;
    bool haveSpin = false;
    bool help = false;
    bool tables = false;
};

// Ranges of the options, as the usage text gives them.
constexpr float kPlaceLimit = 1000.0f;  // cm from the table's origin: well beyond every table's frame
constexpr float kHalfPi = 1.5708f;

void ApplyOption(std::string_view option, std::string_view value, Arguments* args) {
    ShotSetup& s = args->setup;
    CueStroke& stroke = s.stroke;
    if (option == "--model") {
        s.modelCode = ParseOneUnsigned(option, value, kestrovan::kPhysicsModelBase, kestrovan::kPhysicsModel10014);
    } else if (option == "--table") {
        s.tableKind = ParseOneUnsigned(option, value, 0, kestrovan::kTableKindCount - 1);
    } else if (option == "--ball-set") {
        s.ballSet = ParseOneUnsigned(option, value, 0, kestrovan::kBallSetCount - 1);
    } else if (option == "--ball") {
        const std::vector<float> v = ParseFloats(option, value, 2, 3, -kPlaceLimit, kPlaceLimit);
        ShotBall ball{v[0], v[1], {}};
        if (v.size() == 3) {
            ball.z = v[2];
        }
        s.balls.push_back(ball);
    } else if (option == "--cue") {
        s.cueBall = static_cast<uint16_t>(ParseOneUnsigned(option, value, 0, kestrovan::kMaxShotBalls - 1));
    } else if (option == "--aim") {
        const std::vector<float> v = ParseFloats(option, value, 2, 2, -kPlaceLimit, kPlaceLimit);
        stroke.aimX = v[0];
        stroke.aimY = v[1];
        args->haveAim = true;
    } else if (option == "--contact") {
        const std::vector<float> v = ParseFloats(option, value, 2, 2, -1.0f, 1.0f);
        stroke.contactX = v[0];
        stroke.contactY = v[1];
    } else if (option == "--spin") {
        const std::vector<float> v = ParseFloats(option, value, 2, 2, -2.0f, 2.0f);
        stroke.spinX = v[0];
        stroke.spinY = v[1];
        args->haveSpin = true;
    } else if (option == "--elevation") {
        stroke.elevation = ParseOneFloat(option, value, 0.0f, kHalfPi);
    } else if (option == "--power") {
        stroke.power = ParseOneFloat(option, value, 0.0f, 1.0f);
    } else if (option == "--time-factor") {
        stroke.contactTimeFactor = ParseOneFloat(option, value, -1.0f, 1.0f);
    } else if (option == "--limit-factor") {
        stroke.limitFactor = ParseOneFloat(option, value, 0.0f, 1.0f);
    } else if (option == "--extra") {
        stroke.extraValue = ParseOneFloat(option, value, -1.0f, 1.0f);
    } else if (option == "--substeps") {
        s.subSteps = ParseOneUnsigned(option, value, 1, 10000);
    } else if (option == "--time-scale") {
        s.timeScale = ParseOneFloat(option, value, 0.0f, 100.0f);
    } else if (option == "--max-calls") {
        s.maxCalls = ParseOneUnsigned(option, value, 1, 1000000);
    } else {
        throw UsageError{"unknown option '" + std::string(option) + "'"};
    }
}

Arguments ParseArguments(int argc, char** argv) {
    Arguments args;
    args.setup.stroke.power = 0.5f;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            args.help = true;
            return args;
        }
        if (option == "--tables") {
            args.tables = true;
            return args;
        }
        if (i + 1 >= argc) {
            throw UsageError{"option '" + std::string(option) + "' needs a value"};
        }
        ApplyOption(option, argv[++i], &args);
    }
    if (args.setup.balls.empty()) {
        throw UsageError{"give at least one --ball"};
    }
    if (!args.haveAim) {
        throw UsageError{"give the aim point with --aim"};
    }
    if (!args.haveSpin) {
        args.setup.stroke.spinX = args.setup.stroke.contactX;
        args.setup.stroke.spinY = args.setup.stroke.contactY;
    }
    return args;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "physprobe: %s\n\n%s", message.c_str(), kUsage);
    return 2;
}

// Each table kind's bed as the physics lays it out: the playing area inside the cushion noses and the outer
// edge of the frame, in cm from the table's origin; the cloth lies at z = 0.
void ListTables() {
    std::printf("# x and y in cm from the table's origin, z up from the cloth (z = 0)\n");
    for (uint32_t kind = 0; kind < kestrovan::kTableKindCount; ++kind) {
        const std::unique_ptr<kestrovan::PhysicsModel> model(
            kestrovan::CreatePhysicsModel(kestrovan::kDefaultPhysicsModelCode, kind, 1, false));
        const kestrovan::TableGeometry& g = model->Geometry();
        std::printf("table %2u  %s  bed x %g to %g, y %g to %g  frame x %g to %g, y %g to %g  floor z %g\n", kind,
                    model->HasPockets() ? "pockets" : "carom  ", static_cast<double>(g.noseMinX),
                    static_cast<double>(g.noseMaxX), static_cast<double>(g.noseMinY), static_cast<double>(g.noseMaxY),
                    static_cast<double>(g.frameMinX), static_cast<double>(g.frameMaxX),
                    static_cast<double>(g.frameMinY), static_cast<double>(g.frameMaxY),
                    static_cast<double>(g.floorHeight));
    }
}

// Warns of each ball whose centre lies outside the bed's playing area: it starts off the table and falls.
void WarnOfBallsOffTheBed(kestrovan::PhysicsModel& model) {
    const kestrovan::TableGeometry& g = model.Geometry();
    for (uint16_t i = 0; i < model.BallCount(); ++i) {
        const quill::Vec3& p = model.Ball(i).position;
        if (p.x < g.noseMinX || p.x > g.noseMaxX || p.y < g.noseMinY || p.y > g.noseMaxY) {
            std::fprintf(stderr,
                         "physprobe: warning: ball %u at %g,%g lies off the bed of table %u (x %g to %g, y %g to %g)\n",
                         i, static_cast<double>(p.x), static_cast<double>(p.y), model.TableKind(),
                         static_cast<double>(g.noseMinX), static_cast<double>(g.noseMaxX),
                         static_cast<double>(g.noseMinY), static_cast<double>(g.noseMaxY));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    try {
        args = ParseArguments(argc, argv);
    } catch (const UsageError& error) {
        return Fail(error.message);
    }
    if (args.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    platform::SetThreadFpuMode();
    if (args.tables) {
        ListTables();
        return 0;
    }
    kestrovan::ShotProbe probe(args.setup);
    std::string error;
    if (!probe.Prepare(&error)) {
        return Fail(error);
    }
    WarnOfBallsOffTheBed(probe.Model());
    // Each line goes out as it is made: a shot that never settles must not gather its report in memory.
    const bool ended = probe.Run([](const std::string& line) { std::printf("%s\n", line.c_str()); });
    return ended ? 0 : 1;
}
