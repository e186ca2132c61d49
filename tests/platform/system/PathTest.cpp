#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/system/Path.h"
#include "tests/support/common/TempDirectory.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Each test works in a fresh temporary folder that is also the working folder, since Windows paths are
// relative to it.
class PathTest : public testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(folder_.Path());
    }
    void TearDown() override { fs::current_path(previous_); }
    static void Touch(const fs::path& path) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }

    kvtest::TempDirectory folder_;
    fs::path previous_;
};

TEST_F(PathTest, FindsEachComponentWithoutRegardToCase) {
    Touch("data/foo.tpk");
    Touch("자료/Map.tpk");
    EXPECT_EQ(NativePath(u"DATA\\Foo.TPK"), "data/foo.tpk");
    EXPECT_EQ(NativePath(u".\\Data\\FOO.tpk"), "./data/foo.tpk");
    EXPECT_EQ(NativePath(u"Data/"), "data");
    EXPECT_EQ(NativePath(u"자료\\MAP.TPK"), "자료/Map.tpk");

    const std::string absolute = (folder_.Path() / "DATA\\FOO.TPK").string();
    const std::u16string wideAbsolute(absolute.begin(), absolute.end());  // the temp path is ASCII
    EXPECT_EQ(NativePath(wideAbsolute), (folder_.Path() / "data/foo.tpk").string());
}

TEST_F(PathTest, KeepsComponentsThatMatchNothing) {
    Touch("data/foo.tpk");
    EXPECT_EQ(NativePath(u"DATA\\New.log"), "data/New.log");
    EXPECT_EQ(NativePath(u"Missing\\Sub\\File.txt"), "Missing/Sub/File.txt");
    EXPECT_EQ(NativePath(u""), "");
}

TEST_F(PathTest, PrefersTheExactNameAndThenNameOrder) {
    Touch("Data/upper.txt");
    Touch("data/lower.txt");
    EXPECT_EQ(NativePath(u"data\\LOWER.TXT"), "data/lower.txt");
    EXPECT_EQ(NativePath(u"Data\\UPPER.TXT"), "Data/upper.txt");
    EXPECT_EQ(NativePath(u"DATA\\Upper.txt"), "Data/upper.txt");
}

TEST_F(PathTest, OpenFileResolvesFoldersAndCreatesFilesThere) {
    Touch("logs/old.log");
    FILE* created = OpenFile(u"LOGS\\New.log", "wb");
    ASSERT_NE(created, nullptr);
    std::fclose(created);
    EXPECT_TRUE(fs::exists("logs/New.log"));
    EXPECT_EQ(OpenFile(u"Logs\\absent.log", "rb"), nullptr);
}

}  // namespace
}  // namespace platform
