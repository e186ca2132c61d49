#pragma once
// An owned item's whole key (the sub-key in the high half) and its halves, as the player's inventory and the
// shop's requests and answers carry them. Pure.
#include <cstdint>

namespace kestrovan {

inline int64_t ShopItemKey(uint32_t key, uint32_t subKey) {
    return static_cast<int64_t>(static_cast<uint64_t>(subKey) << 32 | key);
}

inline uint32_t LowOf(int64_t key) {
    return static_cast<uint32_t>(static_cast<uint64_t>(key));
}

inline uint32_t HighOf(int64_t key) {
    return static_cast<uint32_t>(static_cast<uint64_t>(key) >> 32);
}

}  // namespace kestrovan
