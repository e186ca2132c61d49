// The statistics a listed cue takes from the item model catalogue, as the program's App answers the
// connection: a stock cue's five values, nothing for an item that has no cue model, and nothing at all from
// an App given no catalogue.
#include <gtest/gtest.h>

#include "client/app/App.h"
#include "client/scenes/SceneFactory.h"
#include "client/table/ItemModelCatalogue.h"
#include "tests/client/app/AppFixture.h"

namespace kestrovan::test {
namespace {

TEST(CueStatistics, TheAppAnswersFromTheCatalogueThroughItsPlatform) {
    RegisterItemModels();
    HeadlessApp fixture;
    AppPlatform platform = fixture.Platform();
    platform.cueStatistics = &FindCueStatistics;
    App app(AppMode::Offline, Words({u"offline"}), std::move(platform));

    const ItemModelRecord* stock = TheItemModelCatalogue().FindById(3000);
    ASSERT_NE(stock, nullptr);
    CueStatistics statistics{};
    ASSERT_TRUE(app.FindCueStatistics(3000, statistics));
    for (size_t i = 0; i < statistics.size(); ++i) EXPECT_EQ(statistics[i], static_cast<uint8_t>(stock->stats[i])) << i;

    CueStatistics untouched{9, 9, 9, 9, 9};
    EXPECT_FALSE(app.FindCueStatistics(4901, untouched)) << "a chalk has no cue model";
    EXPECT_FALSE(app.FindCueStatistics(999999, untouched)) << "no model at all";
    EXPECT_EQ(untouched, (CueStatistics{9, 9, 9, 9, 9}));

    App bare(AppMode::Offline, Words({u"offline"}), fixture.Platform());
    EXPECT_FALSE(bare.FindCueStatistics(3000, statistics)) << "no catalogue given: no statistics";
}

}  // namespace
}  // namespace kestrovan::test
