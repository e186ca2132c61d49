#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::BinaryText;

// A manager whose packages live in <temp>/data (the program asks for "Data").
class PackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        manager_.SetRootFolder(folder_.Wide());
        manager_.SetDataFolder(u"Data");
        manager_.AddListener(&listener_);
    }

    // Writes a package of two files, "Ball" (ids 0, 1 and 5) and "Cue" (id 0), as data/<name>.
    void WriteBallsPackage(const std::string& name) {
        auto ball = resource_test::MakeFile(u"Ball");
        resource_test::AddBinary(*ball, 0, "white");
        resource_test::AddBinary(*ball, 1, "red");
        resource_test::AddBinary(*ball, 5, "blue");
        auto cue = resource_test::MakeFile(u"Cue");
        resource_test::AddBinary(*cue, 0, "maple");
        MemoryStream bytes = resource_test::WritePackage({ball.get(), cue.get()});
        resource_test::WriteFileBytes(DataPath(name), resource_test::ToBytes(bytes));
    }

    std::filesystem::path DataPath(const std::string& name) const { return folder_.Path() / "data" / name; }

    kvtest::TempDirectory folder_;
    resource_test::RecordingListener listener_;  // outlives the manager, which reports its shutdown
    ResourceManager manager_;
};

TEST_F(PackageTest, PackageFolderJoinsWhatIsGiven) {
    ResourceManager manager;
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
    EXPECT_EQ(manager_.FindPackage(u"TABLE01"), first);
    // The second open does not read the file again.
    std::filesystem::remove(DataPath("table01.tpk"));
    EXPECT_EQ(manager_.OpenPackage(u"table01.tpk", false), first);
    EXPECT_EQ(manager_.PackageCount(), 1u);
}

TEST_F(PackageTest, FilesAndItemsLoadLazilyByNameInAnyCase) {
    WriteBallsPackage("balls.tpk");
    Package* package = manager_.OpenPackage(u"balls", false);
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(package->LoadedFileCount(), 0u);
    ResourceFile* ball = package->GetResourceFile(u"BALL", false);
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(package->GetResourceFile(u"ball", true), ball);
    EXPECT_EQ(package->GetResourceFile(u"absent", true), nullptr);
    EXPECT_EQ(package->LoadedFileCount(), 1u);
    EXPECT_EQ(manager_.GetLoadContext().fileName, u"absent");  // what a loading-error message names

    // Items load on demand from their entries and put the stream back where it was.
    BinaryDataTable& table = *ball->GetBinaryDataTable();
    EXPECT_EQ(table.GetCount(), 0u);
    std::unique_ptr<FileStream> stream = ball->OpenStream(FileStream::kRead);
    ASSERT_TRUE(stream->Seek(Stream::kFromBegin, 3));
    EXPECT_EQ(BinaryText(table.FindOrLoad(1, *stream)), "red");
    EXPECT_EQ(stream->Tell(), 3u);
    EXPECT_FALSE(table.FindOrLoad(2, *stream));  // entry 2 carries id 5: not loadable on its own
    EXPECT_FALSE(table.FindOrLoad(3, *stream));  // no such entry
    // Clearing keeps the entry positions for loading again.
    table.Clear();
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_EQ(BinaryText(table.FindOrLoad(0, *stream)), "white");
}

TEST_F(PackageTest, DamagedOrMissingPackagesFailCleanly) {
    EXPECT_EQ(manager_.OpenPackage(u"missing", false), nullptr);
    resource_test::WriteFileBytes(DataPath("short.tpk"), {5, 0, 0, 0});  // five entries announced, none there
    EXPECT_EQ(manager_.OpenPackage(u"short", false), nullptr);

    // A whole load of a package whose second file is cut short fails, naming what it was reading.
    auto ball = resource_test::MakeFile(u"Ball");
    auto cue = resource_test::MakeFile(u"Cue");
    resource_test::AddBinary(*cue, 0, "maple");
    MemoryStream bytes = resource_test::WritePackage({ball.get(), cue.get()});
    const std::vector<uint8_t> whole = resource_test::ToBytes(bytes);
    resource_test::WriteFileBytes(DataPath("broken.tpk"), {whole.begin(), whole.end() - 3});
    EXPECT_EQ(manager_.OpenPackage(u"broken", true), nullptr);
    EXPECT_EQ(manager_.GetLoadContext().packageName, u"broken");
    EXPECT_EQ(manager_.GetLoadContext().fileName, u"Cue");
    EXPECT_EQ(manager_.GetLoadContext().kind, KindIndex(ResourceKind::BinaryData));
    EXPECT_EQ(manager_.PackageCount(), 0u);

    // An empty index is a valid package without files.
    resource_test::WriteFileBytes(DataPath("empty.tpk"), {0, 0, 0, 0});
    ASSERT_NE(manager_.OpenPackage(u"empty", false), nullptr);

    // A FIFO under a package's name (nobody writes into it) is refused at once instead of blocking the open.
    ASSERT_EQ(mkfifo(DataPath("fifo.tpk").c_str(), 0600), 0);
    EXPECT_EQ(manager_.OpenPackage(u"fifo", true), nullptr);
    std::filesystem::create_directory(DataPath("folder.tpk"));
    EXPECT_EQ(manager_.OpenPackage(u"folder", false), nullptr);
}

TEST_F(PackageTest, DuplicateFoldedNamesInvalidateTheIndex) {
    auto upper = resource_test::MakeFile(u"BALL");
    auto lower = resource_test::MakeFile(u"ball");
    PackageWriter writer;
    ASSERT_TRUE(writer.AddFile(*upper));
    EXPECT_FALSE(writer.AddFile(*lower));  // our writer refuses them ...

    // ... so the index is written by hand: two names scrambled with different keys that fold alike.
    MemoryStream index;
    WriteU32(index, 2);
    WriteScrambledString(index, u"Ball", 16, 77);
    WriteU32(index, 44);
    WriteScrambledString(index, u"bALL", 16, 3);
    WriteU32(index, 44);
    Package package(u"twice", &manager_);
    index.Seek(Stream::kFromBegin, 0);
    EXPECT_FALSE(package.ReadIndex(index, u"twice.tpk", false));
    ASSERT_EQ(package.IndexEntries().size(), 1u);  // as far as it was read
    EXPECT_EQ(package.IndexEntries()[0].name, u"Ball");
    EXPECT_EQ(package.FindOffset(u"BALL"), 44u);
}

TEST_F(PackageTest, ReopeningWithLoadAllKeepsLoadedFilesAndEventsFollowRegistration) {
    WriteBallsPackage("balls.tpk");
    // Items read during a whole load belong to files not registered yet; the package registers last.
    Package* package = manager_.OpenPackage(u"balls", true);
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(listener_.events, (std::vector<std::string>{"package 1 balls"}));
    ResourceFile* ball = package->FindLoadedFile(u"Ball");
    ASSERT_NE(ball, nullptr);
    const SharedPtr<BinaryData> white = ball->GetBinaryDataTable()->FindShared(0);
    ASSERT_TRUE(package->UnloadFile(u"cue"));
    EXPECT_FALSE(package->UnloadFile(u"cue"));

    // A loaded file stays as it is, an unloaded one is read again.
    ASSERT_EQ(manager_.OpenPackage(u"balls", true), package);
    EXPECT_EQ(package->FindLoadedFile(u"Ball"), ball);
    EXPECT_EQ(ball->GetBinaryDataTable()->FindShared(0), white);
    ResourceFile* cue = package->FindLoadedFile(u"Cue");
    ASSERT_NE(cue, nullptr);
    EXPECT_EQ(BinaryText(cue->GetBinaryDataTable()->FindShared(0)), "maple");

    EXPECT_FALSE(manager_.ClosePackage(u"never"));
    ASSERT_TRUE(manager_.ClosePackage(u"BALLS"));
    EXPECT_EQ(listener_.events,
              (std::vector<std::string>{"package 1 balls", "file 13 cue (gone)", "file 12 Cue", "package 10 balls",
                                        "package 11 balls", "package 2 BALLS (gone)"}));
}

TEST_F(PackageTest, ShutdownReleasesEveryPackageThenTellsTheListeners) {
    WriteBallsPackage("balls.tpk");
    WriteBallsPackage("cues.tpk");
    ASSERT_TRUE(manager_.OpenPackage(u"cues", false));
    ASSERT_TRUE(manager_.OpenPackage(u"balls", false));
    listener_.events.clear();
    manager_.Shutdown();
    EXPECT_EQ(listener_.events, (std::vector<std::string>{"package 11 balls", "package 11 cues", "shutdown 0"}));
    EXPECT_EQ(manager_.PackageCount(), 0u);
}

TEST_F(PackageTest, AHeldPackageOutlivesItsManager) {
    WriteBallsPackage("balls.tpk");
    auto manager = std::make_unique<ResourceManager>();
    auto package = quill::make_shared<Package>(u"balls", manager.get());
    ASSERT_TRUE(package->ReadIndex(folder_.Wide("data/balls.tpk"), true));
    ASSERT_TRUE(manager->RegisterPackage(package));
    manager.reset();
    // The package forgot its manager and still serves its files.
    EXPECT_EQ(package->GetManager(), nullptr);
    ResourceFile* ball = package->FindLoadedFile(u"ball");
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(BinaryText(ball->GetBinaryDataTable()->FindShared(0)), "white");
}

TEST(ResourceFileTest, DestructionClearsTheTablesInReverseKindOrder) {
    static std::vector<ResourceKind> destroyed;
    // An item of the kind that notes its destruction.
    struct TracedSkeleton : Skeleton {
        ~TracedSkeleton() override { destroyed.push_back(ResourceKind::Bone); }
    };
    struct TracedMesh : Mesh {
        ~TracedMesh() override { destroyed.push_back(ResourceKind::Mesh); }
    };
    struct TracedScene : SceneInfo {
        TracedScene() : SceneInfo(u"", {}) {}
        ~TracedScene() override { destroyed.push_back(ResourceKind::SceneInfo); }
    };
    destroyed.clear();
    {
        ResourceFile file(u"f", nullptr, nullptr);
        file.GetBoneTable()->Insert(SharedPtr<Skeleton>(new TracedSkeleton));
        file.GetSceneInfoTable()->Insert(SharedPtr<SceneInfo>(new TracedScene));
        file.GetMeshTable()->Insert(SharedPtr<Mesh>(new TracedMesh));
    }
    EXPECT_EQ(destroyed, (std::vector<ResourceKind>{ResourceKind::SceneInfo, ResourceKind::Mesh, ResourceKind::Bone}));
}

}  // namespace
}  // namespace quill
