#include "tests/support/lookup/SilentNameServer.h"

#include <dlfcn.h>
#include <netdb.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string_view>

namespace kvtest {
namespace {

struct Lookups {
    std::mutex mutex;
    std::condition_variable changed;
    int begun = 0;
    int waiting = 0;
    int ended = 0;
    unsigned releases = 0;  // each Release ends the lookups that began before it
};

Lookups& State() {
    static Lookups lookups;
    return lookups;
}

bool IsSilentName(std::string_view name) {
    const std::string_view domain = SilentNameServer::kDomain;
    return name == domain || (name.size() > domain.size() && name.ends_with(domain) &&
                              name[name.size() - domain.size() - 1] == '.');
}

int WaitForNoAnswer() {
    Lookups& lookups = State();
    std::unique_lock hold(lookups.mutex);
    ++lookups.begun;
    ++lookups.waiting;
    lookups.changed.notify_all();
    const unsigned release = lookups.releases;
    lookups.changed.wait_for(hold, SilentNameServer::kGivesUpAfter, [&] { return lookups.releases != release; });
    --lookups.waiting;
    ++lookups.ended;
    lookups.changed.notify_all();
    return EAI_AGAIN;
}

}  // namespace

int SilentNameServer::LookupsBegun() {
    std::lock_guard hold(State().mutex);
    return State().begun;
}

int SilentNameServer::LookupsWaiting() {
    std::lock_guard hold(State().mutex);
    return State().waiting;
}

bool SilentNameServer::WaitForLookups(int count, std::chrono::milliseconds limit) {
    std::unique_lock hold(State().mutex);
    return State().changed.wait_for(hold, limit, [&] { return State().begun >= count; });
}

void SilentNameServer::Release() {
    std::unique_lock hold(State().mutex);
    const int target = State().ended + State().waiting;
    ++State().releases;
    State().changed.notify_all();
    State().changed.wait(hold, [&] { return State().ended >= target; });
}

}  // namespace kvtest

// Every lookup of the program comes here first: the executable exports it, so it is found before the C library's
// (and before a sanitizer's interceptor), also by libraries loaded later.
extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** result) {
    if (node != nullptr && kvtest::IsSilentName(node)) {
        return kvtest::WaitForNoAnswer();
    }
    using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    static const auto next = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "getaddrinfo"));
    return next(node, service, hints, result);
}
