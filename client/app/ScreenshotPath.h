#pragma once
// Where a screenshot goes: "Kestrovan-yymmdd-hhmmss.jpg" in the folder, or with "-2", "-3", ... before the
// extension when a file of that name is there already (two shots in one second), so that no file is ever
// replaced while the files are written one after the other, as the screenshot writer's worker writes them.
// Any thread.
#include <filesystem>
#include <string_view>

#include "platform/system/Clock.h"

namespace kestrovan {

std::filesystem::path ScreenshotPath(const std::filesystem::path& folder, const platform::LocalTime& time);
// Whether a file name is of ScreenshotPath's form ("Kestrovan-" ... ".jpg").
bool IsScreenshotName(std::string_view name);

}  // namespace kestrovan
