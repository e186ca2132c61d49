#include "client/scenes/login/ChannelGates.h"

#include "QuillLib/gamedata/PlayerState.h"

namespace kestrovan {

namespace {

constexpr int16_t kUngatedGrade = 20;
constexpr uint16_t kAnyChannelLevel = 10;

bool IsMinor(uint16_t age) {
    return age >= 1 && age < quill::PlayerState::kAdultAge;
}

bool SuitsPlayer(uint16_t age, uint16_t level, int32_t kind) {
    if (IsMinor(age))
        return kind == ChannelKind::Teens;
    return level >= kAnyChannelLevel || kind == ChannelKind::PoolBeginner;
}

}  // namespace

bool ReadChannelList(quill::Packet& packet, std::vector<ChannelRow>& rows) {
    quill::FieldReader io(packet);
    rows.clear();
    io.CountedList(rows, UINT8_MAX);
    return io.Holds();
}

bool ChannelRowEnabled(uint16_t age, int32_t kind) {
    return !IsMinor(age) || kind == ChannelKind::Teens || kind == ChannelKind::Tournament;
}

int32_t PreselectChannelRow(std::span<const ChannelRow> rows, uint16_t age, uint16_t level) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const ChannelRow& row = rows[i];
        if (row.enabled && row.users < row.capacity && SuitsPlayer(age, level, row.kind)) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

// Age 0 (not given) counts as under 18 here, as the server's own gate does.
std::vector<quill::WString> ChannelEntryRefusal(int16_t grade, uint16_t age, int32_t kind, uint8_t membership) {
    if (grade >= kUngatedGrade)
        return {};
    if (kind != ChannelKind::Teens && kind != ChannelKind::Tournament && age < quill::PlayerState::kAdultAge) {
        return {u"청소년은 입장할 수 없는 채널입니다."};
    }
    if (kind == ChannelKind::Teens && age >= quill::PlayerState::kAdultAge && membership < 1) {
        return {u"청소년만 입장이 가능한 채널입니다.", u"허용 서비스 : Kestrovan클럽 멤버십"};
    }
    if (kind == ChannelKind::Tournament)
        return {u"Comming soon."};
    return {};
}

}  // namespace kestrovan
