#include "platform/audio/vorbis/VorbisFile.h"

// The library's ready-made callback tables are static objects this file does not use.
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <cstdio>

#include "platform/system/Path.h"

namespace platform {
namespace {

size_t ReadSource(void* buffer, size_t size, size_t count, void* source) {
    if (size == 0) {
        return 0;
    }
    return static_cast<VorbisSource*>(source)->Read(buffer, size * count) / size;
}

int SeekSource(void* source, ogg_int64_t offset, int origin) {
    return static_cast<VorbisSource*>(source)->Seek(offset, origin) ? 0 : -1;
}

long TellSource(void* source) {
    return static_cast<long>(static_cast<VorbisSource*>(source)->Tell());
}

// The source belongs to the caller, so closing the stream leaves it alone.
int CloseNothing(void*) {
    return 0;
}

}  // namespace

VorbisFile::VorbisFile() : file_(std::make_unique<OggVorbis_File>()) {}

VorbisFile::~VorbisFile() {
    Clear();
}

int VorbisFile::Open(VorbisSource& source) {
    Clear();
    const ov_callbacks callbacks{ReadSource, SeekSource, CloseNothing, TellSource};
    const int result = ov_open_callbacks(&source, file_.get(), nullptr, 0, callbacks);
    open_ = result == 0;
    return result;
}

int VorbisFile::OpenFile(WStringView path) {
    Clear();
    FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) {
        return kCannotOpen;
    }
    // On success the stream owns the file and closes it when cleared; on failure it is ours to close.
    const int result = ov_open(file, file_.get(), nullptr, 0);
    if (result != 0) {
        std::fclose(file);
    }
    open_ = result == 0;
    return result;
}

void VorbisFile::Clear() {
    if (open_) {
        ov_clear(file_.get());
        open_ = false;
    }
}

int VorbisFile::Channels() const {
    const vorbis_info* info = open_ ? ov_info(file_.get(), -1) : nullptr;
    return info != nullptr ? info->channels : 0;
}

long VorbisFile::Rate() const {
    const vorbis_info* info = open_ ? ov_info(file_.get(), -1) : nullptr;
    return info != nullptr ? info->rate : 0;
}

long VorbisFile::Read(char* buffer, int bytes) {
    if (!open_) {
        return OV_EINVAL;
    }
    int bitstream = 0;
    return ov_read(file_.get(), buffer, bytes, /*bigendianp=*/0, /*word=*/2, /*sgned=*/1, &bitstream);
}

int VorbisFile::SeekToStart() {
    return open_ ? ov_pcm_seek(file_.get(), 0) : OV_EINVAL;
}

int64_t VorbisFile::PcmTotal() {
    return open_ ? ov_pcm_total(file_.get(), -1) : OV_EINVAL;
}

}  // namespace platform
