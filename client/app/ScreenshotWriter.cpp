#include "client/app/ScreenshotWriter.h"

#include <utility>

#include "QuillLib/core/Format.h"
#include "client/app/ScreenshotPath.h"
#include "client/render/D3D9RenderDevice.h"
#include "platform/system/CodePage.h"

namespace kestrovan {

platform::WString ScreenshotWriter::Finished::Notice() const {
    if (path.empty()) return u"The screenshot could not be taken.";
    const platform::WString name = platform::Utf8ToUtf16(path.filename().string());
    if (!saved) return quill::Format(u"%s (%s)", u"The screenshot could not be saved.", name);
    const char16_t* where = u"The screenshot has been saved to your desktop.";
    if (folder == platform::PictureFolder::Kind::Home) where = u"The screenshot has been saved to your home folder.";
    if (folder == platform::PictureFolder::Kind::WorkingFolder) where = u"The screenshot has been saved to the game's folder.";
    return quill::Format(u"%s (%s)", where, name);
}

ScreenshotWriter::ScreenshotWriter(FileWriter write)
    : write_(write ? std::move(write) : FileWriter(&D3D9RenderDevice::WriteScreenshotFile)) {}

ScreenshotWriter::~ScreenshotWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_one();
    worker_.Join();
}

void ScreenshotWriter::Save(platform::PictureFolder folder, const platform::LocalTime& time,
                            platform::gfx::DecodedImage image) {
    Shot shot{std::move(folder), time, std::move(image)};
    if (!worker_.Joinable() && !worker_.Start([this] { Run(); }, platform::ThreadPriority::BelowNormal)) {
        Finished finished = Write(shot);
        std::lock_guard lock(mutex_);
        finished_.push_back(std::move(finished));
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (shots_.size() >= kMaxWaiting) {
            finished_.push_back(Finished{{}, false, shot.folder.kind});
            return;
        }
        shots_.push_back(std::move(shot));
    }
    queued_.notify_one();
}

std::optional<ScreenshotWriter::Finished> ScreenshotWriter::TakeFinished() {
    std::lock_guard lock(mutex_);
    if (finished_.empty()) return std::nullopt;
    Finished finished = std::move(finished_.front());
    finished_.pop_front();
    return finished;
}

// Writes what is queued, one picture after the other; at the stop, what is still queued first.
void ScreenshotWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        queued_.wait(lock, [this] { return stopping_ || !shots_.empty(); });
        if (shots_.empty()) return;
        const Shot shot = std::move(shots_.front());
        shots_.pop_front();
        lock.unlock();
        Finished finished = Write(shot);
        lock.lock();
        finished_.push_back(std::move(finished));
    }
}

ScreenshotWriter::Finished ScreenshotWriter::Write(const Shot& shot) const {
    Finished finished;
    finished.path = ScreenshotPath(shot.folder.path, shot.time);
    finished.saved = write_(finished.path, shot.image);
    finished.folder = shot.folder.kind;
    return finished;
}

}  // namespace kestrovan
