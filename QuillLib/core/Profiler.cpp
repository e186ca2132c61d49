#include "QuillLib/core/Profiler.h"

#include "platform/system/Clock.h"

namespace quill {

Profiler::Profiler() : frequency_(platform::QueryPerformanceFrequency()) {}

Profiler& Profiler::Instance() {
    static Profiler profiler;
    return profiler;
}

}  // namespace quill
