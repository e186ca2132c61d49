#pragma once
// What a screen does with the item previews in its widget tree: its render pass builds (or releases) the
// models of the previews that are shown, and leaving the screen, or hiding a dialog, lets go of them all.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
namespace quill {
class ResourceManager;
}

namespace kestrovan {

class D3D9RenderDevice;
class Widget;

// LoadModel on every preview in the shown part of the tree under root.
void LoadShownItemPreviews(Widget& root, quill::ResourceManager& resources, D3D9RenderDevice& device);
// ReleaseModel on every preview under root, shown or not.
void ReleaseItemPreviews(Widget& root);

}  // namespace kestrovan
