#pragma once
// The bound that divisions and square roots put on a piece of code: how many of them it executes, times the
// time each one occupies the processor's divider when nothing else runs. The counts come from running this
// program again under valgrind's callgrind, collecting only inside one function, and reading which executed
// instructions are divisions or square roots; the times are measured here, with independent instructions back
// to back. Valgrind rounds to nearest whatever the program asks, so the counted run may take a slightly
// different course than the real one: the bound is an estimate. x86-64 only (SSE encodings); without valgrind
// there is no bound.
#if defined(__x86_64__)
#include <benchmark/benchmark.h>
#include <emmintrin.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>

extern "C" char __executable_start[];  // where the linker put this program's first byte

namespace kvbench {

// The SSE divisions and square roots: scalar and packed, single and double precision.
enum class DividerOp { Divss, Divps, Divsd, Divpd, Sqrtss, Sqrtps, Sqrtsd, Sqrtpd };

class DivisionBound {
public:
    using Counts = std::map<DividerOp, uint64_t>;

    // Runs this program with arguments under callgrind, collecting inside the C function named function only,
    // and counts the divisions and square roots executed there. Nothing when valgrind cannot run it.
    static std::optional<Counts> Count(const char* function, const std::string& arguments) {
        char exe[4096];
        const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
        if (length <= 0) {
            return std::nullopt;
        }
        exe[length] = '\0';
        const std::string out = std::string("/tmp/kestrovan-callgrind-") + std::to_string(getpid());
        const std::string command =
            "valgrind --tool=callgrind --dump-instr=yes --compress-pos=no "
            "--compress-strings=no --collect-atstart=no --toggle-collect=" +
            std::string(function) + " --callgrind-out-file=" + out + " " + exe + " " + arguments + " > /dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            std::remove(out.c_str());
            return std::nullopt;
        }
        Counts counts = CountInProfile(out, exe);
        std::remove(out.c_str());
        return counts;
    }

    // Seconds that the counted operations keep the divider busy.
    static double Seconds(const Counts& counts) {
        double seconds = 0.0;
        for (const auto& [op, count] : counts) {
            seconds += static_cast<double>(count) * SecondsPerOp(op);
        }
        return seconds;
    }

    static uint64_t Total(const Counts& counts) {
        uint64_t total = 0;
        for (const auto& entry : counts) {
            total += entry.second;
        }
        return total;
    }

private:
    // Sums the execution counts of the divisions and square roots of this program's own object. Callgrind
    // gives addresses relative to the object's start; the same instructions lie at that offset in this process.
    static Counts CountInProfile(const std::string& profile, const std::string& exe) {
        Counts counts;
        std::ifstream file(profile);
        bool ours = false;
        bool skipCallCost = false;
        for (std::string line; std::getline(file, line);) {
            if (line.rfind("ob=", 0) == 0) {
                ours = line.substr(3) == exe;
                continue;
            }
            if (line.rfind("calls=", 0) == 0) {
                skipCallCost = true;  // the next line holds the call's inclusive cost, not an instruction's
                continue;
            }
            if (skipCallCost) {
                skipCallCost = false;
                continue;
            }
            if (!ours || line.rfind("0x", 0) != 0) {
                continue;
            }
            const uint64_t offset = std::strtoull(line.c_str(), nullptr, 16);
            const uint64_t executed = std::strtoull(line.c_str() + line.find_last_of(' ') + 1, nullptr, 10);
            if (const std::optional<DividerOp> op = Decode(__executable_start + offset)) {
                counts[*op] += executed;
            }
        }
        return counts;
    }

    // The legacy SSE encoding: an optional 66, F2 or F3 prefix, an optional REX byte, then 0F 5E (division) or
    // 0F 51 (square root).
    static std::optional<DividerOp> Decode(const char* code) {
        const auto* byte = reinterpret_cast<const unsigned char*>(code);
        unsigned char prefix = 0;
        if (*byte == 0x66 || *byte == 0xF2 || *byte == 0xF3) {
            prefix = *byte++;
        }
        if ((*byte & 0xF0) == 0x40) {
            ++byte;
        }
        if (byte[0] != 0x0F || (byte[1] != 0x5E && byte[1] != 0x51)) {
            return std::nullopt;
        }
        const bool divide = byte[1] == 0x5E;
        switch (prefix) {
            case 0xF3:
                return divide ? DividerOp::Divss : DividerOp::Sqrtss;
            case 0xF2:
                return divide ? DividerOp::Divsd : DividerOp::Sqrtsd;
            case 0x66:
                return divide ? DividerOp::Divpd : DividerOp::Sqrtpd;
            default:
                return divide ? DividerOp::Divps : DividerOp::Sqrtps;
        }
    }

    static double SecondsPerOp(DividerOp op) {
        static const std::map<DividerOp, double> measured = Measure();
        return measured.at(op);
    }

    static std::map<DividerOp, double> Measure() {
        return {{DividerOp::Divss, Time<DividerOp::Divss>()},   {DividerOp::Divps, Time<DividerOp::Divps>()},
                {DividerOp::Divsd, Time<DividerOp::Divsd>()},   {DividerOp::Divpd, Time<DividerOp::Divpd>()},
                {DividerOp::Sqrtss, Time<DividerOp::Sqrtss>()}, {DividerOp::Sqrtps, Time<DividerOp::Sqrtps>()},
                {DividerOp::Sqrtsd, Time<DividerOp::Sqrtsd>()}, {DividerOp::Sqrtpd, Time<DividerOp::Sqrtpd>()}};
    }

    // The fastest of a few runs of eight independent chains of the operation, on operands near 1 that keep
    // every value normal (a quotient by 1.0000001 or a root stays close to 1).
    template <DividerOp op>
    static double Time() {
        constexpr long kRounds = 1'000'000;
        double best = 1.0;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            Chains<op>(kRounds);
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            best = std::min(best, elapsed.count() / (8.0 * kRounds));
        }
        return best;
    }

    template <DividerOp op>
    static void Chains(long rounds) {
        if constexpr (op == DividerOp::Divsd || op == DividerOp::Divpd || op == DividerOp::Sqrtsd ||
                      op == DividerOp::Sqrtpd) {
            RunChains<op>(
                rounds, [](int i) { return _mm_set1_pd(1.01 + 0.01 * i); }, _mm_set1_pd(1.0000001));
        } else {
            RunChains<op>(
                rounds, [](int i) { return _mm_set1_ps(1.01f + 0.01f * i); }, _mm_set1_ps(1.0000001f));
        }
    }

    // The chains start apart, or the compiler would compute them as one.
    template <DividerOp op, class Start, class Vector>
    static void RunChains(long rounds, Start start, Vector divisor) {
        // Eight named chains, so that they stay in registers.
        Vector c0 = start(0), c1 = start(1), c2 = start(2), c3 = start(3);
        Vector c4 = start(4), c5 = start(5), c6 = start(6), c7 = start(7);
        for (long i = 0; i < rounds; ++i) {
            c0 = Apply<op>(c0, divisor);
            c1 = Apply<op>(c1, divisor);
            c2 = Apply<op>(c2, divisor);
            c3 = Apply<op>(c3, divisor);
            c4 = Apply<op>(c4, divisor);
            c5 = Apply<op>(c5, divisor);
            c6 = Apply<op>(c6, divisor);
            c7 = Apply<op>(c7, divisor);
        }
        // Every chain's result is used, or the compiler would drop the chain.
        benchmark::DoNotOptimize(Low(c0) + Low(c1) + Low(c2) + Low(c3) + Low(c4) + Low(c5) + Low(c6) + Low(c7));
    }

    template <DividerOp op, class Vector>
    static Vector Apply(Vector a, Vector b) {
        if constexpr (op == DividerOp::Divss) {
            return _mm_div_ss(a, b);
        } else if constexpr (op == DividerOp::Divps) {
            return _mm_div_ps(a, b);
        } else if constexpr (op == DividerOp::Divsd) {
            return _mm_div_sd(a, b);
        } else if constexpr (op == DividerOp::Divpd) {
            return _mm_div_pd(a, b);
        } else if constexpr (op == DividerOp::Sqrtss) {
            return _mm_sqrt_ss(a);
        } else if constexpr (op == DividerOp::Sqrtps) {
            return _mm_sqrt_ps(a);
        } else if constexpr (op == DividerOp::Sqrtsd) {
            return _mm_sqrt_sd(a, a);
        } else {
            return _mm_sqrt_pd(a);
        }
    }

    static float Low(__m128 v) { return _mm_cvtss_f32(v); }
    static float Low(__m128d v) { return static_cast<float>(_mm_cvtsd_f64(v)); }
};

}  // namespace kvbench

#endif
