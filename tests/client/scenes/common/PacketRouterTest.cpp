// A screen's routes from message id to handler: each id reaches its own handler, an unknown one none, and a
// second route for an id stops the program instead of hiding the first.
#include <gtest/gtest.h>

#include <string>

#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/PacketRouter.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

TEST(PacketRouter, EachIdReachesItsOneHandlerAndASecondRouteForItBreaks) {
    PacketRouter routes;
    std::string handled;
    routes.Add(MessageId::GameStart, [&](quill::Packet&) { handled += "start "; });
    routes.Add(MessageId::TurnResult, [&](quill::Packet&) { handled += "turn "; });
    quill::Packet packet;
    EXPECT_TRUE(routes.Deliver(MessageId::TurnResult, packet));
    EXPECT_TRUE(routes.Deliver(MessageId::GameStart, packet));
    EXPECT_FALSE(routes.Deliver(MessageId::GameEnd, packet)) << "an id no part routes changes nothing";
    EXPECT_EQ(handled, "turn start ");

    std::string reported;
    quill::SetBreakHook([&reported](const char* file, int) {
        reported = file;
        throw 1;
    });
    EXPECT_THROW(routes.Add(MessageId::GameStart, [&](quill::Packet&) { handled += "again "; }), int);
    quill::SetBreakHook({});
    EXPECT_EQ(reported, "PacketRouter");
    routes.Deliver(MessageId::GameStart, packet);
    EXPECT_EQ(handled, "turn start start ") << "the first route holds";
}

}  // namespace
}  // namespace kestrovan::test
