#pragma once
// A request sender that keeps the bytes of every request a window sends, for the screens' tests.
#include <cstdint>
#include <vector>

#include "client/scenes/common/RequestSender.h"

namespace kestrovan::test {

class RecordingSender : public RequestSender {
public:
    bool SendByte(quill::MessageId id, uint8_t value) override {
        if (emptyPool) return false;
        quill::Packet packet;
        packet.Init(id).WriteU8(value);
        Keep(packet);
        return true;
    }
    bool Send(const std::function<void(quill::Packet&)>& write) override {
        if (emptyPool) return false;
        quill::Packet packet;
        write(packet);
        Keep(packet);
        return true;
    }

    // The requests of that id, whole (length, id, payload).
    std::vector<std::vector<uint8_t>> Of(quill::MessageId id) const {
        std::vector<std::vector<uint8_t>> found;
        for (const auto& bytes : sent) {
            if (bytes.size() >= 4 && (bytes[2] | bytes[3] << 8) == static_cast<int>(id)) found.push_back(bytes);
        }
        return found;
    }

    bool emptyPool = false;
    std::vector<std::vector<uint8_t>> sent;

private:
    void Keep(quill::Packet& packet) {
        packet.Finish();
        const auto bytes = packet.Bytes();
        sent.emplace_back(bytes.begin(), bytes.end());
    }
};

}  // namespace kestrovan::test
