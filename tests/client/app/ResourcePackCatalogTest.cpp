#include "client/app/ResourcePackCatalog.h"

#include <gtest/gtest.h>

#include "QuillLib/resource/ResourceManager.h"
#include "tests/client/app/AppFixture.h"

namespace kestrovan {
namespace {

TEST(ResourcePackCatalog, SlotTableFollowsTheLanguage) {
    ResourcePackCatalog catalog(nullptr);
    EXPECT_EQ(ResourcePackCatalog::Current(), &catalog);
    catalog.FillSlots(1);
    EXPECT_EQ(catalog.Slot(5).package, u"UIEng");
    EXPECT_EQ(catalog.Slot(5).file, u"Lobby");
    EXPECT_EQ(catalog.Slot(17).package, u"Effect");
    EXPECT_EQ(catalog.Slot(33).kind, ResourcePackCatalog::kSpriteAnimationKind);
    EXPECT_EQ(catalog.Slot(33).itemId, -1);
    EXPECT_EQ(catalog.Slot(2).itemId, -1);
    EXPECT_TRUE(catalog.Slot(2).package.empty());
}

TEST(ResourcePackCatalog, MissingPackagesGiveEmptyHandlesAndAreAskedAgain) {
    test::ScratchFolder folder;
    quill::ResourceManager resources;
    resources.SetRootFolder(u".");
    resources.SetDataFolder(u"data");
    ResourcePackCatalog catalog(&resources);
    catalog.FillSlots(1);
    EXPECT_FALSE(catalog.LoadCommon(nullptr));
    EXPECT_EQ(catalog.FailedPackage(), u"UIEn");
    // The slots name "UIEng", which nothing opened: no texture, and nothing cached that hides a later one.
    EXPECT_FALSE(catalog.GetSlotTexture(5));
    EXPECT_FALSE(catalog.GetSlotTexture(5));
    EXPECT_FALSE(catalog.GetSlotTexture(99));
    EXPECT_FALSE(catalog.GetSound(18));
}

}  // namespace
}  // namespace kestrovan
