// Input routing: topmost first, the pressed widget's hold on the mouse, modal windows and the exclusive
// widget, the focus pointers surviving destruction and hiding, tooltips, and windows and panels.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Tooltip.h"
#include "client/ui/Window.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan::test {
namespace {

namespace Msg = platform::Msg;
namespace Vk = platform::Vk;

// A scene root with a dialog window holding buttons.
class Routing : public UiTest {
protected:
    Routing() {
        root.Create(0, 0, 1024, 768, -1, -1);
        auto window = std::make_unique<Window>();
        window->Create(100, 100, 300, 200, -1, -1);
        dialog = window.get();
        dialog->SetModal(false);
        root.AddChild(std::move(window), true);
        ok = dialog->CreateButton(20, 150, 80, 30, 2050, Vk::Return, 3, 0, 0);
        cancel = dialog->CreateButton(120, 150, 80, 30, 2053, Vk::Escape, 3, 0, 0);
    }

    EventLog root;
    Window* dialog = nullptr;
    Button* ok = nullptr;
    Button* cancel = nullptr;
};

TEST_F(Routing, AClickReachesTheTopmostWidgetAndTheEventReachesTheListener) {
    Button* below = root.CreateButton(0, 0, 50, 50, 1, -1, 3, 0, 0);
    Button* above = root.CreateButton(0, 0, 50, 50, 2, -1, 3, 0, 0);
    Click(root, 10, 10);
    ASSERT_EQ(root.events.size(), 1u);
    EXPECT_EQ(root.events[0].source, above);
    EXPECT_EQ(below->GetState(), WidgetState::Normal);

    root.events.clear();
    Click(root, 125, 255);  // the dialog's OK button; the dialog forwards to the root
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{ok, 0, 0}}));
    EXPECT_EQ(toolkit.GetActiveWidget(), dialog) << "a click into a window makes it active";
    EXPECT_EQ(toolkit.GetMouseWidget(), ok);
    EXPECT_EQ(ok->GetState(), WidgetState::Hover);
}

TEST_F(Routing, APressedButtonKeepsTheMouseAndAReleaseOutsideDoesNotClick) {
    Mouse(root, Msg::MouseMove, 125, 255);
    Mouse(root, Msg::LButtonDown, 125, 255);
    EXPECT_EQ(ok->GetState(), WidgetState::Pressed);
    EXPECT_TRUE(Mouse(root, Msg::MouseMove, 600, 600)) << "moves outside still go to the pressed button";
    EXPECT_EQ(ok->GetState(), WidgetState::Pressed);
    Mouse(root, Msg::LButtonUp, 600, 600);
    EXPECT_TRUE(root.events.empty());
    EXPECT_EQ(ok->GetState(), WidgetState::Normal);
    EXPECT_EQ(toolkit.GetMouseWidget(), nullptr);
}

TEST_F(Routing, AHoveredRowLetsTheWheelReachTheListsScrollBar) {
    ScrollBar* bar = new ScrollBar;
    bar->Create(400, 0, 16, 100, 9, ScrollBar::kVertical, 10, false);
    root.AddChild(std::unique_ptr<Widget>(bar), true);
    bar->SetSecondRect(300, 0, 100, 100);  // the list area left of the bar
    Button* row = root.CreateButton(300, 0, 100, 20, 5, -1, 3, 0, 0);
    Mouse(root, Msg::MouseMove, 310, 5);
    EXPECT_EQ(row->GetState(), WidgetState::Hover);
    EXPECT_TRUE(Wheel(root, -1, 310, 5));
    EXPECT_EQ(bar->GetPosition(), 1);
    EXPECT_EQ(root.events.back(), (EventLog::Event{bar, 2, 0}));
}

TEST_F(Routing, AModalWindowTakesEveryMessageAndSwallowsClicksOutside) {
    Button* behind = root.CreateButton(700, 700, 50, 50, 1, -1, 3, 0, 0);
    root.BringChildToFront(dialog);
    dialog->SetModal(true);
    EXPECT_EQ(toolkit.GetActiveWidget(), dialog);
    EXPECT_TRUE(Mouse(root, Msg::LButtonDown, 710, 710));
    Mouse(root, Msg::LButtonUp, 710, 710);
    EXPECT_TRUE(root.events.empty());
    EXPECT_EQ(behind->GetState(), WidgetState::Normal);

    services.keysDown[Vk::F5] = true;
    EXPECT_TRUE(Key(root, Msg::KeyDown, Vk::F5)) << "a modal window swallows keys its children did not take";
}

TEST_F(Routing, HotKeysGoToTheTopmostChildFirst) {
    dialog->SetModal(false);
    Key(root, Msg::KeyDown, Vk::Escape);
    EXPECT_EQ(cancel->GetState(), WidgetState::Pressed);
    EXPECT_EQ(ok->GetState(), WidgetState::Normal);
    Key(root, Msg::KeyUp, Vk::Escape);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{cancel, 0, 0}}));
}

// A key a button took on its way down comes up to that button though a modal window opened in between (a
// screen's menu on the key's character, which no widget takes and so goes on to the screen); a window hidden
// while its button is pressed shows again with the button at rest; and a button whose window was disabled
// while it was pressed clicks neither on its key's key-up nor on the mouse's release.
TEST_F(Routing, AKeyComesUpWhereItWentDownAndAHiddenOrDisabledPressEnds) {
    auto owned = std::make_unique<Window>();
    owned->Create(400, 300, 100, 100, -1, -1);
    Window* menu = owned.get();
    menu->SetModal(true);
    root.AddChild(std::move(owned), false);
    services.keysDown[Vk::Escape] = true;
    EXPECT_TRUE(Key(root, Msg::KeyDown, Vk::Escape));
    EXPECT_FALSE(Key(root, Msg::Char, Vk::Escape)) << "the character is the screen's";
    menu->SetVisible(true);
    EXPECT_EQ(toolkit.GetActiveWidget(), menu);
    services.keysDown[Vk::Escape] = false;
    Key(root, Msg::KeyUp, Vk::Escape);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{cancel, 0, 0}}));
    EXPECT_EQ(cancel->GetState(), WidgetState::Normal);
    menu->SetVisible(false);

    Mouse(root, Msg::LButtonDown, 125, 255);
    EXPECT_EQ(ok->GetState(), WidgetState::Pressed);
    dialog->SetVisible(false);
    dialog->SetVisible(true);
    EXPECT_EQ(ok->GetState(), WidgetState::Normal);
    EXPECT_FALSE(Key(root, Msg::KeyDown, 'A'));
    EXPECT_FALSE(Key(root, Msg::Char, 'a')) << "a character whose key no widget took is the screen's";

    services.keysDown[Vk::Return] = true;
    EXPECT_TRUE(Key(root, Msg::KeyDown, Vk::Return));
    dialog->SetEnabled(false);
    services.keysDown[Vk::Return] = false;
    EXPECT_FALSE(Key(root, Msg::KeyUp, Vk::Return));
    EXPECT_EQ(ok->GetState(), WidgetState::Normal);
    dialog->SetEnabled(true);
    Mouse(root, Msg::LButtonDown, 125, 255);
    dialog->SetEnabled(false);
    Mouse(root, Msg::LButtonUp, 125, 255);
    EXPECT_EQ(ok->GetState(), WidgetState::Normal);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{cancel, 0, 0}})) << "no click from the disabled window";
}

TEST_F(Routing, AHiddenRootRefusesEverythingAndStopsBeingActive) {
    toolkit.SetActiveWidget(&root);
    root.Show(false);
    toolkit.SetActiveWidget(&root);
    EXPECT_FALSE(Mouse(root, Msg::LButtonDown, 10, 10));
    EXPECT_EQ(toolkit.GetActiveWidget(), nullptr);
    EXPECT_FALSE(Key(root, Msg::KeyDown, Vk::Return));
}

// Every focus pointer lets go of a widget that is destroyed; routing goes on without touching it.
TEST_F(Routing, FocusPointersSurviveTheDestructionOfTheirWidgets) {
    Mouse(root, Msg::MouseMove, 125, 255);
    Mouse(root, Msg::LButtonDown, 125, 255);
    ok->SetTooltip(u"OK");
    toolkit.SetTooltipOwner(ok);
    toolkit.SetExclusiveWidget(ok);
    ASSERT_EQ(toolkit.GetMouseWidget(), ok);
    ASSERT_EQ(toolkit.GetActiveWidget(), dialog);
    std::unique_ptr<Widget> gone = dialog->RemoveChild(ok);
    gone.reset();
    EXPECT_EQ(toolkit.GetMouseWidget(), nullptr);
    EXPECT_EQ(toolkit.GetExclusiveWidget(), nullptr);
    EXPECT_EQ(toolkit.GetTooltipOwner(), nullptr);
    std::unique_ptr<Widget> window = root.RemoveChild(dialog);
    window.reset();
    EXPECT_EQ(toolkit.GetActiveWidget(), nullptr);
    EXPECT_FALSE(Mouse(root, Msg::LButtonUp, 125, 255));
    root.UpdateTree();
}

// Hiding a dialog with its drop-down list open releases the list's hold on all input.
TEST_F(Routing, HidingAnAncestorOfTheOpenListReleasesTheInput) {
    ComboBox* combo = dialog->CreateComboBox(20, 20, 100, 20, 7, -1, 3, 0, 0);
    combo->SetRowCount(3);
    combo->AddItem(u"one");
    Click(root, 150, 125);
    ASSERT_EQ(toolkit.GetExclusiveWidget(), combo->GetDropDown());
    Mouse(root, Msg::MouseMove, 150, 146);
    dialog->SetVisible(false);
    EXPECT_EQ(toolkit.GetExclusiveWidget(), nullptr);
    EXPECT_EQ(toolkit.GetActiveWidget(), nullptr);
    EXPECT_EQ(toolkit.GetMouseWidget(), nullptr);
    Button* other = root.CreateButton(700, 700, 50, 50, 1, -1, 3, 0, 0);
    Click(root, 710, 710);
    EXPECT_EQ(root.events.back().source, other) << "input flows again";
}

TEST_F(Routing, ATooltipAppearsBesideTheMouseAndStaysOnTheScreen) {
    Tooltip::Get().Create(0, 0, 50, 20);
    ok->SetTooltip(u"Accept the offer");
    Mouse(root, Msg::MouseMove, 125, 255);
    Tooltip& tooltip = Tooltip::Get();
    EXPECT_TRUE(tooltip.IsVisible());
    EXPECT_EQ(toolkit.GetTooltipOwner(), ok);
    EXPECT_EQ(tooltip.GetRect().left, 125 + 16);
    EXPECT_EQ(tooltip.GetRect().top, 255 + 22);
    EXPECT_EQ(tooltip.Width(), 16 * FixedWidthTextSurface::kAdvance + 2 * 3) << "fitted to its caption";
    EXPECT_EQ(tooltip.GetCaption()->GetText(), u"Accept the offer");

    Button* corner = root.CreateButton(1000, 750, 24, 18, 1, -1, 3, 0, 0);
    corner->SetTooltip(u"Corner");
    Mouse(root, Msg::MouseMove, 1010, 760);
    EXPECT_EQ(tooltip.GetRect().right, 1023);
    EXPECT_EQ(tooltip.GetRect().bottom, 767);

    Mouse(root, Msg::LButtonDown, 1010, 760);
    EXPECT_FALSE(tooltip.IsVisible()) << "pressing the owner hides it";
}

TEST_F(Routing, TheTooltipFadesInOverASecondAndHidesAfterThree) {
    Tooltip& tooltip = Tooltip::Get();
    tooltip.Create(0, 0, 50, 20);
    tooltip.Show(true);
    tooltip.FadeIn();
    EXPECT_FLOAT_EQ(tooltip.GetAlpha(), 0.1f);
    for (int i = 0; i < 2; ++i) {
        root.Tick(now + 500);  // every second tick counts
    }
    EXPECT_FLOAT_EQ(tooltip.GetAlpha(), 0.5f);
    EXPECT_FLOAT_EQ(tooltip.GetCaption()->GetAlpha(), 0.5f);
    for (int i = 0; i < 2; ++i) {
        root.Tick(now + 1000);
    }
    EXPECT_FLOAT_EQ(tooltip.GetAlpha(), 1.0f);
    EXPECT_FALSE(tooltip.IsFading());
    for (int i = 0; i < 2; ++i) {
        root.Tick(now + 3000);
    }
    EXPECT_TRUE(tooltip.IsVisible());
    for (int i = 0; i < 2; ++i) {
        root.Tick(now + 3001);
    }
    EXPECT_FALSE(tooltip.IsVisible());
}

TEST_F(Routing, ADraggedWindowFollowsTheMouseButNotAboveTwenty) {
    dialog->SetDragHandle(0, 0, 300, 20);
    Mouse(root, Msg::LButtonDown, 150, 150);  // below the handle: no drag
    EXPECT_NE(dialog->GetState(), WidgetState::Pressed);
    Mouse(root, Msg::LButtonUp, 150, 150);

    Mouse(root, Msg::LButtonDown, 110, 105);
    EXPECT_EQ(dialog->GetState(), WidgetState::Pressed);
    Mouse(root, Msg::MouseMove, 510, 305);
    EXPECT_EQ(dialog->GetRect().left, 500);
    EXPECT_EQ(dialog->GetRect().top, 300);
    EXPECT_EQ(ok->GetRect().left, 520) << "children move along";
    Mouse(root, Msg::MouseMove, 510, 5);
    EXPECT_EQ(dialog->GetRect().top, Window::kDragTopLimit);
    Mouse(root, Msg::LButtonUp, 510, 5);
    EXPECT_EQ(dialog->GetState(), WidgetState::Normal);
}

TEST_F(Routing, APopupComesFullyOnScreenAndClosesOnAClickOutside) {
    auto popup = std::make_unique<Window>();
    popup->MakePopup();
    popup->Create(980, 700, 100, 100, -1, -1);
    Window* menu = popup.get();
    root.AddChild(std::move(popup), false);
    menu->SetVisible(true);
    EXPECT_EQ(menu->GetRect(), WidgetRect::FromSize(924, 668, 100, 100));
    EXPECT_EQ(toolkit.GetActiveWidget(), menu);
    toolkit.SetExclusiveWidget(menu);

    EXPECT_TRUE(Mouse(root, Msg::RButtonDown, 10, 10)) << "the click that closes it is swallowed";
    EXPECT_FALSE(menu->IsVisible());
    EXPECT_EQ(toolkit.GetExclusiveWidget(), nullptr);
    EXPECT_EQ(toolkit.GetActiveWidget(), nullptr);
    EXPECT_TRUE(services.sounds.empty()) << "popups make no sound";

    Button* behind = root.CreateButton(0, 0, 50, 50, 1, -1, 3, 0, 0);
    Click(root, 10, 10);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{behind, 0, 0}})) << "the next click is not lost";
}

TEST_F(Routing, WindowsSoundOnlyWhenTheyReallyOpenOrClose) {
    dialog->SetSounds(40, 41);
    dialog->SetVisible(true);
    dialog->SetVisible(false);
    dialog->SetVisible(false);
    dialog->SetVisible(true);
    EXPECT_EQ(services.sounds, (std::vector<uint32_t>{41, 40}));
}

}  // namespace
}  // namespace kestrovan::test
