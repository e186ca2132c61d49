#pragma once
// What the device's per-frame scene draw calls: the current 3D scene's render operation.
//
// Threads: the main thread.

namespace quill {

class RenderDevice;

class SceneView {
public:
    virtual ~SceneView() = default;
    virtual bool Render(RenderDevice& device, float time) = 0;
};

}  // namespace quill
