#include "platform/http/CurlLibrary.h"

#include <dlfcn.h>

#include <cstdio>
#include <mutex>

namespace platform {
namespace {

// The soname of the libcurl this program is built against (its ABI version 4).
constexpr const char* kLibraryName = "libcurl.so.4";

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

}  // namespace

const CurlLibrary* CurlLibrary::Load() {
    static std::once_flag once;
    static CurlLibrary library;
    static bool loaded = false;
    std::call_once(once, [] { loaded = library.Open(); });
    return loaded ? &library : nullptr;
}

bool CurlLibrary::Open() {
    void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "HTTP is unavailable: %s\n", dlerror());
        return false;
    }
    const bool resolved =
        Resolve(library, "curl_global_init", global_init_) && Resolve(library, "curl_easy_init", easy_init) &&
        Resolve(library, "curl_easy_setopt", easy_setopt) && Resolve(library, "curl_easy_perform", easy_perform) &&
        Resolve(library, "curl_easy_getinfo", easy_getinfo) && Resolve(library, "curl_easy_cleanup", easy_cleanup) &&
        Resolve(library, "curl_slist_append", slist_append) &&
        Resolve(library, "curl_slist_free_all", slist_free_all) && Resolve(library, "curl_multi_init", multi_init) &&
        Resolve(library, "curl_multi_add_handle", multi_add_handle) &&
        Resolve(library, "curl_multi_remove_handle", multi_remove_handle) &&
        Resolve(library, "curl_multi_perform", multi_perform) && Resolve(library, "curl_multi_poll", multi_poll) &&
        Resolve(library, "curl_multi_info_read", multi_info_read) &&
        Resolve(library, "curl_multi_cleanup", multi_cleanup);
    if (!resolved) {
        std::fprintf(stderr, "HTTP is unavailable: %s lacks a function (%s)\n", kLibraryName, dlerror());
        return false;
    }
    // libcurl's global set-up is not thread-safe: it runs here, once, under the once flag.
    return global_init_(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

}  // namespace platform
