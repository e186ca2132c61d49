#pragma once
// A packet of one message whose payload is a client record laid out by the record's own description, the one
// the client's reader follows: the builders of the tests write no layout of their own.
#include "QuillLib/net/FieldWriter.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"

namespace kvtest {

template <class M, class... Context>
quill::Packet BuiltMessage(quill::MessageId id, const M& message, Context... context) {
    quill::Packet packet;
    packet.Init(id);
    quill::WriteMessage(packet, message, context...);
    return packet;
}

}  // namespace kvtest
