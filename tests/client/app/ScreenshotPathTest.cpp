#include "client/app/ScreenshotPath.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/common/TempDirectory.h"

namespace kestrovan {
namespace {

// Two screenshots in one second get two files: a name in use is never taken again.
TEST(ScreenshotPath, NamesTheSecondAndNeverAFileThatIsThere) {
    kvtest::TempDirectory desktop;
    const platform::LocalTime time{2026, 12, 8, 7, 5, 9, 0, 2};
    const std::filesystem::path first = ScreenshotPath(desktop.Path(), time);
    EXPECT_EQ(first, desktop.Path() / "Kestrovan-261208-070509.jpg");
    std::ofstream(first) << "first";
    const std::filesystem::path second = ScreenshotPath(desktop.Path(), time);
    EXPECT_EQ(second, desktop.Path() / "Kestrovan-261208-070509-2.jpg");
    std::ofstream(second) << "second";
    EXPECT_EQ(ScreenshotPath(desktop.Path(), time), desktop.Path() / "Kestrovan-261208-070509-3.jpg");
}

}  // namespace
}  // namespace kestrovan
