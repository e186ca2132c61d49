// The friend and clan lists as the dispatcher keeps them: rebuilds, single changes, presence and places,
// what the messenger and the scene are told, and the record pool staying whole.
#include <gtest/gtest.h>

#include "tests/client/connection/ConnectionFakes.h"

namespace kestrovan::test {
namespace {

using Directories = ConnectionTest;

Packet MemberMessage(MessageId id, uint8_t listKind, uint32_t memberId, const WString& name) {
    Packet packet;
    packet.Init(id).WriteU8(listKind).WriteU32(memberId).WriteWString(name);
    return packet;
}

TEST_F(Directories, FriendListReplacesTheFriendsAndDropsFlaggedEntries) {
    Dispatch(FriendList({{7, u"Seven", 3, 12, 0, 700, 70}, {9, u"Nine", 1, 0, 1}, {8, u"Eight"}}));
    quill::UserDirectory& friends = connection_.Directories().Friends();
    ASSERT_EQ(friends.Count(), 2u);
    const quill::PlayerState* seven = friends.Find(7);
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(seven->name, u"Seven");
    EXPECT_EQ(seven->channel, 3);
    EXPECT_EQ(seven->position, 12);
    EXPECT_EQ(seven->accountId, 700);
    EXPECT_EQ(seven->memberValue, 70u);
    EXPECT_EQ(friends.Find(9), nullptr) << "an entry whose flag is set is not listed";

    Dispatch(FriendList({}));
    EXPECT_EQ(friends.Count(), 0u);
    EXPECT_EQ(connection_.Directories().RecordsInUse(), 0);
    EXPECT_TRUE(scene_.Messages().empty()) << "list messages stay with the connection";
}

TEST_F(Directories, AHundredRebuildsWithDuplicatesAndShortListsLeaveThePoolWhole) {
    std::vector<Member> members;  // as many as a message holds, a fifth of them listed twice
    for (uint32_t entry = 1; entry <= 120; ++entry) {
        members.push_back({entry % 100, u"", 1, 0, static_cast<uint8_t>(entry % 7 == 0)});
    }
    MemberDirectories& directories = connection_.Directories();
    for (int rebuild = 0; rebuild < 100; ++rebuild) {
        Dispatch(FriendList(members));
        Dispatch(ClanInfo(5, u"Clan", members));
        ASSERT_EQ(directories.RecordsInUse(), 188) << "only listed records are out of the pool";
    }
    EXPECT_EQ(directories.Friends().Count(), 88u);
    EXPECT_EQ(directories.ClanMembers().Count(), 100u);

    Packet claimsMore;  // a count far beyond the entries the message holds
    claimsMore.Init(MessageId::FriendList).WriteU16(60000);
    WriteMember(claimsMore, {1, u"one"});
    Dispatch(claimsMore);
    EXPECT_EQ(directories.Friends().Count(), 1u);
    EXPECT_EQ(directories.RecordsInUse(), 101);
}

TEST_F(Directories, ClanInfoKeepsTheClanAndListsEveryMember) {
    Dispatch(ClanInfo(44, u"Cushions", {{3, u"A", 1, 0, 1}, {4, u"B"}}));
    const ClanRecord clan = connection_.Directories().Clan();
    EXPECT_EQ(clan.id, 44u);
    EXPECT_EQ(clan.name, u"Cushions");
    EXPECT_EQ(clan.value, 7u);
    EXPECT_EQ(clan.money, 9000000000LL);
    EXPECT_EQ(clan.memberCount, 2);
    EXPECT_EQ(clan.capacity, 50);
    EXPECT_EQ(connection_.Directories().ClanMembers().Count(), 2u) << "clan entries are listed flag or not";
}

TEST_F(Directories, SingleChangesTellTheMessengerAndPostOneListChange) {
    Packet added;
    added.Init(MessageId::FriendAdded);
    WriteMember(added, {21, u"New"}, false);
    Dispatch(added);
    Dispatch(added);  // already listed: refused, nothing told
    Packet joined;
    joined.Init(MessageId::ClanMemberJoined);
    WriteMember(joined, {31, u"Joiner"});
    Dispatch(joined);
    Packet removed;
    removed.Init(MessageId::FriendRemoved).WriteU8(2).WriteU32(21).WriteWString(u"New");
    Dispatch(removed);
    Dispatch(removed);  // no longer listed
    Packet left;
    left.Init(MessageId::ClanMemberLeft).WriteU32(31).WriteWString(u"Joiner");
    Dispatch(left);

    EXPECT_EQ(host_.Calls(),
              (std::vector<std::string>{"refresh", "clan joined 31", "friend removed 2 21", "clan left 31"}));
    EXPECT_EQ(host_.Events(), std::vector<PostedEvent>(4, {ConnectionEvent::MessengerListChanged, 0}));
    EXPECT_EQ(connection_.Directories().RecordsInUse(), 0);
}

TEST_F(Directories, PresenceUpdatesTheRecordAndReachesTheSceneWhole) {
    Dispatch(FriendList({{7, u"Old", 2, 5}}));
    Dispatch(ClanInfo(1, u"C", {{8, u"Clanmate", 2, 6}}));

    Packet loggedIn = MemberMessage(MessageId::MemberLoggedIn, kFriendListKind, 7, u"Renamed");
    loggedIn.WriteI64(77).WriteU8(4).WriteU16(9).WriteU32(1);
    Dispatch(loggedIn);
    const quill::PlayerState* friendRecord = connection_.Directories().Friends().Find(7);
    EXPECT_EQ(friendRecord->name, u"Renamed");
    EXPECT_EQ(friendRecord->accountId, 77);
    EXPECT_EQ(friendRecord->channel, 4);
    EXPECT_EQ(friendRecord->position, 9);

    Dispatch(MemberMessage(MessageId::MemberLoggedOut, 2, 8, u"Clanmate"));
    const quill::PlayerState* clanRecord = connection_.Directories().ClanMembers().Find(8);
    EXPECT_EQ(clanRecord->channel, 0xFF);
    EXPECT_EQ(clanRecord->position, MemberDirectories::kOfflinePlace);
    Dispatch(MemberMessage(MessageId::MemberLoggedOut, kFriendListKind, 99, u"Stranger"));

    EXPECT_EQ(host_.Calls(), (std::vector<std::string>{"in 1 7", "out 2 8"}));
    const std::vector<SceneMessage> messages = scene_.Messages();
    ASSERT_EQ(messages.size(), 3u) << "the scene gets every presence message, listed member or not";
    EXPECT_EQ(messages[0].id, MessageId::MemberLoggedIn);
    EXPECT_EQ(messages[0].payload.size(), 1 + 4 + 4 + 14 + 8 + 1 + 2 + 4u) << "from the first payload byte";
    EXPECT_EQ(messages[2].id, MessageId::MemberLoggedOut);
}

TEST_F(Directories, LocationsMoveFriendsAndClanMembersAndTheSceneHearsOfFriendsOnly) {
    Dispatch(FriendList({{7, u"Friend", 2, 5}}));
    Dispatch(ClanInfo(1, u"C", {{8, u"Clanmate", 2, 6}}));
    for (uint32_t id : {7u, 8u}) {
        Packet location;
        location.Init(MessageId::MemberLocation).WriteU32(id).WriteU8(3).WriteU16(0xFFFE);
        Dispatch(location);
    }
    EXPECT_EQ(connection_.Directories().Friends().Find(7)->position, -2);
    EXPECT_EQ(connection_.Directories().ClanMembers().Find(8)->channel, 3);
    ASSERT_EQ(scene_.Messages().size(), 1u);
    EXPECT_EQ(scene_.Messages()[0].id, MessageId::MemberLocation);
    EXPECT_TRUE(scene_.Messages()[0].payload.empty());

    connection_.LocalPlayer().channel = 3;
    connection_.UpdateFriendPlace(7, 12);
    connection_.UpdateFriendPlace(8, 13);  // not a friend
    EXPECT_EQ(connection_.Directories().Friends().Find(7)->position, 12);
    connection_.LocalPlayer().channel = 4;
    connection_.UpdateFriendPlace(7, 14);  // in another channel
    EXPECT_EQ(connection_.Directories().Friends().Find(7)->position, 12);
    EXPECT_EQ(scene_.Messages().size(), 2u);
    EXPECT_EQ(host_.Calls(), std::vector<std::string>(3, "refresh"));
}

}  // namespace
}  // namespace kestrovan::test
