#pragma once
// The widgets' images from the resource-pack catalogue: a texture id is a catalogue slot (35 none), an
// animation is the slot's sprite animation of that id. The catalogue and the device are asked for at every
// call, so the widgets may load before the packs are open (they then get nothing and try again at their
// next load).
//
// Threads: see the table in client/app/Scene.h.
#include <functional>

#include "client/ui/WidgetResources.h"

namespace kestrovan {

class D3D9RenderDevice;
class ResourcePackCatalog;

class CatalogWidgetResources : public WidgetResources {
public:
    using CatalogSource = std::function<ResourcePackCatalog*()>;
    using DeviceSource = std::function<D3D9RenderDevice*()>;

    CatalogWidgetResources(CatalogSource catalog, DeviceSource device)
        : catalog_(std::move(catalog)), device_(std::move(device)) {}

    quill::SharedPtr<WidgetTexture> GetTextureById(int32_t id) override;
    quill::SharedPtr<SpriteAnimation> GetSpriteAnimationById(int32_t id, int32_t value) override;

private:
    CatalogSource catalog_;
    DeviceSource device_;
};

}  // namespace kestrovan
