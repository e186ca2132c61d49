// The item preview on the default data and the recording device: the order of one drawn frame (its own
// viewport and depth, its camera and light, the model, the screen's viewport and 2D pass back), the states
// from an empty preview to a loaded, stale and released one, the automatic turn, the drag with the left
// button (ended by its release, or by a move without the button when the release went elsewhere) and the
// wheel's zoom within its limits.
#include "client/scenes/common/ItemPreview.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/table/ItemPreviewModel.h"
#include "platform/system/FpuMode.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "tests/support/gfx/TableStage.h"

namespace kestrovan {
namespace {

namespace Msg = platform::Msg;
using platform::MakePointLParam;
using platform::MakeWheelWParam;
constexpr platform::WParam kLeftHeld = platform::MouseKey::LButton;

constexpr uint32_t kTable = 1020;
constexpr uint32_t kBallSet = 2003;
constexpr uint32_t kStockCue = 3005;

class ItemPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetThreadFpuMode();
        ASSERT_TRUE(stage.Ready()) << stage.Error();
        TheItemModelCatalogue().AddStockModels(quill::TheCuePartCatalogue());
        preview.SetClock([this] { return now; });
    }

    bool Load() { return preview.LoadModel(*stage.resources, *stage.device); }

    // The index of the first log line from start on that begins with prefix; npos when none.
    size_t Find(const std::vector<std::string>& lines, const std::string& prefix, size_t start = 0) const {
        for (size_t i = start; i < lines.size(); ++i) {
            if (lines[i].rfind(prefix, 0) == 0) return i;
        }
        return std::string::npos;
    }

    // How far the camera has orbited (the yaw it reports runs the other way round).
    float YawDegrees() const { return -preview.GetCamera()->GetYaw() * 180.0f / quill::kPi; }

    kvtest::TestEngineFactory factory{true};
    kvtest::TableStage stage{factory, KV_DATA_FOLDER, 1024, 768};
    ItemPreview preview{95, 26, 115, 76, true};
    uint32_t now = 1000;
};

TEST_F(ItemPreviewTest, AFrameDrawsInItsOwnViewportAndGivesTheScreenBack) {
    preview.SetItemId(kTable);
    ASSERT_TRUE(Load());
    ASSERT_TRUE(preview.IsLoaded());
    EXPECT_FLOAT_EQ(preview.GetCamera()->GetDistance(), ItemPreview::kTableDistance);

    factory.setup->log.Clear();
    preview.Update();
    const std::vector<std::string> lines = factory.setup->log.Lines();
    const std::string all = factory.setup->log.Text();
    const size_t viewport = Find(lines, "SetViewport(95, 26, 115, 76");
    ASSERT_NE(viewport, std::string::npos) << all;
    const size_t depth = Find(lines, "Clear(2,", viewport);  // the depth buffer only
    const size_t light = Find(lines, "SetLight(", depth);
    const size_t draw = Find(lines, "Draw", light);
    const size_t restored = Find(lines, "SetViewport(0, 0, 800, 600", draw);  // the recording back buffer's
    ASSERT_NE(depth, std::string::npos) << all;
    ASSERT_NE(light, std::string::npos) << all;
    ASSERT_NE(draw, std::string::npos) << all;
    ASSERT_NE(restored, std::string::npos) << all;
    // After the model: the 2D pass's orthographic projection, and every light off.
    EXPECT_NE(Find(lines, "SetTransform(3,", restored), std::string::npos) << all;
    EXPECT_NE(Find(lines, "LightEnable(0, 0)", restored), std::string::npos) << all;

    // A hidden preview draws nothing.
    preview.Show(false);
    factory.setup->log.Clear();
    preview.Update();
    EXPECT_EQ(factory.setup->log.Count("SetViewport("), 0u);
}

TEST_F(ItemPreviewTest, FromEmptyToLoadedStaleAndReleased) {
    // No record: nothing to build, without an error.
    preview.SetItemId(77);
    EXPECT_FALSE(preview.IsPresent());
    EXPECT_TRUE(Load());
    EXPECT_FALSE(preview.IsLoaded());

    preview.SetItemId(kBallSet);
    EXPECT_TRUE(preview.IsPresent());
    ASSERT_TRUE(Load());
    EXPECT_TRUE(preview.IsLoaded());
    EXPECT_FALSE(preview.IsPresent());
    EXPECT_FLOAT_EQ(preview.GetCamera()->GetDistance(), ItemPreview::kCueDistance);
    EXPECT_TRUE(Load()) << "a loaded model is not built again";
    EXPECT_TRUE(preview.IsLoaded());

    // The same record set again while loaded: stale, rebuilt once by the next pass.
    preview.SetItemId(kBallSet);
    EXPECT_FALSE(preview.IsLoaded());
    ASSERT_TRUE(Load());
    EXPECT_TRUE(preview.IsLoaded());

    // Released: the record stays, but nothing is built until it is set again.
    preview.ReleaseModel();
    EXPECT_EQ(preview.GetCamera(), nullptr);
    EXPECT_TRUE(Load());
    EXPECT_FALSE(preview.IsLoaded());
    EXPECT_EQ(preview.ItemId(), kBallSet);

    preview.SetItemId(0);
    EXPECT_EQ(preview.Record(), nullptr);
    EXPECT_TRUE(Load());
    EXPECT_FALSE(preview.IsLoaded());
}

TEST_F(ItemPreviewTest, APersonalCueShowsItsOwnPartsAndTheTreeHelpersReachEveryPreview) {
    quill::InventoryItem cue;
    cue.kind = 1;
    cue.typeCode = 3100;
    cue.customFlag = 1;
    cue.statValues = {2, 3, 4, 5, 6};
    preview.ShowItem(cue);
    ASSERT_NE(preview.Record(), nullptr);
    EXPECT_NE(preview.Record(), TheItemModelCatalogue().FindById(3100)) << "a copy with the player's parts";
    EXPECT_EQ(preview.Record()->partIds[0], 2);
    EXPECT_EQ(preview.Record()->partIds[4], 6);
    ASSERT_TRUE(Load());
    EXPECT_EQ(preview.Record()->kind, ItemModelKind::kCue);

    Widget root;
    root.Create(0, 0, 1024, 768, -1, -1);
    auto* shown = static_cast<ItemPreview*>(root.AddChild(std::make_unique<ItemPreview>(0, 0, 40, 40, false), true));
    auto* hidden = static_cast<ItemPreview*>(root.AddChild(std::make_unique<ItemPreview>(50, 0, 40, 40, false), false));
    shown->SetItemId(kStockCue);
    hidden->SetItemId(kStockCue);
    LoadShownItemPreviews(root, *stage.resources, *stage.device);
    EXPECT_TRUE(shown->IsLoaded());
    EXPECT_FALSE(hidden->IsLoaded()) << "a hidden preview is built once it shows";
    ReleaseItemPreviews(root);
    EXPECT_FALSE(shown->IsLoaded());
}

TEST_F(ItemPreviewTest, TurnsByItselfAndWhileDragged) {
    preview.SetItemId(kTable);
    ASSERT_TRUE(Load());
    const float start = YawDegrees();
    now += 500;  // five tenths of a second at one degree each
    preview.Update();
    EXPECT_NEAR(std::remainder(YawDegrees() - start, 360.0f), 5.0f, 0.05f);

    preview.SetRotationSpeed(0.0f);
    const float still = YawDegrees();
    now += 5000;
    preview.Update();
    EXPECT_FLOAT_EQ(YawDegrees(), still);

    // A press outside the rectangle starts nothing and is not taken.
    EXPECT_FALSE(preview.OnMouse(Msg::LButtonDown, 0, MakePointLParam(10, 10)));
    EXPECT_FALSE(preview.IsDragging());
    // Inside, the drag turns the camera by half a degree per pixel, against the mouse, and takes what it uses.
    EXPECT_TRUE(preview.OnMouse(Msg::LButtonDown, kLeftHeld, MakePointLParam(120, 50)));
    EXPECT_TRUE(preview.IsDragging());
    EXPECT_TRUE(preview.OnMouse(Msg::MouseMove, kLeftHeld, MakePointLParam(140, 50)));
    EXPECT_NEAR(std::remainder(YawDegrees() - still, 360.0f), -10.0f, 0.05f);
    EXPECT_TRUE(preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, 120), MakePointLParam(400, 400)))
        << "the drag keeps the mouse whatever the wheel does";
    EXPECT_TRUE(preview.IsDragging());
    EXPECT_TRUE(preview.OnMouse(Msg::LButtonUp, 0, MakePointLParam(140, 50)));
    EXPECT_FALSE(preview.IsDragging());
    const float dropped = YawDegrees();
    EXPECT_FALSE(preview.OnMouse(Msg::MouseMove, 0, MakePointLParam(200, 50)));
    EXPECT_FLOAT_EQ(YawDegrees(), dropped);
    // A drag whose release went elsewhere ends at the first move without the button, turning nothing.
    preview.OnMouse(Msg::LButtonDown, kLeftHeld, MakePointLParam(120, 50));
    EXPECT_FALSE(preview.OnMouse(Msg::MouseMove, 0, MakePointLParam(160, 50)));
    EXPECT_FALSE(preview.IsDragging());
    EXPECT_FLOAT_EQ(YawDegrees(), dropped);

    // A preview that may not be turned lets the click through.
    ItemPreview fixed(95, 26, 115, 76, false);
    EXPECT_FALSE(fixed.OnMouse(Msg::LButtonDown, 0, MakePointLParam(120, 50)));
    EXPECT_FALSE(fixed.IsDragging());
}

TEST_F(ItemPreviewTest, TheWheelZoomsWithinLimits) {
    preview.SetItemId(kTable);
    ASSERT_TRUE(Load());
    const quill::Camera& camera = *preview.GetCamera();
    const platform::LParam inside = MakePointLParam(100, 40);
    EXPECT_FALSE(preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, 120), inside))
        << "what lies beneath still sees the wheel";
    EXPECT_FLOAT_EQ(camera.GetDistance(), 580.0f) << "a forward turn comes 20 nearer";
    preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, -120), inside);
    EXPECT_FLOAT_EQ(camera.GetDistance(), 600.0f);
    // Outside the rectangle the wheel does nothing.
    preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, 120), MakePointLParam(400, 400));
    EXPECT_FLOAT_EQ(camera.GetDistance(), 600.0f);

    // However far it is turned, the camera stays between half and twice its distance: never through the model.
    for (int turn = 0; turn < 100; ++turn) preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, 120), inside);
    EXPECT_FLOAT_EQ(camera.GetDistance(), 300.0f);
    for (int turn = 0; turn < 200; ++turn) preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, -120), inside);
    EXPECT_FLOAT_EQ(camera.GetDistance(), 1200.0f);

    // With the zoom switched off the wheel leaves it.
    preview.SetZoomEnabled(false);
    preview.OnMouse(Msg::MouseWheel, MakeWheelWParam(0, 120), inside);
    EXPECT_FLOAT_EQ(camera.GetDistance(), 1200.0f);
}

}  // namespace
}  // namespace kestrovan
