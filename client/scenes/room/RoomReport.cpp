#include "client/scenes/room/RoomReport.h"

#include "platform/system/CodePage.h"

namespace kestrovan {

namespace {

constexpr unsigned char kFirstLeadByte = 0x81;

}  // namespace

std::string RoomReport::CutEncoded(quill::WStringView text, size_t limit) {
    const std::string encoded = platform::ToCodePage(text);
    size_t end = 0;
    while (end < encoded.size()) {
        const size_t width = static_cast<unsigned char>(encoded[end]) >= kFirstLeadByte ? 2 : 1;
        if (end + width > limit || end + width > encoded.size()) break;
        end += width;
    }
    return encoded.substr(0, end);
}

std::string RoomReport::TakeLines(std::deque<quill::WString>& lines) {
    std::string block;
    while (!lines.empty()) {
        const std::string line = CutEncoded(lines.front(), kLineBytes) + '\n';
        if (block.size() + line.size() >= kBlockBytes) break;
        block += line;
        lines.pop_front();
    }
    return block;
}

void RoomReport::Write(quill::Packet& packet, uint32_t playerId, quill::WStringView nickname,
                       const std::string& block) {
    packet.Init(quill::MessageId::ReportUser);
    packet.WriteU32(playerId);
    packet.WriteWString(nickname);
    packet.WriteU16(static_cast<uint16_t>(block.size()));
    for (char byte : block) packet.WriteU8(static_cast<uint8_t>(byte));
}

}  // namespace kestrovan
