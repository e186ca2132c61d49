// The layout rules on made-up items: texts that overlap within a layer (and not across layers), a text past
// its widget, and what is drawn outside the screen.
#include <gtest/gtest.h>

#include "tests/support/layout/LayoutRules.h"

namespace kvtest {
namespace {

using Kind = LayoutFault::Kind;

LayoutItem Text(const char* name, LayoutBox drawn, int32_t layer = 0) {
    LayoutItem item;
    item.name = name;
    item.drawn = drawn;
    item.text = true;
    item.layer = layer;
    return item;
}

const LayoutBox kScreen{0, 0, 1024, 768};

TEST(LayoutRules, TextsOfOneLayerMustNotOverlap) {
    const std::vector<LayoutItem> items{Text("a", {10, 10, 60, 24}), Text("b", {59, 20, 90, 34}),
                                        Text("c", {60, 0, 90, 14}), Text("d", {10, 10, 60, 24}, 1)};
    const std::vector<LayoutFault> faults = FindLayoutFaults(items, kScreen);
    ASSERT_EQ(faults.size(), 1u) << Describe(faults);
    EXPECT_EQ(faults[0].kind, Kind::TextsOverlap);
    EXPECT_NE(faults[0].description.find("a (10,10)-(60,24) overlaps b"), std::string::npos) << faults[0].description;
}

TEST(LayoutRules, ATextStaysInItsWidgetAndEverythingOnTheScreen) {
    LayoutItem inside = Text("inside", {10, 10, 50, 24});
    inside.hasFrame = true;
    inside.frame = {10, 10, 50, 24};
    LayoutItem past = Text("past", {300, 59, 350, 73});
    past.hasFrame = true;
    past.frame = {20, 0, 496, 64};
    LayoutItem picture;
    picture.name = "picture";
    picture.drawn = {1000, 0, 1062, 40};
    LayoutItem nothing;
    nothing.name = "empty";
    nothing.drawn = {2000, 2000, 2000, 2010};
    const std::vector<LayoutFault> faults = FindLayoutFaults({inside, past, picture, nothing}, kScreen);
    ASSERT_EQ(faults.size(), 2u) << Describe(faults);
    EXPECT_EQ(faults[0].kind, Kind::TextPastFrame);
    EXPECT_EQ(faults[1].kind, Kind::OffScreen);
    EXPECT_NE(faults[1].description.find("picture"), std::string::npos);
}

}  // namespace
}  // namespace kvtest
