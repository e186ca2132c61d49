#pragma once
// A copy of what the messenger shows and sends of one friend or clan member: taken from a directory record
// under the directory's lock, so that the messenger never keeps a pointer into a directory, whose records go
// back to the connection's pool when a member leaves the list.
//
// The nickname is cut to its field (63 units), so that a request that echoes it back stays within a packet
// whatever the server sent.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/TextFields.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

struct MemberSnapshot {
    uint32_t memberId = 0;  // the directories' key; 0 stands for the whole clan in the clan chat
    int64_t userId = 0;     // the account's 64-bit id
    quill::WString nickname;
    int8_t channel = -1;   // negative: offline; 0: logged in outside a channel; n: channel n
    int16_t place = -3;    // inside a channel: 0 the lobby, n > 0 room n, negative the other places
    uint8_t clanRank = 0;  // 10 and above: master; 3 to 9: officer

    bool IsOnline() const { return channel >= 0; }

    // The record's member id, account id, nickname (cut), location and clan rank.
    static MemberSnapshot Of(const quill::PlayerState& record);
};

}  // namespace kestrovan
