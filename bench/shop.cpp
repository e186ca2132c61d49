// The shop's work. Reported per iteration:
// - shop_page: one page of the sale grid built from the whole item table (a tab or a scroll does it);
// - shop_frame: one frame of the shop on the default data with eight cards showing their item previews and
//   the large preview showing the chosen item: the game thread's update and the main thread's render (the
//   previews' models loaded and drawn, the tiled background, the widgets), through the recording device as a
//   null device.
#include <benchmark/benchmark.h>

#include "QuillLib/engine/Engine.h"
#include "bench/ScreenBench.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopGrid.h"
#include "client/scenes/shop/ShopItemCard.h"

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

void BM_shop_frame(benchmark::State& state) {
    kvbench::WithScreenApp(state, "shop", [&](App& app, platform::gfx::RecordingSetup& graphics) {
        SceneShop shop(app);
        shop.Init();
        if (shop.LoadResources(app.GetResourceManager(), app.GetDevice()) != 0) state.SkipWithError("no shop data");
        shop.Activate();
        shop.SelectShopCategory(1);
        shop.OnEvent(shop.ShopCell(0), 0, 0);
        graphics.log.SetEnabled(false);
        uint32_t now = 0;
        for (auto _ : state) {
            now += 16;
            shop.Update(now, static_cast<int64_t>(now) * 10);
            shop.Render(app.GetDevice(), true);
        }
        shop.OnLeave(app.GetResourceManager(), app.GetEngine()->GetRenderSceneManager());
    });
}
BENCHMARK(BM_shop_frame)->Unit(benchmark::kMicrosecond);

}  // namespace
