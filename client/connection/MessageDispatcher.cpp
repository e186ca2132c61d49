#include "client/connection/MessageDispatcher.h"

#include <array>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/net/FieldReader.h"
#include "client/connection/ConnectionMessages.h"
#include "client/connection/GameConnection.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;

namespace {

constexpr uint8_t kInviteeInGame = 1;
constexpr uint8_t kInviteRefused = 2;

ConnectionNotice Notice(const char16_t* title, quill::WString line) {
    ConnectionNotice notice;
    notice.title = title;
    notice.lines[0] = std::move(line);
    return notice;
}

}  // namespace

MessageDispatcher::MessageDispatcher(GameConnection& connection, ConnectionHost& host)
    : connection_(connection), host_(host) {}

void MessageDispatcher::Dispatch(Packet& packet) {
    const MessageId id = packet.Id();
    if (DispatchMemberMessage(id, packet) || DispatchAccountMessage(id, packet)) {
        return;
    }
    switch (id) {
        case MessageId::ConnectionLost:
            OnConnectionLost(packet);
            break;
        case MessageId::ServerHello:
            packet.ReadU32();  // the server's value is not used
            connection_.SendLoginRequest();
            break;
        case MessageId::MessengerChat:
        case MessageId::MessengerChatEcho:
            host_.OnMessengerChat(packet, id == MessageId::MessengerChatEcho);
            break;
        case MessageId::SkillSaveResult:
            host_.OnSkillSaveResult(packet);
            break;
        case MessageId::FriendRequestResult:
        case MessageId::FriendRequestReceived:
        case MessageId::FriendRequestAnswer:
        case MessageId::ClanInviteResult:
        case MessageId::ClanMemberStatus:
        case MessageId::ClanLeaveResult:
        case MessageId::ClanInvitation:
        case MessageId::FindPlayerResult:
            host_.OnMessengerMessage(id, packet);
            break;
        case MessageId::RaceTournamentNotice:
            OnRaceTournamentNotice(packet);
            PassAgainToScene(id, packet);
            break;
        case MessageId::Ignored89:
            break;
        case MessageId::InviteResult:
            OnInviteResult(packet);
            break;
        case MessageId::InvitationReceived:
            host_.ShowInvitation(Invitation::Read(packet));
            break;
        default:
            PassToScene(id, packet);
            break;
    }
}

bool MessageDispatcher::DispatchMemberMessage(MessageId id, Packet& packet) {
    MemberDirectories& directories = connection_.Directories();
    switch (id) {
        case MessageId::FriendList:
            directories.OnFriendList(packet);
            return true;
        case MessageId::FriendAdded:
            directories.OnFriendAdded(packet);
            return true;
        case MessageId::FriendRemoved:
            directories.OnFriendRemoved(packet);
            return true;
        case MessageId::ClanInfo:
            OnClanInfo(packet);
            return true;
        case MessageId::ClanMemberLeft:
            directories.OnClanMemberLeft(packet);
            return true;
        case MessageId::ClanMemberJoined:
            directories.OnClanMemberJoined(packet);
            return true;
        case MessageId::MemberLoggedIn:
            directories.OnMemberLoggedIn(packet);
            PassAgainToScene(id, packet);
            return true;
        case MessageId::MemberLoggedOut:
            directories.OnMemberLoggedOut(packet);
            PassAgainToScene(id, packet);
            return true;
        case MessageId::MemberLocation:
            if (directories.OnMemberLocation(packet)) {
                DeliverEmpty(id);
            }
            return true;
        default:
            return false;
    }
}

bool MessageDispatcher::DispatchAccountMessage(MessageId id, Packet& packet) {
    switch (id) {
        case MessageId::GiftReceived:
            connection_.Items().OnGiftReceived(packet);
            return true;
        case MessageId::InventoryList:
            connection_.Items().OnInventoryList(packet, connection_.MembershipState());
            return true;
        case MessageId::CueMoneyUpdate:
            OnCueMoneyUpdate(packet);
            return true;
        case MessageId::PlayerRecordUpdate:
            OnPlayerRecordUpdate(packet);
            return true;
        case MessageId::GoldUpdate:
            OnGoldUpdate(packet);
            return true;
        default:
            return false;
    }
}

void MessageDispatcher::DeliverEmpty(MessageId id) {
    Packet packet;
    packet.Init(id).Finish();
    packet.AcceptReceived(Packet::kHeaderSize);
    host_.DeliverPacket(id, packet);
}

void MessageDispatcher::PassToScene(MessageId id, Packet& packet) {
    while (!host_.DeliverPacket(id, packet)) {
        if (!connection_.WaitForReadyScene()) {
            return;
        }
    }
}

void MessageDispatcher::PassAgainToScene(MessageId id, Packet& packet) {
    packet.SetCursor(Packet::kHeaderSize);
    PassToScene(id, packet);
}

// The login screen says itself that the connection is gone; anywhere else the program ends after the box. A
// login screen that is being left gets the box too.
void MessageDispatcher::OnConnectionLost(Packet& packet) {
    const ConnectionScene* scene = host_.CurrentScene();
    if (scene != nullptr && scene->GetSceneId() == ConnectionScene::kLoginSceneId &&
        host_.DeliverPacket(MessageId::ConnectionLost, packet)) {
        return;
    }
    ConnectionNotice notice = Notice(u"Error", u"Disconeected from Server.");
    notice.event = static_cast<uint32_t>(ConnectionEvent::AppQuit);
    host_.ShowNotice(notice);
}

// The clan list, and the player's clan: its id and name, and his rank from his own entry in the list.
void MessageDispatcher::OnClanInfo(Packet& packet) {
    MemberDirectories& directories = connection_.Directories();
    directories.OnClanInfo(packet);
    const ClanRecord clan = directories.Clan();
    quill::PlayerState& player = connection_.LocalPlayer();
    quill::ScopedLock profile(host_.ProfileLock());
    player.clanId = clan.id;
    player.clanName = clan.name;
    quill::ScopedLock members(directories.ClanMembers().GetLock());
    if (const quill::PlayerState* own = directories.ClanMembers().Find(player.userId))
        player.clanRank = own->clanRank;
}

void MessageDispatcher::OnPlayerRecordUpdate(Packet& packet) {
    const auto record = quill::FieldReader::ReadFields<PlayerRecordMessage>(packet);
    const uint8_t index = record.index;
    // The tables hold one entry per game type; an index past them is read and ignored.
    if (index >= quill::PlayerState::kTypes) {
        return;
    }
    quill::PlayerState& player = connection_.LocalPlayer();
    quill::ScopedLock profile(host_.ProfileLock());
    player.typeCounters[index] = record.counters[0];
    player.playCountsA[index] = record.counters[1];
    player.playCountsB[index] = record.counters[2];
    std::copy(record.counters.begin() + 3, record.counters.end(), player.typeStatistics[index].begin());
    player.ratingByType[index] = record.rating;
    player.typeValues[index] = record.value;
    player.typeAmounts[index] = record.amounts;
    player.typeRecordA[index] = record.records[0];
    player.typeRecordB[index] = record.records[1];
    player.typeRecordC[index] = record.records[2];
}

void MessageDispatcher::OnCueMoneyUpdate(Packet& packet) {
    quill::FieldReader io(packet);
    io.Skip(uint32_t{});
    int64_t cueMoney = 0;
    io(cueMoney);
    {
        quill::ScopedLock profile(host_.ProfileLock());
        connection_.LocalPlayer().cueMoney = cueMoney;
    }
    host_.PostEvent(ConnectionEvent::MoneyRefresh, 0, 0, 0);
}

void MessageDispatcher::OnGoldUpdate(Packet& packet) {
    int64_t cueMoney = 0;
    std::array<uint32_t, 2> goldValues{};
    quill::FieldReader io(packet);
    io(cueMoney, goldValues);
    quill::PlayerState& player = connection_.LocalPlayer();
    quill::ScopedLock profile(host_.ProfileLock());
    player.cueMoney = cueMoney;
    player.goldValues = goldValues;
}

void MessageDispatcher::OnInviteResult(Packet& packet) {
    const auto invite = quill::FieldReader::ReadFields<InviteResultMessage>(packet);
    quill::WString line;
    if (invite.result == kInviteeInGame) {
        line = quill::Format(u"%s cannot be invited because he or she is in the game.", invite.nickname);
    } else if (invite.result == kInviteRefused) {
        line = quill::Format(u"%s has refused to be invited.", invite.nickname);
    } else {
        line = u"Failed to Invite";
    }
    host_.ShowNotice(Notice(u"Notice", std::move(line)));
}

void MessageDispatcher::OnRaceTournamentNotice(Packet& packet) {
    TournamentRecord record = connection_.Tournament();
    record.Read(packet);
    connection_.SetTournament(record);
}

}  // namespace kestrovan
