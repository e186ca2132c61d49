#pragma once
// A model the table shows, hides, places and draws: a ball, a marker, the cue, the ambient effect, the table
// environment's parts. TableModelObject is the render tree's model object behind it; tests record the calls.
//
// Threads: only a screen's entries call it (client/app/Scene.h); it is prepared, uploaded and drawn on the main
// thread only; the game thread only shows and places it.
namespace quill {
class Camera;
struct Transform;
}  // namespace quill

namespace kestrovan {

class D3D9RenderDevice;

class TableModelNode {
public:
    virtual ~TableModelNode() = default;
    // Shows or hides the model and its children.
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    // Places the model (its world transform).
    virtual void SetTransform(const quill::Transform& transform) = 0;

    // Writes the model's geometry into its static batches (after the batcher prepared its buffers).
    virtual void UploadStatic() = 0;
    // Classifies the model's parts against the view it is about to be drawn in.
    virtual void PrepareForView(const quill::Camera& view) = 0;
    virtual void AdvanceAnimation(float elapsed) = 0;
    // Draws the model's object tree at the alpha (1 opaque; below 1 blended).
    virtual void Draw(D3D9RenderDevice& device, float alpha) = 0;
};

}  // namespace kestrovan
