#pragma once
// A device font: draws lines of text straight onto the render target of a device (through Device::DrawSprite,
// so the device's states stay as they were).
//
// Threads: the device's thread.
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/gfx/Device.h"
#include "platform/gfx/FontFace.h"
#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {

class Font {
public:
    // Fails when no font can be opened for the description.
    static Result Create(Device& device, const FontDesc& desc, std::unique_ptr<Font>& out);

    // Draws one line placed in rect by the TextFormat flags; returns the height of the line, 0 on failure.
    int32_t DrawText(std::u16string_view text, const Rect& rect, uint32_t format, Color color);

    const FontDesc& GetDesc() const { return desc_; }

private:
    Font(Device& device, FontDesc desc, std::unique_ptr<FontFace> face);

    Device& device_;
    FontDesc desc_;
    std::unique_ptr<FontFace> face_;
};

}  // namespace platform::gfx
