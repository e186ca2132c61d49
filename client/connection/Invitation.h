#pragma once
// An invitation to another player's room (InvitationReceived), as the invitation popup shows it.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

struct Invitation {
    uint8_t hasGameDetails = 0;
    uint8_t channel = 0;
    uint16_t room = 0;
    quill::WString inviter;
    uint8_t hasPassword = 0;
    quill::WString password;  // only with hasPassword
    // Only with hasGameDetails.
    uint8_t gameType = 0;
    uint16_t handicap = 0;
    uint8_t players = 0;

    // The payload: u8 with-game-details, u8 channel, u16 room, string inviter, u8 with-password, the password
    // string when flagged, then u8 game type, u16 handicap, u8 players when flagged.
    static void Layout(auto& io, auto& m) {
        io(m.hasGameDetails, m.channel, m.room, m.inviter, m.hasPassword);
        if (m.hasPassword != 0) io(m.password);
        if (m.hasGameDetails != 0) io(m.gameType, m.handicap, m.players);
    }

    // The payload as far as the message holds it.
    static Invitation Read(quill::Packet& packet);
};

}  // namespace kestrovan
