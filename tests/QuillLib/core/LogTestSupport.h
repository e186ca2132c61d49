#pragma once
// Fixtures of the log, pool and queue tests: a private folder, the local time, the console and sleeping,
// each put back when the fixture goes.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "QuillLib/core/WString.h"
#include "platform/system/Clock.h"
#include "platform/system/CodePage.h"
#include "platform/system/Console.h"
#include "platform/system/Sleep.h"

namespace quill::test {

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempDirectory {
public:
    TempDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-log-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    WString Wide() const { return platform::Utf8ToUtf16(path_.string()); }

    // Names of the files in the folder, sorted.
    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Read(const std::string& name) const {
        std::ifstream file(path_ / name, std::ios::binary);
        std::ostringstream contents;
        contents << file.rdbuf();
        return contents.str();
    }

private:
    std::filesystem::path path_;
};

// Collects everything written to the console.
class ConsoleCapture {
public:
    ConsoleCapture() {
        platform::SetConsoleSink([this](std::string_view text) {
            std::lock_guard lock(mutex_);
            text_ += text;
        });
    }
    ~ConsoleCapture() { platform::SetConsoleSink({}); }
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    std::string Text() const {
        std::lock_guard lock(mutex_);
        return text_;
    }

    size_t Count(std::string_view piece) const {
        const std::string text = Text();
        size_t count = 0;
        for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) {
            ++count;
        }
        return count;
    }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

// The local time that the code under test reads, set by the test.
class ManualLocalTime {
public:
    explicit ManualLocalTime(platform::LocalTime start) : time_(start) {
        platform::SetLocalTimeSource([this] {
            std::lock_guard lock(mutex_);
            return time_;
        });
    }
    ~ManualLocalTime() { platform::SetLocalTimeSource({}); }
    ManualLocalTime(const ManualLocalTime&) = delete;
    ManualLocalTime& operator=(const ManualLocalTime&) = delete;

    void Set(int year, int month, int day, int hour, int minute, int second) {
        std::lock_guard lock(mutex_);
        time_ = platform::LocalTime{year, month, day, hour, minute, second, 0, 0};
    }

private:
    std::mutex mutex_;
    platform::LocalTime time_;
};

}  // namespace quill::test
