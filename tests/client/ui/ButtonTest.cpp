// Buttons: frames by state and frame count, clicks and double clicks, check boxes and radio buttons, right
// clicks, hot keys, hover events and sounds.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "client/ui/Button.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan::test {
namespace {

namespace Msg = platform::Msg;
namespace Vk = platform::Vk;

class ButtonTest : public UiTest {
protected:
    ButtonTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        button = root.CreateButton(100, 100, 60, 20, 11, Vk::Return, 4, 0, 40);
    }

    // The frame shown in each state 0 to 3.
    std::vector<int32_t> FramesByState() {
        std::vector<int32_t> frames;
        for (int32_t state = WidgetState::Disabled; state <= WidgetState::Pressed; ++state) {
            button->SetState(state);
            frames.push_back(button->GetFrame());
        }
        button->SetState(WidgetState::Normal);
        return frames;
    }

    EventLog root;
    Button* button = nullptr;
};

TEST_F(ButtonTest, FramesFollowStateCheckFlagAndFrameCount) {
    EXPECT_EQ(FramesByState(), (std::vector<int32_t>{3, 0, 1, 2}));
    button->SetState(WidgetState::Hover);
    EXPECT_EQ(button->GetFrameRect(), WidgetRect::FromSize(0, 60, 60, 20)) << "frames lie one below the other";
    button->SetHorizontalFrames(true);
    button->SetState(WidgetState::Hover);
    EXPECT_EQ(button->GetFrameRect(), WidgetRect::FromSize(60, 40, 60, 20));
    button->SetHorizontalFrames(false);

    button->SetFrameCount(2);
    EXPECT_EQ(FramesByState(), (std::vector<int32_t>{0, 0, 1, 1})) << "also when disabled";
    button->SetFrameCount(3);
    EXPECT_EQ(FramesByState(), (std::vector<int32_t>{0, 0, 1, 2}));
    button->SetFrameCount(1);
    EXPECT_EQ(FramesByState(), (std::vector<int32_t>{0, 0, 0, 0}));

    button->SetCheckBox();
    EXPECT_EQ(button->GetFrameCount(), 7);
    button->SetChecked(true);
    EXPECT_EQ(FramesByState(), (std::vector<int32_t>{7, 4, 5, 6}));
    button->SetRadio();
    EXPECT_EQ(FramesByState(), (std::vector<int32_t>{2, 2, 2, 2}));
    button->SetEnabled(false);
    button->SetChecked(false);
    EXPECT_EQ(button->GetFrame(), 3) << "a disabled button keeps its disabled frame when unchecked from code";
}

TEST_F(ButtonTest, AClickRaisesTheCheckFlagAndASecondQuickReleaseIsADoubleClick) {
    Click(root, 110, 110);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{button, 0, 0}}));
    EXPECT_EQ(button->GetLastX(), 110);
    Advance(250);
    Click(root, 111, 111);
    EXPECT_EQ(root.events.back(), (EventLog::Event{button, Button::kDoubleClickEvent, 0}));
    EXPECT_EQ(root.events.size(), 2u) << "no click with the double click";
    Advance(300);
    Click(root, 111, 111);
    EXPECT_EQ(root.events.back(), (EventLog::Event{button, 0, 0}));
    EXPECT_EQ(services.sounds, (std::vector<uint32_t>{Button::kHoverSound, Button::kPressSound, Button::kPressSound,
                                                      Button::kPressSound}));
}

TEST_F(ButtonTest, CheckBoxesFlipAndRadioButtonsStayChecked) {
    button->SetCheckBox();
    Click(root, 110, 110);
    Advance(1000);
    Click(root, 110, 110);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{button, 1, 0}, {button, 0, 0}}));
    EXPECT_EQ(button->GetState(), WidgetState::Normal);

    root.events.clear();
    button->SetRadio();
    Advance(1000);
    Click(root, 110, 110);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{button, 1, 0}}));
    EXPECT_TRUE(button->IsChecked());
    EXPECT_EQ(button->GetFrame(), 2);
    Advance(1000);
    EXPECT_FALSE(Mouse(root, Msg::LButtonDown, 110, 110)) << "a checked radio cannot be pressed";
    EXPECT_NE(button->GetState(), WidgetState::Pressed);
    EXPECT_EQ(button->GetFrame(), 2);
}

TEST_F(ButtonTest, RightClicksCountOnlyWhenEnabled) {
    Mouse(root, Msg::MouseMove, 110, 110);
    EXPECT_TRUE(Mouse(root, Msg::RButtonDown, 110, 110));
    EXPECT_TRUE(Mouse(root, Msg::RButtonUp, 110, 110));
    EXPECT_TRUE(root.events.empty()) << "swallowed without an event";

    button->SetRightButton(true);
    Mouse(root, Msg::RButtonDown, 110, 110);
    Mouse(root, Msg::RButtonUp, 110, 110);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{button, 0, 1}}));
}

TEST_F(ButtonTest, TheHotKeyClicksWithZeroEvenForACheckBox) {
    button->SetCheckBox();
    Key(root, Msg::KeyDown, Vk::Return);
    EXPECT_EQ(button->GetState(), WidgetState::Pressed);
    Key(root, Msg::KeyUp, Vk::Return);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{button, 0, 0}}));
    EXPECT_TRUE(button->IsChecked());

    Key(root, Msg::KeyDown, Vk::Return);  // a checked check box takes the key but is not pressed
    EXPECT_EQ(button->GetState(), WidgetState::Normal);
    button->Show(false);
    EXPECT_FALSE(Key(root, Msg::KeyDown, Vk::Return));
}

// A key held since before the button was offered it (its first press opened the button's window): its
// auto-repeats press nothing that the key's release, gone elsewhere, would leave pressed.
TEST_F(ButtonTest, AHotKeysRepeatsPressNothing) {
    services.keysDown[Vk::Return] = true;
    EXPECT_FALSE(root.RouteMessage(Msg::KeyDown, Vk::Return, platform::MakeKeyLParam({.wasDown = true})));
    EXPECT_EQ(button->GetState(), WidgetState::Normal);
    EXPECT_TRUE(Key(root, Msg::KeyDown, Vk::Return));
    EXPECT_TRUE(root.RouteMessage(Msg::KeyDown, Vk::Return, platform::MakeKeyLParam({.wasDown = true})));
    EXPECT_EQ(button->GetState(), WidgetState::Pressed) << "the first press's repeats keep it pressed";
}

TEST_F(ButtonTest, HoverEventsReportEnteringAndLeaving) {
    button->SetHoverEvents(true);
    button->SetHoverSound(false);
    Mouse(root, Msg::MouseMove, 110, 110);
    Mouse(root, Msg::MouseMove, 112, 110);
    Mouse(root, Msg::MouseMove, 500, 500);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{button, Button::kEnterEvent, 0},
                                                         {button, Button::kLeaveEvent, 0}}));
    EXPECT_FALSE(button->IsHovered());
    EXPECT_TRUE(services.sounds.empty());
}

TEST_F(ButtonTest, ASecondRectangleReplacesTheHitArea) {
    button->SetSecondRect(300, 300, 40, 40);  // in the parent's coordinates
    Click(root, 110, 110);
    EXPECT_TRUE(root.events.empty());
    Click(root, 310, 310);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{button, 0, 0}}));
}

}  // namespace
}  // namespace kestrovan::test
