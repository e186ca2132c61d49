#include "client/scenes/lobby/LobbyChatLog.h"

#include "client/scenes/common/TextFields.h"

namespace kestrovan {

void LobbyChatLog::Append(uint32_t colour, quill::WStringView text) {
    // The view follows whenever its position is not beyond the last first line, which every scroll by
    // the bar leaves it at: new lines always come into view.
    const bool following = pager_.First() <= Range();
    lines_.push_back(LobbyChatLine{colour, CutToLength(text, LobbyChatLine::kTextUnits)});
    if (lines_.size() > kMaxLines) lines_.pop_front();
    SetPosition(following ? Range() : pager_.First());
}

int32_t LobbyChatLog::Range() const {
    return pager_.Range(static_cast<int32_t>(lines_.size()));
}

void LobbyChatLog::SetPosition(int32_t position) {
    pager_.ScrollTo(position, static_cast<int32_t>(lines_.size()));
}

std::vector<LobbyChatLine> LobbyChatLog::Visible() const {
    std::vector<LobbyChatLine> shown;
    for (size_t k = static_cast<size_t>(pager_.First() - 1); k < lines_.size() && shown.size() < kViewLines; ++k)
        shown.push_back(lines_[k]);
    return shown;
}

}  // namespace kestrovan
