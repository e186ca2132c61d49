#pragma once
// The player's friend and clan lists: two user directories whose records come from one pool of 604 user
// records, kept up to date from the server's list and member messages. Every record that leaves a
// directory, or is refused by one, goes back to the pool, so rebuilding the lists any number of times
// never runs the pool dry.
//
// In the clan list, the byte that follows each member is the member's clan rank (10 and above the master, 3 to
// 9 an officer); the friend list's marks an entry that is not listed.
//
// The handlers run on the dispatch thread and read their message's payload; UI code reads the directories
// under their locks. The host (messenger) is told of changes without a directory lock held, after a
// removed record has left its directory and before it returns to the pool. Lock order: the messenger's
// member-list lock, then a directory's lock; so no directory lock may be held while the host is called.
#include <cstdint>

#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/UserDirectory.h"
#include "QuillLib/net/Packet.h"
#include "client/connection/ClanRecord.h"
#include "client/connection/ConnectionHost.h"
#include "client/connection/ObjectPool.h"

namespace kestrovan {

class MemberDirectories {
public:
    static constexpr uint32_t kRecordCount = 604;
    static constexpr uint32_t kRecordTries = 5000;  // about five seconds with 1 ms sleeps
    static constexpr int16_t kOfflinePlace = -3;

    explicit MemberDirectories(ConnectionHost& host);
    ~MemberDirectories();
    MemberDirectories(const MemberDirectories&) = delete;
    MemberDirectories& operator=(const MemberDirectories&) = delete;

    // FriendList: u16 count, then per entry a member record and a u8 flag; flagged entries are not listed.
    void OnFriendList(quill::Packet& packet);
    // ClanInfo: u32 clan id, string name, u32 value, u64 money, u8 member count, u8 capacity, u16 count,
    // then the entries as in FriendList, all listed.
    void OnClanInfo(quill::Packet& packet);
    // FriendAdded: one member record.
    void OnFriendAdded(quill::Packet& packet);
    // FriendRemoved: u8 kind, u32 id, string nickname.
    void OnFriendRemoved(quill::Packet& packet);
    // ClanMemberJoined: a member record and a u8.
    void OnClanMemberJoined(quill::Packet& packet);
    // ClanMemberLeft: u32 id, string nickname.
    void OnClanMemberLeft(quill::Packet& packet);
    // MemberLoggedIn: u8 list kind, u32 id, string nickname, then for a listed member u64, u8 channel,
    // u16 place, u32. MemberLoggedOut: u8 list kind, u32 id, string nickname.
    void OnMemberLoggedIn(quill::Packet& packet);
    void OnMemberLoggedOut(quill::Packet& packet);
    // MemberLocation: u32 id, u8 channel, u16 place, for the friend and the clan member of that id.
    // True when a friend had that id.
    bool OnMemberLocation(quill::Packet& packet);

    // ClanMemberStatus for the player's clan: its capacity, value and money.
    void SetClanStatus(uint8_t capacity, uint32_t value, int64_t money);
    // The player has left his clan: no clan record and an empty clan list.
    void LeaveClan();

    // Moves the friend with that id when it is in the given channel; true when it was.
    bool UpdateFriendPlace(uint32_t id, int16_t place, uint8_t channel);

    quill::UserDirectory& Friends() { return friends_; }
    quill::UserDirectory& ClanMembers() { return clan_; }
    ClanRecord Clan();
    int32_t RecordsInUse() const { return records_.InUse(); }

private:
    // Takes a record, reads a member (and its flag when withFlag) into it; null when the pool stays empty.
    quill::PlayerState* TakeMember(quill::Packet& packet, bool withFlag);
    // Inserts the record; a refused one (its id is listed) goes back to the pool. Whether it was inserted.
    bool InsertOrReturn(quill::UserDirectory& directory, quill::PlayerState* record);
    // Empties the directory, returning its records.
    void Clear(quill::UserDirectory& directory);
    // Reads the u16 count and entries of a list into the directory; flagged entries are dropped when
    // dropFlagged.
    void ReadEntries(quill::Packet& packet, quill::UserDirectory& directory, bool dropFlagged);
    // Takes the record of id out of the directory; null when it is not listed.
    quill::PlayerState* Detach(quill::UserDirectory& directory, uint32_t id);
    quill::UserDirectory& ListOfKind(uint8_t listKind);
    void ListChanged();

    ConnectionHost& host_;
    ObjectPool<quill::PlayerState> records_{kRecordCount, 1};
    quill::UserDirectory friends_;
    quill::UserDirectory clan_;
    ClanRecord clanRecord_;  // guarded by the clan directory's lock
};

}  // namespace kestrovan
