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
    if (follow) position_ = ScrollRange();
}

void RoomChatLog::Clear() {
    records_.clear();
    position_ = 1;
}

void RoomChatLog::SetScrollPosition(int32_t position) {
    position_ = std::clamp(position, 1, ScrollRange());
}

int32_t RoomChatLog::ScrollRange() const {
    return std::max<int32_t>(1, static_cast<int32_t>(records_.size()) - static_cast<int32_t>(kLines) + 1);
}

std::array<RoomChatLog::Line, RoomChatLog::kLines> RoomChatLog::Layout(uint32_t nowMs) const {
    std::array<Line, kLines> lines{};
    size_t line = records_.size() < kLines ? kLines - records_.size() : 0;
    for (size_t index = static_cast<size_t>(position_ - 1); index < records_.size() && line < kLines; ++index) {
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
