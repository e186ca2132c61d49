#pragma once
// What a recording graphics system pretends to be and how its calls answer: the adapter's capabilities,
// formats, modes and memory, scripted results per call name, and the call log. Tests build one, hand it
// to the system and keep it to script calls and read the log.
//
// Threads: script results before the calls they answer; the log may be read at any time.
#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStructs.h"
#include "platform/gfx/headless/CallLog.h"

namespace platform::gfx {

struct RecordingAdapter {
    std::optional<std::u16string> runtimeVersion = u"4.09.00.0904";
    DeviceCaps caps = CapableAdapter();
    DisplayModeInfo desktop{1024, 768, 60, Format::X8R8G8B8};
    // The client area of the window a windowed device presents into (its back buffer size when the
    // presentation parameters leave the size 0).
    uint32_t windowWidth = 800;
    uint32_t windowHeight = 600;
    // Formats CheckDeviceFormat refuses for render targets, depth buffers and textures.
    std::set<Format> refusedRenderTargets;
    std::set<Format> refusedDepthFormats;
    std::set<Format> refusedTextureFormats;
    // Depth formats CheckDepthStencilMatch refuses.
    std::set<Format> mismatchedDepthFormats;
    std::set<uint32_t> multiSampleTypes{2, 4};
    std::map<Format, std::vector<DisplayModeInfo>> modes;
    uint32_t availableTextureMemory = 256u << 20;
    uint32_t totalVideoMemory = 128u << 20;
    uint32_t freeVideoMemory = 96u << 20;
    bool videoMemoryQueryWorks = true;

    static DeviceCaps CapableAdapter();
};

class RecordingSetup {
public:
    RecordingAdapter adapter;
    CallLog log;

    // The next call of that name answers result instead of its usual one; several queue up in order.
    void Script(std::string_view call, Result result);
    // The scripted answer of the next such call, if any (taken off the queue).
    std::optional<Result> TakeScripted(std::string_view call);

private:
    std::mutex mutex_;
    std::map<std::string, std::deque<Result>, std::less<>> scripted_;
    // Read without the lock, so that an unscripted device (the null device) never waits for it.
    std::atomic<bool> anyScripted_{false};
};

}  // namespace platform::gfx
