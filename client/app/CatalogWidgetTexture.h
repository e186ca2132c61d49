#pragma once
// An interface texture of the resource-pack catalogue as the widgets hold it. The texture item makes its
// device texture when it is first acquired (counted, once the device is set) and again after a reset, so the
// holder acquires it at its first draw, asks for the device texture at every draw and releases it when the
// last widget lets the texture go.
//
// Threads: GetDeviceTexture and the destructor on the main thread.
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/Texture.h"
#include "client/ui/WidgetTexture.h"

namespace kestrovan {

class CatalogWidgetTexture : public WidgetTexture {
public:
    explicit CatalogWidgetTexture(quill::SharedPtr<quill::Texture> texture) : texture_(std::move(texture)) {}
    ~CatalogWidgetTexture() override {
        if (acquired_) texture_->Release(false);
    }
    CatalogWidgetTexture(const CatalogWidgetTexture&) = delete;
    CatalogWidgetTexture& operator=(const CatalogWidgetTexture&) = delete;

    platform::gfx::BaseTexture* GetDeviceTexture() override {
        if (!acquired_) acquired_ = texture_->Acquire(false);
        return texture_->GetDeviceTexture();
    }

private:
    quill::SharedPtr<quill::Texture> texture_;
    bool acquired_ = false;
};

}  // namespace kestrovan
