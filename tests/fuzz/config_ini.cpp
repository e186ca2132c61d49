// config.ini as a user or another program may leave it: any bytes. Loading never fails and leaves every
// option in its range; what is saved loads back to the same options.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "client/app/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kestrovan::Settings settings;
    settings.Load(platform::ProfileDocument(text));
    if (settings.fsaa > 8 || settings.fsaa % 2 != 0 || settings.gamma < 50 || settings.gamma > 150 ||
        settings.cameraMode < 1 || settings.cameraMode > 3 || settings.bgmVolume > 100 || settings.language > 1) {
        std::abort();
    }
    platform::ProfileDocument saved(text);
    settings.Save(saved);
    kestrovan::Settings again;
    again.Load(platform::ProfileDocument(saved.Text()));
    if (again.IsModeGroupChanged(settings) || again.IsQualityGroupChanged(settings) ||
        again.IsControlGroupChanged(settings) || again.gamma != settings.gamma) {
        std::abort();
    }
    return 0;
}
