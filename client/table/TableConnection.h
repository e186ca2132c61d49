#pragma once
// What the game table needs of the game connection: pooled packets to send its pen points, and the active-item
// values that change a stroke. The connection implements it once it is wired; tests capture the packets.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/net/Packet.h"

namespace kestrovan {

class TableConnection {
public:
    virtual ~TableConnection() = default;

    // A packet from the pool, or null when none became free in time.
    virtual quill::Packet* AllocPacket() = 0;
    // Sends the packet; it stays the caller's, who gives it back with FreePacket.
    virtual void SendPacket(quill::Packet* packet) = 0;
    virtual void FreePacket(quill::Packet* packet) = 0;

    // Percent added to the stroke's faithfulness (and the guide line): 15 while the guide item is in use, else 0.
    virtual int32_t GetGuideLineBonus() const = 0;
    // 100 while the perfect-chalk item is in use, else 0.
    virtual int32_t GetPerfectChalkBonus() const = 0;
    // While the no-deviation item is in use, a stroke goes exactly where it was aimed.
    virtual bool IsNoDeviationActive() const = 0;
    // The guide item's value (100000 for the whole guide line): how far the 'V' view's guide line reaches.
    virtual int32_t GetGuideValue() const = 0;
    // While the gauge item is in use, the stroke's power is taken from the gauge without random error.
    virtual bool IsGaugeItemActive() const = 0;
};

}  // namespace kestrovan
