#include "client/app/ScreenshotWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/common/TempDirectory.h"

namespace kestrovan {
namespace {

const platform::LocalTime kShotTime{2026, 12, 8, 7, 5, 9, 0, 2};

platform::PictureFolder Desktop(const std::filesystem::path& path) {
    return {path.string(), platform::PictureFolder::Kind::Desktop};
}

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
        for (int shot = 0; shot < 3; ++shot) writer.Save(Desktop(desktop.Path()), kShotTime, Picture());
        const std::vector<ScreenshotWriter::Finished> finished = WaitForFinished(writer, 3);
        ASSERT_EQ(finished.size(), 3u);
        EXPECT_EQ(finished[0].path, desktop.Path() / "Kestrovan-261208-070509.jpg");
        EXPECT_EQ(finished[2].path, desktop.Path() / "Kestrovan-261208-070509-3.jpg");
        for (const auto& shot : finished) EXPECT_TRUE(shot.saved) << shot.path;
        EXPECT_EQ(finished[1].Notice(),
                  u"The screenshot has been saved to your desktop. (Kestrovan-261208-070509-2.jpg)");
        EXPECT_FALSE(writer.TakeFinished());
    }
    {
        ScreenshotWriter writer;
        for (int shot = 0; shot < 2; ++shot) writer.Save(Desktop(desktop.Path()), kShotTime, Picture());
    }
    EXPECT_EQ(FileNames(desktop.Path()),
              (std::vector<std::string>{"Kestrovan-261208-070509-2.jpg", "Kestrovan-261208-070509-3.jpg",
                                        "Kestrovan-261208-070509-4.jpg", "Kestrovan-261208-070509-5.jpg",
                                        "Kestrovan-261208-070509.jpg"}));
    for (const std::string& name : FileNames(desktop.Path())) EXPECT_TRUE(IsWholeJpeg(desktop.Path() / name)) << name;
}

// A picture that cannot be written is reported under its name; one saved to the home folder, where a session
// without a desktop folder puts it, says so.
TEST(ScreenshotWriter, TheNoticeSaysWhereThePictureWentOrThatItDidNot) {
    kvtest::TempDirectory desktop;
    ScreenshotWriter writer;
    writer.Save(Desktop(desktop.Path() / "no such folder"), kShotTime, Picture());
    writer.Save({desktop.Path().string(), platform::PictureFolder::Kind::Home}, kShotTime, Picture());
    const std::vector<ScreenshotWriter::Finished> finished = WaitForFinished(writer, 2);
    ASSERT_EQ(finished.size(), 2u);
    EXPECT_FALSE(finished[0].saved);
    EXPECT_EQ(finished[0].Notice(), u"The screenshot could not be saved. (Kestrovan-261208-070509.jpg)");
    EXPECT_EQ(finished[1].Notice(),
              u"The screenshot has been saved to your home folder. (Kestrovan-261208-070509.jpg)");
}

// While four pictures wait, a fifth is dropped: its notice names no file, since the name it would be given now
// is the one a waiting picture takes (all five were asked in one second).
TEST(ScreenshotWriter, APictureDroppedWhileFourWaitIsReportedNotTakenWithoutAName) {
    kvtest::TempDirectory desktop;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> writing;
    bool first = true;
    ScreenshotWriter writer([&](const std::filesystem::path& path, const platform::gfx::DecodedImage&) {
        if (std::exchange(first, false)) {
            writing.set_value();
            released.wait();
        }
        std::ofstream(path) << "picture";
        return true;
    });
    writer.Save(Desktop(desktop.Path()), kShotTime, Picture());
    writing.get_future().wait();  // the worker holds the first picture
    for (size_t shot = 0; shot <= ScreenshotWriter::kMaxWaiting; ++shot)
        writer.Save(Desktop(desktop.Path()), kShotTime, Picture());
    const std::optional<ScreenshotWriter::Finished> dropped = writer.TakeFinished();
    ASSERT_TRUE(dropped.has_value());
    EXPECT_FALSE(dropped->saved);
    EXPECT_TRUE(dropped->path.empty()) << dropped->path;
    EXPECT_EQ(dropped->Notice(), u"The screenshot could not be taken.");
    release.set_value();
    const std::vector<ScreenshotWriter::Finished> saved = WaitForFinished(writer, 5);
    ASSERT_EQ(saved.size(), 5u);
    for (const auto& shot : saved) EXPECT_TRUE(shot.saved) << shot.path;
    EXPECT_EQ(FileNames(desktop.Path()).size(), 5u);
}

}  // namespace
}  // namespace kestrovan
