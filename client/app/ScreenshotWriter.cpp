#include "client/app/ScreenshotWriter.h"

#include <utility>

#include "client/app/ScreenshotPath.h"
#include "client/render/D3D9RenderDevice.h"

namespace kestrovan {

ScreenshotWriter::~ScreenshotWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_one();
    worker_.Join();
}

bool ScreenshotWriter::Save(std::filesystem::path folder, const platform::LocalTime& time,
                            platform::gfx::DecodedImage image) {
    Shot shot{std::move(folder), time, std::move(image)};
    if (!worker_.Joinable() && !worker_.Start([this] { Run(); }, platform::ThreadPriority::BelowNormal)) {
        Finished finished = Write(shot);
        std::lock_guard lock(mutex_);
        finished_.push_back(std::move(finished));
        return true;
    }
    {
        std::lock_guard lock(mutex_);
        if (shots_.size() >= kMaxWaiting) return false;
        shots_.push_back(std::move(shot));
    }
    queued_.notify_one();
    return true;
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

ScreenshotWriter::Finished ScreenshotWriter::Write(const Shot& shot) {
    Finished finished;
    finished.path = ScreenshotPath(shot.folder, shot.time);
    finished.saved = D3D9RenderDevice::WriteScreenshotFile(finished.path, shot.image);
    return finished;
}

}  // namespace kestrovan
