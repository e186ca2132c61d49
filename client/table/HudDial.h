#pragma once
// An image of the table's HUD that turns about a pivot: the elevation dial, whose needle shows how steeply the
// cue is raised. The other widgets of the toolkit draw unturned.
//
// Threads: see the table in client/app/Scene.h.
#include "QuillLib/core/SharedPtr.h"
#include "client/ui/Image.h"

namespace kestrovan {

class HudDial : public Image {
public:
    // Keeps the texture for its own draw.
    void OnLoad(uint32_t arg, const quill::SharedPtr<WidgetTexture>& texture) override;
    // Draws the image turned by the angle about the pivot.
    void Update() override;

    // The point (in pixels of the drawn image, from its top-left) the dial turns about.
    void SetPivot(float x, float y);
    void SetRotation(float radians);
    float Rotation() const;

private:
    quill::SharedPtr<WidgetTexture> texture_;
    float pivotX_ = 0.0f;
    float pivotY_ = 0.0f;
    float rotation_ = 0.0f;
};

}  // namespace kestrovan
