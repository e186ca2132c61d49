#include "client/scenes/practice/PracticeTextList.h"

namespace kestrovan {

void PracticeTextList::Add(quill::WStringView text, uint32_t colour, uint32_t nowMs) {
    lines_.push_back({quill::WString(text), colour, nowMs});
    if (lines_.size() > kCapacity) lines_.pop_front();
}

size_t PracticeTextList::ViewStart() const {
    return lines_.size() > kShown ? lines_.size() - (kShown - 1) : 1;
}

std::vector<PracticeTextList::Line> PracticeTextList::Shown() const {
    const size_t first = ViewStart() - 1;
    return {lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.end()};
}

}  // namespace kestrovan
