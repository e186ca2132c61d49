#include "client/scenes/room/InviteList.h"

#include <algorithm>

namespace kestrovan {

std::vector<InvitableUser> InviteList::Read(quill::Packet& packet) {
    std::vector<InvitableUser> users;
    const uint16_t count = packet.ReadU16();
    const uint32_t end = packet.LengthReadBack();
    for (uint16_t n = 0; n < count && packet.Cursor() < end; ++n) {
        const uint16_t errors = packet.ErrorCount();
        InvitableUser user;
        packet.ReadU32(user.userKey).ReadI64(user.userId).ReadU16(user.level);
        packet.ReadWString(user.nickname).ReadU16(user.number);
        // A read past the end leaves the cursor at the end with an error counted: the record was cut short.
        if (packet.ErrorCount() != errors && packet.Cursor() >= end) break;
        users.push_back(std::move(user));
    }
    return users;
}

void InviteList::Replace(std::vector<InvitableUser> users, uint32_t nowMs) {
    users_ = std::move(users);
    for (InvitableUser& user : users_) {
        user.selected = false;
        user.enabled = true;
    }
    pager_.Reset();
    ExpireRecent(nowMs);
}

void InviteList::Select(size_t index, bool selected) {
    if (index < users_.size() && users_[index].enabled) users_[index].selected = selected;
}

std::variant<quill::WString, std::vector<int64_t>> InviteList::Invite(uint32_t nowMs) {
    const auto chosen = static_cast<size_t>(
        std::count_if(users_.begin(), users_.end(), [](const InvitableUser& u) { return u.selected && u.enabled; }));
    if (chosen == 0) return quill::WString(u"Select more than 1 person you wish to invite.");
    if (chosen > kMaxInvites) return quill::WString(u"No more than 8 people can be invited.");
    std::vector<int64_t> ids;
    for (InvitableUser& user : users_) {
        if (!user.selected || !user.enabled) continue;
        user.selected = false;
        user.enabled = false;
        ids.push_back(user.userId);
        recent_.push_back({user.userKey, nowMs});
    }
    return ids;
}

void InviteList::WriteInvitation(quill::Packet& packet, const std::vector<int64_t>& ids) {
    packet.Init(quill::MessageId::InvitePlayers).WriteU8(static_cast<uint8_t>(ids.size()));
    for (int64_t id : ids) packet.WriteI64(id);
}

bool InviteList::IsBlocked(uint32_t userKey) const {
    return std::any_of(recent_.begin(), recent_.end(), [userKey](const Invited& r) { return r.userKey == userKey; });
}

bool InviteList::ExpireRecent(uint32_t nowMs) {
    std::erase_if(recent_, [nowMs](const Invited& r) { return (nowMs - r.time) / 1000 > kBlockSeconds; });
    bool changed = false;
    for (InvitableUser& user : users_) {
        const bool blocked = IsBlocked(user.userKey);
        if (blocked == !user.enabled) continue;
        user.enabled = !blocked;
        user.selected = false;
        changed = true;
    }
    return changed;
}

void InviteList::SetScrollOffset(int32_t offset) {
    pager_.ScrollTo(offset, static_cast<int32_t>(users_.size()));
}

int32_t InviteList::ScrollRange() const {
    return pager_.Range(static_cast<int32_t>(users_.size()));
}

}  // namespace kestrovan
