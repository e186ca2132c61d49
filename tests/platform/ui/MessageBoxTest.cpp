#include <gtest/gtest.h>

#include "platform/ui/HeadlessMessageBox.h"
#include "platform/ui/MessageBox.h"

namespace platform {
namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetMessageBoxBackend(&backend_); }
    void TearDown() override { SetMessageBoxBackend(previous_); }

    HeadlessMessageBox backend_;
    MessageBoxBackend* previous_ = nullptr;
};

TEST_F(MessageBoxTest, RecordsOwnerTextCaptionStyleAndAnswer) {
    int owner = 0;
    const int answer =
        ShowMessageBox(&owner, u"Disk full", u"Tessary", MsgBoxStyle::TaskModal | MsgBoxStyle::IconError);

    EXPECT_EQ(answer, MsgBoxResult::Ok);
    const auto calls = backend_.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, &owner);
    EXPECT_EQ(calls[0].text, u"Disk full");
    EXPECT_EQ(calls[0].caption, u"Tessary");
    EXPECT_EQ(calls[0].style, 0x2010u);
    EXPECT_EQ(calls[0].answer, MsgBoxResult::Ok);
}

TEST_F(MessageBoxTest, ScriptedAnswersAreUsedInOrderThenTheFirstButton) {
    backend_.ScriptAnswer(MsgBoxResult::No);
    backend_.ScriptAnswer(MsgBoxResult::Yes);

    EXPECT_EQ(ShowMessageBox(nullptr, u"a", u"c", MsgBoxStyle::YesNo), MsgBoxResult::No);
    EXPECT_EQ(ShowMessageBox(nullptr, u"b", u"c", MsgBoxStyle::YesNo), MsgBoxResult::Yes);
    EXPECT_EQ(ShowMessageBox(nullptr, u"c", u"c", MsgBoxStyle::YesNo | MsgBoxStyle::IconQuestion), MsgBoxResult::Yes);
    EXPECT_EQ(ShowMessageBox(nullptr, u"d", u"c", MsgBoxStyle::Ok | MsgBoxStyle::IconWarning), MsgBoxResult::Ok);
    EXPECT_EQ(backend_.Calls().size(), 4u);
}

TEST(MessageBoxBackendTest, InstallingReturnsThePreviousAndNullRestoresTheDefault) {
    HeadlessMessageBox first;
    HeadlessMessageBox second;
    MessageBoxBackend* original = SetMessageBoxBackend(&first);
    EXPECT_EQ(SetMessageBoxBackend(&second), &first);
    ShowMessageBox(nullptr, u"to second", u"c", MsgBoxStyle::Ok);
    EXPECT_EQ(SetMessageBoxBackend(original), &second);

    EXPECT_TRUE(first.Calls().empty());
    ASSERT_EQ(second.Calls().size(), 1u);
    EXPECT_EQ(second.Calls()[0].text, u"to second");
}

}  // namespace
}  // namespace platform
