#pragma once
// A screen's routes from server message id to handler, added by the parts of the screen that hold what each
// message changes: every part adds the routes of its own messages while the screen is made, and the screen
// hands each message to the handler of its id. An id has one route: a second route for it is a programming
// error and ends the program (AssertBreak), so that no part's route can hide another's.
//
// Threads: routes are added while the screen is made; Deliver runs in its OnPacket (client/app/Scene.h), once every
// route is in.
#include <functional>
#include <unordered_map>

#include "QuillLib/net/MessageId.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class PacketRouter {
public:
    using Handler = std::function<void(quill::Packet& packet)>;

    void Add(quill::MessageId id, Handler handler);
    // Hands the packet to the handler of its id; false when no route has the id (the message changes nothing).
    bool Deliver(quill::MessageId id, quill::Packet& packet) const;

private:
    std::unordered_map<quill::MessageId, Handler> routes_;
};

}  // namespace kestrovan
