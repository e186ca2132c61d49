#pragma once
// The manager of the 3D render scenes as the engine sees it. It is built by the rendering library and handed
// to the engine by the application's factory.
#include "QuillLib/core/EngineSubsystem.h"

namespace quill {

class RenderSceneManager : public EngineSubsystem {};

}  // namespace quill
