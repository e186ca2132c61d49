#include <gtest/gtest.h>

#include "QuillLib/resource/ResourceOptions.h"
#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::BinaryText;
using resource_test::Bytes;

SharedPtr<BinaryData> Named(const WString& name, uint32_t id = kNone) {
    SharedPtr<BinaryData> item = quill::make_shared<BinaryData>(name);
    item->id = id;
    return item;
}

// Builds the tables of the name-index regime while it lives.
class NameIndexRegime {
public:
    NameIndexRegime() { GetResourceOptions().keepNameIndex = 1; }
    ~NameIndexRegime() { GetResourceOptions().keepNameIndex = 0; }
};

TEST(ResourceTableTest, HeldItemsAreReferencedAndOutliveTheirRemoval) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    table.Insert(Named(u"a", 5));
    MemoryStream sameId = Bytes().U32(1).Raw({'b'}).Stream();
    EXPECT_FALSE(table.LoadItem(sameId, sameId, 5, true));
    EXPECT_FALSE(table.IsReferenced(5));
    const SharedPtr<BinaryData> held = table.FindShared(5);
    EXPECT_EQ(held->name, u"a");
    EXPECT_TRUE(table.IsReferenced(5));
    EXPECT_TRUE(table.RemoveItem(5, true));
    EXPECT_EQ(held->id, kNone);
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_FALSE(table.RemoveItem(5, true));
}

TEST(ResourceTableTest, SaveItemsWritesIndexIdAndUnpackedBodyInIdOrder) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    table.Insert(Named(u"c", 30));
    table.Insert(Named(u"a", 10));
    table.Insert(Named(u"b", 20));
    MemoryStream out;
    ASSERT_TRUE(table.SaveItems(out));
    Bytes expected;
    expected.U32(0).U32(10).Text260("a").U32(0).U32(1).U32(20).Text260("b").U32(0).U32(2).U32(30).Text260("c").U32(0);
    EXPECT_EQ(resource_test::ToBytes(out), expected.Data());
}

TEST(ResourceTableTest, DataIdsInsertAtNeedsAFreeOffsetPositionAndKeepsTheItemsId) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    EXPECT_FALSE(table.InsertAt(Named(u"a", 9), 0));  // no offsets yet
    MemoryStream offsets = Bytes().U32(3).U32(100).U32(101).U32(102).Stream();
    ASSERT_TRUE(table.LoadTable(offsets, false));
    const SharedPtr<BinaryData> inserted = table.InsertAt(Named(u"a", 9), 2);
    ASSERT_TRUE(inserted);
    EXPECT_EQ(inserted->id, 9u);
    EXPECT_EQ(table.FindShared(2), inserted);
    EXPECT_FALSE(table.InsertAt(Named(u"b", 1), 2));  // taken
    EXPECT_FALSE(table.InsertAt(Named(u"b", 1), 3));  // beyond the offsets
}

TEST(ResourceTableTest, DataIdsAddItemGivesTheCloneAFreshId) {
    BinaryDataTable table(nullptr, u".\\f.tbd");
    EXPECT_EQ(table.AddItem(Named(u"first", 4), kNone)->id, 0u);
    // The source carries the id it has in its own file, which here belongs to another item.
    table.Insert(Named(u"occupant", 4));
    const SharedPtr<BinaryData> source = Named(u"source", 4);
    const SharedPtr<BinaryData> added = table.AddItem(source, kNone);
    EXPECT_NE(added, source);
    EXPECT_EQ(added->id, 5u);
    EXPECT_EQ(table.FindShared(4)->name, u"occupant");
    EXPECT_EQ(table.FindShared(5), added);
}

TEST(ResourceTableTest, NameIndexGivesDenseIdsAndRenumbers) {
    NameIndexRegime regime;
    BinaryDataTable table(nullptr, u".\\f.tbd");
    ASSERT_TRUE(table.HasNameIndex());
    const SharedPtr<BinaryData> a = table.Insert(Named(u"a"));
    const SharedPtr<BinaryData> b = table.Insert(Named(u"b"));
    const SharedPtr<BinaryData> c = table.Insert(Named(u"c"));
    EXPECT_EQ(c->id, 2u);
    // A name already present returns the existing item and changes nothing.
    EXPECT_EQ(table.Insert(Named(u"b")), b);
    EXPECT_EQ(table.NextId(), 3u);

    ASSERT_TRUE(table.RemoveItem(1, false));
    EXPECT_EQ(c->id, 1u);
    EXPECT_EQ(table.FindShared(1), c);
    EXPECT_EQ(table.NextId(), 2u);

    EXPECT_FALSE(table.RenameItem(0, u"c"));
    EXPECT_TRUE(table.RenameItem(0, u"z"));
    EXPECT_EQ(table.Insert(Named(u"a"))->id, 2u);  // the old name is free again

    // Clearing releases the items but not the numbering.
    table.Clear();
    EXPECT_EQ(table.Insert(Named(u"a"))->id, 3u);
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

TEST(ResourceTableTest, ItemEventsOnlyWhenFileAndPackageAreRegistered) {
    resource_test::RecordingListener listener;  // outlives the manager, which reports its shutdown
    ResourceManager manager;
    manager.AddListener(&listener);
    const SharedPtr<Package> package = quill::make_shared<Package>(u"pack", &manager);
    auto owned = std::make_unique<ResourceFile>(u"file", package.get(), nullptr);
    BinaryDataTable& table = *owned->GetBinaryDataTable();

    table.Insert(Named(u"a", 1));  // neither registered
    ASSERT_TRUE(package->RegisterFile(std::move(owned)));
    table.Insert(Named(u"b", 2));  // the package is not registered yet
    EXPECT_TRUE(listener.events.empty());

    ASSERT_TRUE(manager.RegisterPackage(package));
    table.Insert(Named(u"c", 3));
    table.RenameItem(3, u"d");
    table.RemoveItem(1, true);
    table.Insert(Named(u"again", 3));  // taken: no event
    EXPECT_EQ(listener.events, (std::vector<std::string>{"package 1 pack", "item 20 file kind 13 id 3",
                                                         "item 23 file kind 13 id 3", "item 22 file kind 13 id 1"}));
}

}  // namespace
}  // namespace quill
