#include "client/scenes/player/DisplayModeText.h"

#include <algorithm>
#include <numeric>

#include "QuillLib/core/Format.h"

namespace kestrovan {

quill::WString AspectRatioText(uint32_t width, uint32_t height) {
    uint32_t divisor = std::gcd(width, height);
    if (divisor == 0) return u"0:0";
    // 8:5 is told as the 16:10 of wide screens.
    if (width / divisor == 8 && height / divisor == 5 && divisor % 2 == 0) divisor /= 2;
    return quill::Format(u"%d:%d", width / divisor, height / divisor);
}

quill::WString ResolutionText(uint32_t width, uint32_t height) {
    return quill::Format(u"%4d x %4d  (%s)", width, height, AspectRatioText(width, height));
}

uint32_t LeadingNumber(quill::WStringView caption) {
    uint64_t number = 0;
    for (char16_t c : caption) {
        if (c < u'0' || c > u'9') break;
        number = std::min<uint64_t>(number * 10 + static_cast<uint64_t>(c - u'0'), UINT32_MAX);
    }
    return static_cast<uint32_t>(number);
}

uint32_t KeptRefreshRate(const std::vector<uint32_t>& offered, uint32_t shown) {
    if (offered.empty()) return 0;
    if (std::find(offered.begin(), offered.end(), shown) != offered.end()) return shown;
    uint32_t kept = offered.front();
    for (uint32_t rate : offered) {
        if (rate < shown) kept = rate;
    }
    return kept;
}

}  // namespace kestrovan
