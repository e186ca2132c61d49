#include "tests/support/x11/FigureCaptions.h"

namespace kv::test {

int CaptionLight(const Screenshot& shot, int x, int y) {
    return Count(shot, x - 36, y - 2, x - 3, y + 14, IsLight);
}

}  // namespace kv::test
