#pragma once
// An interface texture of the resource-pack catalogue as the widgets hold it. The texture item makes its
// device texture once the device is set, and again after a reset, so the device texture is asked for at
// every draw.
//
// Threads: GetDeviceTexture on the main thread.
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/Texture.h"
#include "client/ui/WidgetTexture.h"

namespace kestrovan {

class CatalogWidgetTexture : public WidgetTexture {
public:
    explicit CatalogWidgetTexture(quill::SharedPtr<quill::Texture> texture) : texture_(std::move(texture)) {}

    platform::gfx::BaseTexture* GetDeviceTexture() override { return texture_->GetDeviceTexture(); }

private:
    quill::SharedPtr<quill::Texture> texture_;
};

}  // namespace kestrovan
