// The physics' own math functions against the C library's long double ones: within 1 ulp of the long double result
// rounded to float, over a million arguments per function in the physics mode (and a sample in the mode a thread
// starts with), and exact at the special values.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <thread>

#include "client/physics/PhysicsMath.h"
#include "platform/system/FpuMode.h"

namespace kestrovan::test {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

using Ours = std::function<float(float, float)>;
using Reference = std::function<long double(long double, long double)>;
// Draws one argument pair; the second is ignored by the one-argument functions.
using Draw = std::function<std::pair<float, float>(std::mt19937&)>;

// Distance in units in the last place between two floats of the same sign region (0 and -0 are equal).
int64_t UlpDistance(float a, float b) {
    const auto ordered = [](float f) {
        const int64_t bits = std::bit_cast<int32_t>(f);
        return bits < 0 ? -(bits & 0x7FFFFFFF) : bits;
    };
    const int64_t d = ordered(a) - ordered(b);
    return d < 0 ? -d : d;
}

// In the physics mode denormals read and round as zero; the x87 long double reference keeps them. Tested on the
// bits, since a comparison in that mode would read the denormal as zero too.
float FlushDenormal(float f, bool flush) {
    const uint32_t bits = std::bit_cast<uint32_t>(f);
    const bool denormal = (bits & 0x7F800000u) == 0 && (bits & 0x7FFFFFu) != 0;
    return flush && denormal ? std::bit_cast<float>(bits & 0x80000000u) : f;
}

// Compares count draws; returns the number of results more than 1 ulp off (and reports the first few).
int CountMisses(const char* name, const Ours& ours, const Reference& reference, const Draw& draw, int count,
                bool flushDenormals) {
    std::mt19937 random(12);
    int misses = 0;
    for (int i = 0; i < count; ++i) {
        auto [x, y] = draw(random);
        x = FlushDenormal(x, flushDenormals);
        y = FlushDenormal(y, flushDenormals);
        const float got = ours(x, y);
        const float want = FlushDenormal(static_cast<float>(reference(x, y)), flushDenormals);
        const bool bothNaN = std::isnan(got) && std::isnan(want);
        if (!bothNaN && (std::isnan(got) || std::isnan(want) || UlpDistance(got, want) > 1)) {
            if (++misses <= 5) {
                ADD_FAILURE() << name << "(" << x << ", " << y << ") = " << got << ", the reference gives " << want;
            }
        }
    }
    return misses;
}

float AnyFloat(std::mt19937& random) {
    return std::bit_cast<float>(static_cast<uint32_t>(random()));
}

float Uniform(std::mt19937& random, float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random);
}

// Half of the draws anywhere among the 2^32 bit patterns, half in the range the physics uses most.
Draw Mixed(float low, float high) {
    return [low, high](std::mt19937& random) {
        const float x = random() % 2 == 0 ? AnyFloat(random) : Uniform(random, low, high);
        return std::pair{x, 0.0f};
    };
}

struct Function {
    const char* name;
    Ours ours;
    Reference reference;
    Draw draw;
};

std::vector<Function> Functions() {
    const auto one = [](float (*f)(float)) { return [f](float x, float) { return f(x); }; };
    const auto reference = [](long double (*f)(long double)) {
        return [f](long double x, long double) { return f(x); };
    };
    const Draw powArguments = [](std::mt19937& random) {
        switch (random() % 4) {
            case 0:
                return std::pair{AnyFloat(random), AnyFloat(random)};
            case 1:  // the cushion's normal load to a power near 1
                return std::pair{Uniform(random, 0.0f, 50.0f), Uniform(random, 0.9f, 1.1f)};
            case 2:
                return std::pair{Uniform(random, 0.0f, 4.0f), Uniform(random, -40.0f, 40.0f)};
            default:  // negative bases with whole exponents
                return std::pair{Uniform(random, -3.0f, 0.0f),
                                 static_cast<float>(static_cast<int>(random() % 41) - 20)};
        }
    };
    return {
        {"Sin", one(physmath::Sin), reference(sinl), Mixed(-10.0f, 10.0f)},
        {"Cos", one(physmath::Cos), reference(cosl), Mixed(-10.0f, 10.0f)},
        {"Atan", one(physmath::Atan), reference(atanl), Mixed(-20.0f, 20.0f)},
        {"Exp", one(physmath::Exp), reference(expl), Mixed(-110.0f, 90.0f)},
        {"Log", one(physmath::Log), reference(logl), Mixed(0.0f, 4.0f)},
        {"Log10", one(physmath::Log10), reference(log10l), Mixed(0.0f, 4.0f)},
        {"Pow", physmath::Pow, [](long double x, long double y) { return powl(x, y); }, powArguments},
    };
}

TEST(PhysicsMathTest, WithinOneUlpOfTheLongDoubleResultInThePhysicsMode) {
    platform::SetThreadFpuMode();
    for (const Function& f : Functions()) {
        EXPECT_EQ(CountMisses(f.name, f.ours, f.reference, f.draw, 1'000'000, true), 0) << f.name;
    }
    std::fesetenv(FE_DFL_ENV);
}

TEST(PhysicsMathTest, WithinOneUlpInTheModeAThreadStartsWith) {
    std::jthread([] {
        std::fesetenv(FE_DFL_ENV);
        for (const Function& f : Functions()) {
            EXPECT_EQ(CountMisses(f.name, f.ours, f.reference, f.draw, 100'000, false), 0) << f.name;
        }
    }).join();
}

TEST(PhysicsMathTest, SpecialValuesInTheModeAThreadStartsWith) {
    std::fesetenv(FE_DFL_ENV);
    using namespace physmath;
    EXPECT_TRUE(std::signbit(Sin(-0.0f)) && Sin(-0.0f) == 0.0f);
    EXPECT_EQ(Cos(0.0f), 1.0f);
    EXPECT_TRUE(std::isnan(Sin(kInf)) && std::isnan(Cos(-kInf)) && std::isnan(Sin(kNaN)));
    EXPECT_TRUE(std::signbit(Atan(-0.0f)));
    EXPECT_EQ(Atan(kInf), 1.5707964f);
    EXPECT_EQ(Atan(-kInf), -1.5707964f);
    EXPECT_EQ(Exp(0.0f), 1.0f);
    EXPECT_EQ(Exp(kInf), kInf);
    EXPECT_EQ(Exp(-kInf), 0.0f);
    EXPECT_EQ(Exp(200.0f), kInf);
    EXPECT_EQ(Exp(-200.0f), 0.0f);
    EXPECT_EQ(Log(1.0f), 0.0f);
    EXPECT_EQ(Log(0.0f), -kInf);
    EXPECT_EQ(Log(kInf), kInf);
    EXPECT_TRUE(std::isnan(Log(-1.0f)) && std::isnan(Log10(-kInf)));
    EXPECT_EQ(Log10(1000.0f), 3.0f);
    EXPECT_EQ(Pow(kNaN, 0.0f), 1.0f);
    EXPECT_EQ(Pow(1.0f, kNaN), 1.0f);
    EXPECT_EQ(Pow(-2.0f, 3.0f), -8.0f);
    EXPECT_TRUE(std::isnan(Pow(-2.0f, 0.5f)));
    EXPECT_EQ(Pow(-0.0f, -3.0f), -kInf);
    EXPECT_EQ(Pow(0.0f, 2.0f), 0.0f);
    EXPECT_EQ(Pow(0.5f, kInf), 0.0f);
    EXPECT_EQ(Pow(-1.0f, -kInf), 1.0f);
    EXPECT_EQ(CubeOf(0.1f), static_cast<double>(0.1f) * 0.1f * 0.1f);
}

}  // namespace
}  // namespace kestrovan::test
