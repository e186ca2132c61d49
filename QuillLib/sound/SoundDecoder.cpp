#include "QuillLib/sound/SoundDecoder.h"

#include "QuillLib/resource/SoundResource.h"

namespace quill {

int32_t SoundDecoder::Open() {
    if (sourceStream_ != nullptr) {
        return OpenStream(*sourceStream_, kRead);
    }
    return OpenFile(fileName_, kRead, nullptr);
}

uint32_t SoundDecoder::GetTotalSize() {
    const bool wasOpen = open_;
    if (!wasOpen && Open() != 0) {
        return 0;
    }
    const uint32_t size = GetSize();
    if (!wasOpen) {
        Close();
    }
    return size;
}

}  // namespace quill
