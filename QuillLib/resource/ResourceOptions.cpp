#include "QuillLib/resource/ResourceOptions.h"

#include <memory>
#include <mutex>

namespace quill {
namespace {

// The record and the lock under which it is created: tables are made on several threads at once (the data
// generator's workers), and each asks for the record.
struct Holder {
    std::mutex lock;
    std::unique_ptr<ResourceOptions> record;
};

Holder& TheHolder() {
    static Holder holder;
    return holder;
}

}  // namespace

void SetResourceOptions(uint8_t flag0, uint8_t keepNameIndex) {
    Holder& holder = TheHolder();
    const std::lock_guard<std::mutex> hold(holder.lock);
    if (!holder.record) {
        holder.record = std::make_unique<ResourceOptions>(ResourceOptions{flag0, keepNameIndex, 0});
    }
}

ResourceOptions& GetResourceOptions() {
    Holder& holder = TheHolder();
    const std::lock_guard<std::mutex> hold(holder.lock);
    if (!holder.record) {
        holder.record = std::make_unique<ResourceOptions>();
    }
    return *holder.record;
}

}  // namespace quill
