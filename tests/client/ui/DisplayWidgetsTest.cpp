// Number displays, animated images and the factories.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "client/ui/AnimatedImage.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/Image.h"
#include "client/ui/NumberDisplay.h"
#include "client/ui/TextLabel.h"

namespace kestrovan::test {
namespace {

// Six cells of 12 pixels; digits 10 wide from (0, 100) of texture 14.
class NumberDisplayTest : public UiTest {
protected:
    NumberDisplayTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        auto owned = std::make_unique<NumberDisplay>();
        display = owned.get();
        display->Create(200, 50, 12, 16, 6, 14, 0, 100, 10);
        root.AddChild(std::move(owned), true);
    }

    // The x of each shown cell relative to the display, least significant first, and its digit.
    std::vector<std::pair<int32_t, int32_t>> Shown() const {
        std::vector<std::pair<int32_t, int32_t>> cells;
        for (int32_t k = 0; k < display->GetCellCount(); ++k) {
            const Image* cell = display->GetCell(k);
            if (cell->IsVisible()) {
                cells.emplace_back(cell->GetRect().left - 200, cell->GetSourceRect().left / 10);
            }
        }
        return cells;
    }

    Panel root;
    NumberDisplay* display = nullptr;
};

TEST_F(NumberDisplayTest, ValuesAreLaidOutByAlignment) {
    display->SetPlacement(10, 2);
    display->SetValue(1234);
    using Cells = std::vector<std::pair<int32_t, int32_t>>;
    EXPECT_EQ(Shown(), (Cells{{46, 4}, {34, 3}, {22, 2}, {10, 1}}));
    EXPECT_EQ(display->GetCell(0)->GetRect().top, 52);

    display->SetAlign(NumberDisplay::kAlignRight);
    display->SetValue(1234);
    EXPECT_EQ(Shown(), (Cells{{22, 4}, {10, 3}, {-2, 2}, {-14, 1}})) << "the last digit one cell right of the offset";

    display->SetAlign(1);  // centred
    display->SetValue(1234);
    EXPECT_EQ(Shown(), (Cells{{22, 4}, {10, 3}, {-2, 2}, {-14, 1}}));
    display->SetValue(123);
    EXPECT_EQ(Shown(), (Cells{{22, 3}, {10, 2}, {-2, 1}}));

    display->SetAlign(NumberDisplay::kAlignLeft);
    display->SetValue(0);
    EXPECT_EQ(Shown(), (Cells{{10, 0}})) << "zero shows one digit";
    display->SetLeadingZeros(true);
    display->SetValue(42);
    EXPECT_EQ(Shown(), (Cells{{70, 2}, {58, 4}, {46, 0}, {34, 0}, {22, 0}, {10, 0}}));
    display->SetLeadingZeros(false);
    display->SetValue(18446744073709551615ull);  // more digits than cells: the six lowest
    EXPECT_EQ(Shown().size(), 6u);
    EXPECT_EQ(Shown().front().second, 5);
}

class AnimatedImageTest : public UiTest {
protected:
    AnimatedImageTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        animation = quill::make_shared<FakeAnimation>();
        animation->duration = 0.5f;
        resources.animations[{70, 2}] = animation;
        image = root.CreateAnimatedImage(30, 40, 64, 64, 70, 2, 35, 0, 0);
        root.LoadGraphics(0);
    }

    // Ticks the tree twice: the image advances on every second tick.
    void TickTwice(uint32_t ms) {
        Advance(ms);
        root.TickTree(now);
        root.TickTree(now);
    }

    Panel root;
    quill::SharedPtr<FakeAnimation> animation;
    AnimatedImage* image = nullptr;
};

TEST_F(AnimatedImageTest, APlayOnceAnimationHidesItsImageWhenItEnds) {
    EXPECT_FALSE(image->IsVisible()) << "hidden until played";
    EXPECT_EQ(animation->drawMode, 2);
    EXPECT_EQ(animation->x, 30.0f);
    image->Play(FakeAnimation::kPlayOnce);
    EXPECT_TRUE(image->IsVisible());
    EXPECT_EQ(animation->restarts, 1);
    image->UpdateTree();
    EXPECT_EQ(animation->draws, 1);

    TickTwice(300);
    EXPECT_FLOAT_EQ(animation->played, 0.3f);
    EXPECT_TRUE(image->IsVisible());
    TickTwice(300);
    EXPECT_FALSE(image->IsVisible());
    EXPECT_FALSE(image->IsPlaying());

    image->Play(FakeAnimation::kPlayOnce);
    EXPECT_TRUE(image->IsVisible()) << "playing again shows it";
    EXPECT_EQ(animation->played, 0.0f);
    image->SetPosition(100, 100);
    EXPECT_EQ(animation->x, 100.0f) << "the animation follows the widget";
}

TEST_F(AnimatedImageTest, TwoImagesPlayingAtOnceBothAdvance) {
    auto other = quill::make_shared<FakeAnimation>();
    resources.animations[{71, 0}] = other;
    AnimatedImage* second = root.CreateAnimatedImage(0, 0, 8, 8, 71, 0, 35, 0, 0);
    root.LoadGraphics(0);
    image->Play(0);
    second->Play(0);
    TickTwice(100);
    EXPECT_FLOAT_EQ(animation->played, 0.1f);
    EXPECT_FLOAT_EQ(other->played, 0.1f);
}

// Every factory makes, images and attaches its widget, visible.
TEST_F(AnimatedImageTest, FactoriesAttachTheirWidgetsVisible) {
    FontDesc font;
    Panel* panel = root.CreatePanel(10, 10, 300, 200, 12, 0, 0);
    Image* picture = panel->CreateImage(5, 5, 20, 20, 12, 40, 50, 10, 10, 2.0f, 2.0f);
    Button* button = panel->CreateButton(30, 30, 60, 20, 2050, 13, 12, 0, 64);
    ComboBox* combo = panel->CreateComboBox(30, 60, 80, 20, 9, -1, 12, 0, 128);
    TextLabel* label = panel->CreateTextLabel(30, 90, 100, 16, &font, TextLabel::kAlignCentre, 0);
    const std::vector<Widget*> children = panel->GetChildren();
    EXPECT_EQ(children, (std::vector<Widget*>{picture, button, combo, label}));
    for (const Widget* child : children) {
        EXPECT_TRUE(child->IsVisible());
        EXPECT_TRUE(child->IsAutoDelete());
        EXPECT_EQ(child->GetParent(), panel);
    }
    EXPECT_EQ(picture->GetSourceRect(), WidgetRect::FromSize(40, 50, 10, 10));
    EXPECT_EQ(button->GetSourceRect(), WidgetRect::FromSize(0, 64, 60, 20)) << "-1 takes the widget's size";
    EXPECT_EQ(combo->GetFace()->GetTextureId(), 12);
}

}  // namespace
}  // namespace kestrovan::test
