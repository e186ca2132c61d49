#include "QuillLib/core/AssertBreak.h"

#include <cstdlib>
#include <utility>

#include "QuillLib/core/LogSystem.h"
#include "platform/system/Hook.h"

namespace quill {
namespace {

constexpr uint32_t kFlushTimeoutMs = 2000;

platform::Hook<void(const char*, int)>& BreakHook() {
    static auto* const hook = new platform::Hook<void(const char*, int)>;
    return *hook;
}

}  // namespace

void AssertBreak(const char* file, int line) {
    TheLog().LogError(u"BREAK : %hs  %d\n", file, line);
    TheLog().Flush(kFlushTimeoutMs);
    if (auto hook = BreakHook().Get()) {
        (*hook)(file, line);
    }
    std::abort();
}

void SetBreakHook(std::function<void(const char* file, int line)> hook) {
    BreakHook().Set(std::move(hook));
}

}  // namespace quill
