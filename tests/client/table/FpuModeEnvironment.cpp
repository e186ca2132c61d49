// Every table test computes in the floating-point mode of the game's threads (round toward zero), whatever test
// ran first: truncated values such as shot classes depend on it.
#include <gtest/gtest.h>

#include "platform/system/FpuMode.h"

namespace {

class FpuModeEnvironment : public ::testing::Environment {
public:
    void SetUp() override { platform::SetThreadFpuMode(); }
};

[[maybe_unused]] const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new FpuModeEnvironment);

}  // namespace
