#pragma once
// The one 1920 x 72 16-bit bitmap that every text surface draws its strings on before copying them into a
// page texture, with the lock the surfaces borrow it under.
//
// Threads: any, under the lock.
#include "QuillLib/core/CriticalSectionLock.h"
#include "platform/gfx/Canvas16.h"

namespace kestrovan {

class TextBitmap {
public:
    static constexpr uint32_t kWidth = 1920;
    static constexpr uint32_t kHeight = 72;

    // The process's bitmap.
    static TextBitmap& Shared();

    platform::gfx::Canvas16& GetCanvas() { return canvas_; }
    quill::CriticalSectionLock& GetLock() { return lock_; }

private:
    TextBitmap() : canvas_(kWidth, kHeight) {}

    platform::gfx::Canvas16 canvas_;
    quill::CriticalSectionLock lock_;
};

}  // namespace kestrovan
