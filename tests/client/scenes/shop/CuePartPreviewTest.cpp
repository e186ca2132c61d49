// The workshop's part preview on the default data and the recording device: the part's model and camera at
// load, the wheel's zoom held within 25 to 80, a missing package failing the load and leaving the preview empty,
// and a thumbnail's preview leaving the left button to its button and the wheel, once zoomed, to the list it
// stands in.
#include "client/scenes/shop/CuePartPreview.h"

#include <gtest/gtest.h>

#include <string>

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/resource/ResourceManager.h"
#include "client/scenes/shop/CuePartThumbnail.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "tests/client/ui/UiTestSupport.h"
#include "tests/support/gfx/TableStage.h"

namespace kestrovan {
namespace {

namespace Msg = platform::Msg;
using platform::MakePointLParam;
using platform::MakeWheelWParam;
using quill::CuePartRecord;

class CuePartPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(stage.Ready()) << stage.Error();
        preview.SetClock([this] { return now; });
    }

    bool Load() { return preview.Load(*stage.resources, *stage.device); }
    // The last part of a type, so that its model is not simply the first.
    static uint16_t LastPart(uint8_t type) {
        return static_cast<uint16_t>(quill::TheCuePartCatalogue().CountParts(type) - 1);
    }

    kvtest::TestEngineFactory factory{true};
    kvtest::TableStage stage{factory, KV_DATA_FOLDER, 1024, 768};
    CuePartPreview preview{20, 40, 147, 242, true};
    uint32_t now = 1000;
};

TEST_F(CuePartPreviewTest, APartIsBuiltFromItsOwnModelAtTheNextLoad) {
    const uint16_t id = LastPart(CuePartRecord::kButt);
    const CuePartRecord* part = quill::TheCuePartCatalogue().Find(CuePartRecord::kButt, id);
    ASSERT_NE(part, nullptr);
    preview.SetPart(CuePartRecord::kButt, static_cast<int16_t>(id));
    EXPECT_EQ(preview.PartType(), CuePartRecord::kButt);
    EXPECT_EQ(preview.ModelId(), part->modelIndex);
    EXPECT_TRUE(preview.IsPending());
    EXPECT_FALSE(preview.IsLoaded()) << "built only by the render pass";

    ASSERT_TRUE(Load());
    EXPECT_TRUE(preview.IsLoaded());
    EXPECT_FALSE(preview.IsPending());
    ASSERT_NE(preview.GetCamera(), nullptr);
    EXPECT_FLOAT_EQ(preview.GetCamera()->GetDistance(), CuePartPreview::kLongPartDistance);
    // A frame draws into the preview's own rectangle, then gives the screen its viewport back.
    factory.setup->log.Clear();
    preview.Update();
    const std::string frame = factory.setup->log.Text();
    const size_t own = frame.find("SetViewport(20, 40, 147, 242");
    ASSERT_NE(own, std::string::npos) << frame;
    EXPECT_NE(frame.find("SetViewport(0, 0, 800, 600", own), std::string::npos) << frame;

    // Leaving the screen lets go of the model; the part stays and is built again.
    preview.Release();
    EXPECT_FALSE(preview.IsLoaded());
    EXPECT_EQ(preview.GetCamera(), nullptr);
    EXPECT_TRUE(preview.IsPending());
    ASSERT_TRUE(Load());
    EXPECT_TRUE(preview.IsLoaded());

    // No part (a negative type, or an id the catalogue lacks) shows nothing, and that is no failure.
    preview.SetPart(-1, 0);
    EXPECT_TRUE(Load());
    EXPECT_FALSE(preview.IsLoaded());
    EXPECT_EQ(preview.GetCamera(), nullptr);
    preview.SetPart(CuePartRecord::kTip, static_cast<int16_t>(LastPart(CuePartRecord::kTip) + 1));
    EXPECT_TRUE(Load());
    EXPECT_FALSE(preview.IsLoaded());
}

TEST_F(CuePartPreviewTest, TheWheelZoomsWithinItsLimits) {
    preview.SetPart(CuePartRecord::kShaft, 0);
    ASSERT_TRUE(Load());
    const auto distance = [this] { return preview.GetCamera()->GetDistance(); };
    const auto inside = MakePointLParam(50, 100);
    preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, 120), inside);
    EXPECT_FLOAT_EQ(distance(), CuePartPreview::kMinDistance) << "40 - 20 is held at 25";
    preview.Zoom(50.0f);
    EXPECT_FLOAT_EQ(distance(), CuePartPreview::kMinDistance);
    preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, -120), inside);
    EXPECT_FLOAT_EQ(distance(), CuePartPreview::kMinDistance + CuePartPreview::kWheelStep);
    preview.Zoom(-500.0f);
    EXPECT_FLOAT_EQ(distance(), CuePartPreview::kMaxDistance);
    // The wheel outside the rectangle belongs to someone else.
    preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, 120), MakePointLParam(400, 100));
    EXPECT_FLOAT_EQ(distance(), CuePartPreview::kMaxDistance);

    // A short part starts as near as the limits let it.
    preview.SetPart(CuePartRecord::kJoint, 0);
    ASSERT_TRUE(Load());
    EXPECT_NEAR(distance(), CuePartPreview::kMinDistance, 1e-3f);
}

TEST_F(CuePartPreviewTest, AMissingPackageFailsTheLoadAndShowsNothing) {
    quill::ResourceManager empty;
    empty.SetRootFolder(u"/nonexistent");
    preview.SetPart(CuePartRecord::kShaft, 0);
    EXPECT_FALSE(preview.Load(empty, *stage.device));
    EXPECT_FALSE(preview.IsLoaded());
    EXPECT_EQ(preview.GetCamera(), nullptr);
    preview.Update();  // nothing to draw, nothing drawn with
    // A pending part that failed is not tried again every frame; setting it again does.
    EXPECT_TRUE(preview.Load(empty, *stage.device));
    preview.SetPart(CuePartRecord::kShaft, 0);
    EXPECT_TRUE(Load());
    EXPECT_TRUE(preview.IsLoaded());
}

TEST_F(CuePartPreviewTest, OnlyADraggablePreviewTakesTheLeftButton) {
    preview.SetPart(CuePartRecord::kShaft, 0);
    ASSERT_TRUE(Load());
    EXPECT_TRUE(preview.OnMouse(Msg::LButtonDown, 0, MakePointLParam(50, 100)));
    EXPECT_TRUE(preview.IsDragging());
    preview.OnMouse(Msg::LButtonUp, 0, MakePointLParam(50, 100));
    EXPECT_FALSE(preview.IsDragging());
    EXPECT_FALSE(preview.OnMouse(Msg::LButtonDown, 0, MakePointLParam(400, 100)));
    EXPECT_FALSE(preview.IsDragging());

    CuePartThumbnail thumbnail(0, 0, 100);
    thumbnail.SetPart(CuePartRecord::kButt, 1, false);
    CuePartPreview& small = *thumbnail.Preview();
    EXPECT_EQ(small.PartType(), CuePartRecord::kButt);
    EXPECT_FALSE(small.OnMouse(Msg::LButtonDown, 0, MakePointLParam(30, 30)));
    EXPECT_FALSE(small.IsDragging());
    thumbnail.Clear();
    EXPECT_EQ(small.PartType(), -1);
}

// A thumbnail's fixed preview under the wheel: it zooms the part and the wheel goes on, so that the screen beneath
// still sees it and the thumbnail's button keeps its hover; in a list whose scroll bar takes the wheel over the
// rows, offered the wheel after the thumbnail, the list still scrolls. A click on the preview is the button's.
TEST_F(CuePartPreviewTest, AThumbnailsPreviewZoomsAndLeavesTheWheelToTheListAndTheClickToItsButton) {
    test::EventLog root;
    root.Create(0, 0, 1024, 768, -1, -1);
    auto* thumbnail =
        static_cast<CuePartThumbnail*>(root.AddChild(std::make_unique<CuePartThumbnail>(100, 100, 101), true));
    thumbnail->SetPart(CuePartRecord::kShaft, 0, false);
    CuePartPreview& small = *thumbnail->Preview();
    ASSERT_TRUE(small.Load(*stage.resources, *stage.device));
    const auto wheel = [&](int notches, int32_t x, int32_t y) {
        return root.RouteMessage(Msg::MouseWheel, MakeWheelWParam(0, notches * 120), MakePointLParam(x, y));
    };
    const auto distance = [&] { return small.GetCamera()->GetDistance(); };

    root.RouteMessage(Msg::MouseMove, 0, MakePointLParam(140, 160));
    ASSERT_EQ(thumbnail->GetButton()->GetState(), WidgetState::Hover);
    EXPECT_FALSE(wheel(-1, 140, 160)) << "the screen beneath still sees the wheel";
    EXPECT_FLOAT_EQ(distance(), CuePartPreview::kLongPartDistance + CuePartPreview::kWheelStep);
    EXPECT_EQ(thumbnail->GetButton()->GetState(), WidgetState::Hover);

    auto bar = std::make_unique<ScrollBar>();
    bar->Create(300, 100, 16, 130, 9, ScrollBar::kVertical, 10, false);
    bar->SetSecondRect(100, 100, 200, 130);
    auto* list = static_cast<ScrollBar*>(root.AddChild(std::move(bar), true));
    root.BringChildToFront(thumbnail);
    EXPECT_TRUE(wheel(-1, 140, 160)) << "the list's bar takes the wheel";
    EXPECT_FLOAT_EQ(distance(), CuePartPreview::kLongPartDistance + 2 * CuePartPreview::kWheelStep);
    EXPECT_EQ(list->GetPosition(), 1);
    EXPECT_TRUE(wheel(1, 140, 160));
    EXPECT_FLOAT_EQ(distance(), CuePartPreview::kLongPartDistance + CuePartPreview::kWheelStep);
    EXPECT_EQ(list->GetPosition(), 0);
    // On the thumbnail's frame, outside the preview, only the list moves.
    EXPECT_TRUE(wheel(-1, 101, 101));
    EXPECT_FLOAT_EQ(distance(), CuePartPreview::kLongPartDistance + CuePartPreview::kWheelStep);
    EXPECT_EQ(list->GetPosition(), 1);

    root.events.clear();
    for (const uint32_t msg : {Msg::LButtonDown, Msg::LButtonUp})
        root.RouteMessage(msg, msg == Msg::LButtonDown ? platform::MouseKey::LButton : 0, MakePointLParam(140, 160));
    EXPECT_FALSE(small.IsDragging());
    ASSERT_FALSE(root.events.empty());
    EXPECT_EQ(root.events[0], (test::EventLog::Event{thumbnail->GetButton(), 1, 0})) << "the toggle's click";
}

}  // namespace
}  // namespace kestrovan
