#include "client/scenes/common/ConnectionTableLink.h"

#include "client/connection/GameConnection.h"

namespace kestrovan {

quill::Packet* ConnectionTableLink::AllocPacket() {
    return connection_.AllocPacket();
}

void ConnectionTableLink::SendPacket(quill::Packet* packet) {
    connection_.SendPacket(packet);
}

void ConnectionTableLink::FreePacket(quill::Packet* packet) {
    connection_.FreePacket(packet);
}

int32_t ConnectionTableLink::GetGuideLineBonus() const {
    return connection_.GetGuideLineBonus();
}

int32_t ConnectionTableLink::GetPerfectChalkBonus() const {
    return connection_.GetSlot3Bonus();
}

bool ConnectionTableLink::IsNoDeviationActive() const {
    return connection_.IsSlot2Active();
}

bool ConnectionTableLink::IsGaugeItemActive() const {
    return connection_.IsSlot4Active();
}

}  // namespace kestrovan
