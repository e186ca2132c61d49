// The room's two item windows drawn through OpenGL (under Xvfb with Mesa's software renderer) from the default
// data: the cue window with a chosen cue and its statistics, and the purchase window with a chosen offer. The
// frame is saved as a screenshot in the build tree (item_windows.png) and their faces are checked whole: every
// cell, card and the statistics panel shows its own face, not a piece of a neighbour in the texture, and the
// chosen ones their chosen face. The chalk slot's level reads in its outline (chalk_slot.png).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "QuillLib/gamedata/ItemRecord.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/CueStatPanel.h"
#include "client/scenes/common/ItemSelectCell.h"
#include "client/scenes/common/ItemSelectWindow.h"
#include "client/scenes/common/PurchaseGiftWindow.h"
#include "client/scenes/common/PurchaseItemCard.h"
#include "client/ui/Panel.h"
#include "platform/system/FpuMode.h"
#include "tests/support/gfx/SdlGlWindow.h"
#include "tests/support/gfx/TableStage.h"
#include "tests/support/scenes/InterfaceFrame.h"

namespace kestrovan {
namespace {

constexpr int kScreenWidth = 1024, kScreenHeight = 768;

class ItemWindowsGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        platform::SetThreadFpuMode();
        stage = std::make_unique<kvtest::TableStage>(factory, KV_DATA_FOLDER, kScreenWidth, kScreenHeight);
        ASSERT_TRUE(stage->Ready()) << stage->Error();
        catalog = std::make_unique<ResourcePackCatalog>(stage->resources);
        const std::string missing = kvtest::InstallInterfaceSlots(*stage, *catalog, {0, 14, 15});
        ASSERT_TRUE(missing.empty()) << missing;
        root.Create(0, 0, kScreenWidth, kScreenHeight, -1, -1);
    }

    void AddCue(uint32_t key, uint32_t typeCode) {
        auto item = std::make_unique<quill::InventoryItem>();
        item->typeCode = typeCode;
        item->kind = quill::ItemRecord::kCue;
        player.AddItem(key, 0, item.get());
        items.push_back(std::move(item));
    }

    static void SlideIn(SlidingItemWindow& sliding) {
        for (int tick = 0; tick < 100 && sliding.SlideState() != SlidingItemWindow::Slide::kIdle; ++tick)
            sliding.Tick(0);
    }

    std::vector<uint32_t> DrawFrame() {
        root.LoadGraphics(0);
        std::vector<uint32_t> pixels = kvtest::DrawWidgetFrame(*stage, root, 0xFF102040);
        stage->device->Present();
        return pixels;
    }

    // How many pixels of the rectangle (its right and bottom edges included) pass the test.
    template <class Test>
    static int Count(const std::vector<uint32_t>& pixels, const WidgetRect& rect, Test test) {
        int passing = 0;
        for (int y = rect.top; y <= rect.bottom; ++y) {
            for (int x = rect.left; x <= rect.right; ++x) {
                const uint32_t p = pixels[static_cast<size_t>(y) * kScreenWidth + x];
                const int r = static_cast<int>(p >> 16 & 0xFF), g = static_cast<int>(p >> 8 & 0xFF);
                passing += test(r, g, static_cast<int>(p & 0xFF)) ? 1 : 0;
            }
        }
        return passing;
    }

    kvtest::SdlGlWindow window{kScreenWidth, kScreenHeight};
    kvtest::TestEngineFactory factory{[this] { return window.CreateSystem(); }, kScreenWidth, kScreenHeight};
    std::unique_ptr<kvtest::TableStage> stage;
    std::unique_ptr<ResourcePackCatalog> catalog;
    Panel root;
    quill::PlayerState player;
    std::vector<std::unique_ptr<quill::InventoryItem>> items;
};

TEST_F(ItemWindowsGlTest, CellsCardsAndTheStatisticsShowTheirOwnFaces) {
    for (uint32_t key = 1; key <= 4; ++key) AddCue(key, 3000 + key);
    player.equipped[10] = {2, 0, 3002};
    auto* cues = static_cast<ItemSelectWindow*>(
        root.AddChild(std::make_unique<ItemSelectWindow>(player, AppEventPoster{}), false));
    auto* offers = static_cast<PurchaseGiftWindow*>(
        root.AddChild(std::make_unique<PurchaseGiftWindow>(AppEventPoster{}, [] { return false; }), false));
    // The labels take their fonts before the windows fill them, as the room's load gives them.
    root.LoadGraphics(0);
    cues->SetEquipSlot(10);
    cues->SetVisible(true);
    SlideIn(*cues);
    offers->SetVisible(true);
    SlideIn(*offers);
    offers->SetPosition(0, 300);
    offers->OnEvent(offers->Card(1), 0, 0);
    const std::vector<uint32_t> frame = DrawFrame();
    stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "item_windows.png");

    // A face cut across a neighbour in the texture shows the accent of a button or title beside it.
    const auto accent = [](int r, int g, int b) { return g > r + 60 && b > r + 60; };
    const auto light = [](int r, int g, int b) { return r > 200 && g > 200 && b > 200; };
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Count(frame, cues->Cell(i)->GetRect(), accent), 0) << "cue cell " << i << ": see item_windows.png";
        EXPECT_EQ(Count(frame, offers->Card(i)->GetRect(), accent), 0) << "card " << i << ": see item_windows.png";
    }
    // The chosen cue and offer wear the chosen face of their own tile, tinted towards the accent.
    const auto tinted = [](int r, int g, int b) { return g > r + 25 && b > r + 25; };
    for (const WidgetRect& chosen : {cues->Cell(2)->GetRect(), offers->Card(1)->GetRect()}) {
        EXPECT_GT(Count(frame, chosen, tinted), chosen.Width() * chosen.Height() / 2) << "see item_windows.png";
    }
    EXPECT_EQ(Count(frame, offers->Card(0)->GetRect(), tinted), 0) << "an offer not chosen";
    ASSERT_TRUE(cues->Stats()->IsVisible());
    const WidgetRect stats = cues->Stats()->GetRect();  // above its cyan endurance line
    EXPECT_EQ(Count(frame, WidgetRect{stats.left, stats.top, stats.right, stats.top + 150}, accent), 0)
        << "the statistics: see item_windows.png";
    EXPECT_GT(Count(frame, WidgetRect{420, 228, 471, 246}, light), 10) << "the close button's caption";
    // The cues' names, "Rookie power cue" the longest, stay within their cells: nothing of them in the gaps
    // between the cells at their foot.
    for (size_t i = 0; i + 1 < 4; ++i) {
        const WidgetRect cell = cues->Cell(i)->GetRect();
        EXPECT_EQ(Count(frame, WidgetRect{cell.right + 1, cell.bottom - 14, cell.right + 2, cell.bottom}, light), 0)
            << "the name of cue cell " << i << ": see item_windows.png";
    }
}

// The chalk slot without chalk: "No Chalk" in the empty level's red, outlined in white so that it reads on the
// slot's face and the chalk's picture alike.
TEST_F(ItemWindowsGlTest, TheChalkSlotsLevelIsOutlined) {
    auto* slot = static_cast<ChalkQuickSlot*>(root.AddChild(std::make_unique<ChalkQuickSlot>(player, AppEventPoster{}), true));
    slot->SetPosition(100, 100);
    slot->Reset();
    const std::vector<uint32_t> frame = DrawFrame();
    stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "chalk_slot.png");
    const WidgetRect level = slot->LevelLabel()->GetRect();
    EXPECT_GT(Count(frame, level, [](int r, int g, int b) { return r > 200 && g < 60 && b < 60; }), 20)
        << "the red letters: see chalk_slot.png";
    EXPECT_GT(Count(frame, level, [](int r, int g, int b) { return r > 200 && g > 200 && b > 200; }), 40)
        << "their outline: see chalk_slot.png";
}

}  // namespace
}  // namespace kestrovan
