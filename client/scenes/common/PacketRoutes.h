#pragma once
// A screen's table from server message id to handler: the routes stand in one constant array, which the
// screen checks at compile time to hold each id once, and a message's handler is found in it by its id.
// Pure, header-only.
#include <algorithm>
#include <cstddef>
#include <iterator>

#include "QuillLib/net/MessageId.h"

namespace kestrovan {

template <class Handler>
struct PacketRoute {
    quill::MessageId id;
    Handler handler;
};

// Whether no two routes share an id.
template <class Handler, size_t N>
constexpr bool EachIdRoutedOnce(const PacketRoute<Handler> (&routes)[N]) {
    for (size_t a = 0; a < N; ++a) {
        for (size_t b = a + 1; b < N; ++b) {
            if (routes[a].id == routes[b].id) return false;
        }
    }
    return true;
}

// The handler of the route for id; a null handler when none has it.
template <class Handler, size_t N>
Handler FindPacketRoute(const PacketRoute<Handler> (&routes)[N], quill::MessageId id) {
    const auto route =
        std::find_if(std::begin(routes), std::end(routes), [id](const PacketRoute<Handler>& r) { return r.id == id; });
    return route != std::end(routes) ? route->handler : Handler{};
}

}  // namespace kestrovan
