#pragma once
// A font for UI text: it measures strings, draws each string once into a row of a shared page texture and
// keeps the pages of its entries. Labels and the statistics overlay get one from the device
// (RenderDevice::GetTextSurface) and make TextEntry objects on it.
//
// Threads: measuring, Register and Unregister from any thread (under the surface's lock); Rasterise on the
// device's thread.
#include <cstdint>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/resource/TextRasteriser.h"
#include "platform/gfx/FontFace.h"
#include "platform/gfx/GfxStructs.h"

namespace quill {

class RenderDevice;
class TextEntry;

class TextSurface : public TextRasteriser {
public:
    virtual ~TextSurface() = default;

    virtual RenderDevice& GetDevice() = 0;
    // Width (advance) and cell height of a string in pixels.
    virtual platform::gfx::TextExtent MeasureText(WStringView text) = 0;
    // Gives the entry a page (by its width) and adds it there.
    virtual void Register(TextEntry& entry) = 0;
    // Takes the entry off its page; an emptied page goes.
    virtual void Unregister(TextEntry& entry) = 0;

    CriticalSectionLock& GetLock() { return lock_; }

protected:
    TextSurface() = default;
    TextSurface(const TextSurface&) = delete;
    TextSurface& operator=(const TextSurface&) = delete;

private:
    CriticalSectionLock lock_;
};

}  // namespace quill
