#pragma once
// Screenshots written off the frame. The frame hands over its pixels with the folder and the time of the shot;
// a worker thread names the file (ScreenshotPath, one picture after the other, so that two shots of one second
// never take one name), encodes the JPEG and writes it, under its final name only once it is whole; the frame
// later takes what became of each, to say so: saved, not saved, or not taken at all (dropped while too many
// waited). Destroying the writer finishes every picture handed over first: a program closed right after F12
// leaves the picture whole on the desktop.
//
// Threads: Save, TakeFinished and the destructor on one thread (the main thread); the worker, started by the
// first Save, its own.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>

#include "platform/gfx/StandardImageCodec.h"
#include "platform/system/Clock.h"
#include "platform/system/SpecialFolder.h"
#include "platform/system/Thread.h"
#include "platform/system/WString.h"

namespace kestrovan {

class ScreenshotWriter {
public:
    // A picture written (saved) or not, and the file it was to be; a picture not taken has no file.
    struct Finished {
        std::filesystem::path path;
        bool saved = false;
        platform::PictureFolder::Kind folder = platform::PictureFolder::Kind::Desktop;

        // What the notice tells the player: where the picture went, by its file's name, or that it did not.
        platform::WString Notice() const;
    };
    // Writes a whole picture to its file; false when it could not.
    using FileWriter = std::function<bool(const std::filesystem::path&, const platform::gfx::DecodedImage&)>;

    // Pictures are written as JPEG files (D3D9RenderDevice::WriteScreenshotFile), or by the writer given.
    explicit ScreenshotWriter(FileWriter write = {});
    ~ScreenshotWriter();
    ScreenshotWriter(const ScreenshotWriter&) = delete;
    ScreenshotWriter& operator=(const ScreenshotWriter&) = delete;

    // Pictures waiting at most (a held key asks for one a frame; each holds a whole frame's pixels).
    static constexpr size_t kMaxWaiting = 4;

    // Queues the picture for the folder; when no worker can be started it is written here and now. While
    // kMaxWaiting pictures wait the picture is dropped, and reported not taken: a name it was never given could
    // be the one a waiting picture takes.
    void Save(platform::PictureFolder folder, const platform::LocalTime& time, platform::gfx::DecodedImage image);
    // The oldest picture written since the last call, if any.
    std::optional<Finished> TakeFinished();

private:
    struct Shot {
        platform::PictureFolder folder;
        platform::LocalTime time;
        platform::gfx::DecodedImage image;
    };

    void Run();
    Finished Write(const Shot& shot) const;

    FileWriter write_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<Shot> shots_;
    std::deque<Finished> finished_;
    bool stopping_ = false;
    platform::Thread worker_;
};

}  // namespace kestrovan
