#include <gtest/gtest.h>

#include <string>

#include "QuillLib/resource/InflateBudget.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "tests/QuillLib/resource/SharedOffsetPackage.h"
#include "tests/support/common/LogCapture.h"

namespace quill {
namespace {

TEST(InflateBudget, GrowsWithTheFileUpToItsCapAndChargesEachItemOnce) {
    InflateBudget budget;
    budget.Reset(1000);
    EXPECT_EQ(budget.Limit(), 1000 * InflateBudget::kBytesPerFileByte + InflateBudget::kAllowance);
    EXPECT_TRUE(budget.Charge(40, static_cast<uint32_t>(budget.Limit() - 10)));
    EXPECT_TRUE(budget.Charge(40, static_cast<uint32_t>(budget.Limit() - 10))) << "the same item again is free";
    EXPECT_FALSE(budget.Charge(80, 11));
    EXPECT_TRUE(budget.Charge(80, 10));
    EXPECT_EQ(budget.Spent(), budget.Limit());

    budget.Reset(uint64_t{1} << 40);
    EXPECT_EQ(budget.Limit(), InflateBudget::kCap);
}

// 64 index entries at one resource file whose one item inflates to 200 MB from a package of a few hundred
// kilobytes: before the budget, listing it inflated the item 64 times (minutes, hundreds of megabytes).
TEST(InflateBudget, AnItemThatInflatesFarBeyondItsPackageIsNotInflated) {
    test::LogCapture log;
    MemoryStream bytes = kvtest::SharedOffsetPackage(64, 200u << 20);
    ASSERT_LT(bytes.Size(), 1u << 20);
    Package package(u"hostile", nullptr);
    EXPECT_FALSE(package.ReadIndex(bytes, u"hostile.tpk", true));
    EXPECT_EQ(package.LoadedFileCount(), 0u);

    ASSERT_TRUE(bytes.Seek(Stream::kFromBegin, 0));
    ASSERT_TRUE(package.ReadIndex(bytes, u"hostile.tpk", false));
    for (const Package::IndexEntry& entry : package.IndexEntries()) {
        EXPECT_EQ(package.LoadResourceFile(nullptr, bytes, entry.name, true), nullptr);
    }
    EXPECT_TRUE(log.Contains("package hostile: its items inflate past")) << log.Text();
}

TEST(InflateBudget, EntriesSharingAnOffsetShareOneLoadedFile) {
    MemoryStream bytes = kvtest::SharedOffsetPackage(64, 4u << 20);
    Package package(u"shared", nullptr);
    ASSERT_TRUE(package.ReadIndex(bytes, u"shared.tpk", true));
    ASSERT_EQ(package.IndexEntries().size(), 64u);
    ResourceFile* first = package.FindLoadedFile(package.IndexEntries().front().name);
    ASSERT_NE(first, nullptr);
    for (const Package::IndexEntry& entry : package.IndexEntries()) {
        EXPECT_EQ(package.FindLoadedFile(entry.name), first) << "one load for every entry at the offset";
    }
    EXPECT_EQ(first->GetBinaryDataTable()->GetCount(), 1u);
    // Letting one name go keeps the file for the others.
    EXPECT_TRUE(package.UnloadFile(package.IndexEntries().front().name));
    EXPECT_EQ(package.FindLoadedFile(package.IndexEntries().back().name), first);
}

}  // namespace
}  // namespace quill
