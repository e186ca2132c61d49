#pragma once
// The packet's error count when a message reader started: the record it reads is whole only while no read
// failed since (a read past the payload's end counts an error and gives a zero value). Any thread; one
// reader at a time per packet.
#include <cstdint>
#include <optional>
#include <utility>

#include "QuillLib/net/Packet.h"

namespace kestrovan {

class PacketReadCheck {
public:
    explicit PacketReadCheck(const quill::Packet& packet) : packet_(packet), before_(packet.ErrorCount()) {}

    bool Holds() const { return packet_.ErrorCount() == before_; }

    // The value when every read since the start stayed inside the message, otherwise nothing.
    template <class T>
    std::optional<T> Result(T&& value) const {
        if (!Holds()) return std::nullopt;
        return std::optional<T>(std::forward<T>(value));
    }

private:
    const quill::Packet& packet_;
    uint16_t before_;
};

}  // namespace kestrovan
