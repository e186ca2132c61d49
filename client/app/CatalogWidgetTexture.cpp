#include "client/app/CatalogWidgetTexture.h"

namespace kestrovan {

// Without a device yet the texture is not held; it then draws nothing.
CatalogWidgetTexture::CatalogWidgetTexture(quill::SharedPtr<quill::Texture> texture)
    : texture_(std::move(texture)), acquired_(texture_->Acquire(false)) {}

CatalogWidgetTexture::~CatalogWidgetTexture() {
    if (acquired_)
        texture_->Release(false);
}

}  // namespace kestrovan
