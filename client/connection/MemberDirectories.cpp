#include "client/connection/MemberDirectories.h"

#include <vector>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/net/FieldReader.h"
#include "client/connection/ConnectionMessages.h"

namespace kestrovan {

using quill::Packet;
using quill::PlayerState;
using quill::ScopedLock;
using quill::UserDirectory;

namespace {

constexpr uint8_t kOfflineChannel = 0xFF;  // the channel byte of a member who is not online

// A list's count can claim more entries than the message holds; reading stops at the message's end.
bool HasMore(const Packet& packet) {
    return packet.Cursor() < packet.LengthReadBack();
}

}  // namespace

MemberDirectories::MemberDirectories(ConnectionHost& host) : host_(host) {}

MemberDirectories::~MemberDirectories() {
    Clear(friends_);
    Clear(clan_);
}

void MemberDirectories::OnFriendList(Packet& packet) {
    Clear(friends_);
    ReadEntries(packet, friends_, true);
}

void MemberDirectories::OnClanInfo(Packet& packet) {
    Clear(clan_);
    {
        ScopedLock hold(clan_.GetLock());
        quill::FieldReader io(packet);
        io(clanRecord_);
    }
    ReadEntries(packet, clan_, false);
}

void MemberDirectories::OnFriendAdded(Packet& packet) {
    PlayerState* record = TakeMember(packet, false);
    if (InsertOrReturn(friends_, record)) {
        host_.RefreshMessengerLists();
        ListChanged();
    }
}

void MemberDirectories::OnFriendRemoved(Packet& packet) {
    const auto notice = quill::FieldReader::ReadFields<MemberNoticeMessage>(packet);
    if (PlayerState* record = Detach(friends_, notice.id)) {
        host_.OnFriendRemoved(notice.listKind, *record);
        records_.Free(record);
        ListChanged();
    }
}

void MemberDirectories::OnClanMemberJoined(Packet& packet) {
    PlayerState* record = TakeMember(packet, true);
    if (record != nullptr)
        record->clanRank = record->memberFlag;
    if (InsertOrReturn(clan_, record)) {
        host_.OnClanMemberJoined(*record);
        ListChanged();
    }
}

void MemberDirectories::OnClanMemberLeft(Packet& packet) {
    const auto left = quill::FieldReader::ReadFields<ClanMemberLeftMessage>(packet);
    if (PlayerState* record = Detach(clan_, left.id)) {
        host_.OnClanMemberLeft(*record);
        records_.Free(record);
        ListChanged();
    }
}

void MemberDirectories::OnMemberLoggedIn(Packet& packet) {
    const auto message = quill::FieldReader::ReadFields<MemberLoggedInMessage>(packet);
    UserDirectory& directory = ListOfKind(message.head.listKind);
    PlayerState* record = nullptr;
    {
        ScopedLock hold(directory.GetLock());
        record = directory.Find(message.head.id);
        if (record == nullptr) {
            return;
        }
        if (record->name != message.head.nickname) {
            record->name = message.head.nickname;
        }
        record->accountId = message.accountId;
        record->channel = message.channel;
        record->position = message.place;
        record->memberValue = message.memberValue;
    }
    host_.OnMemberPresence(message.head.listKind, *record, true);
}

void MemberDirectories::OnMemberLoggedOut(Packet& packet) {
    const auto notice = quill::FieldReader::ReadFields<MemberNoticeMessage>(packet);
    UserDirectory& directory = ListOfKind(notice.listKind);
    PlayerState* record = nullptr;
    {
        ScopedLock hold(directory.GetLock());
        record = directory.Find(notice.id);
        if (record == nullptr) {
            return;
        }
        record->channel = kOfflineChannel;
        record->position = kOfflinePlace;
    }
    host_.OnMemberPresence(notice.listKind, *record, false);
}

bool MemberDirectories::OnMemberLocation(Packet& packet) {
    const auto location = quill::FieldReader::ReadFields<MemberLocationMessage>(packet);
    bool friendMoved = false;
    for (UserDirectory* directory : {&friends_, &clan_}) {
        bool moved = false;
        {
            ScopedLock hold(directory->GetLock());
            if (PlayerState* record = directory->Find(location.id)) {
                record->channel = location.channel;
                record->position = location.place;
                moved = true;
            }
        }
        if (moved) {
            host_.RefreshMessengerLists();
            friendMoved = friendMoved || directory == &friends_;
        }
    }
    return friendMoved;
}

bool MemberDirectories::UpdateFriendPlace(uint32_t id, int16_t place, uint8_t channel) {
    {
        ScopedLock hold(friends_.GetLock());
        PlayerState* record = friends_.Find(id);
        if (record == nullptr || record->channel != channel) {
            return false;
        }
        record->position = place;
    }
    host_.RefreshMessengerLists();
    return true;
}

void MemberDirectories::SetClanStatus(uint8_t capacity, uint32_t value, int64_t money) {
    ScopedLock hold(clan_.GetLock());
    clanRecord_.capacity = capacity;
    clanRecord_.value = value;
    clanRecord_.money = money;
}

void MemberDirectories::LeaveClan() {
    Clear(clan_);
    ScopedLock hold(clan_.GetLock());
    clanRecord_ = ClanRecord{};
}

ClanRecord MemberDirectories::Clan() {
    ScopedLock hold(clan_.GetLock());
    return clanRecord_;
}

PlayerState* MemberDirectories::TakeMember(Packet& packet, bool withFlag) {
    PlayerState* record = records_.Alloc(kRecordTries);
    if (record != nullptr) {
        quill::FieldReader io(packet);
        MemberLineLayout(io, *record, withFlag);
    }
    return record;
}

bool MemberDirectories::InsertOrReturn(UserDirectory& directory, PlayerState* record) {
    if (record == nullptr) {
        return false;
    }
    if (!directory.Insert(record)) {
        records_.Free(record);
        return false;
    }
    return true;
}

void MemberDirectories::Clear(UserDirectory& directory) {
    std::vector<PlayerState*> removed;
    {
        ScopedLock hold(directory.GetLock());
        std::vector<uint32_t> ids;
        ids.reserve(directory.Records().size());
        removed.reserve(directory.Records().size());
        for (const auto& [id, record] : directory.Records()) {
            ids.push_back(id);
            removed.push_back(record);
        }
        for (uint32_t id : ids) {
            directory.Erase(id);
        }
    }
    for (PlayerState* record : removed) {
        records_.Free(record);
    }
}

void MemberDirectories::ReadEntries(Packet& packet, UserDirectory& directory, bool dropFlagged) {
    const uint16_t count = packet.ReadU16();
    for (uint32_t entry = 0; entry < count && HasMore(packet); ++entry) {
        PlayerState* record = TakeMember(packet, true);
        if (record == nullptr) {
            return;  // the pool stayed empty: the list stops here
        }
        if (dropFlagged && record->memberFlag != 0) {
            records_.Free(record);
            continue;
        }
        if (!dropFlagged)
            record->clanRank = record->memberFlag;
        InsertOrReturn(directory, record);
    }
}

PlayerState* MemberDirectories::Detach(UserDirectory& directory, uint32_t id) {
    ScopedLock hold(directory.GetLock());
    PlayerState* record = directory.Find(id);
    if (record != nullptr) {
        directory.Erase(id);
    }
    return record;
}

UserDirectory& MemberDirectories::ListOfKind(uint8_t listKind) {
    return listKind == kFriendListKind ? friends_ : clan_;
}

void MemberDirectories::ListChanged() {
    host_.PostEvent(ConnectionEvent::MessengerListChanged, 0, 0, 0);
}

}  // namespace kestrovan
