#pragma once
// The stand-in game server's side of the conversations the screens have with it, installed as its replies,
// so that a screen's tests and the program's checks under X talk to a server that answers like the real one.
//
//   GameServerFixture server;
//   InstallLoginScript(server);          // hello, login, channel list, channel entry
//   InstallLobbyScript(server);          // the lobby's lists, chat, joining and creating rooms
//   InstallCommunityScript(server);      // the login with the friend and clan lists, the messenger's answers
//   InstallGalleryScript(server);        // the shot gallery's votes and the profiles asked for there
//   InstallPlayerScript(server);         // skill saves and the tournament's ranking
//   server.Send(LobbyUserLeftMessage(1003));   // pushes on cue, built with ServerMessages.h
//   server.Send(MemberLoggedInMessage(1, friendAnn));   // and CommunityMessages.h
//
// The replies run on the fixture's thread as each request arrives; a script installed again replaces the
// replies it gives.
#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "QuillLib/core/WString.h"
#include "tests/support/net/CommunityMessages.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/PlayerMessages.h"
#include "tests/support/net/RoomMessages.h"
#include "tests/support/net/ServerMessages.h"
#include "tests/support/net/TableScreenMessages.h"
#include "tests/support/net/ShopMessages.h"

namespace kvtest {

struct LoginScript {
    TestAccount account;
    std::vector<TestChannel> channels = DefaultChannels();
    // When not empty, InventoryList follows LoginResult with these items (expired ones among them).
    std::vector<TestOwnedItem> items;
};

// Greets every client with ServerHello; answers LoginRequest with LoginResult (the account) and the channel
// list, ChannelListRequest with the channel list, and ChannelEnter (a row of the list) with ChannelEnterResult
// 0 and that row's channel, 1-based (a row past the list: result 1, no entry).
void InstallLoginScript(GameServerFixture& server, const LoginScript& script = {});

struct LobbyScript {
    std::vector<TestRoom> rooms = DefaultRooms();
    std::vector<TestUser> users = DefaultUsers();
    std::vector<TestChannel> channels = DefaultChannels();
    // The nickname under which the player's chat lines come back.
    quill::WString nickname = TestAccount{}.nickname;
    // Results that JoinRoom and JoinRoomWithPassword give for a room whatever else holds (14 banned, 15 the
    // handicap does not qualify, 16 not available).
    std::map<uint16_t, uint32_t> joinResults;
    // 0: CreateRoom is answered as the join of the new room, numbered createdRoom (after the new room's entry
    // in the list and the player's move into it); any other code is answered with CreateRoomResult of that
    // code.
    uint8_t createResult = 0;
    uint16_t createdRoom = 7;
};

// Answers LobbyEnter with RoomListReset, a RoomListEntry per room, LobbyUserRemoved (the table emptied), a
// LobbyUserAdded per user and LobbyEntered; LobbyChatSend with the line as LobbyChat under the player's
// nickname; JoinRoom and JoinRoomWithPassword with JoinRoomResult: the forced result when there is one, else
// 12 for a room not listed, 13 for a full one, 5 for a locked one without its password, and 0 with the room's
// settings; CreateRoom as createResult says; LeaveChannel with the channel list.
void InstallLobbyScript(GameServerFixture& server, const LobbyScript& script = {});

struct CommunityScript {
    // The login, whose answer brings the friend and clan lists after LoginResult; the account is the player.
    LoginScript login;
    // Two friends online (one in room 12 of channel 1, one in the lobby of channel 2), one offline.
    std::vector<TestMember> friends{
        {1, 1001, u"Ann", 1, 12, 0}, {2, 1002, u"Ben", 2, 0, 0}, {3, 1003, u"Cid", 0xFF, 0xFFFD, 0}};
    // The clan: the player its master (rank 10), one member online.
    TestClan clan{900, u"Cushions", 0, 500000, 2, 20};
    std::vector<TestMember> clanMembers{{4, 1004, u"Dee", 1, 0, 3}};
    // The profile UserInfoRequest gets, under the nickname asked for.
    TestProfile profile;
    // Whom FindPlayer finds (anyone else: result 0).
    std::vector<TestMember> findable{{5, 1005, u"Seeker", 1, 3, 0}};
    // ClanLeave's answer: 1 refuses a master whose clan has members.
    uint8_t leaveResult = 0;
};

// The login script with the lists in its answer (LoginResult, FriendList, ClanInfo with the player's own entry,
// then the channel list), and the community's answers: MessengerChatSend with its echo (MessengerChatEcho);
// FriendRequest with FriendRequestResult 0; FriendRequestReply that accepts with FriendAdded of the
// requester; FriendDelete with FriendRemoved (not quiet); ClanCreate with ClanCreateResult 0 at 100,000
// gold; ClanSettings with ClanMemberStatus of the new capacity; ClanInvite with ClanInviteResult 3 (the clan
// is full); ClanInviteAnswer with ClanInfo of the clan joined; ClanLeave with ClanLeaveResult; FindPlayer with
// FindPlayerResult; UserInfoRequest with UserProfile.
void InstallCommunityScript(GameServerFixture& server, const CommunityScript& script = {});

struct PracticeScript {
    // GoldCharged: the result, the gold after the charge, the amount and the charges left.
    uint8_t chargeResult = 0;
    int64_t goldAfterCharge = 22000;
    uint32_t chargeAmount = 20000;
    uint8_t chargesLeft = 0;
    // ChallengeReward: the amount and the gold after it.
    uint32_t reward = 2000;
    int64_t goldAfterReward = 4000;
    // ItemUseResult: the result (0: the item is in use).
    uint8_t itemUseResult = 0;
};

// The practice room's answers: GoldChargeRequest with GoldCharged, ChallengeResult with ChallengeReward,
// ItemUse with ItemUseResult for the item asked for (its name "Used item"). EnterPractice, LeaveToLobby and
// ItemUseAlt are only recorded; the lobby script answers the lobby's entry after LeaveToLobby.
void InstallPracticeScript(GameServerFixture& server, const PracticeScript& script = {});
struct RoomScript {
    TestRoomSnapshot snapshot;  // the player at its local seat, the room's master
    TestRoomPlayer opponent;    // who is in the room already
    // How the opponent is told of on entry: RoomMemberEntered, as one who comes in with the player, or
    // RoomMemberInfo, as one who sat in the room before the player came.
    bool opponentWasIn = false;
    quill::WString nickname = TestAccount{}.nickname;
    uint32_t seed = 4321;
    std::array<uint8_t, 5> rule{0, 0, 1, 0, 0};  // the start's point rule: kind, count, multiplier, step, flag
};

// What a test reads of, and changes in, a room script while it runs.
struct RoomScriptState {
    std::atomic<bool> inGame{false};
    std::atomic<uint32_t> shots{0};
};

// The game room's answers: RoomEntered with RoomSnapshot and the opponent's RoomMemberEntered (or RoomMemberInfo);
// RoomSlotRequest with SeatChanged of the local seat (the slot as its state) and of the opponent (team 2, ready);
// ReadyToggle with PlayerSlotUpdate; GameStartRequest with GameStart of the two, the player first; ShotResultReport
// with TurnResult that passes the turn to the opponent; RoomChatSend with RoomChat echoed under the player's nickname
// (team chat kept); ItemUse with ItemUseResult 0 for that item; LeaveRoomRequest with RoomError 0, or ExitNotAllowed
// while a game runs. A test pushes the opponent's side (AimState, Shot, TableStateRequest) and the game's end itself.
std::shared_ptr<RoomScriptState> InstallRoomScript(GameServerFixture& server, const RoomScript& script = {});

struct ShopScript {
    // The balances the answers carry; a purchase takes its price from the cue money.
    int64_t cash = 5000;
    int64_t cueMoney = 100000;
    int64_t price = 1000;
    // Result codes the answers give (0: success): purchases and gifts, membership, item use, deletion.
    uint8_t buyResult = 0;
    uint8_t membershipResult = 0;
    uint8_t useResult = 0;
    uint8_t deleteResult = 0;
    // ItemUseAlt is answered for this one game type (GameDefaultItemResult) when it is not -1.
    int32_t defaultGameType = -1;
    // The key of the first item bought; later ones follow.
    int64_t firstKey = 0x100;
};

// The shop's answers: ItemBuy, ItemGift and ClanGift with ItemBuyResult of modes 1, 2 and 3 (a bought item is
// counted, 100 of 100, under the next key); MembershipRequest with MembershipResult (the state chosen for
// oneself, the price of the kind and period taken from the cash, the plus kind's cue money as the bonus);
// ItemUse with ItemUseResult, or NicknameItemResult for the nickname item; ItemUseAlt with DefaultItemResult
// (cue 1, ball set 4, table 3 by the item's kind), or GameDefaultItemResult; ItemDelete with ItemDeleteResult.
// EnterShop and LeaveShop are not answered: the lobby script answers the lobby's entry that follows.
void InstallShopScript(GameServerFixture& server, const ShopScript& script = {});

struct GalleryScript {
    // The code of every ShotVoteResult: 0 the vote counted, 1 too few stickers, any other a database error.
    uint8_t voteResult = 0;
    // The profile UserInfoRequest gets, under the nickname asked for.
    TestProfile profile;
};

// Answers ShotVote with ShotVoteResult and UserInfoRequest with UserProfile. The gallery's LeaveToLobby needs
// no answer: the lobby it returns to asks again with LobbyEnter (the lobby script).
void InstallGalleryScript(GameServerFixture& server, const GalleryScript& script = {});

struct PlayerScript {
    // SkillPointsSave's answer: 0 adds the raises to the player's values (a thousand each) and takes their
    // points; any other result is sent as it stands.
    uint8_t skillResult = 0;
    // The values the raises start from: the login's account.
    uint16_t skillPoints = 20;
    std::array<uint32_t, 5> skills = TestAccount{}.skills;
    // The ranking RankingRequest pages through, fifteen rows from the rank asked.
    std::vector<TestRanking> ranking{{1, u"Ann", 30, 4}, {2, u"Ben", 20, 4}, {3, u"Cid", 9, 0}};
};

// Answers SkillPointsSave with SkillSaveResult as the script says (the values saved carry over to the next
// save), and RankingRequest with the TournamentSchedule page from the rank asked. ProfileTextUpdate,
// OptionsUpdate, SettingsText and TournamentAlarm are only recorded, as every request is.
void InstallPlayerScript(GameServerFixture& server, const PlayerScript& script = {});

}  // namespace kvtest
