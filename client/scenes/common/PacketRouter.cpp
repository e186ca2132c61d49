#include "client/scenes/common/PacketRouter.h"

#include <utility>

#include "QuillLib/core/AssertBreak.h"

namespace kestrovan {

void PacketRouter::Add(quill::MessageId id, Handler handler) {
    if (!routes_.try_emplace(id, std::move(handler)).second) quill::AssertBreak("PacketRouter", __LINE__);
}

bool PacketRouter::Deliver(quill::MessageId id, quill::Packet& packet) const {
    const auto route = routes_.find(id);
    if (route == routes_.end()) return false;
    route->second(packet);
    return true;
}

}  // namespace kestrovan
