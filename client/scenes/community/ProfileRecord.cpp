#include "client/scenes/community/ProfileRecord.h"

#include <algorithm>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

// A read that passed the end of the message leaves the cursor there and counts an error; a bad string
// count alone counts an error too but reads on.
bool RanOut(const quill::Packet& packet, uint16_t errorsBefore) {
    return packet.ErrorCount() != errorsBefore && packet.Cursor() >= packet.LengthReadBack();
}

bool AtEnd(const quill::Packet& packet) {
    return packet.Cursor() >= packet.LengthReadBack();
}

bool ReadMode(quill::Packet& packet, ProfileModeRecord& mode) {
    const uint16_t errorsBefore = packet.ErrorCount();
    packet.ReadU32(mode.value).ReadU16(mode.rating);
    for (uint32_t& value : mode.values)
        packet.ReadU32(value);
    return packet.ErrorCount() == errorsBefore;
}

}  // namespace

bool ProfileRecord::Read(quill::Packet& packet, ProfileRecord& record) {
    const uint16_t errorsBefore = packet.ErrorCount();
    record.nickname = CutToLength(packet.ReadWString(), kNicknameLength);
    record.iconIndex = packet.ReadU8();
    record.experience = packet.ReadU32();
    record.level = packet.ReadU16();
    record.money = packet.ReadI64();
    record.secondValue = packet.ReadU16();
    record.thirdValue = packet.ReadU16();
    record.markValue = static_cast<int16_t>(packet.ReadU16());
    for (quill::WString& line : record.lines)
        line = CutToLength(packet.ReadWString(), kLineLength);
    if (RanOut(packet, errorsBefore))
        return false;
    for (;;) {
        if (AtEnd(packet)) {
            record.end = End::MessageEnd;
            return true;
        }
        const uint8_t index = packet.ReadU8();
        if (index == kEndMark) {
            record.end = End::Mark;
            return true;
        }
        if (index >= kModes) {
            record.end = End::BadIndex;
            return true;
        }
        ProfileModeRecord mode;
        if (!ReadMode(packet, mode)) {
            record.end = End::MessageEnd;
            return true;
        }
        record.modes[index] = mode;
    }
}

void ProfileRecord::ApplyTo(quill::PlayerState& profile) const {
    profile.name = nickname;
    profile.iconIndex = iconIndex;
    profile.experience = experience;
    profile.level = level;
    profile.money = money;
    profile.markValue = markValue;
    std::copy(lines.begin(), lines.end(), profile.profileLines.begin());
    for (size_t m = 0; m < kModes; ++m) {
        if (!modes[m])
            continue;
        const ProfileModeRecord& mode = *modes[m];
        profile.typeCounters[m] = mode.value;
        profile.ratingByType[m] = mode.rating;
        profile.playCountsA[m] = mode.values[0];
        profile.playCountsB[m] = mode.values[1];
        std::copy(mode.values.begin() + 2, mode.values.end(), profile.typeStatistics[m].begin());
    }
}

}  // namespace kestrovan
