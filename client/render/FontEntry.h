#pragma once
// One device font of the device's font cache: a face, height, weight and italic flag with the font that draws
// text straight onto the screen. Released while the device is lost and made again after the reset.
//
// Threads: any, under the entry's lock.
#include <cstdint>
#include <memory>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/WString.h"
#include "platform/gfx/Font.h"

namespace kestrovan {

class FontEntry {
public:
    FontEntry(platform::gfx::Device* device, quill::WStringView face, int32_t height, uint32_t weight, bool italic);

    // Releases what the entry holds, then opens the font; false (and nothing held) on failure.
    bool Create(platform::gfx::Device* device);
    void Release();

    bool Matches(quill::WStringView face, int32_t height, uint32_t weight, bool italic) const;
    // Null while released.
    platform::gfx::Font* GetFont() const { return font_.get(); }

private:
    quill::CriticalSectionLock lock_;
    platform::gfx::Device* device_;
    quill::WString face_;
    int32_t height_;
    uint32_t weight_;
    bool italic_;
    std::unique_ptr<platform::gfx::Font> font_;
};

}  // namespace kestrovan
