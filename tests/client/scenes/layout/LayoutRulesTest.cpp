// The layout rules on made-up items: texts that overlap within a layer (and not across layers), a text past
// its widget, what is drawn outside the screen, and pictures cut across two faces of their texture.
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

// A picture may lie whole in a face (the last painted over it) or hold whole faces; a face painted later
// over part of it, or a face it takes only part of, shows pieces of two.
TEST(LayoutRules, APictureShowsOneFaceOrWholeFaces) {
    const std::vector<TextureFace> faces{{0, {0, 0, 85, 128}},   {0, {85, 0, 170, 128}}, {0, {40, 100, 60, 140}},
                                         {0, {300, 0, 400, 50}}, {0, {300, 0, 350, 20}}, {1, {0, 0, 200, 200}}};
    const auto picture = [](const char* name, int32_t texture, LayoutBox cut) {
        LayoutItem item;
        item.name = name;
        item.texture = texture;
        item.cut = cut;
        return item;
    };
    const std::vector<LayoutItem> items{
        picture("inside", 0, {85, 0, 170, 32}),      picture("wide", 0, {85, 0, 186, 23}),
        picture("covered", 0, {0, 90, 85, 122}),     picture("holds", 0, {290, 0, 410, 60}),
        picture("later inside", 0, {300, 0, 340, 10}), picture("other texture", 1, {85, 0, 186, 23}),
        picture("no face", 0, {500, 500, 600, 600})};
    const std::vector<LayoutFault> faults = FindCutFaults(items, faces);
    ASSERT_EQ(faults.size(), 2u) << Describe(faults);
    EXPECT_EQ(faults[0].kind, Kind::CutAcrossFaces);
    EXPECT_NE(faults[0].description.find("wide cuts (85,0)-(186,23) of texture 0 across the face (85,0)-(170,128)"),
              std::string::npos)
        << faults[0].description;
    EXPECT_NE(faults[1].description.find("covered cuts (0,90)-(85,122) of texture 0 across the face (40,100)-(60,140)"),
              std::string::npos)
        << faults[1].description;
}

}  // namespace
}  // namespace kvtest
