#pragma once
// Where widgets get their images: the interface textures and sprite animations of the resource-pack
// catalogue, by id. Texture id 35 means "no texture".
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/core/SharedPtr.h"

namespace kestrovan {

class SpriteAnimation;
class WidgetTexture;

class WidgetResources {
public:
    static constexpr int32_t kNoTexture = 35;

    virtual ~WidgetResources() = default;

    // The texture of that id; empty when there is none.
    virtual quill::SharedPtr<WidgetTexture> GetTextureById(int32_t id) = 0;
    // The sprite animation of that key; empty when there is none.
    virtual quill::SharedPtr<SpriteAnimation> GetSpriteAnimationById(int32_t id, int32_t value) = 0;
};

}  // namespace kestrovan
