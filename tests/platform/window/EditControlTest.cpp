// The hidden edit: Hangul composition inline and committed once, editing keys, selection and clipboard.
#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "platform/window/EditControl.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"

namespace platform::test {
namespace {

// An edit child that has the focus; its procedure is the control's own, as when nothing subclasses it.
class FocusedEdit {
public:
    FocusedEdit() : edit(t.window) {
        child = t.window.CreateChild([this](const Message& m) {
            ids.push_back(m.id);
            const LResult result = edit.HandleMessage(m);
            if (m.id == Msg::ImeComposition) {
                shown.push_back(edit.Text());
            }
            return result;
        });
        t.window.SetFocus(child);
    }

    void Type(const SDL_Event& event) {
        t.Feed(event);
        t.Pump();
    }

    HeadlessWindowTest t;
    EditControl edit;
    WindowId child = kNoWindow;
    std::vector<uint32_t> ids;
    std::vector<WString> shown;
};

TEST(EditControl, HangulCompositionShowsInlineAndCommitsOneSyllable) {
    FocusedEdit f;
    f.Type(SdlText("ab"));
    f.Type(SdlEditing("\xE3\x85\x8E"));  // ㅎ
    EXPECT_EQ(f.edit.Text(), u"abㅎ");
    EXPECT_EQ(f.edit.GetSelection().start, 3u);
    f.Type(SdlEditing("\xED\x95\x98"));  // 하
    f.Type(SdlEditing("\xED\x95\x9C"));  // 한
    EXPECT_EQ(f.edit.Text(), u"ab한");
    f.Type(SdlText("\xED\x95\x9C"));     // committed
    EXPECT_EQ(f.edit.Text(), u"ab한");
    EXPECT_EQ(f.edit.GetSelection().start, 3u);
    EXPECT_EQ(f.shown, (std::vector<WString>{u"abㅎ", u"ab하", u"ab한", u"ab한"}));
    const std::vector<uint32_t> expected{Msg::SetFocus,       Msg::Char,           Msg::Char,
                                         Msg::ImeStartComposition, Msg::ImeComposition, Msg::ImeComposition,
                                         Msg::ImeComposition, Msg::ImeComposition, Msg::ImeEndComposition};
    EXPECT_EQ(f.ids, expected);

    // A composition that is cancelled leaves nothing behind.
    f.Type(SdlEditing("\xE3\x84\xB1"));  // ㄱ
    f.Type(SdlEditing(""));
    EXPECT_EQ(f.edit.Text(), u"ab한");
}

TEST(EditControl, ACommittedCompositionReachesAProcedureWithoutAnEditAsCharacters) {
    HeadlessWindowTest t;
    std::vector<WParam> characters;
    t.window.SetProcedure(kMainWindow, [&](const Message& m) {
        if (m.id == Msg::Char) {
            characters.push_back(m.wParam);
        }
        return t.window.DefaultProcedure(m);
    });
    t.Feed(SdlEditing("\xED\x95\x9C"));
    t.Feed(SdlText("\xED\x95\x9C"));
    t.Pump();
    EXPECT_EQ(characters, (std::vector<WParam>{0xD55C}));
}

TEST(EditControl, AlphanumericConversionRefusesCompositionUntilTheUserSwitchesBack) {
    FocusedEdit f;
    f.t.window.Ime().SetConversionStatus(0);
    std::vector<WParam> notifications;
    // The user's switch to native mode is announced first; a box that keeps the input method off turns it
    // straight back, and the composition is not taken.
    f.t.window.SetProcedure(f.child, [&](const Message& m) {
        if (m.id == Msg::ImeNotify) {
            notifications.push_back(m.wParam);
            f.t.window.Ime().SetConversionStatus(0);
        }
        return f.edit.HandleMessage(m);
    });
    f.Type(SdlEditing("\xE3\x85\x8E"));
    f.Type(SdlText("\xED\x95\x9C"));
    f.Type(SdlText("x"));
    EXPECT_EQ(f.edit.Text(), u"x");
    EXPECT_EQ(notifications, (std::vector<WParam>{Ime::NotifySetConversionMode}));
}

TEST(EditControl, EditingKeysSelectionAndClipboard) {
    FocusedEdit f;
    f.edit.SetText(u"hello world");
    EXPECT_EQ(f.edit.GetSelection().end, 0u);
    f.edit.SetSelection(0, -1);
    EXPECT_EQ(f.edit.GetSelection().end, 11u);
    f.edit.SetSelection(-1, 0);  // deselect, caret stays at the end
    EXPECT_EQ(f.edit.GetSelection().start, 11u);

    f.Type(SdlKey(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT));
    f.Type(SdlKey(true, SDL_SCANCODE_HOME, SDLK_HOME));
    f.Type(SdlKey(false, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT));
    f.Type(SdlKey(true, SDL_SCANCODE_LCTRL, SDLK_LCTRL));
    f.Type(SdlKey(true, SDL_SCANCODE_C, SDLK_c));   // copy
    f.Type(SdlKey(false, SDL_SCANCODE_LCTRL, SDLK_LCTRL));
    EXPECT_EQ(f.t.window.GetClipboardText(), u"hello world");

    f.Type(SdlKey(true, SDL_SCANCODE_END, SDLK_END));
    f.Type(SdlKey(true, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE));
    f.Type(SdlKey(true, SDL_SCANCODE_HOME, SDLK_HOME));
    f.Type(SdlKey(true, SDL_SCANCODE_DELETE, SDLK_DELETE));
    EXPECT_EQ(f.edit.Text(), u"ello worl");

    f.t.window.SetClipboardText(u"A\r\nB");
    f.edit.SetSelection(0, 4);
    f.Type(SdlKey(true, SDL_SCANCODE_LCTRL, SDLK_LCTRL));
    f.Type(SdlKey(true, SDL_SCANCODE_V, SDLK_v));
    f.Type(SdlKey(false, SDL_SCANCODE_LCTRL, SDLK_LCTRL));
    EXPECT_EQ(f.edit.Text(), u"A  B worl");  // one line

    f.edit.SetText(u"x\U0001F3B1");
    f.edit.SetSelection(3, 3);
    f.Type(SdlKey(true, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE));  // a whole surrogate pair
    EXPECT_EQ(f.edit.Text(), u"x");

    f.edit.ReplaceSelection(u"yz");
    EXPECT_EQ(f.edit.Text(), u"xyz");
    f.edit.SetFont([](WStringView text) { return static_cast<int>(text.size()) * 10; });
    EXPECT_EQ(f.edit.CharFromPos(14), 1u);
    EXPECT_EQ(f.edit.CharFromPos(16), 2u);
    EXPECT_EQ(f.edit.CharFromPos(500), 3u);
}

}  // namespace
}  // namespace platform::test
