#include "platform/system/ProfileDocument.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(ProfileDocument, ReadsWithoutRegardToCaseAndBlanks) {
    const ProfileDocument profile("[video]\nFullScreen = 0\r\n width=1280x\n[Game]\nlang=\nneg=-3\n");
    EXPECT_EQ(profile.GetInt("Video", "fullscreen", 7), 0);
    EXPECT_EQ(profile.GetInt("VIDEO", "WIDTH", 7), 1280);
    EXPECT_EQ(profile.GetInt("Game", "lang", 7), 0);  // present without digits
    EXPECT_EQ(profile.GetInt("Game", "neg", 7), -3);
    EXPECT_EQ(profile.GetInt("Game", "width", 7), 7);  // keys belong to their section
    EXPECT_EQ(profile.GetInt("Audio", "BGM", 9), 9);
    EXPECT_EQ(ParseProfileInt("99999999999"), 2147483647);
    EXPECT_EQ(ParseProfileInt("-99999999999"), -2147483647 - 1);
}

TEST(ProfileDocument, WritesInPlaceThenAppendsKeyThenSection) {
    ProfileDocument profile("; comment\n[Video]\nWidth=800\n\n[Audio]\nBGM=1\n");
    profile.SetString("video", "width", " 1024");
    profile.SetString("Video", "height", " 768");
    profile.SetString("Control", "cameramode", " 2");
    EXPECT_EQ(profile.Text(),
              "; comment\r\n[Video]\r\nWidth= 1024\r\nheight= 768\r\n\r\n[Audio]\r\nBGM=1\r\n[Control]\r\n"
              "cameramode= 2\r\n");
    EXPECT_EQ(ProfileDocument(profile.Text()).GetInt("Video", "height", 0), 768);
}

}  // namespace
}  // namespace platform
