#pragma once
// A sprite animation of the resource-pack catalogue as an animated image plays it: the engine's animation
// tree, placed at the image's corner, advanced by seconds and drawn on the render device.
//
// Threads: see the table in client/app/Scene.h.
#include <functional>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/SpriteAnimation.h"
#include "client/ui/SpriteAnimation.h"

namespace kestrovan {

class D3D9RenderDevice;

class CatalogSpriteAnimation : public SpriteAnimation {
public:
    using DeviceSource = std::function<D3D9RenderDevice*()>;

    CatalogSpriteAnimation(quill::SharedPtr<quill::SpriteAnimation> animation, DeviceSource device);

    void SetPlayMode(int32_t mode) override;
    void SetDrawMode(int32_t mode) override { drawMode_ = mode; }
    void SetPosition(float x, float y) override;
    void Rewind() override { animation_->Reset(); }
    void Restart() override { animation_->Start(); }
    int32_t Advance(float seconds) override;
    void Draw(uint32_t updateArg) override;

private:
    quill::SharedPtr<quill::SpriteAnimation> animation_;
    DeviceSource device_;
    int32_t drawMode_ = 0;
};

}  // namespace kestrovan
