#include "client/scenes/gallery/GalleryExchange.h"

#include <utility>

#include "client/scenes/gallery/GalleryTransport.h"

namespace kestrovan {

GalleryExchange::GalleryExchange(GalleryTransport& transport) : transport_(transport) {
    thread_.Start([this] { Run(); });
}

GalleryExchange::~GalleryExchange() {
    {
        std::lock_guard hold(mutex_);
        stopping_ = true;
        GiveUpLocked();
    }
    wake_.notify_all();
    thread_.Join();
}

void GalleryExchange::Ask(std::string_view path, std::string body) {
    {
        std::lock_guard hold(mutex_);
        GiveUpLocked();
        asked_ = ++lastTicket_;
        waiting_ = Request{asked_, std::string(path), std::move(body)};
    }
    wake_.notify_all();
}

std::optional<GalleryExchange::Reply> GalleryExchange::Collect() {
    std::lock_guard hold(mutex_);
    std::optional<Reply> answer = std::move(answer_);
    answer_.reset();
    if (answer) {
        asked_ = 0;
    }
    return answer;
}

bool GalleryExchange::IsBusy() const {
    std::lock_guard hold(mutex_);
    return asked_ != 0;
}

void GalleryExchange::Cancel() {
    std::lock_guard hold(mutex_);
    GiveUpLocked();
    asked_ = 0;
}

void GalleryExchange::GiveUpLocked() {
    waiting_.reset();
    answer_.reset();
    if (running_ != 0) {
        cancelRunning_ = true;
    }
}

void GalleryExchange::Run() {
    std::unique_lock hold(mutex_);
    for (;;) {
        wake_.wait(hold, [this] { return stopping_ || waiting_.has_value(); });
        if (stopping_) {
            return;
        }
        const Request request = std::move(*waiting_);
        waiting_.reset();
        running_ = request.ticket;
        cancelRunning_ = false;
        hold.unlock();
        Reply reply = transport_.Post(request.path, request.body, cancelRunning_);
        hold.lock();
        running_ = 0;
        // A post given up meanwhile (asked again, cancelled) hands out nothing.
        if (request.ticket == asked_) {
            answer_ = std::move(reply);
        }
    }
}

}  // namespace kestrovan
