#pragma once
// An interface texture as widgets hold it: a shared reference to a texture of the resource-pack catalogue
// (WidgetResources::GetTextureById). The device texture behind it may change when the device is reset, so
// renderers ask for it at every draw.
//
// Threads: see the table in client/app/Scene.h.

namespace platform::gfx {
class BaseTexture;
}

namespace kestrovan {

class WidgetTexture {
public:
    virtual ~WidgetTexture() = default;
    // The texture to draw with now; null while the device holds none for it.
    virtual platform::gfx::BaseTexture* GetDeviceTexture() = 0;
};

}  // namespace kestrovan
