#pragma once
// An image driven by a sprite animation of the resource-pack catalogue: hidden until played, advanced by the
// elapsed time on every second tick, and hidden again when a play-once animation ends.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/core/SharedPtr.h"
#include "client/ui/Widget.h"

namespace kestrovan {

class SpriteAnimation;

class AnimatedImage : public Widget {
public:
    AnimatedImage();
    ~AnimatedImage() override;

    // Fetches the animation; the widget hides until played.
    void OnLoad(uint32_t arg, const quill::SharedPtr<WidgetTexture>& texture) override;
    void OnMove() override;
    void Update() override;
    void Tick(uint32_t now) override;

    // The catalogue key of the animation.
    void SetAnimation(int32_t animationId, int32_t animationValue);
    // Restarts the animation in the play mode and shows the widget.
    void Play(int32_t mode);
    bool IsPlaying() const { return playing_; }

private:
    static constexpr int32_t kDrawMode = 2;

    bool playing_ = false;
    bool tickParity_ = false;
    uint32_t lastTick_;
    int32_t animationId_ = 35;
    int32_t animationValue_ = -1;
    quill::SharedPtr<SpriteAnimation> animation_;
};

}  // namespace kestrovan
