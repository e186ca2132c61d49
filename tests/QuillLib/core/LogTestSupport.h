#pragma once
// The local time that the log and crash-path tests stamp their lines with, set by the test and put back
// when the fixture goes.
#include <mutex>

#include "platform/system/Clock.h"

namespace quill::test {

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
