// A small dialog built the way the game's dialogs are: a modal window whose constructor makes a title, an
// edit box and two buttons and whose OnEvent handles them. It is driven through the headless window and
// drawn for one frame on the recording device.
#include <gtest/gtest.h>

#include <memory>

#include "HeadlessUiTest.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Window.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan::test {
namespace {

using platform::InputEventKind;
namespace Vk = platform::Vk;

class NameDialog : public Window {
public:
    static constexpr int32_t kOkId = 2050;
    static constexpr int32_t kCancelId = 2053;

    explicit NameDialog(const FontDesc* font) {
        Create(312, 284, 400, 200, -1, -1);
        SetImage(20, 0, 0, -1, -1, 1.0f, 1.0f);
        SetSounds(7, 8);
        title = CreateTextLabel(20, 16, 360, 18, font, TextLabel::kAlignCentre, 0);
        title->SetText(u"Name");
        auto edit = std::make_unique<EditBox>();
        edit->Create(100, 60, 200, 18);
        edit->SetSkin(21, 0, 0, 2, 16);
        edit->SetFont(font, 12, 0xFFFFFF);
        name = edit.get();
        AddChild(std::move(edit), true);
        ok = CreateButton(100, 140, 80, 24, kOkId, Vk::Return, 20, 0, 200);
        ok->AddLabel(font, TextLabel::kAlignCentre, 0xFFFFFF, 0, 0);
        ok->SetCaption(u"OK");
        cancel = CreateButton(220, 140, 80, 24, kCancelId, Vk::Escape, 20, 0, 300);
        cancel->AddLabel(font, TextLabel::kAlignCentre, 0xFFFFFF, 0, 0);
        cancel->SetCaption(u"Cancel");
    }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override {
        if (source == ok || (source == name && a == EditBox::kSubmitEvent)) {
            accepted.push_back(name->GetText());
            return true;
        }
        if (source != nullptr && source->GetId() == kCancelId) {
            SetVisible(false);
            return true;
        }
        return Window::OnEvent(source, a, b);
    }

    TextLabel* title = nullptr;
    EditBox* name = nullptr;
    Button* ok = nullptr;
    Button* cancel = nullptr;
    std::vector<platform::WString> accepted;
};

class DialogTest : public HeadlessUiTest {
protected:
    DialogTest() {
        root.CreateImage(0, 0, 1024, 768, 1, 0, 0);
        start = root.CreateButton(10, 10, 100, 30, 1, -1, 2, 0, 0);
        auto owned = std::make_unique<NameDialog>(&font);
        dialog = owned.get();
        root.AddChild(std::move(owned), false);
        root.LoadGraphics(0);
    }

    FontDesc font{u"Sans", 12, 700, false};
    Button* start = nullptr;
    NameDialog* dialog = nullptr;
};

TEST_F(DialogTest, TheDialogTakesMouseAndKeysWhileItIsOpen) {
    dialog->SetVisible(true);
    EXPECT_EQ(services.sounds, (std::vector<uint32_t>{7}));
    ClickAt(20, 20);
    EXPECT_TRUE(root.events.empty()) << "the modal dialog swallows clicks outside it";

    ClickAt(420, 350);  // into the edit box
    EXPECT_EQ(bridge.GetFocusWidget(), dialog->name);
    Type(u"Kim");
    Compose(u"ㅈ");
    Compose(u"지");
    Type(u"지");
    Press(Vk::Return);
    EXPECT_EQ(dialog->accepted, (std::vector<platform::WString>{u"Kim지"}));

    dialog->name->SetFocus(false);
    ClickAt(450, 430);  // OK
    EXPECT_EQ(dialog->accepted.size(), 2u);
    Press(Vk::Escape);  // the cancel button's hot key closes the dialog
    EXPECT_FALSE(dialog->IsVisible());
    EXPECT_EQ(services.sounds.back(), 8u);
    EXPECT_EQ(toolkit.GetActiveWidget(), nullptr);

    ClickAt(20, 20);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{start, 0, 0}})) << "the scene has the input again";
}

// One frame: the scene, the shade under the modal dialog, the dialog and its controls in list order, each
// caption after its button.
TEST_F(DialogTest, OneFrameDrawsTheDialogInOrder) {
    dialog->name->SetText(u"Kim");
    dialog->SetVisible(true);
    device.ClearDraws();
    root.UpdateTree();
    EXPECT_EQ(device.Draws(), (std::vector<std::string>{
                                  "image 1 0,0,1023,767 at 0,0 scale 1,1 alpha 1",
                                  "image 2 0,0,99,29 at 10,10 scale 1,1 alpha 1",
                                  "image 0 6,465,13,472 at 0,0 scale 127.681,95.7606 alpha 0.5",
                                  "image 20 0,0,399,199 at 312,284 scale 1,1 alpha 1",
                                  "text 'Name' at 498,300",
                                  "text 'Kim' at 412,344",
                                  "image 20 0,200,79,223 at 412,424 scale 1,1 alpha 1",
                                  "text 'OK' at 445,424",
                                  "image 20 0,300,79,323 at 532,424 scale 1,1 alpha 1",
                                  "text 'Cancel' at 551,424",
                              }));
    EXPECT_EQ(device.DeviceCalls("DrawSprite("), 4u) << "every text reaches the device";

    dialog->SetVisible(false);
    device.ClearDraws();
    root.UpdateTree();
    EXPECT_EQ(device.Draws().size(), 2u) << "no shade and no dialog once it is closed";
}

}  // namespace
}  // namespace kestrovan::test
