// Loaded into a measured program (LD_PRELOAD) by bench_offline: counts the frames it presents, through SDL
// (this program) or through GLX (programs on GLUT), in the file that KV_SWAP_COUNTER names: two 64-bit counts,
// SDL's first. Presenting itself is left to the real functions.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>

namespace {

std::atomic<uint64_t>* Counts() {
    static std::atomic<uint64_t>* const counts = []() -> std::atomic<uint64_t>* {
        const char* path = std::getenv("KV_SWAP_COUNTER");
        if (path == nullptr) return nullptr;
        const int file = open(path, O_RDWR);
        if (file < 0) return nullptr;
        void* shared = mmap(nullptr, 2 * sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
        close(file);
        return shared == MAP_FAILED ? nullptr : static_cast<std::atomic<uint64_t>*>(shared);
    }();
    return counts;
}

void Count(int which) {
    if (std::atomic<uint64_t>* counts = Counts()) counts[which].fetch_add(1);
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(void* window) {
    using Swap = void (*)(void*);
    static const auto real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    Count(0);
    real(window);
}

extern "C" void glXSwapBuffers(void* display, unsigned long drawable) {
    using Swap = void (*)(void*, unsigned long);
    static const auto real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    Count(1);
    real(display, drawable);
}
