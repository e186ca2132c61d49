// The native edit bridge between a recording edit box and the hidden edit of a headless window.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "AppTestWindow.h"
#include "QuillLib/core/CriticalSectionLock.h"
#include "client/app/NativeEditBridge.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {
namespace {

namespace Vk = platform::Vk;
namespace Msg = platform::Msg;
using test::KeyEvent;
using test::TextEvent;

class FakeEditBox : public NativeEditClient {
public:
    platform::WString GetText() const override { return text; }
    bool InputMethodOff() const override { return imeOff; }
    void ShowCaret() override { caretShown = true; }
    void HideCaret() override { caretShown = false; }
    void Released() override { ++releases; }
    bool ClampToMaxBytes(platform::WString& value) const override {
        if (value.size() <= maxUnits) return false;
        value.resize(maxUnits);
        return true;
    }
    void SetTextAndSelection(const platform::WString& value, uint32_t newCaret, uint32_t newAnchor) override {
        text = value;
        caret = newCaret;
        anchor = newAnchor;
    }
    void NotifyParent(uint32_t code) override { notified.push_back(code); }
    void SubmitText(const platform::WString& value) override {
        submitted.push_back(value);
        if (releaseOnSubmit) NativeEditBridge::ClearFocus();
    }

    platform::WString text;
    bool imeOff = false;
    bool caretShown = false;
    bool releaseOnSubmit = false;
    int releases = 0;
    size_t maxUnits = 100;
    uint32_t caret = 0;
    uint32_t anchor = 0;
    std::vector<uint32_t> notified;
    std::vector<platform::WString> submitted;
};

class NativeEditBridgeTest : public ::testing::Test {
protected:
    NativeEditBridgeTest() : bridge(NativeEditBridge::Instance(*app.window, uiLock)) {
        app.window->SetProcedure(platform::kMainWindow, [this](const platform::Message& m) {
            mainWindow.push_back(m.id);
            return app.window->DefaultProcedure(m);
        });
    }
    ~NativeEditBridgeTest() override { NativeEditBridge::DestroyInstance(); }

    void Type(uint8_t vk) {
        app.Feed(KeyEvent(true, vk));
        app.Feed(KeyEvent(false, vk));
    }

    test::AppTestWindow app;
    quill::CriticalSectionLock uiLock;
    NativeEditBridge& bridge;
    FakeEditBox box;
    std::vector<uint32_t> mainWindow;
};

TEST_F(NativeEditBridgeTest, FocusBindsTheBoxAndTypingReachesIt) {
    box.text = u"ab";
    bridge.SetFocusWidget(&box);
    EXPECT_EQ(NativeEditBridge::GetFocusWidget(), &box);
    EXPECT_TRUE(box.caretShown);
    EXPECT_EQ(app.window->GetFocus(), bridge.ControlWindow());
    EXPECT_EQ(bridge.Caret(), 2u);

    app.Feed(TextEvent(u"c"));
    EXPECT_EQ(box.text, u"abc");
    EXPECT_EQ(box.caret, 3u);
    Type(Vk::Back);  // once, not twice: the pending character is taken out
    EXPECT_EQ(box.text, u"ab");
    Type(Vk::Left);  // the caret move reaches the box too
    EXPECT_EQ(box.caret, 1u);
    Type(Vk::Delete);
    EXPECT_EQ(box.text, u"a");

    Type(Vk::Tab);
    Type(Vk::Up);
    Type(Vk::F5);
    Type(Vk::Return);
    EXPECT_EQ(box.notified, (std::vector<uint32_t>{Vk::Tab, Vk::Up, Vk::F5}));
    EXPECT_EQ(box.submitted, (std::vector<platform::WString>{u"a"}));
}

TEST_F(NativeEditBridgeTest, EscapeEmptiesThenReleasesTheFocus) {
    box.text = u"hello";
    bridge.SetFocusWidget(&box);
    Type(Vk::Escape);
    EXPECT_EQ(box.text, u"");
    EXPECT_EQ(NativeEditBridge::GetFocusWidget(), &box);
    Type(Vk::Escape);
    EXPECT_EQ(NativeEditBridge::GetFocusWidget(), nullptr);
    EXPECT_FALSE(box.caretShown);
    EXPECT_EQ(app.window->GetFocus(), platform::kMainWindow);
}

// Every way the bridge lets a box go tells the box once, so that whoever bound it keeps no pointer to it (a
// chat box sent with Enter, or emptied and left with Esc, is freed later with its screen).
TEST_F(NativeEditBridgeTest, EveryReleaseOfTheFocusTellsTheBoxOnce) {
    box.releaseOnSubmit = true;
    box.text = u"hi";
    bridge.SetFocusWidget(&box);
    Type(Vk::Return);
    EXPECT_EQ(NativeEditBridge::GetFocusWidget(), nullptr);
    EXPECT_EQ(box.releases, 1) << "Enter, the screen clearing the focus";

    box.text.clear();
    bridge.SetFocusWidget(&box);
    Type(Vk::Escape);
    EXPECT_EQ(box.releases, 2) << "Esc in the empty box";

    FakeEditBox other;
    bridge.SetFocusWidget(&box);
    bridge.SetFocusWidget(&box);
    EXPECT_EQ(box.releases, 2) << "bound again: not let go";
    bridge.SetFocusWidget(&other);
    EXPECT_EQ(box.releases, 3) << "another box bound";
    bridge.ReleaseFocusFrom(&box);
    EXPECT_EQ(other.releases, 0) << "a box not bound is not released";
    bridge.SetFocusWidget(nullptr);
    EXPECT_EQ(other.releases, 1);
    EXPECT_EQ(box.releases, 3);
}

// A window shown by a server message releases the box on the dispatch thread; the window's focus follows on
// the main thread, by the binding it then finds.
TEST_F(NativeEditBridgeTest, AReleaseOnAnotherThreadMovesTheFocusOnTheMainThread) {
    bridge.SetFocusWidget(&box);
    std::thread([] { NativeEditBridge::ClearFocus(); }).join();
    EXPECT_EQ(NativeEditBridge::GetFocusWidget(), nullptr);
    EXPECT_FALSE(box.caretShown);
    EXPECT_EQ(app.window->GetFocus(), bridge.ControlWindow());
    app.Pump();
    EXPECT_EQ(app.window->GetFocus(), platform::kMainWindow);

    // Bound again on the main thread before it looked: the control keeps the focus and typing reaches the box.
    bridge.SetFocusWidget(&box);
    std::thread([] { NativeEditBridge::ClearFocus(); }).join();
    bridge.SetFocusWidget(&box);
    app.Pump();
    EXPECT_EQ(app.window->GetFocus(), bridge.ControlWindow());
    app.Feed(TextEvent(u"x"));
    EXPECT_EQ(box.text, u"x");
}

TEST_F(NativeEditBridgeTest, TypingPastTheLimitStaysAtTheLimitWithTheCaretAtItsEnd) {
    box.maxUnits = 3;
    bridge.SetFocusWidget(&box);
    app.Feed(TextEvent(u"abcdef"));
    EXPECT_EQ(box.text, u"abc");
    EXPECT_EQ(box.caret, 3u);
    EXPECT_EQ(bridge.Control().Text(), u"abc");
}

TEST_F(NativeEditBridgeTest, HangulComposesInlineAndCommitsOnce) {
    bridge.SetFocusWidget(&box);
    std::vector<platform::WString> shown;
    for (const char16_t* step : {u"ㅎ", u"하", u"한"}) {
        app.Feed(TextEvent(step, true));
        shown.push_back(box.text);
    }
    app.Feed(TextEvent(u"한"));
    EXPECT_EQ(shown, (std::vector<platform::WString>{u"ㅎ", u"하", u"한"}));
    EXPECT_EQ(box.text, u"한");
    EXPECT_EQ(box.caret, 1u);
}

TEST_F(NativeEditBridgeTest, OnlyABoxThatKeepsTheInputMethodOffTurnsItBack) {
    box.imeOff = true;
    bridge.SetFocusWidget(&box);
    EXPECT_FALSE(app.window->Ime().NativeConversion());
    app.Feed(TextEvent(u"ㅎ", true));  // the user switched to Hangul: switched back, nothing composed
    EXPECT_FALSE(app.window->Ime().NativeConversion());
    EXPECT_EQ(box.text, u"");

    FakeEditBox chat;
    bridge.SetFocusWidget(&chat);
    EXPECT_FALSE(box.caretShown);
    app.Feed(TextEvent(u"ㅎ", true));
    app.Feed(TextEvent(u"하"));
    EXPECT_TRUE(app.window->Ime().NativeConversion());
    EXPECT_EQ(chat.text, u"하");
}

TEST_F(NativeEditBridgeTest, WheelReachesTheMainWindowAndAltAloneDoesNothing) {
    bridge.SetFocusWidget(&box);
    mainWindow.clear();  // it lost the focus to the control
    platform::InputEvent wheel;
    wheel.kind = platform::InputEventKind::Wheel;
    wheel.wheelDelta = -120;
    app.Feed(wheel);
    EXPECT_EQ(mainWindow, (std::vector<uint32_t>{Msg::MouseWheel}));
    EXPECT_EQ(app.window->SendMessage(bridge.ControlWindow(), Msg::SysKeyDown, Vk::Menu, 0), 1);
    EXPECT_EQ(app.window->SendMessage(bridge.ControlWindow(), Msg::ContextMenu, 0, 0), 1);

    bridge.ReplaceSelection(u"gg");
    EXPECT_EQ(box.text, u"gg");
}

}  // namespace
}  // namespace kestrovan
