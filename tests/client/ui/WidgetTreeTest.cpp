// The widget tree: attaching and ownership, geometry, anchors, visibility hooks, alpha and graphics loading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/WidgetSprite.h"
#include "client/ui/Window.h"

namespace kestrovan::test {
namespace {

// Counts its destruction and records its show and hide hooks into a shared journal.
class Probe : public Widget {
public:
    Probe(std::string probeName, std::vector<std::string>& journal, int* deaths = nullptr)
        : name(std::move(probeName)), journal_(journal), deaths_(deaths) {}
    ~Probe() override {
        if (deaths_ != nullptr) {
            ++*deaths_;
        }
    }
    void OnShow() override { journal_.push_back(name + " show"); }
    void OnHide() override { journal_.push_back(name + " hide"); }
    void SetState(int32_t state) override {
        journal_.push_back(name + " state " + std::to_string(state));
        Widget::SetState(state);
    }
    std::string name;

private:
    std::vector<std::string>& journal_;
    int* deaths_;
};

using WidgetTree = UiTest;

TEST_F(WidgetTree, AChildIsPlacedRelativeToItsParentAndMovesWithIt) {
    Panel parent;
    parent.Create(100, 50, 300, 200, -1, -1);
    Image* child = parent.CreateImage(10, 20, 30, 40, 5, 0, 0);
    EXPECT_EQ(child->GetRect(), WidgetRect::FromSize(110, 70, 30, 40));
    EXPECT_EQ(child->GetParent(), &parent);

    parent.AddChild(child, true);  // already its child: no second entry, no second offset
    EXPECT_EQ(parent.GetChildren().size(), 1u);
    EXPECT_EQ(child->GetRect().left, 110);

    parent.SetPosition(200, 60);
    EXPECT_EQ(child->GetRect(), WidgetRect::FromSize(210, 80, 30, 40));
    WidgetSprite sprite;
    ASSERT_TRUE(child->GetSpriteState(sprite));
    EXPECT_EQ(sprite.GetX(), 210.0f);
    EXPECT_EQ(sprite.GetY(), 80.0f);

    child->SetPosition(5, 5);  // relative to the parent's top-left
    EXPECT_EQ(child->GetRect().left, 205);
    EXPECT_EQ(child->GetRect().top, 65);
}

TEST_F(WidgetTree, OwnershipFollowsAChildToItsNewParent) {
    std::vector<std::string> journal;
    int deaths = 0;
    auto first = std::make_unique<Panel>();
    Panel second;
    Widget* child = first->AddChild(std::make_unique<Probe>("child", journal, &deaths), true);
    second.AddChild(child, true);
    EXPECT_TRUE(first->GetChildren().empty());
    EXPECT_EQ(child->GetParent(), &second);
    EXPECT_TRUE(child->IsAutoDelete());
    first.reset();
    EXPECT_EQ(deaths, 0) << "the old parent no longer owns it";

    std::unique_ptr<Widget> back = second.RemoveChild(child);
    EXPECT_EQ(back.get(), child);
    EXPECT_EQ(child->GetParent(), nullptr);
    back.reset();
    EXPECT_EQ(deaths, 1);
}

// A parent deletes the children it owns; the others live on, detached, and can still raise events and be
// attached elsewhere without touching the freed parent.
TEST_F(WidgetTree, ChildrenOutlivingTheirParentAreDetached) {
    std::vector<std::string> journal;
    int deaths = 0;
    Probe survivor("survivor", journal);
    {
        Panel parent;
        parent.AddChild(std::make_unique<Probe>("owned", journal, &deaths), true);
        parent.AddChild(&survivor, true);
        EXPECT_FALSE(survivor.IsAutoDelete());
    }
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(survivor.GetParent(), nullptr);
    EXPECT_FALSE(survivor.OnEvent(&survivor, 1, 0));
    EventLog other;
    other.AddChild(&survivor, true);
    survivor.NotifyParent(7);
    ASSERT_EQ(other.events.size(), 1u);
    EXPECT_EQ(other.events[0], (EventLog::Event{&survivor, 7, 0}));
    std::unique_ptr<Widget> none = other.RemoveChild(&survivor);
    EXPECT_EQ(none, nullptr);
}

TEST_F(WidgetTree, AWidgetDestroyedWhileAttachedLeavesItsParent) {
    Panel parent;
    auto loose = std::make_unique<Image>();
    parent.AddChild(loose.get(), true);
    loose.reset();
    EXPECT_TRUE(parent.GetChildren().empty());
    parent.UpdateTree();  // walks no freed child
}

TEST_F(WidgetTree, AnchorsPlaceAgainstTheScreen) {
    Panel root;
    root.Create(0, 0, 1024, 768, -1, -1);
    Image* image = root.CreateImage(0, 0, 100, 50, 35, 0, 0);
    image->SetAnchor(AnchorMode::Right, -110, AnchorMode::Bottom, -60);
    EXPECT_EQ(image->GetRect().left, 914);
    EXPECT_EQ(image->GetRect().top, 708);

    image->SetAnchor(AnchorMode::HCentre, 4, 0, 0);  // the vertical rule stays
    EXPECT_EQ(image->GetRect().left, (1024 - 100) / 2 + 4);
    EXPECT_EQ(image->GetRect().top, 708);

    root.ApplyChildAnchors(800, 600);
    EXPECT_EQ(image->GetRect().left, (800 - 100) / 2 + 4);
    EXPECT_EQ(image->GetRect().top, 540);

    Image* plain = root.CreateImage(7, 9, 10, 10, 35, 0, 0);
    plain->ApplyAnchor(800, 600);  // no flag: nothing moves
    EXPECT_EQ(plain->GetRect().left, 7);
}

// The subtree hears the hooks before the widget; hidden children are left out; Show runs no hook.
TEST_F(WidgetTree, SetVisibleRefreshesTheVisibleSubtreeBottomUp) {
    std::vector<std::string> journal;
    Probe root("root", journal);
    Widget* a = root.AddChild(std::make_unique<Probe>("a", journal), true);
    a->AddChild(std::make_unique<Probe>("a1", journal), true);
    root.AddChild(std::make_unique<Probe>("b", journal), false);
    journal.clear();

    root.SetVisible(false);
    EXPECT_EQ(journal, (std::vector<std::string>{"root state 1", "a state 1", "a1 state 1", "a1 hide", "a hide",
                                                 "root hide"}));
    EXPECT_FALSE(root.IsVisible());
    EXPECT_TRUE(root.WasVisible());
    EXPECT_TRUE(a->IsVisible()) << "children keep their own flag";

    journal.clear();
    root.Show(true);
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(root.IsVisible());
}

// A texture is fetched once; an explicit image is fetched again at every load; id 35 is never fetched.
TEST_F(WidgetTree, LoadingGraphicsFetchesTexturesAndBindsThem) {
    Panel root;
    root.Create(0, 0, 1024, 768, -1, -1);
    Image* image = root.CreateImage(10, 20, 16, 8, 7, 32, 48);
    Image* none = root.CreateImage(0, 0, 16, 8, 35, 0, 0);
    auto plain = std::make_unique<Image>();
    plain->Create(0, 0, 4, 4, -1, -1);
    root.AddChild(std::move(plain), true);
    root.LoadGraphics(3);
    root.LoadGraphics(3);
    EXPECT_EQ(resources.textureRequests, (std::vector<int32_t>{7, 7})) << "explicit images are fetched each load";

    root.UpdateTree();
    EXPECT_EQ(device.Draws(), (std::vector<std::string>{"image 7 32,48,47,55 at 10,20 scale 1,1 alpha 1"}));
    EXPECT_TRUE(none->HasSprite());

    image->ReleaseTexture();
    image->SetImage(8, 0, 0, -1, -1, 2.0f, 1.0f);
    device.ClearDraws();
    root.UpdateTree();
    EXPECT_EQ(device.Draws().size(), 1u) << "the sprite keeps what it was given until the next load";
    root.LoadGraphics(3);
    device.ClearDraws();
    root.UpdateTree();
    EXPECT_EQ(device.Draws(), (std::vector<std::string>{"image 8 0,0,15,7 at 10,20 scale 2,1 alpha 1"}));

    services.uiEnabled = false;
    device.ClearDraws();
    root.UpdateTree();
    EXPECT_TRUE(device.Draws().empty()) << "nothing draws while the UI switch is off";
}

}  // namespace
}  // namespace kestrovan::test
