#include "QuillLib/sound/CreateSoundDecoder.h"

#include "QuillLib/resource/SoundResource.h"
#include "QuillLib/sound/OggDecoder.h"
#include "QuillLib/sound/WaveDecoder.h"

namespace quill {

std::unique_ptr<SoundDecoder> CreateSoundDecoder(const SharedPtr<SoundResource>& resource, bool open,
                                                 int32_t* openResult) {
    if (!resource) {
        return nullptr;
    }
    std::unique_ptr<SoundDecoder> decoder;
    switch (resource->Format()) {
        case SoundResource::kWave:
            decoder = std::make_unique<WaveDecoder>(resource->Data());
            break;
        case SoundResource::kOggVorbis:
            decoder = std::make_unique<OggDecoder>(resource->Data());
            break;
        default:
            return nullptr;
    }
    decoder->HoldSource(resource);
    if (open) {
        const int32_t result = decoder->Open();
        if (openResult != nullptr) {
            *openResult = result;
        }
        if (result != 0) {
            return nullptr;
        }
    }
    return decoder;
}

}  // namespace quill
