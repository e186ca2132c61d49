#pragma once
// One open chat of the messenger: the friend or clan member it is with (member id 0 for the chat with the
// whole clan), the kind byte its lines travel with, its lines (at most 200, the oldest dropped first, each
// cut to 79 units and drawn in its own colour), and whether it holds a line the player has not seen (with
// the time the first such line came) and whether the partner is online.
#include <cstdint>
#include <deque>

#include "QuillLib/core/WString.h"
#include "client/scenes/community/MemberSnapshot.h"

namespace kestrovan {

// What a chat is with, as the messenger messages carry it (taken % 10).
namespace ChatKind {
inline constexpr uint8_t Friend = 1;
inline constexpr uint8_t ClanMember = 2;
inline constexpr uint8_t Clan = 3;
}  // namespace ChatKind

struct ChatLine {
    static constexpr size_t kLength = 79;  // units; the field holds 80 with its terminator

    quill::WString text;
    uint32_t colour = 0;
};

class ChatPartner {
public:
    static constexpr size_t kMaxLines = 200;
    static constexpr uint32_t kFirstLineColour = 0xFFFFFFFF;

    // A new chat: online, nothing unread, and its first line naming what kind of chat it is.
    ChatPartner(MemberSnapshot member, uint8_t kind);

    const MemberSnapshot& Member() const { return member_; }
    uint32_t MemberId() const { return member_.memberId; }
    bool IsClanChat() const { return member_.memberId == 0; }
    // The kind byte as the chat was opened with; MessengerChatSend carries it.
    uint8_t Kind() const { return kind_; }

    // Appends the line cut to its field; a line beyond the 200th drops the oldest.
    void AddLine(quill::WStringView text, uint32_t colour);
    const std::deque<ChatLine>& Lines() const { return lines_; }
    int32_t LineCount() const { return static_cast<int32_t>(lines_.size()); }

    // Marks a line unseen; the time is kept only for the first unseen line.
    void MarkUnread(uint32_t nowMs);
    void ClearUnread() { unread_ = false; }
    bool IsUnread() const { return unread_; }
    uint32_t FirstUnreadMs() const { return firstUnreadMs_; }

    void SetOnline(bool online) { online_ = online; }
    bool IsOnline() const { return online_; }

    // "- Friend Chat", "- Clan Member Chat" or "- Clan Chat".
    static const char16_t* FirstLineText(uint8_t kind, uint32_t memberId);

private:
    MemberSnapshot member_;
    uint8_t kind_;
    std::deque<ChatLine> lines_;
    bool unread_ = false;
    bool online_ = true;
    uint32_t firstUnreadMs_ = 0;
};

}  // namespace kestrovan
