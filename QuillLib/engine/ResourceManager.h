#pragma once
// The resource manager as the engine sees it: the subsystem that owns the open packages. It is built by the
// resource library and handed to the engine by the application's factory.
#include "QuillLib/engine/EngineSubsystem.h"

namespace quill {

class ResourceManager : public EngineSubsystem {};

}  // namespace quill
