#pragma once
// The settings dialog's texts of a display mode and its choice of refresh rate: a size as
// "%4d x %4d  (%d:%d)" with its reduced ratio (8:5 written 16:10), and the rate a new size keeps: the shown
// rate when the size offers it, else the highest offered rate below it, else the lowest offered rate.
//
// Pure: no window, no device.
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"

namespace kestrovan {

// "%d:%d" of the size's ratio; 0:0 for a size with a zero side.
quill::WString AspectRatioText(uint32_t width, uint32_t height);
// "%4d x %4d  (%d:%d)".
quill::WString ResolutionText(uint32_t width, uint32_t height);
// The number at the start of a caption ("60 hz" gives 60); 0 when it does not start with a digit.
uint32_t LeadingNumber(quill::WStringView caption);
// The rate among the ascending offered rates that a shown rate becomes; the shown rate itself when it is
// offered, 0 when nothing is offered.
uint32_t KeptRefreshRate(const std::vector<uint32_t>& offered, uint32_t shown);

}  // namespace kestrovan
