#pragma once
// An interface texture of the resource-pack catalogue as the widgets hold it. While it is held, the texture
// item keeps its device texture (made when the hold begins, and again by the device after a reset), so the
// device texture is asked for at every draw.
//
// Threads: see the table in client/app/Scene.h.
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/Texture.h"
#include "client/ui/WidgetTexture.h"

namespace kestrovan {

class CatalogWidgetTexture : public WidgetTexture {
public:
    explicit CatalogWidgetTexture(quill::SharedPtr<quill::Texture> texture);
    ~CatalogWidgetTexture() override;
    CatalogWidgetTexture(const CatalogWidgetTexture&) = delete;
    CatalogWidgetTexture& operator=(const CatalogWidgetTexture&) = delete;

    platform::gfx::BaseTexture* GetDeviceTexture() override { return texture_->GetDeviceTexture(); }

private:
    quill::SharedPtr<quill::Texture> texture_;
    bool acquired_ = false;
};

}  // namespace kestrovan
