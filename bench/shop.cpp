// The shop's work. Reported per iteration:
// - shop_page: one page of the sale grid built from the whole item table (a tab or a scroll does it);
// - shop_frame: one frame of the shop on the default data with eight cards showing their item previews and
//   the large preview showing the chosen item: the game thread's update and the main thread's render (the
//   previews' models loaded and drawn, the tiled background, the widgets), through the recording device as a
//   null device;
// - workshop_new_cue_frame: the same frame with the purchase window of a new custom cue on top, on its first
//   design step, its twenty part thumbnails filled and the whole cue in the large preview;
// - workshop_new_cue_steps: the purchase window walked through its six steps and back (every step's panel,
//   rows of thumbnails and texts refreshed).
#include <benchmark/benchmark.h>

#include <functional>

#include "QuillLib/engine/Engine.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "bench/ScreenBench.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopGrid.h"
#include "client/scenes/shop/CueWorkshop.h"
#include "client/scenes/shop/PersonalCueBuyWindow.h"
#include "client/scenes/shop/ShopItemCard.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/ui/Button.h"

namespace {

using namespace kestrovan;

void BM_shop_page(benchmark::State& state) {
    const ShopItemTextTable table;
    const std::vector<const ShopItemText*> sale = ShopGrid::SaleRows(table);
    int32_t first = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ShopGrid::ShopPage(sale, ShopGrid::kAll, first, 0));
        first = first > 60 ? 1 : first + ShopGrid::kColumns;
    }
}
BENCHMARK(BM_shop_page);

// The shop on the default data, prepared by setUp once it is active, updated and rendered per iteration.
void TimeShopFrames(benchmark::State& state, const std::function<void(SceneShop&)>& setUp) {
    kvbench::WithScreenApp(state, "shop", [&](App& app, platform::gfx::RecordingSetup& graphics) {
        SceneShop shop(app);
        shop.Init();
        if (shop.LoadResources(app.GetResourceManager(), app.GetDevice()) != 0) state.SkipWithError("no shop data");
        shop.Activate();
        setUp(shop);
        graphics.log.SetEnabled(false);
        uint32_t now = 0;
        for (auto _ : state) {
            now += 16;
            shop.Update(now, static_cast<int64_t>(now) * 10, {});
            shop.Render(app.GetDevice(), true);
        }
        shop.OnLeave(app.GetResourceManager(), app.GetEngine()->GetRenderSceneManager());
    });
}

void BM_shop_frame(benchmark::State& state) {
    TimeShopFrames(state, [](SceneShop& shop) {
        shop.SelectShopCategory(1);
        shop.OnEvent(shop.ShopCell(0), 0, 0);
    });
}
BENCHMARK(BM_shop_frame)->Unit(benchmark::kMicrosecond);

// Presses a control of the window by id, as a click on it does.
void Press(Widget& window, int32_t id) {
    Button button;
    button.SetId(id);
    window.OnEvent(&button, 0, 0);
}

// The shop with the purchase window of a new custom cue open, its points spent; null without the data.
bool OpenNewCue(SceneShop& shop) {
    TheItemModelCatalogue().AddStockModels(quill::TheCuePartCatalogue());  // as the program's start does
    const quill::ItemRecord* custom = quill::TheItemCatalogue().FindById(3100);
    if (custom == nullptr || !shop.Workshop()->OpenPurchase(*custom)) return false;
    PersonalCueBuyWindow& buy = shop.Workshop()->Purchase();
    Press(buy, PersonalCueBuyWindow::kNext);
    for (int32_t option = 0; option < 4; ++option)
        for (int n = 0; n < 40; ++n) Press(buy, PersonalCueBuyWindow::kFirstValueButton + 2 * option + 1);
    return true;
}

void BM_workshop_new_cue_frame(benchmark::State& state) {
    TimeShopFrames(state, [&](SceneShop& shop) {
        if (!OpenNewCue(shop)) state.SkipWithError("no custom cue model");
        Press(shop.Workshop()->Purchase(), PersonalCueBuyWindow::kNext);
    });
}
BENCHMARK(BM_workshop_new_cue_frame)->Unit(benchmark::kMicrosecond);

void BM_workshop_new_cue_steps(benchmark::State& state) {
    kvbench::WithScreenApp(state, "shop", [&](App& app, platform::gfx::RecordingSetup&) {
        SceneShop shop(app);
        shop.Init();
        shop.Activate();
        if (!OpenNewCue(shop)) state.SkipWithError("no custom cue model");
        PersonalCueBuyWindow& buy = shop.Workshop()->Purchase();
        for (auto _ : state) {
            for (int n = 0; n < 4; ++n) Press(buy, PersonalCueBuyWindow::kNext);
            for (int n = 0; n < 4; ++n) Press(buy, PersonalCueBuyWindow::kBack);
        }
    });
}
BENCHMARK(BM_workshop_new_cue_steps)->Unit(benchmark::kMicrosecond);

}  // namespace
