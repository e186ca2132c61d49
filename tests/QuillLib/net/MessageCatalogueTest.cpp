#include <gtest/gtest.h>

#include <set>

#include "QuillLib/net/MessageCatalogue.h"

namespace quill {
namespace {

TEST(MessageCatalogue, HoldsEveryMessageOnceInIdOrder) {
    const auto catalogue = MessageCatalogue();
    EXPECT_EQ(catalogue.size(), 223u);
    std::set<std::string_view> names;
    for (size_t i = 0; i < catalogue.size(); ++i) {
        EXPECT_TRUE(names.insert(catalogue[i].name).second) << catalogue[i].name;
        if (i > 0) {
            EXPECT_LT(catalogue[i - 1].id, catalogue[i].id);
        }
        EXPECT_EQ(FindMessage(catalogue[i].id), &catalogue[i]);
    }
}

TEST(MessageCatalogue, GivesNamesAndDirections) {
    EXPECT_EQ(MessageName(MessageId::Shot), "Shot");
    EXPECT_EQ(FindMessage(MessageId::Shot)->direction, MessageDirection::BothWays);
    EXPECT_EQ(FindMessage(MessageId::ConnectFailed)->direction, MessageDirection::Local);
    EXPECT_EQ(FindMessage(MessageId::ServerHello)->direction, MessageDirection::ToClient);
    EXPECT_EQ(FindMessage(MessageId::LoginRequest)->direction, MessageDirection::ToServer);
    EXPECT_EQ(static_cast<uint16_t>(MessageId::ItemStats), 1244);
}

TEST(MessageCatalogue, OlderNamesStandForTheSameIds) {
    EXPECT_EQ(MessageId::SkillSave, MessageId::ProfileTextUpdate);
    EXPECT_EQ(static_cast<uint16_t>(MessageId::ProfileTextUpdate), 64);
    EXPECT_EQ(MessageName(MessageId::SkillSave), "ProfileTextUpdate");
    EXPECT_EQ(MessageName(MessageId::LobbyResult1131), "CreateRoomResult");
}

TEST(MessageCatalogue, IdsOutsideItAreUnknown) {
    EXPECT_EQ(FindMessage(static_cast<MessageId>(4)), nullptr);
    EXPECT_EQ(MessageName(static_cast<MessageId>(60000)), "unknown");
}

}  // namespace
}  // namespace quill
