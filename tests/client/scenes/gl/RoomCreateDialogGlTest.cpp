// The room creation dialog drawn through OpenGL (under Xvfb with Mesa's software renderer) from the default
// data, with its interface textures and the 3D previews of the chosen table and ball set: the frame is read
// back, saved as a screenshot in the build tree and checked inside and outside the preview rectangles.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "client/app/ResourcePackCatalog.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/TableBallSelector.h"
#include "client/scenes/lobby/RoomCreateDialog.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Panel.h"
#include "platform/system/FpuMode.h"
#include "tests/support/gfx/SdlGlWindow.h"
#include "tests/support/gfx/TableStage.h"
#include "tests/support/scenes/IdleConnectionHost.h"
#include "tests/support/scenes/InterfaceFrame.h"

namespace kestrovan {
namespace {

constexpr int kDialogScreenWidth = 1024, kDialogScreenHeight = 768;

struct DialogPixel {
    int r, g, b;
};

class RoomCreateDialogGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        platform::SetThreadFpuMode();
        stage = std::make_unique<kvtest::TableStage>(factory, KV_DATA_FOLDER, kDialogScreenWidth, kDialogScreenHeight);
        ASSERT_TRUE(stage->Ready()) << stage->Error();
        // The dialog's textures come from the interface packs by slot, as the program's catalogue hands them out.
        catalog = std::make_unique<ResourcePackCatalog>(stage->resources);
        const std::string missing = kvtest::InstallInterfaceSlots(*stage, *catalog, {0, 12, 15});
        ASSERT_TRUE(missing.empty()) << missing;
        TheItemModelCatalogue().AddStockModels(quill::TheCuePartCatalogue());
        connection = std::make_unique<GameConnection>(host);
        connection->SetChannelKind(0, RoomCreateDialog::kAllCarom);
        connection->SetCurrentChannel(1);
        connection->LocalPlayer().membershipGrade = 1;
        root.Create(0, 0, kDialogScreenWidth, kDialogScreenHeight, -1, -1);
        dialog = static_cast<RoomCreateDialog*>(
            root.AddChild(std::make_unique<RoomCreateDialog>(*connection, AppEventPoster{}, nullptr, nullptr), false));
        dialog->SetVisible(true);
        root.LoadGraphics(0);
    }

    // One frame of the dialog over a dark background, the previews built by the render pass first.
    std::vector<uint32_t> DrawFrame(bool previews) {
        if (previews) {
            LoadShownItemPreviews(root, *stage->resources, *stage->device);
        } else {
            ReleaseItemPreviews(root);
        }
        return kvtest::DrawWidgetFrame(*stage, root, 0xFF102040);
    }

    static DialogPixel At(const std::vector<uint32_t>& pixels, int x, int y) {
        const uint32_t p = pixels[static_cast<size_t>(y) * kDialogScreenWidth + x];
        return DialogPixel{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }

    // How many pixels of the rectangle differ between the frames, and how many of the second one pass the test.
    template <class Test>
    static std::pair<int, int> Count(const std::vector<uint32_t>& before, const std::vector<uint32_t>& after,
                                     const WidgetRect& rect, Test test) {
        int changed = 0, passing = 0;
        for (int y = rect.top; y <= rect.bottom; ++y) {
            for (int x = rect.left; x <= rect.right; ++x) {
                const size_t i = static_cast<size_t>(y) * kDialogScreenWidth + x;
                changed += (before[i] & 0xFFFFFF) != (after[i] & 0xFFFFFF) ? 1 : 0;
                passing += test(At(after, x, y)) ? 1 : 0;
            }
        }
        return {changed, passing};
    }

    kvtest::SdlGlWindow window{kDialogScreenWidth, kDialogScreenHeight};
    kvtest::TestEngineFactory factory{[this] { return window.CreateSystem(); }, kDialogScreenWidth, kDialogScreenHeight};
    std::unique_ptr<kvtest::TableStage> stage;
    std::unique_ptr<ResourcePackCatalog> catalog;
    kvtest::IdleConnectionHost host;
    std::unique_ptr<GameConnection> connection;
    Panel root;
    RoomCreateDialog* dialog = nullptr;
};

TEST_F(RoomCreateDialogGlTest, TheDialogShowsTheChosenTableAndBallsTurningInTheirPreviews) {
    TableBallSelector& selector = *dialog->Selector();
    ASSERT_NE(selector.TableItem(), 0);
    ASSERT_NE(selector.BallSetItem(), 0);
    const std::vector<uint32_t> bare = DrawFrame(false);
    const std::vector<uint32_t> shown = DrawFrame(true);
    stage->device->Present();
    stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "room_create_dialog.png");
    ASSERT_TRUE(selector.TablePreview()->IsLoaded());
    ASSERT_TRUE(selector.BallPreview()->IsLoaded());

    // The dialog itself: its face is drawn where it is centred (not the clear colour).
    const WidgetRect face = dialog->GetRect();
    EXPECT_EQ(face.left, (kDialogScreenWidth - RoomCreateDialog::kWidth) / 2);
    const DialogPixel inside = At(shown, face.left + 200, face.top + 20);
    EXPECT_FALSE(inside.r == 0x10 && inside.g == 0x20 && inside.b == 0x40);

    // The table: a good part of its preview changes, much of it the cloth's saturated colour.
    const WidgetRect table = selector.TablePreview()->GetRect();
    const auto [tableChanged, cloth] = Count(bare, shown, table, [](const DialogPixel& p) {
        return std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}) > 60;
    });
    const int tableArea = (table.right - table.left + 1) * (table.bottom - table.top + 1);
    EXPECT_GT(tableChanged, tableArea / 4) << tableChanged << " of " << tableArea;
    EXPECT_GT(cloth, tableArea / 8) << cloth;

    // The balls: changed pixels, some of them the near-white of the cue ball or the yellow or red.
    const WidgetRect balls = selector.BallPreview()->GetRect();
    const auto [ballsChanged, bright] =
        Count(bare, shown, balls, [](const DialogPixel& p) { return p.r > 170 && p.g > 140; });
    EXPECT_GT(ballsChanged, 100) << ballsChanged;
    EXPECT_GT(bright, 20) << bright;

    // Outside the previews the dialog is the same with or without them.
    const auto [outside, unused] = Count(bare, shown, WidgetRect{face.left, face.top + 70, face.right, table.top - 2},
                                         [](const DialogPixel&) { return false; });
    EXPECT_EQ(outside, 0);
    (void)unused;
}

// The check boxes and the OK and Cancel buttons of the dialog's own skin: a ticked box shows its own tinted
// frame (not a piece of the game-type tiles beside it in the atlas, nor a bare face), and the captions stand
// in the middle of their buttons.
TEST_F(RoomCreateDialogGlTest, TickedBoxesAndButtonCaptionsDrawFromTheirOwnTiles) {
    Button& box = *dialog->Flag16Box();
    box.Show(true);
    box.SetChecked(true);
    const std::vector<uint32_t> ticked = DrawFrame(false);
    box.SetChecked(false);
    const std::vector<uint32_t> unticked = DrawFrame(false);
    stage->device->Present();
    stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "room_create_dialog_boxes.png");

    const WidgetRect rect = box.GetRect();
    const auto teal = [](const DialogPixel& p) { return p.g - p.r > 50 && p.b - p.r > 40; };
    const auto [changed, tickedTeal] = Count(unticked, ticked, rect, teal);
    const auto [unused, untickedTeal] = Count(ticked, unticked, rect, teal);
    const int area = (rect.right - rect.left + 1) * (rect.bottom - rect.top + 1);
    EXPECT_GT(changed, area / 2) << "the ticked frame differs from the unticked one";
    EXPECT_GT(tickedTeal, area / 2) << "ticked: the accent's tint over the box";
    EXPECT_LT(untickedTeal, area / 10) << "unticked: the plain face";
    (void)unused;

    // Light caption pixels: none along the buttons' top rows, many across their middle.
    const auto light = [](const DialogPixel& p) { return p.r > 200 && p.g > 200 && p.b > 200; };
    for (Button* button : {dialog->OkButton(), dialog->CancelButton()}) {
        const WidgetRect b = button->GetRect();
        const auto [c1, top] = Count(ticked, ticked, WidgetRect{b.left, b.top, b.right, b.top + 5}, light);
        const auto [c2, middle] = Count(ticked, ticked, WidgetRect{b.left, b.top + 10, b.right, b.bottom - 10}, light);
        EXPECT_EQ(top, 0) << "caption along the top of button " << button->GetId();
        EXPECT_GT(middle, 20) << "caption in the middle of button " << button->GetId();
        (void)c1;
        (void)c2;
    }
}

// Every control says what it is: a caption in the light ink left of each list, the password and the option
// box; the title's dark field runs under the whole title box; the foot of the dialog shows the club's banner.
TEST_F(RoomCreateDialogGlTest, EveryControlHasItsCaptionAndTheTitleItsWholeField) {
    dialog->Flag16Box()->Show(true);
    const std::vector<uint32_t> frame = DrawFrame(false);
    stage->device->Present();
    stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "room_create_dialog_captions.png");
    const WidgetRect face = dialog->GetRect();
    const auto area = [&](int x, int y, int w, int h) {
        return WidgetRect{face.left + x, face.top + y, face.left + x + w - 1, face.top + y + h - 1};
    };
    const auto light = [](const DialogPixel& p) { return p.r > 150 && p.g > 150 && p.b > 150; };
    const auto dark = [](const DialogPixel& p) { return p.r < 60 && p.g < 60 && p.b < 60; };
    const auto count = [&](const WidgetRect& rect, auto test) { return Count(frame, frame, rect, test).second; };
    const struct {
        const char* what;
        WidgetRect where;
    } captions[] = {{"players", area(40, 63, 52, 20)},   {"password", area(30, 298, 78, 18)},
                    {"shot time", area(240, 294, 78, 20)}, {"table", area(40, 348, 52, 20)},
                    {"balls", area(220, 348, 62, 20)},    {"club", area(40, 458, 52, 20)},
                    {"stake", area(12, 251, 70, 22)},      {"handicap", area(21, 320, 52, 22)},
                    {"betting", area(251, 250, 57, 22)},   {"room title", area(10, 41, 98, 18)}};
    for (const auto& caption : captions) {
        EXPECT_GT(count(caption.where, light), 15) << caption.what << "'s caption: see room_create_dialog_captions.png";
    }
    // The title's field under the title box past its text, to the box's right end; and the password's field.
    const WidgetRect title = dialog->TitleEdit()->GetRect();
    const WidgetRect past{title.left + 170, title.top + 1, title.right - 1, title.bottom - 2};
    EXPECT_EQ(count(past, dark), (past.right - past.left + 1) * (past.bottom - past.top + 1)) << "the title's field";
    const WidgetRect password = dialog->PasswordEdit()->GetRect();
    EXPECT_GT(count(WidgetRect{password.left + 2, password.top + 2, password.right - 2, password.bottom - 2}, dark), 1200)
        << "the password's field";
    // The banner: the club's logo with its gold ball, no bare bar.
    const auto gold = [](const DialogPixel& p) { return p.r > 180 && p.g > 140 && p.b < 110; };
    EXPECT_GT(count(area(95, 486, 294, 93), gold), 300) << "the club's banner";
}

}  // namespace
}  // namespace kestrovan
