#include "tests/client/scenes/login/LoginMessages.h"

namespace kestrovan::test {

using quill::MessageId;
using quill::Packet;

Packet LoginResultMessage(const TestAccount& a) {
    Packet p;
    p.Init(MessageId::LoginResult);
    p.WriteU8(0);
    p.WriteU32(a.userId).WriteI64(a.accountId).WriteWString(a.nickname).WriteWString(a.loginId);
    p.WriteU32(2).WriteU8(3).WriteU32(4).WriteU32(5).WriteU8(6);
    p.WriteI64(a.cash).WriteI64(11).WriteI64(12);
    p.WriteU8(a.membership);
    if (a.membership != 0)
        p.WriteWString(a.membershipText).WriteU16(30);
    p.WriteU32(16).WriteU8(17);
    p.WriteU16(a.level).WriteU32(19).WriteU16(20).WriteU32(21).WriteU16(22).WriteU16(23);
    p.WriteU16(static_cast<uint16_t>(a.grade)).WriteU16(25).WriteU16(26).WriteU8(27).WriteU16(a.age).WriteU8(29);
    for (uint32_t skill : a.skills)
        p.WriteU32(skill);
    for (int i = 0; i < 4; ++i)
        p.WriteWString(u"profile line");
    for (int i = 0; i < 6; ++i)
        p.WriteWString(u"chat");
    p.WriteU8(45).WriteU8(46).WriteU32(a.options).WriteU8(a.status);
    if (a.status == 3)
        p.WriteWString(u"banned for a day");
    return p;
}

Packet ShortMessage(MessageId id, std::initializer_list<std::pair<uint32_t, int>> fields) {
    Packet p;
    p.Init(id);
    for (const auto& [value, width] : fields) {
        if (width == 1)
            p.WriteU8(static_cast<uint8_t>(value));
        if (width == 2)
            p.WriteU16(static_cast<uint16_t>(value));
        if (width == 4)
            p.WriteU32(value);
    }
    return p;
}

Packet ChannelListMessage(const std::vector<TestChannel>& channels) {
    Packet p;
    p.Init(MessageId::ChannelList);
    p.WriteU8(static_cast<uint8_t>(channels.size()));
    for (const TestChannel& c : channels) {
        p.WriteU8(c.number).WriteU16(c.users).WriteU16(c.capacity).WriteU16(c.extra).WriteU16(c.kind);
    }
    return p;
}

Packet AsReceived(Packet message) {
    Packet received;
    received.LoadReceived(message.Finish().Bytes());
    return received;
}

}  // namespace kestrovan::test
