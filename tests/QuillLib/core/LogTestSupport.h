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
#include "tests/support/common/ConsoleCapture.h"
#include "tests/support/common/TempDirectory.h"
#include "platform/system/Clock.h"
#include "platform/system/CodePage.h"
#include "platform/system/Console.h"
#include "platform/system/Sleep.h"

namespace quill::test {

using kvtest::ConsoleCapture;
using kvtest::TempDirectory;

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
