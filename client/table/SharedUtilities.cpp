#include "client/table/SharedUtilities.h"

#include <cstdlib>
#include <numeric>
#include <string>

namespace kestrovan {

quill::WString FormatMoney(int64_t value) {
    const std::string digits = std::to_string(value);
    const size_t first = digits[0] == '-' ? 1 : 0;
    quill::WString out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > first && (digits.size() - i) % 3 == 0) {
            out.push_back(u',');
        }
        out.push_back(static_cast<char16_t>(digits[i]));
    }
    return out;
}

int32_t Gcd(int32_t a, int32_t b) {
    // Computed on magnitudes (in 64 bits, so that the smallest i32 has one); repeated subtraction would never end
    // for a negative size.
    return static_cast<int32_t>(std::gcd(std::llabs(int64_t{a}), std::llabs(int64_t{b})));
}

}  // namespace kestrovan
