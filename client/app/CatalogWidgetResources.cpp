#include "client/app/CatalogWidgetResources.h"

#include "client/app/CatalogSpriteAnimation.h"
#include "client/app/CatalogWidgetTexture.h"
#include "client/app/ResourcePackCatalog.h"

namespace kestrovan {

quill::SharedPtr<WidgetTexture> CatalogWidgetResources::GetTextureById(int32_t id) {
    ResourcePackCatalog* catalog = catalog_();
    if (catalog == nullptr || id < 0 || id == kNoTexture)
        return {};
    quill::SharedPtr<quill::Texture> texture = catalog->GetSlotTexture(static_cast<size_t>(id));
    if (!texture)
        return {};
    return quill::make_shared<CatalogWidgetTexture>(std::move(texture));
}

quill::SharedPtr<SpriteAnimation> CatalogWidgetResources::GetSpriteAnimationById(int32_t id, int32_t value) {
    ResourcePackCatalog* catalog = catalog_();
    if (catalog == nullptr || id < 0 || value < 0)
        return {};
    quill::SharedPtr<quill::SpriteAnimation> animation =
        catalog->GetSlotAnimation(static_cast<size_t>(id), static_cast<uint32_t>(value));
    if (!animation)
        return {};
    return quill::make_shared<CatalogSpriteAnimation>(std::move(animation), device_);
}

}  // namespace kestrovan
