#pragma once
// One window's exchange with the gallery's web site, made on a thread of its own, so that neither the drawing
// thread nor the game thread ever waits for the site, however slowly it answers or however long it stays
// silent. The window asks for a post (Ask) and takes the answer at a later frame (Collect). Asking again
// before the answer was taken gives the earlier post up: a post under way is cancelled, and its answer is
// never handed out. Cancel gives up without a new post (a visit that ends); the destructor cancels whatever
// runs and joins the thread at once.
//
// Threads: Ask, Collect and Cancel from any thread (the window's controls and the screen's frames); the post
// on the exchange's own thread, which touches nothing but the transport and this object's state.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system/Thread.h"

namespace kestrovan {

class GalleryTransport;

class GalleryExchange {
public:
    // A post's outcome: the reply's bytes, or nothing when the site failed.
    using Reply = std::optional<std::string>;

    // The transport must outlive the exchange.
    explicit GalleryExchange(GalleryTransport& transport);
    ~GalleryExchange();
    GalleryExchange(const GalleryExchange&) = delete;
    GalleryExchange& operator=(const GalleryExchange&) = delete;

    void Ask(std::string_view path, std::string body);
    // The reply of the last post asked, once it came (and once only); nothing while it is under way or when
    // no post was asked.
    std::optional<Reply> Collect();
    // A post was asked whose reply has not been collected.
    bool IsBusy() const;
    void Cancel();

private:
    struct Request {
        uint64_t ticket = 0;
        std::string path;
        std::string body;
    };

    void Run();
    // The caller holds the mutex.
    void GiveUpLocked();

    GalleryTransport& transport_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    uint64_t lastTicket_ = 0;
    uint64_t asked_ = 0;  // the ticket of the post whose reply is wanted; 0: none
    std::optional<Request> waiting_;
    uint64_t running_ = 0;  // the ticket of the post under way, 0: none
    std::atomic<bool> cancelRunning_{false};
    std::optional<Reply> answer_;
    bool stopping_ = false;
    platform::Thread thread_;
};

}  // namespace kestrovan
