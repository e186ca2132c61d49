#pragma once
// Runs the process log for one test in a private folder and collects the lines it shows on the console
// (the ERROR and WARNING lines), so that a test can check what the network code reported.
#include <stdlib.h>

#include <filesystem>
#include <mutex>
#include <string>

#include "QuillLib/core/LogSystem.h"
#include "platform/system/CodePage.h"
#include "platform/system/Console.h"

namespace quill::test {

class LogCapture {
public:
    LogCapture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-net-XXXXXX").string();
        directory_ = mkdtemp(pattern.data());
        platform::SetConsoleSink([this](std::string_view text) {
            std::lock_guard hold(mutex_);
            text_ += text;
        });
        TheLog().SetDirectory(platform::Utf8ToUtf16(directory_.string()));
        TheLog().Start(u"NetTest", 64, true);
    }
    ~LogCapture() {
        TheLog().Stop();
        platform::SetConsoleSink({});
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The console text so far, once every line queued before the call is written.
    std::string Text() {
        TheLog().Flush(10000);
        std::lock_guard hold(mutex_);
        return text_;
    }

    bool Contains(const std::string& line) { return Text().find(line) != std::string::npos; }

private:
    std::filesystem::path directory_;
    std::mutex mutex_;
    std::string text_;
};

}  // namespace quill::test
