#pragma once
// The kind-mask bit of each of the eight texture slots of a mesh part (also used for texture kinds and vertex
// stream kinds). A mask of 255 selects all eight.
#include <cstdint>

namespace quill {

// Slot k (0..7) maps to 1, 16, 32, 64, 4, 8, 2, 128; any other k to 0, so it is never selected.
uint32_t IndexToFlagBit(int k);

// How many slots i in [0, n) have their bit set in mask.
int CountFlagBits(uint32_t mask, int n);

}  // namespace quill
