#include "client/app/ScreenshotWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/common/TempDirectory.h"

namespace kestrovan {
namespace {

const platform::LocalTime kShotTime{2026, 12, 8, 7, 5, 9, 0, 2};

platform::gfx::DecodedImage Picture() {
    platform::gfx::DecodedImage image;
    image.width = 8;
    image.height = 4;
    image.pixels.assign(32, 0xFF336699);
    return image;
}

// A JPEG from its start marker to its end marker.
bool IsWholeJpeg(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    return bytes.size() > 4 && bytes.starts_with("\xFF\xD8") && bytes.ends_with("\xFF\xD9");
}

// What the writer reports, waiting for count pictures within a generous bound.
std::vector<ScreenshotWriter::Finished> WaitForFinished(ScreenshotWriter& writer, size_t count) {
    std::vector<ScreenshotWriter::Finished> finished;
    for (int wait = 0; wait < 2000 && finished.size() < count; ++wait) {
        if (std::optional<ScreenshotWriter::Finished> next = writer.TakeFinished()) {
            finished.push_back(*next);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    return finished;
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Three shots of one second handed over at once take three names, one after the other, and are reported saved;
// a writer destroyed right after its shots were handed over (the program closed after F12) writes them whole
// first, and nothing unfinished stays beside them.
TEST(ScreenshotWriter, WritesEveryShotWholeUnderItsOwnNameBeforeItGoes) {
    kvtest::TempDirectory desktop;
    {
        ScreenshotWriter writer;
        for (int shot = 0; shot < 3; ++shot) writer.Save(desktop.Path(), kShotTime, Picture());
        const std::vector<ScreenshotWriter::Finished> finished = WaitForFinished(writer, 3);
        ASSERT_EQ(finished.size(), 3u);
        EXPECT_EQ(finished[0].path, desktop.Path() / "Kestrovan-261208-070509.jpg");
        EXPECT_EQ(finished[2].path, desktop.Path() / "Kestrovan-261208-070509-3.jpg");
        for (const auto& shot : finished) EXPECT_TRUE(shot.saved) << shot.path;
        EXPECT_FALSE(writer.TakeFinished());
    }
    {
        ScreenshotWriter writer;
        for (int shot = 0; shot < 2; ++shot) writer.Save(desktop.Path(), kShotTime, Picture());
    }
    EXPECT_EQ(FileNames(desktop.Path()),
              (std::vector<std::string>{"Kestrovan-261208-070509-2.jpg", "Kestrovan-261208-070509-3.jpg",
                                        "Kestrovan-261208-070509-4.jpg", "Kestrovan-261208-070509-5.jpg",
                                        "Kestrovan-261208-070509.jpg"}));
    for (const std::string& name : FileNames(desktop.Path())) EXPECT_TRUE(IsWholeJpeg(desktop.Path() / name)) << name;
}

TEST(ScreenshotWriter, AShotThatCannotBeWrittenIsReportedNotSaved) {
    kvtest::TempDirectory desktop;
    ScreenshotWriter writer;
    writer.Save(desktop.Path() / "no such folder", kShotTime, Picture());
    const std::vector<ScreenshotWriter::Finished> finished = WaitForFinished(writer, 1);
    ASSERT_EQ(finished.size(), 1u);
    EXPECT_FALSE(finished[0].saved);
    EXPECT_EQ(finished[0].path.filename(), "Kestrovan-261208-070509.jpg");
}

}  // namespace
}  // namespace kestrovan
