#pragma once
// The engine's render-scene subsystem until the 3D scenes of the table are in the tree: it holds no scene.
#include "QuillLib/engine/RenderSceneManager.h"

namespace kestrovan {

class EmptyRenderSceneManager : public quill::RenderSceneManager {
public:
    bool Initialize() override { return true; }
    void Shutdown() override {}
};

}  // namespace kestrovan
