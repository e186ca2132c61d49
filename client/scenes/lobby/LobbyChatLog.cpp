#include "client/scenes/lobby/LobbyChatLog.h"

#include <algorithm>

#include "client/scenes/common/TextFields.h"

namespace kestrovan {

void LobbyChatLog::Append(uint32_t colour, quill::WStringView text) {
    // The view follows whenever its position is not beyond the last first line, which every scroll by
    // the bar leaves it at: new lines always come into view.
    const bool following = position_ <= Range();
    lines_.push_back(LobbyChatLine{colour, CutToLength(text, LobbyChatLine::kTextUnits)});
    if (lines_.size() > kMaxLines) lines_.pop_front();
    position_ = following ? Range() : std::min(position_, Range());
}

int32_t LobbyChatLog::Range() const {
    return std::max(static_cast<int32_t>(lines_.size()) - (kViewLines - 1), 1);
}

void LobbyChatLog::SetPosition(int32_t position) {
    position_ = std::clamp(position, 1, Range());
}

std::vector<LobbyChatLine> LobbyChatLog::Visible() const {
    std::vector<LobbyChatLine> shown;
    for (size_t k = static_cast<size_t>(position_ - 1); k < lines_.size() && shown.size() < kViewLines; ++k)
        shown.push_back(lines_[k]);
    return shown;
}

}  // namespace kestrovan
