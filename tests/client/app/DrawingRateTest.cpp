#include "client/app/DrawingRate.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

TEST(DrawingRate, FollowsTheDisplayAndFallsBackTo60) {
    EXPECT_EQ(ChooseDrawingRate(true, 75, 60), 75);    // full screen: the mode the settings chose
    EXPECT_EQ(ChooseDrawingRate(false, 75, 144), 144);  // a window: the desktop's
    EXPECT_EQ(ChooseDrawingRate(false, 0, 0), 60);      // a virtual display reports no rate
    EXPECT_EQ(ChooseDrawingRate(true, 0, 0), 60);
    EXPECT_EQ(ChooseDrawingRate(false, 85, 0), 85);     // unless the settings ask for one
    EXPECT_EQ(ChooseDrawingRate(false, 0, 240), 200);   // never above the update rate
}

}  // namespace
}  // namespace kestrovan
