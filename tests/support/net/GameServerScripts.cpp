#include "tests/support/net/GameServerScripts.h"

#include <algorithm>
#include <memory>
#include <mutex>

namespace kvtest {

using quill::MessageId;
using quill::Packet;

namespace {

uint32_t JoinResult(const LobbyScript& script, uint16_t number, const quill::WString* password) {
    if (const auto forced = script.joinResults.find(number); forced != script.joinResults.end()) {
        return forced->second;
    }
    const auto room = std::find_if(script.rooms.begin(), script.rooms.end(),
                                   [number](const TestRoom& r) { return r.number == number && r.players != 0; });
    if (room == script.rooms.end()) {
        return 12;
    }
    if (room->players >= room->maxPlayers) {
        return 13;
    }
    if (room->passwordFlag != 0 && (password == nullptr || *password != room->password)) {
        return 5;
    }
    return 0;
}

void AnswerJoin(const LobbyScript& script, uint16_t number, const quill::WString* password, GameServerFixture& server) {
    const uint32_t result = JoinResult(script, number, password);
    TestRoom room;
    for (const TestRoom& listed : script.rooms) {
        if (listed.number == number) {
            room = listed;
        }
    }
    server.Send(JoinRoomResultMessage(result, room));
}

// The room that CreateRoom describes, numbered as the script says.
TestRoom CreatedRoom(Packet request, uint16_t number) {
    TestRoom room;
    room.number = number;
    room.gameMode = request.ReadU8();
    room.maxPlayers = request.ReadU8();
    room.tableItem = request.ReadU16();
    room.ballSetItem = request.ReadU16();
    room.title = request.ReadWString();
    room.passwordFlag = request.ReadU8();
    if (room.passwordFlag != 0) {
        room.password = request.ReadWString();
    }
    room.timeLimit = request.ReadU8();
    room.optionFlags = request.ReadU8();
    room.stakeIndex = request.ReadU8();
    room.minHandicap = request.ReadU16();
    room.maxHandicap = request.ReadU16();
    return room;
}

constexpr uint32_t kClanCreationCost = 100000;
constexpr uint32_t kCreatedClanId = 901;
constexpr uint8_t kClanFull = 3;

// The clan's list with the player's own entry, its master.
std::vector<TestMember> ClanMembers(const CommunityScript& script) {
    constexpr uint8_t kMasterRank = 10;
    std::vector<TestMember> members{{script.login.account.userId, script.login.account.accountId,
                                     script.login.account.nickname, 1, 0, kMasterRank}};
    members.insert(members.end(), script.clanMembers.begin(), script.clanMembers.end());
    return members;
}

void AnswerChat(const ServerMessage& request, GameServerFixture& server) {
    Packet packet = request.Read();
    const uint8_t kind = packet.ReadU8();
    const uint32_t memberId = packet.ReadU32();
    server.Send(ChatMessage(MessageId::MessengerChatEcho, kind, memberId, packet.ReadWString()));
}

void AnswerFriendReply(const ServerMessage& request, GameServerFixture& server) {
    Packet packet = request.Read();
    const uint8_t accepted = packet.ReadU8();
    const uint32_t memberId = packet.ReadU32();
    const quill::WString nickname = packet.ReadWString();
    if (accepted != 0)
        server.Send(FriendAddedMessage(TestMember{memberId, 2000 + memberId, nickname, 1, 0, 0}));
}

void AnswerFriendDelete(const CommunityScript& script, const ServerMessage& request, GameServerFixture& server) {
    const uint32_t memberId = request.Read().ReadU32();
    const auto listed = std::find_if(script.friends.begin(), script.friends.end(),
                                     [memberId](const TestMember& member) { return member.memberId == memberId; });
    server.Send(FriendRemovedMessage(0, memberId, listed != script.friends.end() ? listed->nickname : u"?"));
}

void AnswerFindPlayer(const CommunityScript& script, const ServerMessage& request, GameServerFixture& server) {
    const quill::WString nickname = request.Read().ReadWString();
    const auto found = std::find_if(script.findable.begin(), script.findable.end(),
                                    [&](const TestMember& member) { return member.nickname == nickname; });
    if (found == script.findable.end()) {
        server.Send(FindPlayerResultMessage(0, 0, u"", 0, 0));
        return;
    }
    server.Send(FindPlayerResultMessage(1, found->userId, found->nickname, found->channel, found->place));
}

void AnswerUserInfo(const TestProfile& asked, const ServerMessage& request, GameServerFixture& server) {
    Packet packet = request.Read();
    packet.ReadU8();
    packet.ReadI64();
    TestProfile profile = asked;
    profile.nickname = packet.ReadWString();
    server.Send(UserProfileMessage(profile));
}

}  // namespace

void InstallLoginScript(GameServerFixture& server, const LoginScript& script) {
    server.GreetWithHello();
    std::vector<Packet> login{LoginResultMessage(script.account)};
    if (!script.items.empty()) login.push_back(InventoryListMessage(script.items));
    login.push_back(ChannelListMessage(script.channels));
    server.ReplyWith(MessageId::LoginRequest, std::move(login));
    server.ReplyWith(MessageId::ChannelListRequest, {ChannelListMessage(script.channels)});
    server.ReplyTo(MessageId::ChannelEnter,
                   [channels = script.channels](const ServerMessage& request, GameServerFixture& s) {
                       const uint16_t row = request.Read().ReadU16();
                       if (row >= channels.size()) {
                           s.Send(ChannelEnterResultMessage(1, 0));
                           return;
                       }
                       s.Send(ChannelEnterResultMessage(0, static_cast<uint8_t>(channels[row].number + 1)));
                   });
}

void InstallLobbyScript(GameServerFixture& server, const LobbyScript& script) {
    std::vector<Packet> entry{RoomListResetMessage()};
    for (const TestRoom& room : script.rooms) {
        entry.push_back(RoomListEntryMessage(room));
    }
    entry.push_back(LobbyUsersClearedMessage());
    for (const TestUser& user : script.users) {
        entry.push_back(LobbyUserAddedMessage(user));
    }
    entry.push_back(LobbyEnteredMessage());
    server.ReplyWith(MessageId::LobbyEnter, std::move(entry));
    server.ReplyTo(MessageId::LobbyChatSend,
                   [nickname = script.nickname](const ServerMessage& request, GameServerFixture& s) {
                       s.Send(LobbyChatMessage(nickname, request.Read().ReadWString()));
                   });
    server.ReplyTo(MessageId::JoinRoom, [script](const ServerMessage& request, GameServerFixture& s) {
        AnswerJoin(script, request.Read().ReadU16(), nullptr, s);
    });
    server.ReplyTo(MessageId::JoinRoomWithPassword, [script](const ServerMessage& request, GameServerFixture& s) {
        Packet packet = request.Read();
        const uint16_t number = packet.ReadU16();
        packet.ReadU8();
        const quill::WString password = packet.ReadWString();
        AnswerJoin(script, number, &password, s);
    });
    server.ReplyTo(MessageId::CreateRoom, [script](const ServerMessage& request, GameServerFixture& s) {
        if (script.createResult != 0) {
            s.Send(CreateRoomResultMessage(script.createResult));
            return;
        }
        // As the channel's lobby hears of it: the new room, and the player moved into it; then the join.
        const TestRoom room = CreatedRoom(request.Read(), script.createdRoom);
        s.Send(RoomListEntryMessage(room));
        s.Send(LobbyUserMovedMessage(TestAccount{}.accountId, static_cast<int16_t>(room.number)));
        s.Send(JoinRoomResultMessage(0, room));
    });
    server.ReplyWith(MessageId::LeaveChannel, {ChannelListMessage(script.channels)});
}

void InstallCommunityScript(GameServerFixture& server, const CommunityScript& script) {
    InstallLoginScript(server, script.login);
    server.ReplyWith(MessageId::LoginRequest,
                     {LoginResultMessage(script.login.account), FriendListMessage(script.friends),
                      ClanInfoMessage(script.clan, ClanMembers(script)), ChannelListMessage(script.login.channels)});
    server.ReplyTo(MessageId::MessengerChatSend, AnswerChat);
    server.ReplyWith(MessageId::FriendRequest, {FriendRequestResultMessage(0)});
    server.ReplyTo(MessageId::FriendRequestReply, AnswerFriendReply);
    server.ReplyTo(MessageId::FriendDelete, [script](const ServerMessage& request, GameServerFixture& s) {
        AnswerFriendDelete(script, request, s);
    });
    server.ReplyTo(MessageId::ClanCreate, [](const ServerMessage& request, GameServerFixture& s) {
        s.Send(ClanCreateResultMessage(0, kCreatedClanId, request.Read().ReadWString(), kClanCreationCost));
    });
    server.ReplyTo(MessageId::ClanSettings, [script](const ServerMessage& request, GameServerFixture& s) {
        Packet packet = request.Read();
        packet.ReadU8();
        s.Send(ClanMemberStatusMessage(script.clan.id, packet.ReadU8(), script.clan.value, script.clan.money));
    });
    server.ReplyWith(MessageId::ClanInvite, {ClanInviteResultMessage(kClanFull)});
    server.ReplyWith(MessageId::ClanInviteAnswer, {ClanInfoMessage(script.clan, ClanMembers(script))});
    server.ReplyWith(MessageId::ClanLeave, {ClanLeaveResultMessage(script.leaveResult)});
    server.ReplyTo(MessageId::FindPlayer, [script](const ServerMessage& request, GameServerFixture& s) {
        AnswerFindPlayer(script, request, s);
    });
    server.ReplyTo(MessageId::UserInfoRequest, [script](const ServerMessage& request, GameServerFixture& s) {
        AnswerUserInfo(script.profile, request, s);
    });
}

void InstallPracticeScript(GameServerFixture& server, const PracticeScript& script) {
    server.ReplyWith(MessageId::GoldChargeRequest, {GoldChargedReply(script.chargeResult, script.goldAfterCharge,
                                                                     script.chargeAmount, script.chargesLeft)});
    server.ReplyWith(MessageId::ChallengeResult, {ChallengeRewardReply(script.reward, script.goldAfterReward)});
    server.ReplyTo(MessageId::ItemUse, [script](const ServerMessage& request, GameServerFixture& s) {
        Packet packet = request.Read();
        const uint32_t type = packet.ReadU32();
        packet.ReadU8();
        const int64_t key = packet.ReadI64();
        s.Send(ItemUseResultMessage(script.itemUseResult, key, type, u"Used item"));
    });
}

void InstallGalleryScript(GameServerFixture& server, const GalleryScript& script) {
    Packet result;
    result.Init(MessageId::ShotVoteResult).WriteU8(script.voteResult).Finish();
    server.ReplyWith(MessageId::ShotVote, {result});
    server.ReplyTo(MessageId::UserInfoRequest, [script](const ServerMessage& request, GameServerFixture& s) {
        AnswerUserInfo(script.profile, request, s);
    });
}

std::shared_ptr<RoomScriptState> InstallRoomScript(GameServerFixture& server, const RoomScript& script) {
    auto state = std::make_shared<RoomScriptState>();
    const uint8_t local = script.snapshot.localSeat;
    const uint8_t opponent = script.opponent.seat;
    server.ReplyTo(MessageId::RoomEntered, [script](const ServerMessage&, GameServerFixture& s) {
        s.Send(RoomSnapshotMessage(script.snapshot));
        s.Send(script.opponentWasIn ? RoomMemberInfoMessage(script.opponent)
                                    : RoomMemberEnteredMessage(script.opponent, 2, script.snapshot.capacity));
    });
    server.ReplyTo(MessageId::RoomSlotRequest, [local, opponent](const ServerMessage& request, GameServerFixture& s) {
        s.Send(ShortMessage(MessageId::SeatChanged, {{local, 1}, {request.Read().ReadU8(), 1}}));
        s.Send(ShortMessage(MessageId::SeatChanged, {{opponent, 1}, {2, 1}}));
    });
    server.ReplyTo(MessageId::ReadyToggle, [local](const ServerMessage& request, GameServerFixture& s) {
        s.Send(ShortMessage(MessageId::PlayerSlotUpdate, {{local, 1}, {request.Read().ReadU8(), 1}}));
    });
    server.ReplyTo(MessageId::GameStartRequest, [script, state, local, opponent](const ServerMessage&,
                                                                              GameServerFixture& s) {
        TestGameStart start = TwoPlayerStart(script.snapshot.gameMode, local, opponent);
        start.seed = script.seed;
        start.rule = script.rule;
        state->inGame = true;
        s.Send(GameStartMessage(start));
    });
    server.ReplyTo(MessageId::ShotResultReport, [script, state, opponent](const ServerMessage&, GameServerFixture& s) {
        TestTurnResult turn;
        turn.ballSetItem = script.snapshot.ballSetItem;
        turn.tableItem = script.snapshot.tableItem;
        turn.nextShooter = opponent;
        turn.inning = static_cast<uint16_t>(++state->shots);
        s.Send(TurnResultMessage(turn));
    });
    server.ReplyTo(MessageId::RoomChatSend, [script, local](const ServerMessage& request, GameServerFixture& s) {
        Packet packet = request.Read();
        const uint8_t team = packet.ReadU8();
        s.Send(RoomChatMessage(team, local, script.nickname, packet.ReadWString()));
    });
    server.ReplyTo(MessageId::ItemUse, [](const ServerMessage& request, GameServerFixture& s) {
        Packet packet = request.Read();
        packet.ReadU32();
        packet.ReadU8();
        const int64_t key = packet.ReadI64();
        s.Send(ItemUseResultMessage(0, key, 0, u"Item"));
    });
    server.ReplyTo(MessageId::LeaveRoomRequest, [state](const ServerMessage&, GameServerFixture& s) {
        s.Send(state->inGame ? EmptyMessage(MessageId::ExitNotAllowed) : ShortMessage(MessageId::RoomError, {{0, 1}}));
    });
    return state;
}

}  // namespace kvtest

namespace kvtest {

namespace {

struct ShopState {
    std::mutex mutex;
    ShopScript script;
    int64_t nextKey = 0;
};

constexpr uint32_t kNicknameItem = 4102;
constexpr int64_t kMembershipPrices[3][2] = {{4500, 12500}, {9800, 26000}, {18400, 49000}};
constexpr uint32_t kPlusCueMoney[2] = {300000, 900000};

void AnswerBuy(ShopState& state, uint8_t mode, const ServerMessage& request, GameServerFixture& server) {
    const uint32_t item = request.Read().ReadU32();
    std::lock_guard<std::mutex> hold(state.mutex);
    const ShopScript& script = state.script;
    if (script.buyResult != 0) {
        server.Send(ItemBuyResultMessage(mode, script.buyResult));
        return;
    }
    state.script.cueMoney -= script.price;
    TestOwnedItem bought{state.nextKey++, 0, item, 3, 100, 100, {}};
    server.Send(ItemBuyResultMessage(mode, 0, script.cash, script.cueMoney, bought));
}

void AnswerMembership(ShopState& state, const ServerMessage& request, GameServerFixture& server) {
    Packet packet = request.Read();
    const uint8_t mode = packet.ReadU8();
    packet.ReadU8();
    const uint8_t kind = std::clamp<uint8_t>(packet.ReadU8(), 1, 3);
    const uint8_t period = std::clamp<uint8_t>(packet.ReadU8(), 1, 2);
    std::lock_guard<std::mutex> hold(state.mutex);
    ShopScript& script = state.script;
    if (script.membershipResult != 0) {
        server.Send(MembershipResultMessage(script.membershipResult));
        return;
    }
    script.cash -= kMembershipPrices[kind - 1][period - 1];
    const uint32_t bonus = kind == 3 ? kPlusCueMoney[period - 1] : 0;
    script.cueMoney += bonus;
    const uint8_t newState = mode == 1 ? kind : 0;
    server.Send(MembershipResultMessage(0, script.cash, script.cueMoney, bonus, newState, u"2031-01-01"));
}

void AnswerUse(ShopState& state, const ServerMessage& request, GameServerFixture& server) {
    Packet packet = request.Read();
    const uint32_t type = packet.ReadU32();
    packet.ReadU8();
    const int64_t key = packet.ReadI64();
    std::lock_guard<std::mutex> hold(state.mutex);
    if (type == kNicknameItem) {
        server.Send(ShortMessage(MessageId::NicknameItemResult, {{state.script.useResult, 1}}));
        return;
    }
    server.Send(ItemUseResultMessage(state.script.useResult, key, type));
}

void AnswerUseAlt(ShopState& state, const ServerMessage& request, GameServerFixture& server) {
    Packet packet = request.Read();
    const uint32_t type = packet.ReadU32();
    const uint8_t kind = packet.ReadU8();
    const int64_t key = packet.ReadI64();
    const uint8_t defaultKind = kind == 2 ? 4 : kind == 3 ? 3 : 1;
    std::lock_guard<std::mutex> hold(state.mutex);
    server.Send(DefaultItemResultMessage(state.script.useResult, defaultKind, key, type, state.script.defaultGameType));
}

}  // namespace

void InstallShopScript(GameServerFixture& server, const ShopScript& script) {
    auto state = std::make_shared<ShopState>();
    state->script = script;
    state->nextKey = script.firstKey;
    for (const auto& [id, mode] : {std::pair{MessageId::ItemBuy, 1}, {MessageId::ItemGift, 2}, {MessageId::ClanGift, 3}}) {
        server.ReplyTo(id, [state, mode = static_cast<uint8_t>(mode)](const ServerMessage& r, GameServerFixture& s) {
            AnswerBuy(*state, mode, r, s);
        });
    }
    server.ReplyTo(MessageId::MembershipRequest,
                   [state](const ServerMessage& r, GameServerFixture& s) { AnswerMembership(*state, r, s); });
    server.ReplyTo(MessageId::ItemUse, [state](const ServerMessage& r, GameServerFixture& s) { AnswerUse(*state, r, s); });
    server.ReplyTo(MessageId::ItemUseAlt,
                   [state](const ServerMessage& r, GameServerFixture& s) { AnswerUseAlt(*state, r, s); });
    server.ReplyTo(MessageId::ItemDelete, [state](const ServerMessage& r, GameServerFixture& s) {
        const int64_t key = r.Read().ReadI64();
        std::lock_guard<std::mutex> hold(state->mutex);
        s.Send(ItemDeleteResultMessage(state->script.deleteResult, key));
    });
}

void InstallPlayerScript(GameServerFixture& server, const PlayerScript& script) {
    auto saved = std::make_shared<PlayerScript>(script);
    server.ReplyTo(MessageId::SkillPointsSave, [saved](const ServerMessage& request, GameServerFixture& s) {
        if (saved->skillResult != 0) {
            s.Send(SkillSaveResultMessage(saved->skillResult));
            return;
        }
        Packet packet = request.Read();
        for (uint32_t& value : saved->skills) {
            const uint8_t raise = packet.ReadU8();
            value += 1000u * raise;
            saved->skillPoints = static_cast<uint16_t>(saved->skillPoints - raise);
        }
        s.Send(SkillSaveResultMessage(0, saved->skillPoints, saved->skills));
    });
    server.ReplyTo(MessageId::RankingRequest, [script](const ServerMessage& request, GameServerFixture& s) {
        const uint16_t first = request.Read().ReadU16();
        std::vector<TestRanking> page;
        for (const TestRanking& row : script.ranking) {
            if (row.rank >= first && page.size() < 15) page.push_back(row);
        }
        s.Send(TournamentScheduleMessage(page));
    });
}

}  // namespace kvtest
