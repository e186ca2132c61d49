#pragma once
// Collects what the code under test writes to the console, for as long as the capture lives.
#include <mutex>
#include <string>
#include <string_view>

#include "platform/system/Console.h"

namespace kvtest {

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

}  // namespace kvtest
