#pragma once
// The sound manager as the engine sees it. It is built by the sound library and handed to the engine by the
// application's factory; a machine without a working sound device starts without sound, so the engine does
// not look at its Initialize result.
#include "QuillLib/core/EngineSubsystem.h"

namespace quill {

class SoundManager : public EngineSubsystem {};

}  // namespace quill
