// Synthetic SDL events, converted as the SDL backend converts them, give the messages and parameters
// Windows gives for the same input.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "WindowTestSupport.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"

namespace platform::test {
namespace {

struct Expected {
    uint32_t id;
    WParam wParam;
    uint32_t lParam;
};

void ExpectMessages(const std::vector<Message>& actual, const std::vector<Expected>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].id, expected[i].id);
        EXPECT_EQ(actual[i].wParam, expected[i].wParam);
        EXPECT_EQ(static_cast<uint32_t>(actual[i].lParam), expected[i].lParam);
    }
}

TEST(MessageTranslation, KeyPressRepeatAndReleaseCarryRepeatCountScanCodeAndStateBits) {
    HeadlessWindowTest t;
    t.Feed(SdlKey(true, SDL_SCANCODE_A, SDLK_a));
    t.Feed(SdlKey(true, SDL_SCANCODE_A, SDLK_a, /*repeat=*/true));
    t.Feed(SdlKey(false, SDL_SCANCODE_A, SDLK_a));
    t.Feed(SdlKey(true, SDL_SCANCODE_DELETE, SDLK_DELETE));
    t.Feed(SdlKey(true, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE));
    ExpectMessages(t.Drain(), {{Msg::KeyDown, 'A', 0x001E0001},
                               {Msg::KeyDown, 'A', 0x401E0001},
                               {Msg::KeyUp, 'A', 0xC01E0001},
                               {Msg::KeyDown, Vk::Delete, 0x01530001},
                               {Msg::KeyDown, Vk::Back, 0x000E0001}});
}

TEST(MessageTranslation, AltAloneAndAltCombinationsAreSystemKeys) {
    HeadlessWindowTest t;
    t.Feed(SdlKey(true, SDL_SCANCODE_LALT, SDLK_LALT));
    t.Feed(SdlKey(false, SDL_SCANCODE_LALT, SDLK_LALT));
    ExpectMessages(t.Drain(), {{Msg::SysKeyDown, Vk::Menu, 0x20380001}, {Msg::SysKeyUp, Vk::Menu, 0xC0380001}});

    // Once another key went down with Alt, Alt's release is an ordinary key-up.
    t.Feed(SdlKey(true, SDL_SCANCODE_LALT, SDLK_LALT));
    t.Feed(SdlKey(true, SDL_SCANCODE_1, SDLK_1));
    t.Feed(SdlKey(false, SDL_SCANCODE_1, SDLK_1));
    t.Feed(SdlKey(false, SDL_SCANCODE_LALT, SDLK_LALT));
    ExpectMessages(t.Drain(), {{Msg::SysKeyDown, Vk::Menu, 0x20380001},
                               {Msg::SysKeyDown, '1', 0x20020001},
                               {Msg::SysKeyUp, '1', 0xE0020001},
                               {Msg::KeyUp, Vk::Menu, 0xC0380001}});

    // F10 alone is a system key too; Ctrl+Alt is not.
    t.Feed(SdlKey(true, SDL_SCANCODE_F10, SDLK_F10));
    t.Feed(SdlKey(false, SDL_SCANCODE_F10, SDLK_F10));
    t.Feed(SdlKey(true, SDL_SCANCODE_RCTRL, SDLK_RCTRL));
    t.Feed(SdlKey(true, SDL_SCANCODE_RALT, SDLK_RALT));
    ExpectMessages(t.Drain(), {{Msg::SysKeyDown, Vk::F10, 0x00440001},
                               {Msg::SysKeyUp, Vk::F10, 0xC0440001},
                               {Msg::KeyDown, Vk::Control, 0x011D0001},
                               {Msg::KeyDown, Vk::Menu, 0x01380001}});
    EXPECT_TRUE(t.window.Keys().IsDown(Vk::RControl));
    EXPECT_TRUE(t.window.Keys().IsDown(Vk::RMenu));
    EXPECT_FALSE(t.window.Keys().IsDown(Vk::LMenu));
}

// On a layout with AltGr the right Alt comes as Windows reports AltGr, Ctrl+Alt: its keys are no system keys, and
// what it types reaches a text entry as ordinary characters, with no Ctrl+letter control character beside. On a
// layout without AltGr the right Alt is Alt.
TEST(MessageTranslation, AltGrIsCtrlAltAndTypesOrdinaryCharacters) {
    HeadlessWindowTest t;
    std::vector<std::pair<uint32_t, WParam>> seen;
    const WindowId entry = t.window.CreateChild([&seen](const Message& message) {
        seen.emplace_back(message.id, message.wParam);
        return LResult{0};
    });
    t.window.SetFocus(entry);
    const auto typeAtWithRightAlt = [&] {
        seen.clear();
        t.Feed(SdlKey(true, SDL_SCANCODE_RALT, SDLK_RALT));
        t.Feed(SdlKey(true, SDL_SCANCODE_Q, SDLK_q));
        t.Feed(SdlText("@"));
        t.Feed(SdlKey(false, SDL_SCANCODE_Q, SDLK_q));
        t.Feed(SdlKey(false, SDL_SCANCODE_RALT, SDLK_RALT));
        t.Pump();
    };
    using Seen = std::vector<std::pair<uint32_t, WParam>>;

    t.SetRightAltIsAltGr(true);
    typeAtWithRightAlt();
    EXPECT_EQ(seen, (Seen{{Msg::KeyDown, Vk::Control},
                          {Msg::KeyDown, Vk::Menu},
                          {Msg::KeyDown, 'Q'},
                          {Msg::Char, '@'},
                          {Msg::KeyUp, 'Q'},
                          {Msg::KeyUp, Vk::Control},
                          {Msg::KeyUp, Vk::Menu}}));
    t.Feed(SdlKey(true, SDL_SCANCODE_RALT, SDLK_RALT));
    t.Pump();
    EXPECT_TRUE(t.window.Keys().IsDown(Vk::LControl));
    EXPECT_TRUE(t.window.Keys().IsDown(Vk::RMenu));
    t.Feed(SdlKey(false, SDL_SCANCODE_RALT, SDLK_RALT));
    t.Pump();
    EXPECT_FALSE(t.window.Keys().IsDown(Vk::Control));
    EXPECT_FALSE(t.window.Keys().IsDown(Vk::Menu));

    t.SetRightAltIsAltGr(false);
    typeAtWithRightAlt();
    EXPECT_EQ(seen, (Seen{{Msg::SysKeyDown, Vk::Menu},
                          {Msg::SysKeyDown, 'Q'},
                          {Msg::SysChar, '@'},
                          {Msg::SysKeyUp, 'Q'},
                          {Msg::KeyUp, Vk::Menu}}));
}

TEST(MessageTranslation, TextBecomesOneCharacterPerUtf16UnitAndSystemCharactersWithAlt) {
    HeadlessWindowTest t;
    t.Feed(SdlKey(true, SDL_SCANCODE_A, SDLK_a));
    t.Feed(SdlText("a"));
    t.Feed(SdlText("\xED\x95\x9C"));          // U+D55C
    t.Feed(SdlText("\xF0\x9F\x8E\xB1"));      // U+1F3B1, a surrogate pair
    ExpectMessages(t.Drain(), {{Msg::KeyDown, 'A', 0x001E0001},
                               {Msg::Char, 'a', 0x001E0001},
                               {Msg::Char, 0xD55C, 0x001E0001},
                               {Msg::Char, 0xD83C, 0x001E0001},
                               {Msg::Char, 0xDFB1, 0x001E0001}});

    t.Feed(SdlKey(true, SDL_SCANCODE_LALT, SDLK_LALT));
    t.Feed(SdlKey(true, SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE));
    t.Feed(SdlText("`"));
    const std::vector<Message> messages = t.Drain();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[1].wParam, Vk::Oem3);
    EXPECT_EQ(messages[2].id, Msg::SysChar);
    EXPECT_EQ(messages[2].wParam, '`');
    EXPECT_TRUE(ReadKeyLParam(messages[2].lParam).altDown);
}

// A text event may come after later key events: its characters are still the key press's, typed with Alt.
TEST(MessageTranslation, CharactersFollowTheAltStateOfTheKeyPressThatTypedThem) {
    HeadlessWindowTest t;
    t.Feed(SdlKey(true, SDL_SCANCODE_LALT, SDLK_LALT));
    t.Feed(SdlKey(true, SDL_SCANCODE_1, SDLK_1));
    t.Feed(SdlKey(false, SDL_SCANCODE_LALT, SDLK_LALT));
    t.Feed(SdlText("1"));
    t.Feed(SdlKey(false, SDL_SCANCODE_1, SDLK_1));
    ExpectMessages(t.Drain(), {{Msg::SysKeyDown, Vk::Menu, 0x20380001},
                               {Msg::SysKeyDown, '1', 0x20020001},
                               {Msg::KeyUp, Vk::Menu, 0xC0380001},
                               {Msg::SysChar, '1', 0x20020001},
                               {Msg::KeyUp, '1', 0xC0020001}});
}

// A held key belongs to the window its press went to: a text entry given the keyboard meanwhile gets none of its
// repeats, characters or release, and a key typed into the entry keeps its release there once the game window
// has the keyboard back.
TEST(MessageTranslation, AHeldKeysRepeatsCharactersAndReleaseGoWhereItsPressWent) {
    HeadlessWindowTest t;
    const WindowId entry = t.window.CreateChild([](const Message&) { return LResult{0}; });
    const auto windows = [](const std::vector<Message>& messages) {
        std::vector<std::pair<uint32_t, WindowId>> out;
        for (const Message& message : messages) out.emplace_back(message.id, message.window);
        return out;
    };
    using Seen = std::vector<std::pair<uint32_t, WindowId>>;
    t.Feed(SdlKey(true, SDL_SCANCODE_V, SDLK_v));
    t.Feed(SdlText("v"));
    EXPECT_EQ(windows(t.Drain()), (Seen{{Msg::KeyDown, kMainWindow}, {Msg::Char, kMainWindow}}));

    t.window.SetFocus(entry);
    t.Feed(SdlKey(true, SDL_SCANCODE_A, SDLK_a));
    t.Feed(SdlText("a"));
    t.Feed(SdlKey(true, SDL_SCANCODE_V, SDLK_v, /*repeat=*/true));
    t.Feed(SdlText("v"));
    t.Feed(SdlKey(false, SDL_SCANCODE_V, SDLK_v));
    EXPECT_EQ(windows(t.Drain()), (Seen{{Msg::KeyDown, entry},
                                        {Msg::Char, entry},
                                        {Msg::KeyDown, kMainWindow},
                                        {Msg::Char, kMainWindow},
                                        {Msg::KeyUp, kMainWindow}}));

    t.window.SetFocus(kMainWindow);
    t.Feed(SdlKey(false, SDL_SCANCODE_A, SDLK_a));
    t.Feed(SdlKey(true, SDL_SCANCODE_A, SDLK_a));
    EXPECT_EQ(windows(t.Drain()), (Seen{{Msg::KeyUp, entry}, {Msg::KeyDown, kMainWindow}}));
}

// Text that comes with no key press of its own (an input method's) goes to the window with the keyboard, whatever
// key was pressed and let go before.
TEST(MessageTranslation, TextWithoutAKeyOfItsOwnGoesToTheKeyboardsWindow) {
    HeadlessWindowTest t;
    const WindowId entry = t.window.CreateChild([](const Message&) { return LResult{0}; });
    t.Feed(SdlKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN));
    t.Feed(SdlKey(false, SDL_SCANCODE_RETURN, SDLK_RETURN));
    t.Drain();
    t.window.SetFocus(entry);
    t.Feed(SdlText("\xED\x95\x9C"));
    const std::vector<Message> messages = t.Drain();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].id, Msg::Char);
    EXPECT_EQ(messages[0].window, entry);
}

TEST(MessageTranslation, TranslateMessageQueuesControlCharactersAheadOfLaterInput) {
    HeadlessWindowTest t;
    std::vector<Message> seen;
    t.window.SetProcedure(kMainWindow, [&seen](const Message& message) {
        seen.push_back(message);
        return LResult{0};
    });
    t.Feed(SdlKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN));
    t.Feed(SdlKey(true, SDL_SCANCODE_LCTRL, SDLK_LCTRL));
    t.Feed(SdlKey(true, SDL_SCANCODE_V, SDLK_v));
    t.Feed(SdlKey(true, SDL_SCANCODE_X, SDLK_x));
    t.Feed(SdlKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN));  // Ctrl+Enter: a line feed
    t.Pump();
    std::vector<uint32_t> characters;
    for (const Message& message : seen) {
        if (message.id == Msg::Char) {
            characters.push_back(static_cast<uint32_t>(message.wParam));
        }
    }
    EXPECT_EQ(characters, (std::vector<uint32_t>{13, 22, 24, 10}));
    EXPECT_EQ(seen[1].id, Msg::Char);  // right after the Enter key-down

    // A pending character can be taken out again (the bridge does so for Backspace).
    t.Feed(SdlKey(false, SDL_SCANCODE_LCTRL, SDLK_LCTRL));
    t.Feed(SdlKey(true, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE));
    t.Drain();
    Message keyDown{kMainWindow, Msg::KeyDown, Vk::Back, 0x000E0001, 0};
    t.window.TranslateMessage(keyDown);
    Message removed;
    EXPECT_TRUE(t.window.PeekMessage(removed, MessageFilter{kMainWindow, Msg::Char, Msg::Char}, true));
    EXPECT_EQ(removed.wParam, Vk::Back);
    EXPECT_FALSE(t.window.PeekMessage(removed, MessageFilter{kMainWindow, Msg::Char, Msg::Char}, true));
}

TEST(MessageTranslation, MouseButtonsMovesAndDoubleClicks) {
    HeadlessWindowTest plain;
    plain.Feed(SdlMotion(10, 20, 3, -4));
    plain.Feed(SdlButton(true, SDL_BUTTON_LEFT, 10, 20, 1));
    plain.Feed(SdlButton(false, SDL_BUTTON_LEFT, 10, 20, 1));
    plain.Feed(SdlButton(true, SDL_BUTTON_LEFT, 10, 20, 2));
    plain.Feed(SdlButton(false, SDL_BUTTON_LEFT, 10, 20, 2));
    plain.Feed(SdlButton(true, SDL_BUTTON_RIGHT, -5, 30000));
    // The main window's class asks for no double clicks: the second press is a plain press.
    ExpectMessages(plain.Drain(), {{Msg::MouseMove, 0, 0x0014000A},
                                   {Msg::LButtonDown, MouseKey::LButton, 0x0014000A},
                                   {Msg::LButtonUp, 0, 0x0014000A},
                                   {Msg::LButtonDown, MouseKey::LButton, 0x0014000A},
                                   {Msg::LButtonUp, 0, 0x0014000A},
                                   {Msg::RButtonDown, MouseKey::RButton, 0x7530FFFB}});
    EXPECT_EQ(PointX(0x7530FFFB), -5);

    HeadlessWindowTest doubleClicks(PixelRect{0, 0, 800, 600}, /*doubleClicks=*/true);
    doubleClicks.Feed(SdlButton(true, SDL_BUTTON_LEFT, 1, 2, 1));
    doubleClicks.Feed(SdlButton(false, SDL_BUTTON_LEFT, 1, 2, 1));
    doubleClicks.Feed(SdlButton(true, SDL_BUTTON_LEFT, 1, 2, 2));
    const std::vector<Message> messages = doubleClicks.Drain();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].id, Msg::LButtonDblClk);
    EXPECT_EQ(messages[2].wParam, MouseKey::LButton);
}

TEST(MessageTranslation, WheelStepsAre120AtTheCursorsScreenPosition) {
    HeadlessWindowTest t(PixelRect{100, 50, 1124, 818});
    t.Feed(SdlKey(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT));
    t.Feed(SdlWheel(1.0f, 10, 20));
    t.Feed(SdlWheel(-2.0f, 0, 0));
    t.Feed(SdlWheel(0.0f, 0, 0));  // no motion, no message
    const std::vector<Message> messages = t.Drain();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[1].id, Msg::MouseWheel);
    EXPECT_EQ(WheelDelta(messages[1].wParam), 120);
    EXPECT_EQ(LoWord(messages[1].wParam), MouseKey::Shift);
    EXPECT_EQ(PointX(messages[1].lParam), 110);
    EXPECT_EQ(PointY(messages[1].lParam), 70);
    EXPECT_EQ(WheelDelta(messages[2].wParam), -240);
}

TEST(MessageTranslation, WindowStateEventsBecomeActivationSizeAndClose) {
    HeadlessWindowTest t(PixelRect{0, 0, 1024, 768});
    t.Feed(SdlWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    t.Feed(SdlKey(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT));
    t.Feed(SdlWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    t.Feed(SdlWindowEvent(SDL_WINDOWEVENT_MINIMIZED));
    t.Feed(SdlWindowEvent(SDL_WINDOWEVENT_RESTORED));
    t.Feed(SdlWindowEvent(SDL_WINDOWEVENT_MAXIMIZED));
    t.Feed(SdlWindowEvent(SDL_WINDOWEVENT_CLOSE));
    ExpectMessages(t.Drain(), {{Msg::ActivateApp, 1, 0},
                               {Msg::Activate, ActivateKind::Active, 0},
                               {Msg::SetFocus, 0, 0},
                               {Msg::KeyDown, Vk::Shift, 0x002A0001},
                               {Msg::Activate, ActivateKind::Inactive, 0},
                               {Msg::ActivateApp, 0, 0},
                               {Msg::KillFocus, 0, 0},
                               {Msg::Size, SizeKind::Minimized, 0},
                               {Msg::Size, SizeKind::Restored, 0x03000400},
                               {Msg::Size, SizeKind::Maximized, 0x03000400},
                               {Msg::Close, 0, 0}});
    // Keys held when the window lost the keyboard read as up.
    EXPECT_FALSE(t.window.Keys().IsDown(Vk::Shift));
    EXPECT_FALSE(t.window.IsActive());
}

TEST(MessageTranslation, KeyStateTableShowsTheNewStateWhenTheKeysMessageIsHandled) {
    HeadlessWindowTest t;
    std::vector<bool> downWhenHandled;
    t.window.SetProcedure(kMainWindow, [&](const Message& message) {
        if (message.id == Msg::KeyDown || message.id == Msg::KeyUp) {
            downWhenHandled.push_back(t.window.Keys().IsDown(Vk::Space));
        }
        return LResult{0};
    });
    t.Feed(SdlKey(true, SDL_SCANCODE_SPACE, SDLK_SPACE));
    t.Feed(SdlKey(false, SDL_SCANCODE_SPACE, SDLK_SPACE));
    t.Pump();
    EXPECT_EQ(downWhenHandled, (std::vector<bool>{true, false}));

    KeyStateTable keys;
    keys.Press(Vk::Capital);
    keys.Press(Vk::Capital);  // auto-repeat does not toggle
    EXPECT_EQ(keys.GetKeyState(Vk::Capital), static_cast<int16_t>(0x8001));
    keys.Release(Vk::Capital);
    EXPECT_EQ(keys.GetKeyState(Vk::Capital), 1);
    keys.Press(Vk::Capital);
    EXPECT_EQ(keys.GetKeyState(Vk::Capital), static_cast<int16_t>(0x8000));
    EXPECT_EQ(keys.GetKeyState(-1), 0);
    EXPECT_EQ(keys.GetKeyState(256), 0);
}

}  // namespace
}  // namespace platform::test
