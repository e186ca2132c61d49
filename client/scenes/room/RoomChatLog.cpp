#include "client/scenes/room/RoomChatLog.h"

#include <algorithm>

namespace kestrovan {

namespace {

constexpr uint32_t kBlinkMs = 600;
constexpr uint32_t kFullMs = 30000;
constexpr float kDimmest = 0.5f;

}  // namespace

void RoomChatLog::Add(quill::WStringView text, uint32_t colour, uint32_t nowMs) {
    const bool follow = AtEnd();
    records_.push_back({colour, quill::WString(text.substr(0, kMaxText)), nowMs});
    if (records_.size() > kCapacity) records_.pop_front();
    if (follow) pager_.ScrollToEnd(RecordCount());
}

void RoomChatLog::Clear() {
    records_.clear();
    pager_.Reset();
}

void RoomChatLog::SetScrollPosition(int32_t position) {
    pager_.ScrollTo(position, RecordCount());
}

int32_t RoomChatLog::ScrollRange() const {
    return pager_.Range(RecordCount());
}

std::array<RoomChatLog::Line, RoomChatLog::kLines> RoomChatLog::Layout(uint32_t nowMs) const {
    std::array<Line, kLines> lines{};
    size_t line = records_.size() < kLines ? kLines - records_.size() : 0;
    for (size_t index = static_cast<size_t>(pager_.First() - 1); index < records_.size() && line < kLines; ++index) {
        const Record& record = records_[index];
        lines[line++] = {true, record.text, record.colour, Opacity(nowMs - record.stamp)};
    }
    return lines;
}

float RoomChatLog::Opacity(uint32_t ageMs) {
    if (ageMs < kBlinkMs) return (ageMs / 100) % 2 == 0 ? 1.0f : kDimmest;
    if (ageMs < kFullMs) return 1.0f;
    const float fading = static_cast<float>(kFullMs - static_cast<int64_t>(ageMs - kFullMs)) / kFullMs;
    return std::max(kDimmest, fading);
}

}  // namespace kestrovan
