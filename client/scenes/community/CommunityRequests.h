#pragma once
// The requests of the messenger, its dialogs and the profile window, each built into a pooled packet and
// sent at once on the calling thread. Texts that came from the server (nicknames) are cut to their fields
// before they go back, so that a request always fits its packet.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"
#include "client/scenes/common/TextFields.h"

namespace quill {
class Packet;
}

namespace kestrovan {

class GameConnection;

class CommunityRequests {
public:
    static constexpr uint8_t kAnyChannel = 0xFF;  // UserInfoRequest's selector outside the messenger
    // A chat line's 36 characters, each one or two units.
    static constexpr size_t kChatUnits = 72;

    explicit CommunityRequests(GameConnection& connection) : connection_(connection) {}

    // MessengerChatSend (12): the chat's kind byte, the member id (0 for the clan chat), the line.
    void SendChat(uint8_t kind, uint32_t memberId, quill::WStringView text);
    // UserInfoRequest (17): the selector (the member's channel from the messenger, else 0xFF), the user.
    void SendUserInfoRequest(uint8_t selector, int64_t userId, quill::WStringView nickname);
    void SendFriendRequest(int64_t userId, quill::WStringView nickname);                       // 25
    void SendFriendDelete(uint32_t memberId);                                                  // 26
    void SendFriendRequestReply(bool accept, uint32_t memberId, quill::WStringView nickname);  // 30
    void SendClanCreate(quill::WStringView name, uint8_t capacity);                            // 32
    void SendClanInvite(int64_t userId);                                                       // 34
    void SendClanSettings(uint8_t capacity);                                                   // 37: u8 1, the capacity
    void SendClanInviteAnswer(uint32_t clanId);                                                // 45: u8 1, the clan
    void SendBlockUser(int64_t userId);                                                        // 51
    void SendMemberInvite(uint32_t memberId);                                                  // 67
    void SendFindPlayer(quill::WStringView nickname);                                          // 70
    void SendBanUser(int64_t userId);                                                          // 1169

private:
    // Builds the request with write and sends it; nothing when no packet is free.
    template <class Write>
    void Send(quill::MessageId id, Write write);

    GameConnection& connection_;
};

}  // namespace kestrovan
