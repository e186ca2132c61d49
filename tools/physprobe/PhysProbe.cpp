// physprobe: runs one shot headless and prints every physics event and the final state of every ball, one per
// line, each float as a decimal and as its bit pattern, so that a shot can be checked and compared between builds
// and machines.
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "client/physics/ShotProbe.h"
#include "platform/system/FpuMode.h"

namespace {

using kestrovan::ShotBall;
using kestrovan::ShotSetup;

constexpr const char* kUsage =
    "usage: physprobe --ball X,Y[,Z] [--ball X,Y[,Z] ...] --aim X,Y [options]\n"
    "Runs one shot headless and prints every physics event and the final state of every ball.\n"
    "Numbers are decimals; a float may also be given as its bit pattern (0x3F800000).\n"
    "\n"
    "  --model CODE        physics model code, 0x10000 to 0x10014 (default 0x10014)\n"
    "  --table KIND        table kind, 0 to 11 (default 0)\n"
    "  --ball-set N        ball set, 0 to 6 (default 3)\n"
    "  --ball X,Y[,Z]      a ball's centre in cm, once per ball in index order; Z defaults to resting on the cloth\n"
    "  --cue INDEX         the ball struck (default 0)\n"
    "  --aim X,Y           the point on the table the cue aims at, in cm (required)\n"
    "  --contact X,Y       the tip's offset from the ball's centre, in ball radii (default 0,0)\n"
    "  --spin X,Y          the spin offset (default: the contact offset)\n"
    "  --elevation RAD     the cue's elevation above the table, in radians (default 0)\n"
    "  --power P           the stroke's power, 0 to 1 (default 0.5)\n"
    "  --time-factor F     the stroke's contact-time factor (default 0)\n"
    "  --limit-factor F    the stroke's miscue limit factor (default 0)\n"
    "  --extra V           the stroke's extra value (default 0)\n"
    "  --substeps N        sub-steps per 0.005 s call (default 50 on carom tables, 15 on pocket tables)\n"
    "  --time-scale S      playback speed factor (default 1)\n"
    "  --max-calls N       stop after N calls when the motion has not ended (default 200000)\n"
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
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(s.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || value > limit) {
        return false;
    }
    *out = static_cast<uint32_t>(value);
    return true;
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

std::vector<float> ParseFloats(std::string_view option, std::string_view text, size_t minCount, size_t maxCount) {
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
        values.push_back(value);
    }
    return values;
}

float ParseOneFloat(std::string_view option, std::string_view text) {
    return ParseFloats(option, text, 1, 1)[0];
}

uint32_t ParseOneUnsigned(std::string_view option, std::string_view text, uint64_t limit) {
    uint32_t value = 0;
    if (!ParseUnsigned(text, limit, &value)) {
        throw UsageError{std::string(option) + ": '" + std::string(text) + "' is not a whole number from 0 to " +
                         std::to_string(limit)};
    }
    return value;
}

struct Arguments {
    ShotSetup setup;
    bool haveAim = false;
    bool haveSpin = false;
    bool help = false;
};

void ApplyOption(std::string_view option, std::string_view value, Arguments* args) {
    ShotSetup& s = args->setup;
    if (option == "--model") {
        s.modelCode = ParseOneUnsigned(option, value, 0xFFFFFFFFull);
    } else if (option == "--table") {
        s.tableKind = ParseOneUnsigned(option, value, 0xFFFFFFFFull);
    } else if (option == "--ball-set") {
        s.ballSet = ParseOneUnsigned(option, value, 0xFFFFFFFFull);
    } else if (option == "--ball") {
        const std::vector<float> v = ParseFloats(option, value, 2, 3);
        ShotBall ball{v[0], v[1], {}};
        if (v.size() == 3) {
            ball.z = v[2];
        }
        s.balls.push_back(ball);
    } else if (option == "--cue") {
        s.cueBall = static_cast<uint16_t>(ParseOneUnsigned(option, value, 0xFFFF));
    } else if (option == "--aim") {
        const std::vector<float> v = ParseFloats(option, value, 2, 2);
        s.stroke.aimX = v[0];
        s.stroke.aimY = v[1];
        args->haveAim = true;
    } else if (option == "--contact") {
        const std::vector<float> v = ParseFloats(option, value, 2, 2);
        s.stroke.contactX = v[0];
        s.stroke.contactY = v[1];
    } else if (option == "--spin") {
        const std::vector<float> v = ParseFloats(option, value, 2, 2);
        s.stroke.spinX = v[0];
        s.stroke.spinY = v[1];
        args->haveSpin = true;
    } else if (option == "--elevation") {
        s.stroke.elevation = ParseOneFloat(option, value);
    } else if (option == "--power") {
        s.stroke.power = ParseOneFloat(option, value);
    } else if (option == "--time-factor") {
        s.stroke.contactTimeFactor = ParseOneFloat(option, value);
    } else if (option == "--limit-factor") {
        s.stroke.limitFactor = ParseOneFloat(option, value);
    } else if (option == "--extra") {
        s.stroke.extraValue = ParseOneFloat(option, value);
    } else if (option == "--substeps") {
        s.subSteps = ParseOneUnsigned(option, value, 1000000);
    } else if (option == "--time-scale") {
        s.timeScale = ParseOneFloat(option, value);
    } else if (option == "--max-calls") {
        s.maxCalls = ParseOneUnsigned(option, value, 100000000);
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
    kestrovan::ShotProbe probe(args.setup);
    std::string error;
    if (!probe.Prepare(&error)) {
        return Fail(error);
    }
    std::vector<std::string> lines;
    const bool ended = probe.Run(&lines);
    for (const std::string& line : lines) {
        std::printf("%s\n", line.c_str());
    }
    return ended ? 0 : 1;
}
