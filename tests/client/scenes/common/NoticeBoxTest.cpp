// The shared message box and the scene manager's show operations: button layouts, what a press posts,
// hot keys, and how a box is filled, attached and centred.
#include <gtest/gtest.h>

#include "client/app/SceneManager.h"
#include "client/app/SoundIds.h"
#include "client/connection/ConnectionNotice.h"
#include "client/connection/JoinWithTarget.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"
#include "tests/client/ui/UiTestSupport.h"

namespace kestrovan::test {
namespace {

namespace Msg = platform::Msg;

struct PostedNotice {
    uint32_t id, wParam, lParam, extra;
    friend bool operator==(const PostedNotice&, const PostedNotice&) = default;
};

class NoticeBoxTest : public UiTest {
protected:
    NoticeBoxTest() { root.SetRect(0, 0, 1024, 768); }

    NoticeBox::EventPoster Recorder() {
        return [this](uint32_t id, uint32_t w, uint32_t l, uint32_t x) { posted.push_back({id, w, l, x}); };
    }
    // The ids of the buttons the box shows.
    static std::vector<int32_t> Shown(const NoticeBox& box) {
        std::vector<int32_t> ids;
        for (int32_t id = NoticeBox::kOk; id <= NoticeBox::kNo; ++id) {
            if (box.GetButton(id)->IsVisible())
                ids.push_back(id);
        }
        return ids;
    }
    void ClickButton(NoticeBox& box, int32_t id) {
        const WidgetRect rect = box.GetButton(id)->GetRect();
        Click(root, rect.left + 5, rect.top + 5);
    }

    EventLog root;
    std::vector<PostedNotice> posted;
};

TEST_F(NoticeBoxTest, EachLayoutShowsItsButtons) {
    NoticeBox box(Recorder());
    root.AddChild(&box, false);
    const std::vector<std::vector<int32_t>> expected{{NoticeBox::kOk},
                                                     {NoticeBox::kOkLeft, NoticeBox::kCancel},
                                                     {NoticeBox::kCancel},
                                                     {NoticeBox::kYes, NoticeBox::kNo},
                                                     {}};
    for (uint32_t layout = 0; layout < expected.size(); ++layout) {
        box.SetButtons(layout);
        box.Open();
        EXPECT_EQ(Shown(box), expected[layout]) << "layout " << layout;
        box.SetVisible(false);
    }
    // Centred on the 1024 x 768 screen; the left and right places of the pairs.
    EXPECT_EQ(box.GetRect().left, 312);
    EXPECT_EQ(box.GetRect().top, 259);
    EXPECT_EQ(box.GetButton(NoticeBox::kOkLeft)->GetRect().left, 312 + 77);
    EXPECT_EQ(box.GetButton(NoticeBox::kCancel)->GetRect().left, 312 + 237);
    EXPECT_EQ(box.GetButton(NoticeBox::kOk)->GetRect().left, 312 + 157);
}

TEST_F(NoticeBoxTest, APressHidesTheBoxAndPostsItsEventWithTheButton) {
    NoticeBox box(Recorder());
    root.AddChild(&box, false);
    box.Reset();
    box.SetButtons(NoticeBox::kLayoutYesNo);
    box.SetTitle(u"Question");
    box.SetEvent(1066, 7);
    box.Open();
    EXPECT_EQ(services.sounds, (std::vector<uint32_t>{sound_id::kPopup}));
    ClickButton(box, NoticeBox::kYes);
    EXPECT_FALSE(box.IsVisible());
    box.Open();
    ClickButton(box, NoticeBox::kNo);
    EXPECT_EQ(posted, (std::vector<PostedNotice>{{1066, 2052, 7, 0}, {1066, 2053, 7, 0}}));
    EXPECT_TRUE(root.events.empty()) << "the box handles its own buttons";

    // Reset keeps the title and gives the default event, which is posted all the same.
    posted.clear();
    box.Reset();
    EXPECT_EQ(box.Title().GetText(), u"Question");
    box.Open();
    Key(root, Msg::KeyDown, platform::Vk::Return);
    Key(root, Msg::KeyUp, platform::Vk::Return);
    EXPECT_EQ(posted, (std::vector<PostedNotice>{{1024, 2049, 0, 0}}));
}

TEST_F(NoticeBoxTest, LinesBeyondTheSixthAreIgnoredAndOthersAreNotHandled) {
    NoticeBox box(Recorder());
    box.SetLine(u"first", 0);
    box.SetLine(u"100%s", 5);
    box.SetLine(u"seventh", 6);
    EXPECT_EQ(box.Line(0).GetText(), u"first");
    EXPECT_EQ(box.Line(5).GetText(), u"100%s");
    Button stranger;
    stranger.SetId(2054);
    EXPECT_FALSE(box.OnEvent(&stranger, 0, 0));
    EXPECT_TRUE(posted.empty());
}

TEST_F(NoticeBoxTest, ShowOperationsFillResetAndAttachTheBox) {
    JoinWithTarget target;
    ScenePopups popups(Recorder(), target);
    NoticeBox& first = *popups.GetMessageBox();
    first.SetButtons(NoticeBox::kLayoutYesNo);
    first.SetEvent(1066, 3);
    first.SetLine(u"stale", 4);
    popups.ShowErrorBox(root, u"one", u"", u"three");
    EXPECT_EQ(first.GetParent(), &root);
    EXPECT_TRUE(first.IsVisible());
    EXPECT_EQ(first.Title().GetText(), u"Error");
    EXPECT_EQ(first.Line(0).GetText(), u"one");
    EXPECT_EQ(first.Line(1).GetText(), u"");
    EXPECT_EQ(first.Line(2).GetText(), u"three");
    EXPECT_EQ(first.Line(4).GetText(), u"");
    EXPECT_EQ(Shown(first), (std::vector<int32_t>{NoticeBox::kOk}));
    ClickButton(first, NoticeBox::kOk);
    EXPECT_EQ(posted, (std::vector<PostedNotice>{{1024, 2049, 0, 0}}));

    popups.ShowSecondNoticeBox(root, u"second", {}, {});
    EXPECT_EQ(popups.GetSecondMessageBox()->Title().GetText(), u"Notice");
    EXPECT_FALSE(first.IsVisible());

    ConnectionNotice notice;
    notice.title = u"Error";
    notice.lines[5] = u"last";
    notice.event = 1030;
    popups.ShowBox(root, notice, NoticeBox::kLayoutYesNo);
    EXPECT_EQ(first.Line(5).GetText(), u"last");
    EXPECT_EQ(first.GetEventCode(), 1030);
    EXPECT_EQ(Shown(first), (std::vector<int32_t>{NoticeBox::kYes, NoticeBox::kNo}));
}

// Settings, My Info and the Messenger open the same way from every screen: where the popups have not these
// windows, each shows the shared feature notice over the screen that asked; without the popups nothing shows.
TEST_F(NoticeBoxTest, TitleWindowsShowTheFeatureNoticeOverTheScreen) {
    SceneManager scenes;
    OpenTitleWindow(scenes, root, TitleWindow::Settings);
    JoinWithTarget target;
    auto owned = std::make_unique<ScenePopups>(Recorder(), target);
    ScenePopups& popups = *owned;
    scenes.SetPopups(std::move(owned));
    for (TitleWindow window : {TitleWindow::Settings, TitleWindow::MyInfo, TitleWindow::Messenger}) {
        popups.FeatureNotice().SetVisible(false);
        OpenTitleWindow(scenes, root, window);
        EXPECT_TRUE(popups.FeatureNotice().IsVisible()) << static_cast<int>(window);
        EXPECT_EQ(popups.FeatureNotice().GetParent(), &root);
    }
}

}  // namespace
}  // namespace kestrovan::test
