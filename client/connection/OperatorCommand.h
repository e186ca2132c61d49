#pragma once
// The operator commands that a chat line may carry ("/kick", "/setchamp", "/shutdown", "/msg", "/unban",
// "/unblock", "/go" and its spellings). Parsing is free of the connection: it says what the line asks for
// and builds the request, which the connection then sends.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

struct OperatorCommand {
    enum class Action {
        NotACommand,  // ordinary chat
        Rejected,     // a command whose argument check failed: nothing is sent, and it is not chat either
        Send,         // the request was built into the packet
        GoToRoom,     // nothing is sent; the room number is posted as GoToRoom
    };

    Action action = Action::NotACommand;
    uint32_t room = 0;

    // Reads the line's first three words (command, first and second argument) and, for a command whose
    // check passes, builds its OperatorCommandA or OperatorCommandB request into request.
    static OperatorCommand Parse(quill::WStringView line, quill::Packet& request);
};

}  // namespace kestrovan
