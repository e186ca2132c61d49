#include "client/connection/Invitation.h"

namespace kestrovan {

Invitation Invitation::Read(quill::Packet& packet) {
    Invitation invitation;
    packet.ReadU8(invitation.hasGameDetails).ReadU8(invitation.channel).ReadU16(invitation.room);
    packet.ReadWString(invitation.inviter).ReadU8(invitation.hasPassword);
    if (invitation.hasPassword != 0) {
        packet.ReadWString(invitation.password);
    }
    if (invitation.hasGameDetails != 0) {
        packet.ReadU8(invitation.gameType).ReadU16(invitation.handicap).ReadU8(invitation.players);
    }
    return invitation;
}

}  // namespace kestrovan
