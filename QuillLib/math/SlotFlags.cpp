#include "QuillLib/math/SlotFlags.h"

namespace quill {

uint32_t IndexToFlagBit(int k) {
    static constexpr uint32_t kBits[8] = {1, 16, 32, 64, 4, 8, 2, 128};
    if (k < 0 || k >= 8) {
        return 0;
    }
    return kBits[k];
}

int CountFlagBits(uint32_t mask, int n) {
    int count = 0;
    for (int i = 0; i < n; ++i) {
        if ((mask & IndexToFlagBit(i)) != 0) {
            ++count;
        }
    }
    return count;
}

}  // namespace quill
