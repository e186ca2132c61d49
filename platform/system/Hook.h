#pragma once
// A replaceable function shared between threads. Tests install one to observe or stand in for a system
// service (sleeping, the clocks, the console); installing an empty function restores the service.
//
// Callers copy the installed function out under the lock and call it outside, so a hook may be replaced
// while another thread is running the previous one. Instances live in never-destroyed storage (see the
// accessor functions next to each service), so threads still running during exit always find them.
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace platform {

template <class Signature>
class Hook {
public:
    using Function = std::function<Signature>;

    void Set(Function function) {
        std::shared_ptr<const Function> installed;
        if (function) {
            installed = std::make_shared<const Function>(std::move(function));
        }
        std::lock_guard lock(mutex_);
        function_ = std::move(installed);
    }

    // The installed function, or null when the real service is to be used.
    std::shared_ptr<const Function> Get() const {
        std::lock_guard lock(mutex_);
        return function_;
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const Function> function_;
};

}  // namespace platform
