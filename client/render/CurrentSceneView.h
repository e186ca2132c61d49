#pragma once
// What a screen's frame draws through the device's scene pass: the render-scene manager's current scene.
//
// Threads: the main thread.
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/render/SceneView.h"

namespace kestrovan {

class CurrentSceneView : public quill::SceneView {
public:
    explicit CurrentSceneView(quill::RenderSceneManager& manager) : manager_(manager) {}
    bool Render(quill::RenderDevice& /*device*/, float /*time*/) override {
        manager_.RenderCurrentScene();
        return true;
    }

private:
    quill::RenderSceneManager& manager_;
};

}  // namespace kestrovan
