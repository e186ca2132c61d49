#include "QuillLib/net/PacketCipherKeys.h"

namespace quill {
namespace {

// The one key and initial vector shared with the game server; both directions use the key. Neither may be
// a weak or semi-weak DES key, or every packet would be refused.
constexpr std::array<uint8_t, 8> kPacketKey = {0x4B, 0x37, 0xA2, 0x5D, 0x19, 0xE6, 0x83, 0xC4};
constexpr std::array<uint8_t, 8> kPacketIv = {0x6A, 0x0F, 0xD1, 0x92, 0x3C, 0x75, 0xB8, 0x2E};

}  // namespace

const PacketCipherKeys& PacketCipherKeys::BuiltIn() {
    static const PacketCipherKeys keys{kPacketKey, kPacketKey, kPacketIv};
    return keys;
}

PacketCipherKeys PacketCipherKeys::Mirrored() const {
    return {decipherKey, encipherKey, iv};
}

}  // namespace quill
