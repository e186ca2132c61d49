#pragma once
// The game server the login connects to: 127.0.0.1:7777 unless the [Server] section of "config.ini" names
// another (Host, Port). The program reads that section and never writes it.
#include <cstddef>
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct ServerAddress {
    static constexpr const char16_t* kDefaultHost = u"127.0.0.1";
    static constexpr uint16_t kDefaultPort = 7777;
    static constexpr size_t kMaximumHostLength = 255;  // the longest DNS name

    quill::WString host = kDefaultHost;
    uint16_t port = kDefaultPort;
};

}  // namespace kestrovan
