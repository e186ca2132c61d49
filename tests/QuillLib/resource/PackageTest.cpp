#include <gtest/gtest.h>

#include <filesystem>

#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::TempFolder;

// A manager whose packages live in <temp>/data (the program asks for "Data").
class PackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        manager_.SetRootFolder(folder_.Wide());
        manager_.SetDataFolder(u"Data");
        manager_.SetRenderDevice(resource_test::TestDevice());
        manager_.AddListener(&listener_);
    }

    // Writes a package of two files, "Ball" (ids 0 and 1) and "Cue" (id 0), as data/<name>.
    void WriteBallsPackage(const std::string& name) {
        auto ball = resource_test::MakeFile(u"Ball");
        resource_test::AddBinary(*ball, 0, "white");
        resource_test::AddBinary(*ball, 1, "red");
        auto cue = resource_test::MakeFile(u"Cue");
        resource_test::AddBinary(*cue, 0, "maple");
        MemoryStream bytes = resource_test::WritePackage({ball.get(), cue.get()});
        resource_test::WriteFileBytes(folder_.Path() / "data" / name, resource_test::ToBytes(bytes));
    }

    std::filesystem::path DataPath(const std::string& name) const { return folder_.Path() / "data" / name; }

    TempFolder folder_;
    resource_test::RecordingListener listener_;  // outlives the manager, which reports its shutdown
    ResourceManager manager_;
};

TEST_F(PackageTest, PackageFolderJoinsWhatIsGiven) {
    ResourceManager manager;
    EXPECT_EQ(manager.GetPackageFolder(), u"");
    manager.SetDataFolder(u"Data");
    EXPECT_EQ(manager.GetPackageFolder(), u"Data");
    manager.SetRootFolder(u"C:\\Game");
    EXPECT_EQ(manager.GetPackageFolder(), u"C:\\Game\\Data");
    manager.SetDataFolder(u"");
    EXPECT_EQ(manager.GetPackageFolder(), u"C:\\Game");
}

TEST_F(PackageTest, OpensEachPackageOnceUnderItsFoldedName) {
    WriteBallsPackage("table01.tpk");
    Package* first = manager_.OpenPackage(u"Table01", false);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Name(), u"Table01");
    EXPECT_EQ(manager_.FindPackage(u"TABLE01"), first);
    // The second open does not read the file again.
    std::filesystem::remove(DataPath("table01.tpk"));
    EXPECT_EQ(manager_.OpenPackage(u"table01.tpk", false), first);
    EXPECT_EQ(manager_.PackageCount(), 1u);
}

TEST_F(PackageTest, WithoutDataFolderThePackageLiesInTheRootFolder) {
    WriteBallsPackage("balls.tpk");
    manager_.SetDataFolder(u"");
    EXPECT_EQ(manager_.OpenPackage(u"balls", false), nullptr);
    manager_.SetRootFolder(folder_.Wide("data"));
    EXPECT_NE(manager_.OpenPackage(u"balls", false), nullptr);
}

TEST_F(PackageTest, FilesLoadLazilyByNameInAnyCase) {
    WriteBallsPackage("balls.tpk");
    Package* package = manager_.OpenPackage(u"balls", false);
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(package->LoadedFileCount(), 0u);
    ASSERT_EQ(package->IndexEntries().size(), 2u);
    EXPECT_EQ(package->IndexEntries()[0].name, u"Ball");

    ResourceFile* ball = package->GetResourceFile(u"BALL", false);
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->GetBinaryDataTable()->ItemOffsets().size(), 2u);
    EXPECT_EQ(ball->GetBinaryDataTable()->GetCount(), 0u);
    EXPECT_EQ(package->GetResourceFile(u"ball", true), ball);
    EXPECT_EQ(package->FindLoadedFile(u"Ball"), ball);
    EXPECT_EQ(package->FindLoadedFile(u"cue"), nullptr);

    // On-demand loading through the package file.
    EXPECT_EQ(resource_test::BinaryText(ball->GetBinaryDataTable()->FindShared(1)), "<none>");
    EXPECT_FALSE(ball->LoadItemShared(0));  // no texture 0 in this file
    std::unique_ptr<FileStream> stream = ball->OpenStream(FileStream::kRead);
    ASSERT_TRUE(stream);
    EXPECT_EQ(resource_test::BinaryText(ball->GetBinaryDataTable()->FindOrLoad(1, *stream)), "red");

    EXPECT_EQ(package->GetResourceFile(u"absent", true), nullptr);
    EXPECT_EQ(package->LoadedFileCount(), 1u);
}

TEST_F(PackageTest, FindOrLoadPutsTheStreamBack) {
    WriteBallsPackage("balls.tpk");
    ResourceFile* ball = manager_.OpenPackage(u"balls", false)->GetResourceFile(u"Ball", false);
    ASSERT_NE(ball, nullptr);
    std::unique_ptr<FileStream> stream = ball->OpenStream(FileStream::kRead);
    ASSERT_TRUE(stream->Seek(Stream::kFromBegin, 3));
    EXPECT_EQ(resource_test::BinaryText(ball->GetBinaryDataTable()->FindOrLoad(0, *stream)), "white");
    EXPECT_EQ(stream->Tell(), 3u);
    // A loaded item does not touch the stream at all.
    ASSERT_TRUE(stream->Seek(Stream::kFromBegin, 5));
    EXPECT_EQ(resource_test::BinaryText(ball->GetBinaryDataTable()->FindOrLoad(0, *stream)), "white");
    EXPECT_EQ(stream->Tell(), 5u);
    EXPECT_FALSE(ball->GetBinaryDataTable()->FindOrLoad(9, *stream));
}

TEST_F(PackageTest, WithoutADeviceNoFileCanBeCreated) {
    WriteBallsPackage("balls.tpk");
    manager_.SetRenderDevice(nullptr);
    Package* package = manager_.OpenPackage(u"balls", false);
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(package->GetResourceFile(u"Ball", true), nullptr);
    EXPECT_EQ(manager_.OpenPackage(u"other", true), nullptr);
}

TEST_F(PackageTest, DamagedOrMissingPackagesAreNotRegistered) {
    EXPECT_EQ(manager_.OpenPackage(u"missing", false), nullptr);

    resource_test::WriteFileBytes(DataPath("short.tpk"), {5, 0, 0, 0});  // five entries announced, none there
    EXPECT_EQ(manager_.OpenPackage(u"short", false), nullptr);
    EXPECT_EQ(manager_.PackageCount(), 0u);

    // An empty index is a valid package without files.
    resource_test::WriteFileBytes(DataPath("empty.tpk"), {0, 0, 0, 0});
    Package* empty = manager_.OpenPackage(u"empty", false);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->IndexEntries().empty());
}

TEST_F(PackageTest, DuplicateFoldedNamesInvalidateTheIndex) {
    auto upper = resource_test::MakeFile(u"BALL");
    auto lower = resource_test::MakeFile(u"ball");
    PackageWriter writer;
    ASSERT_TRUE(writer.AddFile(*upper));
    EXPECT_FALSE(writer.AddFile(*lower));  // our writer refuses them ...

    // ... so the index is written by hand: two scrambled names that fold alike.
    MemoryStream index;
    WriteU32(index, 2);
    WriteScrambledString(index, u"Ball", 16, 77);
    WriteU32(index, 44);
    WriteScrambledString(index, u"bALL", 16, 3);
    WriteU32(index, 44);
    resource_test::WriteFileBytes(DataPath("twice.tpk"), resource_test::ToBytes(index));
    EXPECT_EQ(manager_.OpenPackage(u"twice", false), nullptr);

    Package package(u"twice", &manager_);
    index.Seek(Stream::kFromBegin, 0);
    EXPECT_FALSE(package.ReadIndex(index, u"twice.tpk", false));
    ASSERT_EQ(package.IndexEntries().size(), 1u);  // as far as it was read
    EXPECT_EQ(package.FindOffset(u"BALL"), 44u);
}

TEST_F(PackageTest, ReopeningWithLoadAllKeepsLoadedFiles) {
    WriteBallsPackage("balls.tpk");
    Package* package = manager_.OpenPackage(u"balls", true);
    ASSERT_NE(package, nullptr);
    ResourceFile* ball = package->FindLoadedFile(u"Ball");
    ASSERT_NE(ball, nullptr);
    const SharedPtr<BinaryData> white = ball->GetBinaryDataTable()->FindShared(0);

    ASSERT_EQ(manager_.OpenPackage(u"balls", true), package);
    EXPECT_EQ(package->FindLoadedFile(u"Ball"), ball);
    EXPECT_EQ(ball->GetBinaryDataTable()->FindShared(0), white);
    EXPECT_EQ(ball->GetBinaryDataTable()->GetCount(), 2u);

    // A file unloaded in between is read again.
    ASSERT_TRUE(package->UnloadFile(u"cue"));
    ASSERT_EQ(manager_.OpenPackage(u"balls", true), package);
    ASSERT_NE(package->FindLoadedFile(u"Cue"), nullptr);
    EXPECT_EQ(resource_test::BinaryText(package->FindLoadedFile(u"Cue")->GetBinaryDataTable()->FindShared(0)), "maple");
}

TEST_F(PackageTest, UnloadAndCloseReportOnlyWhatWasThere) {
    WriteBallsPackage("balls.tpk");
    Package* package = manager_.OpenPackage(u"balls", false);
    EXPECT_FALSE(package->UnloadFile(u"Ball"));
    listener_.events.clear();
    EXPECT_FALSE(manager_.ClosePackage(u"never"));
    EXPECT_TRUE(listener_.events.empty());
}

TEST_F(PackageTest, EventsFollowRegistration) {
    WriteBallsPackage("balls.tpk");
    // Items read during a whole load belong to files not registered yet; the package registers last.
    Package* package = manager_.OpenPackage(u"balls", true);
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(listener_.events, (std::vector<std::string>{"package 1 balls"}));

    ASSERT_TRUE(package->UnloadFile(u"cue"));
    ResourceFile* cue = package->GetResourceFile(u"CUE", false);
    ASSERT_NE(cue, nullptr);
    EXPECT_FALSE(cue->LoadItemShared(0));
    std::unique_ptr<FileStream> stream = cue->OpenStream(FileStream::kRead);
    cue->GetBinaryDataTable()->FindOrLoad(0, *stream);
    ASSERT_TRUE(manager_.OpenPackage(u"balls", true));

    ASSERT_TRUE(manager_.ClosePackage(u"BALLS"));
    EXPECT_EQ(listener_.events, (std::vector<std::string>{"package 1 balls", "file 13 cue (gone)", "file 12 CUE",
                                                          "item 20 CUE kind 13 id 0", "package 10 balls",
                                                          "package 11 balls", "package 2 BALLS (gone)"}));
}

TEST_F(PackageTest, ShutdownReleasesEveryPackageThenTellsTheListeners) {
    WriteBallsPackage("balls.tpk");
    WriteBallsPackage("cues.tpk");
    ASSERT_TRUE(manager_.OpenPackage(u"balls", false));
    ASSERT_TRUE(manager_.OpenPackage(u"cues", false));
    listener_.events.clear();
    manager_.Shutdown();
    EXPECT_EQ(listener_.events, (std::vector<std::string>{"package 11 balls", "package 11 cues", "shutdown 0"}));
    EXPECT_EQ(manager_.PackageCount(), 0u);

    // Initialize starts from an empty manager as well.
    ASSERT_TRUE(manager_.OpenPackage(u"balls", false));
    EXPECT_TRUE(manager_.Initialize());
    EXPECT_EQ(manager_.PackageCount(), 0u);
    EXPECT_EQ(manager_.FindPackage(u"balls"), nullptr);
}

TEST_F(PackageTest, AClosedPackageLivesWhileHeldAndOutlivesItsManager) {
    WriteBallsPackage("balls.tpk");
    auto manager = std::make_unique<ResourceManager>();
    manager->SetRootFolder(folder_.Wide());
    manager->SetDataFolder(u"data");
    manager->SetRenderDevice(resource_test::TestDevice());
    auto package = quill::make_shared<Package>(u"balls", manager.get());
    ASSERT_TRUE(package->ReadIndex(folder_.Wide("data/balls.tpk"), true));
    ASSERT_TRUE(manager->RegisterPackage(package));
    manager.reset();
    // The package forgot its manager and still serves its files.
    EXPECT_EQ(package->GetManager(), nullptr);
    ResourceFile* ball = package->FindLoadedFile(u"ball");
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(resource_test::BinaryText(ball->GetBinaryDataTable()->FindShared(0)), "white");
}

TEST_F(PackageTest, LoadContextNamesWhatWasRead) {
    // A package whose second file is damaged.
    MemoryStream bytes;
    {
        auto ball = resource_test::MakeFile(u"Ball");
        auto cue = resource_test::MakeFile(u"Cue");
        resource_test::AddBinary(*cue, 0, "maple");
        bytes = resource_test::WritePackage({ball.get(), cue.get()});
    }
    const std::vector<uint8_t> whole = resource_test::ToBytes(bytes);
    const std::vector<uint8_t> damaged(whole.begin(), whole.end() - 3);
    resource_test::WriteFileBytes(DataPath("broken.tpk"), damaged);
    EXPECT_EQ(manager_.OpenPackage(u"broken", true), nullptr);
    EXPECT_EQ(manager_.GetLoadContext().packageName, u"broken");
    EXPECT_EQ(manager_.GetLoadContext().fileName, u"Cue");
    EXPECT_EQ(manager_.GetLoadContext().kind, KindIndex(ResourceKind::BinaryData));
}

TEST(ResourceFileTest, DestructionClearsBinaryDataFirstAndBonesLast) {
    static std::vector<ResourceKind> destroyed;
    struct TracedOpaque : OpaqueItem {
        using OpaqueItem::OpaqueItem;
        ~TracedOpaque() override { destroyed.push_back(Kind()); }
    };
    struct TracedBinary : BinaryData {
        ~TracedBinary() override { destroyed.push_back(ResourceKind::BinaryData); }
    };
    destroyed.clear();
    {
        ResourceFile file(u"f", nullptr, nullptr);
        file.GetBoneTable()->Insert(SharedPtr<OpaqueItem>(new TracedOpaque(ResourceKind::Bone)));
        file.GetMeshTable()->Insert(SharedPtr<OpaqueItem>(new TracedOpaque(ResourceKind::Mesh)));
        file.GetBinaryDataTable()->Insert(SharedPtr<BinaryData>(new TracedBinary));
    }
    EXPECT_EQ(destroyed, (std::vector<ResourceKind>{ResourceKind::BinaryData, ResourceKind::Mesh, ResourceKind::Bone}));
}

}  // namespace
}  // namespace quill
