// The table's HUD is a widget tree, so every table test runs with a widget toolkit installed.
#include <gtest/gtest.h>

#include "tests/support/table/TableFakes.h"

namespace kestrovan::test {

HudToolkit& TheHudToolkit() {
    static HudToolkit toolkit;
    return toolkit;
}

namespace {

class HudToolkitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { TheHudToolkit(); }
};

[[maybe_unused]] const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new HudToolkitEnvironment);

}  // namespace
}  // namespace kestrovan::test
