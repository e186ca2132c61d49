#include "client/scenes/common/ItemPreviews.h"

#include "client/scenes/common/ItemPreview.h"

namespace kestrovan {

namespace {

template <class Visit>
void ForEachPreview(Widget& node, bool shownOnly, const Visit& visit) {
    if (shownOnly && !node.IsVisible()) return;
    if (auto* preview = dynamic_cast<ItemPreview*>(&node)) visit(*preview);
    for (Widget* child : node.GetChildren()) ForEachPreview(*child, shownOnly, visit);
}

}  // namespace

void LoadShownItemPreviews(Widget& root, quill::ResourceManager& resources, D3D9RenderDevice& device) {
    ForEachPreview(root, true, [&](ItemPreview& preview) { preview.LoadModel(resources, device); });
}

void ReleaseItemPreviews(Widget& root) {
    ForEachPreview(root, false, [](ItemPreview& preview) { preview.ReleaseModel(); });
}

}  // namespace kestrovan
