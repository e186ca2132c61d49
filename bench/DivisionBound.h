#pragma once
// The bound that divisions and square roots put on a piece of code: how many of them it executes, times the
// time each one occupies the processor's divider when nothing else runs. The counts come from running this
// program again under valgrind's callgrind, collecting only inside one function, and reading which executed
// instructions are divisions or square roots; the times are measured here, with independent instructions back
// to back. Valgrind rounds to nearest whatever the program asks, so the counted run may take a slightly
// different course than the real one: the bound is an estimate. x86-64 only (the SSE encodings and the AVX ones,
// whose 256-bit forms are timed apart since they occupy the divider longer); without valgrind there is no bound.
#if defined(__x86_64__)
#include <benchmark/benchmark.h>
#include <immintrin.h>
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

// The divisions and square roots: scalar and packed, single and double precision, and the packed ones of the AVX
// registers (256 bits). The AVX encodings of 128 bits or less do the work of their SSE twins.
enum class DividerOp {
    Divss,
    Divps,
    Divsd,
    Divpd,
    Sqrtss,
    Sqrtps,
    Sqrtsd,
    Sqrtpd,
    Divps256,
    Divpd256,
    Sqrtps256,
    Sqrtpd256
};

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
    // 0F 51 (square root). The AVX encoding: a two-byte (C5) or three-byte (C4, map 0F) VEX prefix that holds the
    // operand kind and the vector length, then 5E or 51.
    static std::optional<DividerOp> Decode(const char* code) {
        const auto* byte = reinterpret_cast<const unsigned char*>(code);
        if (byte[0] == 0xC5) {
            return Op(byte[2], static_cast<unsigned char>(byte[1] & 3u), (byte[1] & 4u) != 0);
        }
        if (byte[0] == 0xC4) {
            return (byte[1] & 0x1Fu) == 1u ? Op(byte[3], static_cast<unsigned char>(byte[2] & 3u), (byte[2] & 4u) != 0)
                                           : std::nullopt;
        }
        unsigned char kind = 0;  // the VEX prefix's operand kinds: none, 66, F3, F2
        if (*byte == 0x66 || *byte == 0xF2 || *byte == 0xF3) {
            kind = *byte == 0x66 ? 1 : *byte == 0xF3 ? 2 : 3;
            ++byte;
        }
        if ((*byte & 0xF0) == 0x40) {
            ++byte;
        }
        return byte[0] == 0x0F ? Op(byte[1], kind, false) : std::nullopt;
    }

    // The operation of opcode (after 0F) with operand kind 0 (packed single), 1 (packed double), 2 (scalar
    // single) or 3 (scalar double); wide: 256-bit registers (packed kinds only).
    static std::optional<DividerOp> Op(unsigned char opcode, unsigned char kind, bool wide) {
        if (opcode != 0x5E && opcode != 0x51) {
            return std::nullopt;
        }
        const bool divide = opcode == 0x5E;
        switch (kind) {
            case 0:
                return wide ? (divide ? DividerOp::Divps256 : DividerOp::Sqrtps256)
                            : (divide ? DividerOp::Divps : DividerOp::Sqrtps);
            case 1:
                return wide ? (divide ? DividerOp::Divpd256 : DividerOp::Sqrtpd256)
                            : (divide ? DividerOp::Divpd : DividerOp::Sqrtpd);
            case 2:
                return divide ? DividerOp::Divss : DividerOp::Sqrtss;
            default:
                return divide ? DividerOp::Divsd : DividerOp::Sqrtsd;
        }
    }

    static double SecondsPerOp(DividerOp op) {
        static const std::map<DividerOp, double> measured = Measure();
        return measured.at(op);
    }

    static std::map<DividerOp, double> Measure() {
        return {{DividerOp::Divss, Time<DividerOp::Divss>()},
                {DividerOp::Divps, Time<DividerOp::Divps>()},
                {DividerOp::Divsd, Time<DividerOp::Divsd>()},
                {DividerOp::Divpd, Time<DividerOp::Divpd>()},
                {DividerOp::Sqrtss, Time<DividerOp::Sqrtss>()},
                {DividerOp::Sqrtps, Time<DividerOp::Sqrtps>()},
                {DividerOp::Sqrtsd, Time<DividerOp::Sqrtsd>()},
                {DividerOp::Sqrtpd, Time<DividerOp::Sqrtpd>()},
                {DividerOp::Divps256, WideTime(DividerOp::Divps256)},
                {DividerOp::Divpd256, WideTime(DividerOp::Divpd256)},
                {DividerOp::Sqrtps256, WideTime(DividerOp::Sqrtps256)},
                {DividerOp::Sqrtpd256, WideTime(DividerOp::Sqrtpd256)}};
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

    // The 256-bit forms, timed like the others where the processor has AVX; elsewhere the program never executes
    // them, and they count nothing.
    static double WideTime(DividerOp op) {
        if (__builtin_cpu_supports("avx") == 0) {
            return 0.0;
        }
        constexpr long kRounds = 1'000'000;
        double best = 1.0;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            WideChains(op, kRounds);
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            best = std::min(best, elapsed.count() / (8.0 * kRounds));
        }
        return best;
    }

    // Eight chains of the 256-bit operation, as RunChains does for the others (written out: the AVX intrinsics
    // inline only into functions compiled for AVX).
    __attribute__((target("avx"))) static void WideChains(DividerOp op, long rounds) {
        if (op == DividerOp::Divps256 || op == DividerOp::Sqrtps256) {
            const __m256 divisor = _mm256_set1_ps(1.0000001f);
            __m256 c[8];
            for (int i = 0; i < 8; ++i) {
                c[i] = _mm256_set1_ps(1.01f + 0.01f * static_cast<float>(i));
            }
            for (long r = 0; r < rounds; ++r) {
                for (__m256& chain : c) {
                    chain = op == DividerOp::Divps256 ? _mm256_div_ps(chain, divisor) : _mm256_sqrt_ps(chain);
                }
            }
            float sum = 0.0f;
            for (const __m256 chain : c) {
                sum += _mm256_cvtss_f32(chain);
            }
            benchmark::DoNotOptimize(sum);
        } else {
            const __m256d divisor = _mm256_set1_pd(1.0000001);
            __m256d c[8];
            for (int i = 0; i < 8; ++i) {
                c[i] = _mm256_set1_pd(1.01 + 0.01 * i);
            }
            for (long r = 0; r < rounds; ++r) {
                for (__m256d& chain : c) {
                    chain = op == DividerOp::Divpd256 ? _mm256_div_pd(chain, divisor) : _mm256_sqrt_pd(chain);
                }
            }
            double sum = 0.0;
            for (const __m256d chain : c) {
                sum += _mm256_cvtsd_f64(chain);
            }
            benchmark::DoNotOptimize(sum);
        }
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
