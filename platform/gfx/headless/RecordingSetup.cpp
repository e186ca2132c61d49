#include "platform/gfx/headless/RecordingSetup.h"

namespace platform::gfx {

DeviceCaps RecordingAdapter::CapableAdapter() {
    DeviceCaps caps;
    caps.presentImmediate = true;
    caps.anisotropicFilter = true;
    caps.tableFog = true;
    caps.bumpEnvMap = true;
    caps.cubeMap = true;
    caps.hardwareTransformAndLight = true;
    caps.maxAnisotropy = 16;
    caps.maxTextureWidth = 4096;
    caps.maxTextureHeight = 4096;
    caps.maxTextureBlendStages = 8;
    caps.maxSimultaneousTextures = 8;
    caps.maxActiveLights = 8;
    return caps;
}

void RecordingSetup::Script(std::string_view call, Result result) {
    std::lock_guard lock(mutex_);
    auto found = scripted_.find(call);
    if (found == scripted_.end()) {
        found = scripted_.emplace(std::string(call), std::deque<Result>{}).first;
    }
    found->second.push_back(result);
    anyScripted_.store(true, std::memory_order_release);
}

std::optional<Result> RecordingSetup::TakeScripted(std::string_view call) {
    if (!anyScripted_.load(std::memory_order_acquire)) {
        return std::nullopt;
    }
    std::lock_guard lock(mutex_);
    const auto found = scripted_.find(call);
    if (found == scripted_.end() || found->second.empty()) {
        return std::nullopt;
    }
    const Result result = found->second.front();
    found->second.pop_front();
    return result;
}

}  // namespace platform::gfx
