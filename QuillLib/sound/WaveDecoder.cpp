#include "QuillLib/sound/WaveDecoder.h"

#include "QuillLib/sound/MmioWaveFile.h"
#include "QuillLib/sound/StreamWaveFile.h"
#include "platform/audio/AudioResult.h"

namespace quill {

int32_t WaveDecoder::OpenStream(Stream& stream, int mode) {
    return OpenWith(std::make_unique<StreamWaveFile>(stream), mode, nullptr);
}

int32_t WaveDecoder::OpenFile(WStringView name, int mode, const platform::WaveFormat* format) {
    return OpenWith(std::make_unique<MmioWaveFile>(WString(name)), mode, format);
}

int32_t WaveDecoder::OpenWith(std::unique_ptr<SoundFile> file, int mode, const platform::WaveFormat* format) {
    Close();
    const int32_t result = file->Open(mode, format);
    if (result != 0) {
        return result;
    }
    file_ = std::move(file);
    open_ = true;
    return 0;
}

int32_t WaveDecoder::Close() {
    open_ = false;
    if (!file_) {
        return 0;
    }
    const int32_t result = file_->Close();
    file_.reset();
    return result;
}

int32_t WaveDecoder::Read(void* buffer, uint32_t size, uint32_t& read) {
    read = 0;
    return file_ ? file_->Read(buffer, size, read) : platform::AudioResult::NotInitialized;
}

int32_t WaveDecoder::Write(const void* buffer, uint32_t size, uint32_t& written) {
    written = 0;
    return file_ ? file_->Write(buffer, size, written) : platform::AudioResult::NotInitialized;
}

int32_t WaveDecoder::Rewind() {
    return file_ ? file_->Rewind() : platform::AudioResult::NotInitialized;
}

const platform::WaveFormat* WaveDecoder::GetFormat() const {
    return file_ ? file_->GetFormat() : nullptr;
}

uint32_t WaveDecoder::GetSize() {
    return file_ ? file_->GetSize() : 0;
}

}  // namespace quill
