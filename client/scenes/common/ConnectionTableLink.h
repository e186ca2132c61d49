#pragma once
// The game table's connection in an online screen: pooled packets of the game connection for the table's
// messages, and the stroke bonuses of the items the player has made active in the room (the connection's
// active-item slots: 1 the guide line, 2 no deviation, 3 the perfect chalk, 4 the power gauge).
//
// Threads: as TableConnection; the connection's pools and slots carry their own locks.
#include "client/table/TableConnection.h"

namespace kestrovan {

class GameConnection;

class ConnectionTableLink : public TableConnection {
public:
    explicit ConnectionTableLink(GameConnection& connection) : connection_(connection) {}

    quill::Packet* AllocPacket() override;
    void SendPacket(quill::Packet* packet) override;
    void FreePacket(quill::Packet* packet) override;
    int32_t GetGuideLineBonus() const override;
    int32_t GetPerfectChalkBonus() const override;
    bool IsNoDeviationActive() const override;
    // No active item lengthens the 'V' view's guide line: the laser guide is a table switch of the room.
    int32_t GetGuideValue() const override { return 0; }
    bool IsGaugeItemActive() const override;

private:
    GameConnection& connection_;
};

}  // namespace kestrovan
