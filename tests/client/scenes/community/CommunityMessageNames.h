#pragma once
// The community's server messages of the test support, by the names the community's tests use.
#include "tests/support/net/CommunityMessages.h"

namespace kestrovan::test {

using kvtest::AsReceived;
using kvtest::ChatMessage;
using kvtest::ClanInfoMessage;
using kvtest::FindPlayerResultMessage;
using kvtest::FriendListMessage;
using kvtest::FriendRequestReceivedMessage;
using kvtest::MemberLoggedInMessage;
using kvtest::MemberLoggedOutMessage;
using kvtest::TestClan;
using kvtest::TestMember;
using kvtest::TestProfile;
using kvtest::TestProfileMode;
using kvtest::UserProfileMessage;
using kvtest::WriteProfileRecord;

}  // namespace kestrovan::test
