#pragma once
// Runs the process log for one test in a private folder and collects the lines it shows on the console
// (the ERROR and WARNING lines), so that a test can check what the code under test reported.
#include <stdlib.h>

#include <filesystem>
#include <mutex>
#include <string>

#include "QuillLib/core/LogSystem.h"
#include "platform/system/CodePage.h"
#include "platform/system/Console.h"
#include "tests/support/common/ConsoleCapture.h"
#include "tests/support/common/TempDirectory.h"

namespace quill::test {

class LogCapture {
public:
    LogCapture() {
        TheLog().SetDirectory(directory_.Wide());
        TheLog().Start(u"TestLog", 64, true);
    }
    ~LogCapture() { TheLog().Stop(); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The console text so far, once every line queued before the call is written.
    std::string Text() {
        TheLog().Flush(10000);
        return console_.Text();
    }

    bool Contains(const std::string& line) { return Text().find(line) != std::string::npos; }

private:
    kvtest::TempDirectory directory_;
    kvtest::ConsoleCapture console_;
};

}  // namespace quill::test
