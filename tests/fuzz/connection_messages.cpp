// Feeds sequences of deciphered server messages to the game connection's dispatcher: the friend and clan
// lists, inventory, gifts, records, invitations and the rest, with payloads the fuzzer chooses. Nothing
// may crash or read out of bounds, and after every input the pools hold exactly what the lists and the
// inventory keep: no record, item or packet is lost. Each record the connection reads itself, filled from the
// input, comes back through its writer and reader unchanged.
//
// Input: records of [u8 message selector][u16 payload length][payload]; the selector picks the id from
// the messages the connection handles, plus two that pass to the scene.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "client/connection/ConnectionHost.h"
#include "client/connection/ConnectionMessages.h"
#include "client/connection/GameConnection.h"
#include "platform/system/Console.h"
#include "tests/fuzz/FieldFiller.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

using kestrovan::ConnectionEvent;
using kestrovan::ConnectionNotice;
using kestrovan::CueStatistics;
using kestrovan::Invitation;
using quill::MessageId;
using quill::Packet;

constexpr std::array kIds = {
    MessageId::ConnectionLost,      MessageId::ConnectFailed,      MessageId::ServerHello,
    MessageId::MessengerChat,       MessageId::SkillSaveResult,    MessageId::FriendList,
    MessageId::FriendAdded,         MessageId::FriendRemoved,      MessageId::ClanInfo,
    MessageId::ClanMemberLeft,      MessageId::ClanMemberJoined,   MessageId::MemberLoggedIn,
    MessageId::MemberLoggedOut,     MessageId::MemberLocation,     MessageId::RaceTournamentNotice,
    MessageId::Ignored89,           MessageId::GiftReceived,       MessageId::InventoryList,
    MessageId::CueMoneyUpdate,      MessageId::PlayerRecordUpdate, MessageId::InviteResult,
    MessageId::InvitationReceived,  MessageId::GoldUpdate,         MessageId::FindPlayerResult,
    MessageId::RoomChat,
};
constexpr size_t kMaxMessages = 200;  // keeps one input's user records well inside their pool

// A scene that reads what it is handed, as a screen's packet slot would.
class ReadingScene : public kestrovan::ConnectionScene {
public:
    int32_t GetSceneId() const override { return 4; }
    bool IsChangePending() const override { return false; }
    bool IsLoading() const override { return false; }
    bool IsReady() const override { return true; }
    int OnPacket(MessageId, Packet& packet) override {
        while (packet.Cursor() < packet.LengthReadBack()) {
            packet.ReadWString();
        }
        return 0;
    }
};

class QuietHost : public kestrovan::ConnectionHost {
public:
    kestrovan::ConnectionScene* CurrentScene() override { return &scene_; }
    bool DeliverPacket(MessageId id, Packet& packet) override {
        scene_.OnPacket(id, packet);
        return true;
    }
    quill::Lock& ProfileLock() override { return profileLock_; }
    void PostEvent(ConnectionEvent, uint32_t, uint32_t, uint32_t) override {}
    void ShowNotice(const ConnectionNotice&) override {}
    void OnMessengerChat(Packet& packet, bool) override { packet.ReadWString(); }
    void OnMessengerMessage(MessageId, Packet& packet) override { packet.ReadU32(); }
    void OnSkillSaveResult(Packet& packet) override { packet.ReadU8(); }
    void RefreshMessengerLists() override {}
    void OnFriendRemoved(uint8_t, const quill::PlayerState&) override {}
    void OnClanMemberJoined(const quill::PlayerState&) override {}
    void OnClanMemberLeft(const quill::PlayerState&) override {}
    void OnMemberPresence(uint8_t, const quill::PlayerState&, bool) override {}
    void ShowInvitation(const Invitation&) override {}
    bool FindCueStatistics(uint32_t itemId, CueStatistics& statistics) override {
        statistics = {1, 2, 3, 4, static_cast<uint8_t>(itemId)};
        return true;
    }
    bool CensorWords(char16_t*, size_t) override { return false; }
    quill::WString FormatMoney(int64_t) override { return u"0"; }

private:
    ReadingScene scene_;
    quill::CriticalSectionLock profileLock_;
};

kestrovan::GameConnection& Connection() {
    static QuietHost host;
    static kestrovan::GameConnection connection(host);
    return connection;
}

void Dispatch(MessageId id, std::span<const uint8_t> payload) {
    std::vector<uint8_t> message(Packet::kHeaderSize);
    const size_t length = std::min<size_t>(payload.size() + Packet::kHeaderSize, Packet::kCapacity);
    message[0] = static_cast<uint8_t>(length);
    message[1] = static_cast<uint8_t>(length >> 8);
    message[2] = static_cast<uint8_t>(static_cast<uint16_t>(id));
    message[3] = static_cast<uint8_t>(static_cast<uint16_t>(id) >> 8);
    message.insert(message.end(), payload.begin(), payload.begin() + (length - Packet::kHeaderSize));
    Packet packet;
    if (packet.LoadReceived(message)) {
        Connection().Dispatch(&packet);
    }
}

// Empties both lists, so that every input starts from the same pool use.
void ClearLists() {
    const uint8_t noMembers[] = {0, 0};
    Dispatch(MessageId::FriendList, noMembers);
    const uint8_t noClan[4 + 4 + 4 + 8 + 1 + 1 + 2] = {};
    Dispatch(MessageId::ClanInfo, noClan);
}

void CheckPoolsWhole() {
    kestrovan::GameConnection& connection = Connection();
    kestrovan::MemberDirectories& directories = connection.Directories();
    const bool recordsWhole = directories.RecordsInUse() ==
                              static_cast<int32_t>(directories.Friends().Count() + directories.ClanMembers().Count());
    const bool itemsWhole = connection.Items().ItemsInUse() == connection.LocalPlayer().ItemCount();
    if (!recordsWhole || !itemsWhole || connection.PacketsInUse() != 0) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // The connection prints its level tables when made; the fuzzer's output stays readable without them.
    platform::SetConsoleSink([](std::string_view) {});
    Connection();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::span<const uint8_t> data(bytes, size);
    ClearLists();
    size_t offset = 0;
    for (size_t count = 0; count < kMaxMessages && offset + 3 <= data.size(); ++count) {
        const MessageId id = kIds[data[offset] % kIds.size()];
        const size_t length = data[offset + 1] | (data[offset + 2] << 8);
        offset += 3;
        const std::span<const uint8_t> payload = data.subspan(offset, std::min(length, data.size() - offset));
        offset += payload.size();
        Dispatch(id, payload);
    }
    CheckPoolsWhole();
    kvfuzz::FuzzInput input(data);
    kvfuzz::FieldFiller::CheckRoundTrips<Invitation, kestrovan::TournamentRecord, kestrovan::ClanRecord,
                                         kestrovan::MemberNoticeMessage, kestrovan::MemberLoggedInMessage,
                                         kestrovan::MemberLocationMessage, kestrovan::ClanMemberLeftMessage,
                                         kestrovan::PlayerRecordMessage, kestrovan::InviteResultMessage>(input);
    return 0;
}
