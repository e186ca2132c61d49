#include "QuillLib/resource/ResourceOptions.h"

#include <memory>

namespace quill {
namespace {

std::unique_ptr<ResourceOptions>& Record() {
    static std::unique_ptr<ResourceOptions> record;
    return record;
}

}  // namespace

void SetResourceOptions(uint8_t flag0, uint8_t keepNameIndex) {
    if (Record()) {
        return;
    }
    Record() = std::make_unique<ResourceOptions>(ResourceOptions{flag0, keepNameIndex, 0});
}

ResourceOptions& GetResourceOptions() {
    if (!Record()) {
        Record() = std::make_unique<ResourceOptions>();
    }
    return *Record();
}

}  // namespace quill
