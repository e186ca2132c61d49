#pragma once
// The text lines of the statistics overlay, shared by every scene: ten entries on the device's small dialog
// font, made the first time the overlay is drawn (and asked again next frame while the device or its font
// cannot be had), released when the scenes shut down.
//
// Threads: the main thread.
#include <array>
#include <cstddef>
#include <memory>

#include "QuillLib/render/TextEntry.h"

namespace quill {

class SceneRenderDevice;

class TextCache {
public:
    static constexpr size_t kLines = 10;
    static constexpr size_t kLinesDrawn = 9;
    static constexpr platform::gfx::Color kColor = 0xFF000000;

    ~TextCache() { Release(); }

    // Nothing when already made, without a device or without the font.
    void Create(SceneRenderDevice* device);
    void Release();
    bool IsCreated() const { return created_; }
    TextEntry* Line(size_t index) const { return lines_[index].get(); }

private:
    bool created_ = false;
    std::array<std::unique_ptr<TextEntry>, kLines> lines_;
};

}  // namespace quill
