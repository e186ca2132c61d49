#include "client/app/ScreenshotPath.h"

#include <cstdio>
#include <string>
#include <system_error>

namespace kestrovan {

std::filesystem::path ScreenshotPath(const std::filesystem::path& folder, const platform::LocalTime& time) {
    char stem[32];
    std::snprintf(stem, sizeof stem, "Kestrovan-%02d%02d%02d-%02d%02d%02d", time.year % 100, time.month, time.day,
                  time.hour, time.minute, time.second);
    std::filesystem::path path = folder / (std::string(stem) + ".jpg");
    std::error_code error;
    for (int copy = 2; std::filesystem::exists(std::filesystem::symlink_status(path, error)); ++copy) {
        path = folder / (std::string(stem) + "-" + std::to_string(copy) + ".jpg");
    }
    return path;
}

bool IsScreenshotName(std::string_view name) {
    return name.starts_with("Kestrovan-") && name.ends_with(".jpg");
}

}  // namespace kestrovan
