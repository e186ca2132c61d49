#pragma once
// The calls a recording device received, one line each ("SetRenderState(22, 3)"), for tests to read. A
// disabled log (the null device of a headless run) keeps nothing.
//
// Threads: any; lines are appended under a lock.
#include <cstddef>
#include <mutex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gfx {

class CallLog {
public:
    bool IsEnabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // Appends "name(arg, arg, ...)" when enabled.
    template <class... Args>
    void Record(std::string_view name, const Args&... args) {
        if (!enabled_) return;
        std::ostringstream line;
        line << name << '(';
        [[maybe_unused]] const char* separator = "";
        ((line << separator << args, separator = ", "), ...);
        line << ')';
        Append(line.str());
    }

    void Append(std::string line);
    void Clear();
    std::vector<std::string> Lines() const;
    // Lines that start with prefix ("SetRenderState(22," counts one state).
    size_t Count(std::string_view prefix) const;
    bool Contains(std::string_view line) const;
    // The lines joined by newlines, for failure messages.
    std::string Text() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    bool enabled_ = true;
};

}  // namespace platform::gfx
