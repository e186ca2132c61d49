#pragma once
// Name lookups as behind a name server that takes every query and answers none. In a program linked with this
// module (which exports its own getaddrinfo, ahead of the C library's), a lookup of any name in kDomain waits on
// the thread that asked, as the system's resolver waits for a silent server, until Release or kGivesUpAfter, and
// then fails as that resolver fails (EAI_AGAIN); every other name is looked up as usual. No network is touched.
//
// Threads: any.
#include <chrono>

namespace kvtest {

class SilentNameServer {
public:
    static constexpr const char* kDomain = "silent-name-server.test";
    // The system resolver's own bound for a server that stays silent: two tries of five seconds.
    static constexpr std::chrono::seconds kGivesUpAfter{10};

    // Lookups of the domain's names begun so far, and those still waiting.
    static int LookupsBegun();
    static int LookupsWaiting();
    // Waits up to limit until count lookups have begun.
    static bool WaitForLookups(int count, std::chrono::milliseconds limit);
    // Ends the lookups waiting now; the call returns once each has returned to its caller.
    static void Release();
};

}  // namespace kvtest
