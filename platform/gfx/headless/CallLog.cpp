#include "platform/gfx/headless/CallLog.h"

#include <algorithm>

namespace platform::gfx {

void CallLog::Append(std::string line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
}

void CallLog::Clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

std::vector<std::string> CallLog::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

size_t CallLog::Count(std::string_view prefix) const {
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count_if(lines_.begin(), lines_.end(),
                                             [&](const std::string& line) { return line.starts_with(prefix); }));
}

bool CallLog::Contains(std::string_view line) const {
    std::lock_guard lock(mutex_);
    return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
}

std::string CallLog::Text() const {
    std::lock_guard lock(mutex_);
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

}  // namespace platform::gfx
