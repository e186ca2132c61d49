#include <gtest/gtest.h>

#include "QuillLib/resource/ResourceOptions.h"
#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::Bytes;
using resource_test::ToBytes;

SharedPtr<BinaryData> Named(const WString& name, uint32_t id = kNone) {
    SharedPtr<BinaryData> item = quill::make_shared<BinaryData>(name);
    item->id = id;
    return item;
}

// Gives a table an item-offset list of count entries, as a file read without items leaves it.
void GiveOffsets(ResourceTable& table, uint32_t count) {
    Bytes body;
    body.U32(count);
    for (uint32_t i = 0; i < count; ++i) {
        body.U32(100 + i);
    }
    MemoryStream stream = body.Stream();
    ASSERT_TRUE(table.LoadTable(stream, false));
}

// Builds the tables of the name-index regime while it lives.
class NameIndexRegime {
public:
    NameIndexRegime() { GetResourceOptions().keepNameIndex = 1; }
    ~NameIndexRegime() { GetResourceOptions().keepNameIndex = 0; }
};

TEST(ResourceTableTest, FreshTableHoldsNothing) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_FALSE(table.FindById(0));
    EXPECT_FALSE(table.Lookup(7));
    EXPECT_FALSE(table.IsReferenced(0));
    EXPECT_FALSE(table.RemoveItem(0, false));
    EXPECT_FALSE(table.RenameItem(0, u"x"));
    EXPECT_FALSE(table.HasNameIndex());
    EXPECT_EQ(table.GetKindName(), u"BINARY_DATA");
    EXPECT_EQ(table.GetKindShortName(), u"BIN_DATA");
}

TEST(ResourceTableTest, ReferencedOnlyWhileSomeoneElseHoldsTheItem) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    table.Insert(Named(u"a", 5));
    EXPECT_FALSE(table.IsReferenced(5));
    {
        const SharedPtr<BinaryData> held = table.FindShared(5);
        EXPECT_TRUE(table.IsReferenced(5));
    }
    EXPECT_FALSE(table.IsReferenced(5));
}

TEST(ResourceTableTest, LoadItemRefusesATakenId) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    MemoryStream first = Bytes().U32(1).Raw({'a'}).Stream();
    MemoryStream second = Bytes().U32(1).Raw({'b'}).Stream();
    EXPECT_TRUE(table.LoadItem(first, first, 3, true));
    EXPECT_FALSE(table.LoadItem(second, second, 3, true));
    EXPECT_EQ(resource_test::BinaryText(table.FindShared(3)), "a");
    EXPECT_EQ(table.FindShared(3)->id, 3u);
}

TEST(ResourceTableTest, RemovedItemLosesItsIdButLivesWhileHeld) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    table.Insert(Named(u"a", 5));
    const SharedPtr<BinaryData> held = table.FindShared(5);
    EXPECT_TRUE(table.RemoveItem(5, true));
    EXPECT_EQ(held->id, kNone);
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_FALSE(table.RemoveItem(5, true));
}

TEST(ResourceTableTest, ClearKeepsTheOffsetsForLoadingAgain) {
    auto file = resource_test::MakeFile(u"f");
    resource_test::AddBinary(*file, 0, "zero");
    resource_test::AddBinary(*file, 1, "one");
    MemoryStream package = resource_test::WritePackage({file.get()});

    ResourceFile lazy(u"f", nullptr, nullptr);
    resource_test::SeekToFile(package, 0);
    ASSERT_TRUE(lazy.Read(package, false));
    BinaryDataTable& table = *lazy.GetBinaryDataTable();
    EXPECT_EQ(table.ItemOffsets().size(), 2u);
    EXPECT_EQ(table.GetCount(), 0u);
    ASSERT_TRUE(table.LoadItemAt(package, 1));
    EXPECT_EQ(resource_test::BinaryText(table.FindShared(1)), "one");

    table.Clear();
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_EQ(table.ItemOffsets().size(), 2u);
    ASSERT_TRUE(table.LoadItemAt(package, 0));
    EXPECT_EQ(resource_test::BinaryText(table.FindShared(0)), "zero");
}

TEST(ResourceTableTest, LoadItemAtChecksPositionAndEntry) {
    auto file = resource_test::MakeFile(u"f");
    resource_test::AddBinary(*file, 0, "zero");
    resource_test::AddBinary(*file, 5, "five");  // entry 1 carries id 5: not loadable on its own
    MemoryStream package = resource_test::WritePackage({file.get()});

    ResourceFile lazy(u"f", nullptr, nullptr);
    resource_test::SeekToFile(package, 0);
    ASSERT_TRUE(lazy.Read(package, false));
    BinaryDataTable& table = *lazy.GetBinaryDataTable();
    EXPECT_FALSE(table.LoadItemAt(package, 2));
    EXPECT_FALSE(table.LoadItemAt(package, 1));
    EXPECT_TRUE(table.LoadItemAt(package, 0));

    BinaryDataTable noOffsets(nullptr, u".\\g.tbd");
    EXPECT_FALSE(noOffsets.LoadItemAt(package, 0));
}

TEST(ResourceTableTest, SaveItemsWritesIndexIdAndUnpackedBodyInIdOrder) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    MemoryStream empty;
    EXPECT_TRUE(table.SaveItems(empty));
    EXPECT_EQ(empty.Size(), 0u);

    table.Insert(Named(u"c", 30));
    table.Insert(Named(u"a", 10));
    table.Insert(Named(u"b", 20));
    MemoryStream out;
    ASSERT_TRUE(table.SaveItems(out));
    const Bytes expected =
        Bytes().U32(0).U32(10).Text260("a").U32(0).U32(1).U32(20).Text260("b").U32(0).U32(2).U32(30).Text260("c").U32(
            0);
    EXPECT_EQ(ToBytes(out), expected.Data());
}

TEST(ResourceTableTest, DataIdsInsertAtNeedsAnOffsetPositionAndKeepsTheItemsId) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    EXPECT_FALSE(table.InsertAt(Named(u"a", 9), 0));  // no offsets yet
    GiveOffsets(table, 3);
    const SharedPtr<BinaryData> inserted = table.InsertAt(Named(u"a", 9), 2);
    ASSERT_TRUE(inserted);
    EXPECT_EQ(inserted->id, 9u);
    EXPECT_EQ(table.FindShared(2), inserted);
    EXPECT_FALSE(table.InsertAt(Named(u"b", 1), 2));  // taken
    EXPECT_FALSE(table.InsertAt(Named(u"b", 1), 3));  // beyond the offsets
}

TEST(ResourceTableTest, DataIdsAddItemGivesTheCloneAFreshId) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    table.Insert(Named(u"occupant", 4));
    // The source carries the id it has in its own file, which here belongs to another item.
    const SharedPtr<BinaryData> source = Named(u"source", 4);
    const SharedPtr<BinaryData> added = table.AddItem(source, kNone);
    ASSERT_TRUE(added);
    EXPECT_NE(added, source);
    EXPECT_EQ(added->name, u"source");
    EXPECT_EQ(added->id, 5u);
    EXPECT_EQ(table.FindShared(4)->name, u"occupant");
    EXPECT_EQ(table.FindShared(5), added);

    BinaryDataTable emptyTable(nullptr, u".\\g.tbd");
    EXPECT_EQ(emptyTable.AddItem(Named(u"x"), kNone)->id, 0u);
}

TEST(ResourceTableTest, NameIndexGivesDenseIdsAndRenumbers) {
    NameIndexRegime regime;
    BinaryDataTable table(nullptr, u".\\f.tbd");
    ASSERT_TRUE(table.HasNameIndex());
    const SharedPtr<BinaryData> a = table.Insert(Named(u"a"));
    const SharedPtr<BinaryData> b = table.Insert(Named(u"b"));
    const SharedPtr<BinaryData> c = table.Insert(Named(u"c"));
    EXPECT_EQ(a->id, 0u);
    EXPECT_EQ(b->id, 1u);
    EXPECT_EQ(c->id, 2u);

    // A name already present returns the existing item and changes nothing.
    const SharedPtr<BinaryData> again = table.Insert(Named(u"b"));
    EXPECT_EQ(again, b);
    EXPECT_EQ(table.GetCount(), 3u);
    EXPECT_EQ(table.NextId(), 3u);

    ASSERT_TRUE(table.RemoveItem(1, false));
    EXPECT_EQ(c->id, 1u);
    EXPECT_EQ(table.FindShared(1), c);
    EXPECT_EQ(table.NextId(), 2u);

    EXPECT_FALSE(table.RenameItem(0, u"c"));
    EXPECT_TRUE(table.RenameItem(0, u"z"));
    EXPECT_EQ(table.Insert(Named(u"a"))->id, 2u);  // the old name is free again
}

TEST(ResourceTableTest, NameIndexInsertAtMovesLaterItemsUp) {
    NameIndexRegime regime;
    BinaryDataTable table(nullptr, u".\\f.tbd");
    const SharedPtr<BinaryData> a = table.Insert(Named(u"a"));
    const SharedPtr<BinaryData> b = table.Insert(Named(u"b"));
    EXPECT_FALSE(table.InsertAt(Named(u"x"), 3));  // beyond the counter
    EXPECT_FALSE(table.InsertAt(Named(u"a"), 0));  // name taken
    const SharedPtr<BinaryData> x = table.InsertAt(Named(u"x"), 1);
    ASSERT_TRUE(x);
    EXPECT_EQ(a->id, 0u);
    EXPECT_EQ(x->id, 1u);
    EXPECT_EQ(b->id, 2u);
    EXPECT_EQ(table.FindShared(2), b);
    EXPECT_EQ(table.NextId(), 3u);
    // The moved item keeps its name entry under the new id.
    ASSERT_TRUE(table.RemoveItem(2, false));
    EXPECT_EQ(table.Insert(Named(u"b"))->id, 2u);
}

TEST(ResourceTableTest, NameIndexClearContinuesTheNumbering) {
    NameIndexRegime regime;
    BinaryDataTable table(nullptr, u".\\f.tbd");
    table.Insert(Named(u"a"));
    table.Insert(Named(u"b"));
    table.Clear();
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_EQ(table.Insert(Named(u"a"))->id, 2u);
}

// A table whose dependents cannot be removed.
class StuckTable : public BinaryDataTable {
public:
    using BinaryDataTable::BinaryDataTable;

protected:
    bool OnRemoveItem(const SharedPtr<BinaryData>&) override { return false; }
};

TEST(ResourceTableTest, FailedCascadeLeavesTheNameIndexWhole) {
    NameIndexRegime regime;
    StuckTable table(nullptr, u".\\f.tbd");
    table.Insert(Named(u"a"));
    table.Insert(Named(u"b"));
    EXPECT_FALSE(table.RemoveItem(0, true));
    EXPECT_EQ(table.GetCount(), 2u);
    // The name still maps to its item: a second item of that name is refused and renaming works.
    EXPECT_EQ(table.Insert(Named(u"a")), table.FindShared(0));
    EXPECT_TRUE(table.RenameItem(0, u"a2"));
    EXPECT_TRUE(table.RemoveItem(0, false));
}

TEST(ResourceTableTest, OptionRecordIsCreatedOnce) {
    GetResourceOptions();      // created with every field 0
    SetResourceOptions(1, 1);  // exists already: nothing changes
    EXPECT_EQ(GetResourceOptions().keepNameIndex, 0);
    GetResourceOptions().value = 2;
    EXPECT_EQ(GetResourceOptions().value, 2);
    GetResourceOptions().value = 0;
}

class TableEventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        manager_.SetRenderDevice(resource_test::TestDevice());
        manager_.AddListener(&listener_);
        package_ = quill::make_shared<Package>(u"pack", &manager_);
        auto file = std::make_unique<ResourceFile>(u"file", package_.get(), resource_test::TestDevice());
        file_ = file.get();
        pendingFile_ = std::move(file);
    }

    resource_test::RecordingListener listener_;  // outlives the manager, which reports its shutdown
    ResourceManager manager_;
    SharedPtr<Package> package_;
    ResourceFile* file_ = nullptr;
    std::unique_ptr<ResourceFile> pendingFile_;
};

TEST_F(TableEventsTest, ItemEventsOnlyWhenFileAndPackageAreRegistered) {
    BinaryDataTable& table = *file_->GetBinaryDataTable();
    table.Insert(Named(u"a", 1));  // neither registered
    ASSERT_TRUE(package_->RegisterFile(std::move(pendingFile_)));
    table.Insert(Named(u"b", 2));  // the package is not registered yet
    EXPECT_TRUE(listener_.events.empty());

    ASSERT_TRUE(manager_.RegisterPackage(package_));
    table.Insert(Named(u"c", 3));
    table.RenameItem(3, u"d");
    table.RemoveItem(1, true);
    table.Insert(Named(u"again", 3));  // taken: no event
    EXPECT_EQ(listener_.events, (std::vector<std::string>{"package 1 pack", "item 20 file kind 13 id 3",
                                                          "item 23 file kind 13 id 3", "item 22 file kind 13 id 1"}));
}

}  // namespace
}  // namespace quill
