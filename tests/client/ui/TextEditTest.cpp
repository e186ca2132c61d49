// Text labels and edit boxes. The edit boxes are typed into through the headless main window: scripted keys,
// text and input-method composition reach the bridge's hidden edit, mouse messages reach the scene root.
#include <gtest/gtest.h>

#include <memory>

#include "HeadlessUiTest.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Window.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan::test {
namespace {

namespace Msg = platform::Msg;
namespace Vk = platform::Vk;
using platform::InputEventKind;

using TextLabelTest = UiTest;

TEST_F(TextLabelTest, TheTextKeeps255UnitsAndAMaskedLabelShowsStars) {
    TextLabel label;
    label.Create(0, 0, 100, 20, -1, -1);
    label.SetTextF(u"%s has %d points", u"Kim", 1200);
    EXPECT_EQ(label.GetText(), u"Kim has 1200 points");
    EXPECT_TRUE(label.IsDirty());

    label.SetText(platform::WString(300, u'x'));
    EXPECT_EQ(label.GetText().size(), 255u);

    label.SetText(u"abc");
    label.SetMasked(true);
    EXPECT_EQ(label.GetDisplayText(), u"***");
    EXPECT_EQ(label.GetText(), u"abc");
}

TEST_F(TextLabelTest, ColoursCarryTheOpacityAndTheTextIsPlacedByAlignmentAndOffsets) {
    FontDesc font{u"Sans", 12, 400, false};
    Panel root;
    root.Create(0, 0, 1024, 768, -1, -1);
    TextLabel* label = root.CreateTextLabel(100, 50, 200, 20, &font, TextLabel::kAlignRight, 1);
    label->SetColors(0x12345678, 0xFF000000);
    label->AddStyle(0, 3, 2);
    label->SetText(u"Ready");
    root.LoadGraphics(0);
    EXPECT_TRUE(label->HasFont());
    EXPECT_EQ(label->GetTextColor(), 0xFF345678u);
    root.SetAlpha(0.5f);
    EXPECT_EQ(label->GetTextColor(), 0x80345678u);
    EXPECT_EQ(label->GetSecondColor(), 0x80000000u);
    EXPECT_EQ(label->MeasureText(), 5 * FixedWidthTextSurface::kAdvance);

    root.UpdateTree();
    EXPECT_EQ(device.Draws(), (std::vector<std::string>{"text 'Ready' at 268,52"}));
    EXPECT_FALSE(label->IsDirty());
    EXPECT_EQ(device.DeviceCalls("DrawSprite("), 1u) << "the text reaches the device";
}

// Edit boxes in a scene, typed into through the headless window.
class EditBoxTest : public HeadlessUiTest {
protected:
    EditBoxTest() {
        box = MakeBox(100, 100, 12);
        root.LoadGraphics(0);
    }

    EditBox* MakeBox(int32_t x, int32_t y, int32_t maxLength) {
        auto owned = std::make_unique<EditBox>();
        owned->Create(x, y, 140, 18);
        owned->SetSkin(5, 0, 0, 2, 16);
        owned->SetFont(&font, maxLength, 0xFFFFFF);
        EditBox* made = owned.get();
        root.AddChild(std::move(owned), true);
        return made;
    }

    FontDesc font{u"Sans", 12, 400, false};
    EditBox* box = nullptr;
};

TEST_F(EditBoxTest, AClickFocusesTheBoxAndTypingReachesIt) {
    ClickAt(110, 105);
    EXPECT_TRUE(box->IsFocused());
    EXPECT_EQ(bridge.GetFocusWidget(), box);
    Type(u"Kim");
    EXPECT_EQ(box->GetText(), u"Kim");
    EXPECT_EQ(box->GetCaret(), 3);
    Press(Vk::Left);
    EXPECT_EQ(box->GetCaret(), 2);
    Press(Vk::Return);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{box, EditBox::kSubmitEvent, 0}}));
    root.events.clear();
    Press(Vk::Tab);
    Press(Vk::Up);
    Press(Vk::F1);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{box, 9, 0}, {box, 38, 0}, {box, 112, 0}}));
}

// The composition shows inline as it grows and is committed once.
TEST_F(EditBoxTest, HangulCompositionShowsInlineAndCommitsOnce) {
    box->SetFocus(true);
    Type(u"ab");
    Compose(u"ㅎ");
    EXPECT_EQ(box->GetText(), u"abㅎ");
    Compose(u"하");
    Compose(u"한");
    EXPECT_EQ(box->GetLabel()->GetDisplayText(), u"ab한");
    EXPECT_EQ(box->GetCaret(), 3);
    Type(u"한");
    EXPECT_EQ(box->GetText(), u"ab한");
    Type(u"c");
    EXPECT_EQ(box->GetText(), u"ab한c");
    EXPECT_EQ(bridge.Control().Text(), u"ab한c");
}

// The limit counts bytes of the code page: 12 allows 12 Latin letters or 6 Hangul syllables.
TEST_F(EditBoxTest, InputPastTheByteLimitIsRefused) {
    box->SetFocus(true);
    Type(u"abcdefghijklmn");
    EXPECT_EQ(box->GetText(), u"abcdefghijkl");

    EditBox* korean = MakeBox(100, 200, 12);
    root.LoadGraphics(0);
    korean->SetFocus(true);
    EXPECT_FALSE(box->IsFocused()) << "the bridge serves one box";
    Type(u"가나다라마바사");
    EXPECT_EQ(korean->GetText(), u"가나다라마바");
    EXPECT_EQ(korean->GetCaret(), 6);
    Press(Vk::Back);
    Type(u"x");
    Compose(u"가");  // one byte left: the syllable does not fit
    EXPECT_EQ(korean->GetText(), u"가나다라마x");

    platform::WString mixed = u"abcdefghijk한";
    EXPECT_FALSE(korean->ClampToMaxBytes(mixed));
    EXPECT_EQ(mixed, u"abcdefghijk") << "a cut never splits a character";
    platform::WString fits = u"가나다라마바";
    EXPECT_TRUE(korean->ClampToMaxBytes(fits));

    // 128 syllables fill 256 bytes: more than the code-page text may take, whatever the box's own limit.
    EditBox* wide = MakeBox(100, 300, 400);
    platform::WString full(128, u'한');
    EXPECT_FALSE(wide->ClampToMaxBytes(full));
    EXPECT_EQ(full.size(), 127u);

    // A box that counts characters as well: five of any script, a pair of surrogates as one.
    wide->SetMaxCharacters(5);
    platform::WString latin = u"abcdefg";
    EXPECT_FALSE(wide->ClampToMaxBytes(latin));
    EXPECT_EQ(latin, u"abcde");
    platform::WString hangul = u"가나다라\U0001F3B1마";
    EXPECT_FALSE(wide->ClampToMaxBytes(hangul));
    EXPECT_EQ(hangul, u"가나다라\U0001F3B1");
    platform::WString five = u"가나다라마";
    EXPECT_TRUE(wide->ClampToMaxBytes(five));
}

TEST_F(EditBoxTest, AMaskedBoxShowsStarsAndKeepsTheInputMethodOff) {
    box->SetMasked(true);
    box->SetFocus(true);
    Type(u"pw");
    Compose(u"가");
    EXPECT_EQ(box->GetText(), u"pw");
    EXPECT_EQ(box->GetLabel()->GetDisplayText(), u"**");
}

// Pressing and dragging selects whole characters between the two points; the selection image spans them.
TEST_F(EditBoxTest, DraggingSelectsAndTheSelectionIsDrawnUnderTheText) {
    box->SetText(u"billiards");
    Feed(Pointer(InputEventKind::ButtonDown, 100 + 7, 105));
    Feed(Pointer(InputEventKind::MouseMove, 100 + 30, 105));
    Feed(Pointer(InputEventKind::MouseMove, 100 + 36, 300));  // outside, still selecting
    Feed(Pointer(InputEventKind::ButtonUp, 100 + 36, 300));
    EXPECT_EQ(box->GetAnchor(), 1);
    EXPECT_EQ(box->GetCaret(), 5);
    const platform::EditControl::Selection selection = bridge.Control().GetSelection();
    EXPECT_EQ(selection.start, 1u);
    EXPECT_EQ(selection.end, 5u);

    device.ClearDraws();
    root.UpdateTree();
    EXPECT_EQ(device.Draws(), (std::vector<std::string>{"image 5 2,0,2,15 at 107,99 scale 28,1 alpha 1",
                                                        "text 'billiards' at 100,100"}));
    Type(u"X");
    EXPECT_EQ(box->GetText(), u"bXards");
}

TEST_F(EditBoxTest, TheCaretBlinksOnceASecond) {
    box->SetFocus(true);
    Type(u"ab");
    device.ClearDraws();
    root.UpdateTree();
    const std::string caret = "image 5 0,0,1,15 at 114,99 scale 1,1 alpha 1";
    EXPECT_EQ(device.Draws(), (std::vector<std::string>{caret, "text 'ab' at 100,100"}));
    Advance(600);
    device.ClearDraws();
    root.UpdateTree();
    EXPECT_EQ(device.Draws(), (std::vector<std::string>{"text 'ab' at 100,100"}));
    Advance(500);
    device.ClearDraws();
    root.UpdateTree();
    EXPECT_EQ(device.Draws().front(), caret);
}

// Destroying one box leaves the bridge alive for the others; a hidden or disabled box lets go of it.
TEST_F(EditBoxTest, TheBridgeOutlivesTheBoxesThatUseIt) {
    EditBox* other = MakeBox(100, 200, 20);
    other->SetFocus(true);
    std::unique_ptr<Widget> gone = root.RemoveChild(other);
    gone.reset();
    EXPECT_EQ(bridge.GetFocusWidget(), nullptr);
    EXPECT_EQ(window.GetFocus(), platform::kMainWindow);

    box->SetFocus(true);
    Type(u"ok");
    EXPECT_EQ(box->GetText(), u"ok");
    box->SetVisible(false);
    EXPECT_EQ(bridge.GetFocusWidget(), nullptr);
    box->SetVisible(true);
    box->SetFocus(true);
    box->SetEnabled(false);
    EXPECT_EQ(bridge.GetFocusWidget(), nullptr);
    box->SetFocus(true);
    EXPECT_EQ(bridge.GetFocusWidget(), nullptr) << "a disabled box does not take the focus";
}

TEST_F(EditBoxTest, ShowingADialogTakesTheFocusFromTheBox) {
    box->SetFocus(true);
    auto dialog = std::make_unique<Window>();
    dialog->Create(300, 300, 200, 100, -1, -1);
    root.AddChild(std::move(dialog), false)->SetVisible(true);
    EXPECT_EQ(bridge.GetFocusWidget(), nullptr);
    EXPECT_FALSE(box->IsFocused());
}

}  // namespace
}  // namespace kestrovan::test
