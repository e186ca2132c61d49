#include "QuillLib/render/TextCache.h"

#include "QuillLib/render/SceneRenderDevice.h"

namespace quill {

void TextCache::Create(SceneRenderDevice* device) {
    if (created_ || device == nullptr) return;
    TextSurface* surface = device->GetTextSurface(u"MS Shell Dlg", 12, 0, false, 0);
    if (surface == nullptr) return;
    TextStyle style;
    style.color = kColor;
    for (auto& line : lines_) {
        line = std::make_unique<TextEntry>(*surface);
        line->SetStyle(style);
    }
    created_ = true;
}

void TextCache::Release() {
    if (!created_) return;
    for (auto& line : lines_) line.reset();
    created_ = false;
}

}  // namespace quill
