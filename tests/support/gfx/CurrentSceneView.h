#pragma once
// What a screen's frame draws in the tests and benchmarks: the render-scene manager's current scene.
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/render/SceneView.h"

namespace kvtest {

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

}  // namespace kvtest
