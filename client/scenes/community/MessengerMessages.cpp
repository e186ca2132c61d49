#include "client/scenes/community/MessengerMessages.h"

namespace kestrovan {

ChatLineMessage ChatLineMessage::Read(quill::Packet& packet) {
    return quill::FieldReader::ReadFields<ChatLineMessage>(packet);
}

FriendRequestMessage FriendRequestMessage::Read(quill::Packet& packet) {
    return quill::FieldReader::ReadFields<FriendRequestMessage>(packet);
}

FriendResultMessage FriendResultMessage::ReadRequestResult(quill::Packet& packet) {
    return quill::FieldReader::ReadFields<FriendResultMessage>(packet, false);
}

FriendResultMessage FriendResultMessage::ReadAnswer(quill::Packet& packet) {
    return quill::FieldReader::ReadFields<FriendResultMessage>(packet, true);
}

ClanStatusMessage ClanStatusMessage::Read(quill::Packet& packet) {
    return quill::FieldReader::ReadFields<ClanStatusMessage>(packet);
}

ClanInvitation ClanInvitation::Read(quill::Packet& packet) {
    return quill::FieldReader::ReadFields<ClanInvitation>(packet);
}

FoundPlayerRecord FoundPlayerRecord::Read(quill::Packet& packet) {
    return quill::FieldReader::ReadFields<FoundPlayerRecord>(packet);
}

ClanCreatedMessage ClanCreatedMessage::Read(quill::Packet& packet) {
    return quill::FieldReader::ReadFields<ClanCreatedMessage>(packet);
}

}  // namespace kestrovan
