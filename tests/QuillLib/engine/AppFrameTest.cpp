#include <gtest/gtest.h>

#include <memory>

#include "QuillLib/engine/AppFrame.h"
#include "platform/ui/HeadlessMessageBox.h"
#include "platform/ui/MessageBox.h"
#include "tests/QuillLib/engine/RecordingEngineFactory.h"

namespace quill {
namespace {

namespace MsgBoxResult = platform::MsgBoxResult;

class AppFrameTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = platform::SetMessageBoxBackend(&boxes_); }
    void TearDown() override { platform::SetMessageBoxBackend(previous_); }

    RecordingFactory factory_;
    Engine engine_{factory_};
    platform::HeadlessMessageBox boxes_;
    platform::MessageBoxBackend* previous_ = nullptr;
    int window_ = 0;
};

TEST_F(AppFrameTest, EachBoxHasItsStyleTheCaptionAndTheMainWindow) {
    AppFrame frame(engine_, &window_);
    frame.ShowMessage(u"message");
    frame.ShowWarning(u"warning");
    frame.ShowError(u"error");
    frame.AskYesNo(u"question");

    const auto calls = boxes_.Calls();
    ASSERT_EQ(calls.size(), 4u);
    const uint32_t expectedStyles[] = {0x2000, 0x2030, 0x2010, 0x2024};
    const char16_t* expectedTexts[] = {u"message", u"warning", u"error", u"question"};
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].style, expectedStyles[i]) << i;
        EXPECT_EQ(calls[i].text, expectedTexts[i]) << i;
        EXPECT_EQ(calls[i].caption, u"Tessary") << i;
        EXPECT_EQ(calls[i].owner, &window_) << i;
    }
}

TEST_F(AppFrameTest, ButtonIdsPassThroughAndAskYesNoIsTrueUnlessYes) {
    AppFrame frame(engine_, nullptr);
    boxes_.ScriptAnswer(2);
    EXPECT_EQ(frame.ShowError(u"x"), 2);
    boxes_.ScriptAnswer(MsgBoxResult::Yes);
    EXPECT_FALSE(frame.AskYesNo(u"q"));
    boxes_.ScriptAnswer(MsgBoxResult::No);
    EXPECT_TRUE(frame.AskYesNo(u"q"));
}

TEST_F(AppFrameTest, CurrentNamesTheMostRecentLiveFrame) {
    EXPECT_EQ(AppFrame::Current(), engine_.GetAppFrame());
    auto older = std::make_unique<AppFrame>(engine_, nullptr);
    auto newer = std::make_unique<AppFrame>(engine_, &window_);
    EXPECT_EQ(AppFrame::Current(), newer.get());

    older.reset();
    EXPECT_EQ(AppFrame::Current(), newer.get()) << "a frame that is no longer current leaves the global alone";
    newer.reset();
    EXPECT_EQ(AppFrame::Current(), nullptr);
}

}  // namespace
}  // namespace quill
