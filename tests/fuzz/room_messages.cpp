// Feeds the room's reader of the invitable users (InvitableUsersList) with payloads the fuzzer chooses, then
// runs the invitation list over what was read: choosing, inviting, the blocks and their expiry, scrolling.
// Nothing may crash or read out of bounds; no more records are read than the count announces or the message
// holds, and an invitation is refused or names one to eight users.
//
// Input: [u8 clock step][u8 choice mask][payload].
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <variant>
#include <vector>

#include "client/scenes/room/InviteList.h"

namespace {

using kestrovan::InvitableUser;
using kestrovan::InviteList;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

quill::Packet Received(std::span<const uint8_t> payload) {
    const size_t length = std::min<size_t>(payload.size() + quill::Packet::kHeaderSize, quill::Packet::kCapacity);
    const auto id = static_cast<uint16_t>(quill::MessageId::InvitableUsersList);
    std::vector<uint8_t> message{static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                                 static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8)};
    message.insert(message.end(), payload.begin(), payload.begin() + (length - quill::Packet::kHeaderSize));
    quill::Packet packet;
    packet.LoadReceived(message);
    return packet;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint32_t step = data[0] * 250u;
    const uint8_t mask = data[1];
    quill::Packet packet = Received({data + 2, size - 2});
    const uint16_t announced = size >= 4 ? static_cast<uint16_t>(data[2] | data[3] << 8) : 0;
    std::vector<InvitableUser> users = InviteList::Read(packet);
    Check(users.size() <= announced);
    // Each record takes at least 20 bytes.
    Check(users.size() * 20 <= size);

    InviteList list;
    uint32_t now = 1000;
    list.Replace(users, now);
    for (size_t i = 0; i < list.Count(); ++i)
        list.Select(i, (mask >> (i % 8)) & 1);
    for (int round = 0; round < 4; ++round) {
        const auto choice = list.Invite(now);
        if (const auto* ids = std::get_if<std::vector<int64_t>>(&choice)) {
            Check(!ids->empty() && ids->size() <= InviteList::kMaxInvites);
            quill::Packet request;
            InviteList::WriteInvitation(request, *ids);
            Check(!request.Overflowed());
        }
        now += step;
        list.ExpireRecent(now);
        list.SetScrollOffset(static_cast<int32_t>(mask) - 3);
        Check(list.ScrollOffset() >= 1 && list.ScrollOffset() <= list.ScrollRange());
        for (size_t i = 0; i < list.Count(); ++i)
            list.Select(i, true);
    }
    return 0;
}
