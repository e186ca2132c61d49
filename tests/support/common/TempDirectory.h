#pragma once
// A private temporary folder for one test, removed with everything in it when the test ends.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/system/CodePage.h"
#include "platform/system/WString.h"

namespace kvtest {

using platform::WString;

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempDirectory {
public:
    TempDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-test-XXXXXX").string();
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
    WString Wide(const std::string& child) const { return platform::Utf8ToUtf16((path_ / child).string()); }

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

}  // namespace kvtest
