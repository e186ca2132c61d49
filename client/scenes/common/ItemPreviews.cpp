#include "client/scenes/common/ItemPreviews.h"

#include "client/scenes/common/ItemPreview.h"

namespace kestrovan {

void LoadShownItemPreviews(Widget& root, quill::ResourceManager& resources, D3D9RenderDevice& device) {
    OrbitPreview::ForEach<ItemPreview>(root, true, [&](ItemPreview& preview) { preview.LoadModel(resources, device); });
}

void ReleaseItemPreviews(Widget& root) {
    OrbitPreview::ForEach<ItemPreview>(root, false, [](ItemPreview& preview) { preview.ReleaseModel(); });
}

}  // namespace kestrovan
