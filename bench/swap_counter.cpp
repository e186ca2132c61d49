// Loaded into a measured program (LD_PRELOAD) by bench_offline: counts the frames it presents, through SDL
// (this program) or through GLX (programs on GLUT), in the file that KV_SWAP_COUNTER names: two 64-bit counts,
// SDL's first. A frame this program shows by copying part of the back buffer to the window (the GLX copy it
// looks up by name) counts with SDL's. Presenting itself is left to the real functions.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

using CopySubBuffer = void (*)(void*, unsigned long, int, int, int, int);
std::atomic<CopySubBuffer> realCopySubBuffer{nullptr};

void CountedCopySubBuffer(void* display, unsigned long drawable, int x, int y, int width, int height) {
    Count(0);
    realCopySubBuffer.load()(display, drawable, x, y, width, height);
}

// The function found under the name, the copy replaced by the one that counts.
void* Counting(const unsigned char* name, void* found) {
    if (found == nullptr || std::strcmp(reinterpret_cast<const char*>(name), "glXCopySubBufferMESA") != 0) {
        return found;
    }
    realCopySubBuffer.store(reinterpret_cast<CopySubBuffer>(found));
    return reinterpret_cast<void*>(&CountedCopySubBuffer);
}

}  // namespace

extern "C" void* glXGetProcAddressARB(const unsigned char* name) {
    using Lookup = void* (*)(const unsigned char*);
    static const auto real = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "glXGetProcAddressARB"));
    return Counting(name, real(name));
}

extern "C" void* glXGetProcAddress(const unsigned char* name) {
    using Lookup = void* (*)(const unsigned char*);
    static const auto real = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "glXGetProcAddress"));
    return Counting(name, real(name));
}

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
