#pragma once
// The decoder for a sound resource, chosen by its format: 0 WAVE, 1 Ogg Vorbis, anything else none.
#include <memory>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/sound/SoundDecoder.h"

namespace quill {

class SoundResource;

// Reads the resource's own bytes and keeps the resource alive. With open set the decoder is opened at once
// and null is returned when that fails (openResult then holds the decoder's code).
std::unique_ptr<SoundDecoder> CreateSoundDecoder(const SharedPtr<SoundResource>& resource, bool open,
                                                 int32_t* openResult = nullptr);

}  // namespace quill
