#pragma once
// The kinds of service a connection of the internet layer can be made for.

namespace platform {

enum class InternetService {
    Ftp,
    Gopher,
    Http,
    Https,  // HTTP over TLS, with the server's certificate verified
};

}  // namespace platform
