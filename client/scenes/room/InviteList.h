#pragma once
// The users a room may invite, as the server lists them (InvitableUsersList), with the player's choice and the
// users invited in the last ten seconds, who cannot be chosen again until then. Builds the InvitePlayers
// request of the chosen users (one to eight). Pure: the invitation window keeps it under the widget-tree lock; the
// reader takes untrusted bytes and stops at the end of the message.
#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/ListPager.h"

namespace kestrovan {

struct InvitableUser {
    bool selected = false;
    bool enabled = true;
    uint32_t userKey = 0;
    int64_t userId = 0;
    uint16_t level = 0;
    uint16_t number = 0;
    quill::WString nickname;
};

class InviteList {
public:
    static constexpr size_t kMaxInvites = 8;
    static constexpr uint32_t kBlockSeconds = 10;  // an invited user is blocked while (now - t) / 1000 <= 10
    static constexpr int32_t kRows = 7;

    // The records of an InvitableUsersList payload: u16 count, then per user u32 key, i64 id, u16 level,
    // string nickname, u16 number. Reading stops at the end of the message; a record cut short is dropped.
    static std::vector<InvitableUser> Read(quill::Packet& packet);

    // A new list: every user unselected and enabled, the view at the top; then the blocked users disabled.
    void Replace(std::vector<InvitableUser> users, uint32_t nowMs);
    void Clear() { users_.clear(); }
    size_t Count() const { return users_.size(); }
    const InvitableUser& At(size_t index) const { return users_[index]; }
    // A row's toggle: the user is selected exactly while it is pressed (only an enabled user).
    void Select(size_t index, bool selected);

    // The ids of the selected users that are enabled, in list order; they become unselected, disabled and
    // blocked from now. The refusal text instead when none or more than eight are chosen ("Select more than 1
    // person you wish to invite." / "No more than 8 people can be invited."), with nobody changed.
    std::variant<quill::WString, std::vector<int64_t>> Invite(uint32_t nowMs);
    // The InvitePlayers (1196) request: u8 n, then each i64 id.
    static void WriteInvitation(quill::Packet& packet, const std::vector<int64_t>& ids);
    // Forgets the blocks older than ten seconds, disables and deselects the blocked users, and enables the
    // others; whether a user changed.
    bool ExpireRecent(uint32_t nowMs);
    bool IsBlocked(uint32_t userKey) const;

    // The 1-based first user shown, kept within 1 .. ScrollRange().
    int32_t ScrollOffset() const { return pager_.First(); }
    void SetScrollOffset(int32_t offset);
    // The count less six, at least 1.
    int32_t ScrollRange() const;

private:
    struct Invited {
        uint32_t userKey;
        uint32_t time;
    };

    std::vector<InvitableUser> users_;
    std::vector<Invited> recent_;
    ListPager pager_{kRows};
};

}  // namespace kestrovan
