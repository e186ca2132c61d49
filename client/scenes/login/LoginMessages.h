#pragma once
// The login screen's smaller server messages, each described once by its Layout (QuillLib/net/FieldReader.h),
// which the screen's handlers and the fuzz target follow. The account record and the channel rows have
// records of their own (AccountRecord.h, ChannelGates.h).
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/RoomInfo.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

// ChannelEnterResult: the result and the channel; a full channel (8: beyond the members' places, 9: full) sends
// its count.
struct ChannelEnterResultMessage {
    static constexpr uint8_t kBeyondCapacity = 8;
    static constexpr uint8_t kFull = 9;
    uint8_t result = 0;
    uint8_t channel = 0;
    uint16_t users = 0;
    uint16_t capacity = 0;
    uint16_t extra = 0;
    static void Layout(auto& io, auto& m) {
        io(m.result, m.channel);
        if (m.result == kBeyondCapacity || m.result == kFull) io(m.users, m.capacity, m.extra);
    }
};

// ResumeGameNotice: where the game the server still holds for the player is.
struct ResumeGameNoticeMessage {
    uint8_t channel = 0;
    uint16_t room = 0;
    static void Layout(auto& io, auto& m) { io(m.channel, m.room); }
};

// ResumeGame: the result, and when it is 0 the held game's room, read straight into the room the
// connection keeps.
struct ResumeGameMessage {
    uint32_t result = 0;
    quill::RoomInfo room;
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result == 0) HeldRoomLayout(io, m.room);
    }
    static void HeldRoomLayout(auto& io, auto& room) {
        io(room.gameType);
        io.As(uint16_t{}, room.setting);
        io(room.counterB, room.counterA, room.inningTime, room.optionFlags, room.open, room.tableItem,
           room.ballItem, room.minHandicap, room.maxHandicap);
    }
};

// FriendWhere: whether the member is online, its nickname and, online, its channel and room.
struct FriendWhereMessage {
    uint8_t online = 0;
    quill::WString nickname;
    int8_t channel = 0;
    int16_t room = 0;
    static void Layout(auto& io, auto& m) {
        io(m.online);
        io.Text(m.nickname, kNicknameLength);
        if (m.online != 0) io(m.channel, m.room);
    }
};

}  // namespace kestrovan
