#include "client/app/DisplayModes.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

struct Mode {
    uint16_t width;
    uint16_t height;
    uint8_t depth;
    uint32_t refresh;
    uint8_t vsync = 1;
};

class DisplayModesTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.caps.flags = {1, 1, 1, 1, 1};
        BuildDisplayModeList(settings, {{1024, 768, 16, 60}, {1280, 720, 32, 60}, {1280, 719, 32, 60},
                                        {1024, 768, 32, 75}, {800, 600, 32, 60}, {1024, 768, 32, 60}});
    }
    bool Validate(Mode& m) { return ValidateDisplayMode(settings, m.width, m.height, m.depth, m.refresh, m.vsync); }

    Settings settings;
};

TEST_F(DisplayModesTest, ListGroupsUsableModesInOrder) {
    const auto& list = DisplayModeList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].width, 1024u);
    EXPECT_EQ(list[0].refreshRates, (std::vector<uint32_t>{60, 75}));
    EXPECT_EQ(list[1].width, 1280u);
    EXPECT_EQ(list[1].height, 720u);
    EXPECT_EQ(settings.displayModesListed, 1);
}

TEST_F(DisplayModesTest, RequestsAreCorrected) {
    Mode odd{1152, 864, 24, 75};
    EXPECT_TRUE(Validate(odd));
    EXPECT_EQ(odd.width, 1024);
    EXPECT_EQ(odd.depth, 32);
    EXPECT_EQ(odd.refresh, 75u);

    Mode unlisted_rate{1280, 720, 32, 85};
    EXPECT_FALSE(Validate(unlisted_rate));
    EXPECT_EQ(unlisted_rate.refresh, 60u);

    Mode small{800, 600, 32, 60};
    EXPECT_TRUE(Validate(small));
    EXPECT_EQ(small.width, 1024);
    EXPECT_EQ(settings.width, 1024u);
    EXPECT_EQ(settings.refreshRate, 60u);

    settings.caps.flags[2] = 0;
    Mode noColour{1280, 720, 32, 60};
    EXPECT_TRUE(Validate(noColour));
    EXPECT_EQ(noColour.depth, 16);
    EXPECT_EQ(noColour.vsync, 0);
    EXPECT_EQ(settings.bitsPerPixel, 16u);
}

}  // namespace
}  // namespace kestrovan
