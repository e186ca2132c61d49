#include "QuillLib/resource/SoundResource.h"

#include "QuillLib/core/FileStream.h"
#include "QuillLib/resource/ResourcePath.h"

namespace quill {

SoundResource::SoundResource(const SoundResource& other)
    : NamedObject(other), format_(other.format_), data_(other.data_) {}

void SoundResource::SetSource(WStringView fileName) {
    const WString extension = ToLowerString(GetFileExtension(fileName));
    if (extension == u"wav") {
        format_ = kWave;
    } else if (extension == u"ogg") {
        format_ = kOggVorbis;
    } else {
        return;
    }
    source_ = WString(fileName);
}

bool SoundResource::LoadFile(WStringView fileName) {
    FileStream file{WString(fileName)};
    if (!file.Open(FileStream::kRead)) {
        return false;
    }
    if (!AllocateData(file.Size()) || !data_.ReadFrom(file)) {
        return false;
    }
    SetSource(fileName);
    return true;
}

}  // namespace quill
