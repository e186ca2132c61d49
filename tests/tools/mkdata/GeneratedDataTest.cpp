// The packages the build made in game/data: every item of the manifest is there and loads through the
// resource manager; textures, meshes and model objects are made on the recording device and every sound on
// the null audio device; and what the client opens by name and id (interface slots, sounds, table, ball
// and cue models, scenes, the word list) is present.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Camera.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/PlacedModelObject.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/SceneInfo.h"
#include "QuillLib/sound/CreateSoundDecoder.h"
#include "QuillLib/sound/SoundManager.h"
#include "platform/audio/null/NullAudioDevice.h"
#include "platform/system/CodePage.h"
#include "tests/QuillLib/resource/TestResourceDevice.h"
#include "tools/mkdata/Manifest.h"

namespace {

using platform::Utf8ToUtf16;
using quill::ResourceFile;
using quill::ResourceKind;

// Every package, loaded once for the whole suite.
class GeneratedDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        manifest_ = new mkdata::Manifest();
        ASSERT_TRUE(manifest_->Load(std::string(KV_SOURCE_DIR) + "/tools/mkdata/manifest.txt")) << manifest_->Error();
        device_ = new resource_test::TestResourceDevice();
        manager_ = new quill::ResourceManager();
        manager_->SetRootFolder(Utf8ToUtf16(std::filesystem::path(KV_DATA_FOLDER).parent_path().string()));
        manager_->SetDataFolder(u"data");
        manager_->SetRenderDevice(device_);
    }
    static void TearDownTestSuite() {
        delete manager_;
        delete device_;
        delete manifest_;
    }

    // The resource file with all its items; fails the test when it does not load.
    static ResourceFile* Load(const std::string& package, const std::string& file) {
        quill::Package* opened = manager_->OpenPackage(Utf8ToUtf16(package), false);
        if (!opened) {
            ADD_FAILURE() << package << " does not open";
            return nullptr;
        }
        ResourceFile* loaded = opened->GetResourceFile(Utf8ToUtf16(file), true);
        if (!loaded) {
            ADD_FAILURE() << package << "/" << file << " does not load";
        }
        return loaded;
    }

    static mkdata::Manifest* manifest_;
    static resource_test::TestResourceDevice* device_;
    static quill::ResourceManager* manager_;
};

mkdata::Manifest* GeneratedDataTest::manifest_ = nullptr;
resource_test::TestResourceDevice* GeneratedDataTest::device_ = nullptr;
quill::ResourceManager* GeneratedDataTest::manager_ = nullptr;

TEST_F(GeneratedDataTest, EveryManifestItemLoadsAndMakesItsDeviceObjects) {
    for (const mkdata::ManifestEntry& entry : manifest_->Entries()) {
        SCOPED_TRACE(entry.Where());
        ResourceFile* file = Load(entry.package, entry.file);
        ASSERT_NE(file, nullptr);
        ASSERT_NE(file->GetTable(quill::KindIndex(entry.kind))->FindById(entry.id), nullptr);
        switch (entry.kind) {
            case ResourceKind::Texture: {
                const auto texture = file->GetTextureTable()->FindShared(entry.id);
                EXPECT_GT(texture->GetWidth(), 0u);
                EXPECT_TRUE(texture->Acquire(false));
                EXPECT_NE(texture->GetDeviceTexture(), nullptr);
                EXPECT_TRUE(texture->Release(false));
                break;
            }
            case ResourceKind::Model: {
                const auto model = file->GetModelTable()->FindShared(entry.id);
                quill::PlacedModelObject placed(*model, quill::Transform{});
                EXPECT_TRUE(placed.AcquireTexturesRecursive(255));
                size_t meshes = placed.GetAttachment() ? 1 : 0;
                for (const auto& child : placed.Children()) {
                    ASSERT_NE(child->GetAttachment(), nullptr);
                    EXPECT_FALSE(child->GetAttachment()->parts.empty());
                    ++meshes;
                }
                EXPECT_GT(meshes, 0u);
                placed.ReleaseTexturesRecursive(255);
                break;
            }
            case ResourceKind::SceneInfo: {
                const auto scene = file->GetSceneInfoTable()->FindShared(entry.id);
                EXPECT_EQ(scene->cameras.Entries().size(), 3u);
                EXPECT_EQ(scene->directLights.Entries().size(), 2u);
                EXPECT_TRUE(scene->SelectCamera(0));
                break;
            }
            case ResourceKind::SpriteAnimation:
                EXPECT_GT(file->GetSpriteAnimationTable()->FindShared(entry.id)->length, 0.0f);
                break;
            default:
                break;
        }
    }
}

TEST_F(GeneratedDataTest, EverySoundDecodesAndLoadsOnTheNullAudioDevice) {
    quill::SoundManager sounds(nullptr, nullptr, [](std::string&) { return std::make_unique<platform::NullAudioDevice>(); });
    ASSERT_TRUE(sounds.Initialize());
    ResourceFile* file = Load("Sound", "sound");
    ASSERT_NE(file, nullptr);
    for (uint32_t id : file->GetSoundTable()->GetIds()) {
        SCOPED_TRACE("sound " + std::to_string(id));
        const auto resource = file->GetSoundTable()->FindShared(id);
        auto decoder = quill::CreateSoundDecoder(resource, true);
        ASSERT_NE(decoder, nullptr);
        const platform::WaveFormat* format = decoder->GetFormat();
        ASSERT_NE(format, nullptr);
        // At least a twentieth of a second of sound.
        EXPECT_GT(decoder->GetSize(), format->avgBytesPerSec / 20);
        const bool music = id >= 2 && id <= 5;
        EXPECT_NE(music ? sounds.LoadStreamingSound(resource, id, 1) : sounds.LoadSound(resource, id, 0, 1, true),
                  nullptr);
    }
    sounds.Shutdown();
}

// The interface textures by slot and the files the catalogue loads at start.
TEST_F(GeneratedDataTest, InterfaceSlotsAndStartFilesArePresent) {
    const struct {
        const char* file;
        uint32_t item;
    } slots[] = {{"Common", 0}, {"Login", 0},    {"Lobby", 0},    {"Lobby", 1},   {"Lobby", 2},   {"Lobby", 3},
                 {"Lobby", 4},  {"Popup", 1},    {"Popup", 0},    {"Popup", 2},   {"Game", 0},    {"Game", 1},
                 {"Game", 2},   {"Common", 1},   {"Practice", 0}, {"Popup", 4},   {"Tut", 0},     {"Tut", 1},
                 {"Popup", 3},  {"Gallery", 0},  {"Shop", 5},     {"Shop", 6},    {"Shop", 0},    {"Shop", 1},
                 {"Shop", 2},   {"Shop", 3},     {"Shop", 4},     {"Replay", 0}};
    for (const char* package : {"UIEn", "UIEng"}) {
        for (const auto& slot : slots) {
            ResourceFile* file = Load(package, slot.file);
            ASSERT_NE(file, nullptr);
            EXPECT_NE(file->GetTextureTable()->FindShared(slot.item), nullptr) << package << "/" << slot.file;
        }
    }
    ResourceFile* aniTex = Load("Effect", "AniTex");
    ResourceFile* gameAni = Load("Effect", "GameAni");
    ASSERT_TRUE(aniTex && gameAni);
    EXPECT_NE(aniTex->GetTextureTable()->FindShared(0), nullptr);
    for (uint32_t banner = 0; banner < 6; ++banner) {
        EXPECT_NE(gameAni->GetSpriteAnimationTable()->FindShared(banner), nullptr) << banner;
    }
}

TEST_F(GeneratedDataTest, SoundsTheGamePlaysByIdArePresent) {
    ResourceFile* file = Load("Sound", "sound");
    ASSERT_NE(file, nullptr);
    // Registered at start, loaded by the rooms, streamed as music, played by the table and the referee.
    std::vector<uint32_t> ids{18, 17, 35, 33, 19, 30, 29, 31, 32, 23, 6,  25, 22, 9,  10, 12, 15, 11, 16, 13, 14,
                              24, 26, 27, 28, 20, 21, 34, 1,  0,  39, 40, 41, 2,  3,  4,  5};
    for (uint32_t voice = 42; voice <= 102; ++voice) {
        if (voice != 69 && voice != 79) {
            ids.push_back(voice);
        }
    }
    for (uint32_t id : ids) {
        EXPECT_NE(file->GetSoundTable()->FindShared(id), nullptr) << "sound " << id;
    }
}

// Every table item's model file, with the cloth and wood its values pick.
TEST_F(GeneratedDataTest, TableItemsFindTheirModelClothAndWood) {
    const struct {
        const char* model;
        uint32_t skin, cloth;
    } tables[] = {{"caromtable", 0, 3},   {"caromtable", 0, 1},   {"pockettable", 1, 5},   {"pockettable", 1, 0},
                  {"pockettable", 1, 6},  {"caromtable", 2, 3},   {"caromtable", 2, 1},    {"caromtable", 3, 1},
                  {"caromtableL", 7, 4},  {"caromtable", 2, 0},   {"caromtable", 3, 0},    {"caromtable", 2, 2},
                  {"pockettable", 9, 5},  {"pockettable", 9, 0},  {"pockettable", 9, 6},   {"snookertable", 11, 0},
                  {"caromtable", 5, 9},   {"caromtable", 4, 11},  {"caromtableL", 8, 10},  {"caromtable", 5, 14},
                  {"caromtable", 5, 8},   {"caromtable", 4, 12},  {"pockettable", 10, 13}, {"pockettable", 10, 14}};
    for (const auto& table : tables) {
        ResourceFile* file = Load("Tables", table.model);
        ASSERT_NE(file, nullptr);
        EXPECT_NE(file->GetModelTable()->FindShared(0), nullptr) << table.model;
        EXPECT_NE(file->GetTextureTable()->FindShared(table.cloth), nullptr) << table.model;
        EXPECT_NE(file->GetTextureTable()->FindShared(15 + table.skin), nullptr) << table.model;
        // A cloth's colour, never a grey that shows as a flat face with no cloth to it.
        for (const mkdata::ManifestEntry& entry : manifest_->Entries()) {
            if (entry.file != table.model || entry.kind != ResourceKind::Texture || entry.id != table.cloth)
                continue;
            const mkdata::Argb colour = entry.Colour("colour", 0).value_or(0);
            const int r = colour >> 16 & 0xFF, g = colour >> 8 & 0xFF, b = colour & 0xFF;
            EXPECT_GT(std::max({r, g, b}) - std::min({r, g, b}), 40) << table.model << " cloth " << table.cloth;
        }
    }
    for (const char* file : {"caromcloth", "detail", "tableenv"}) {
        EXPECT_NE(Load("Tables", file), nullptr);
    }
}

// Ball sets 2000 to 2008 and the special sets: the model of the set's radius and a face per ball.
TEST_F(GeneratedDataTest, BallSetModelsHaveTheRadiusOfTheirSet) {
    const struct {
        const char* model;
        uint32_t set, faces;
    } sets[] = {{"ballc0", 0, 4},    {"ballc0", 1, 4},    {"ballp0", 2, 16},    {"ballc0", 3, 4},
                {"ballc0", 4, 3},    {"ball60", 4, 6},    {"ballp0", 5, 16},    {"balls0", 6, 8},
                {"ball60", 3, 6},    {"ballc2100", 3, 4}, {"ballc2101", 4, 3},  {"ballc2103", 3, 4},
                {"ballc2104", 3, 4}, {"ballc2105", 4, 3}, {"ballc2106", 4, 3},  {"ballp2200", 5, 16}};
    for (const auto& set : sets) {
        SCOPED_TRACE(std::string(set.model) + " set " + std::to_string(set.set));
        ResourceFile* file = Load("BillObject", set.model);
        ASSERT_NE(file, nullptr);
        const auto model = file->GetModelTable()->FindShared(set.set);
        ASSERT_NE(model, nullptr);
        quill::PlacedModelObject ball(*model, quill::Transform{});
        ASSERT_NE(ball.GetAttachment(), nullptr);
        EXPECT_NEAR(ball.GetAttachment()->bound.radius, quill::GetBallRadius(set.set), 1e-3f);
        EXPECT_GE(file->GetTextureTable()->GetCount(), set.faces);
    }
}

TEST_F(GeneratedDataTest, CuesTuningPartsAndTableHelpersArePresent) {
    const struct {
        const char* package;
        const char* file;
        ResourceKind kind;
        uint32_t count;
    } expected[] = {{"Cues", "cue0", ResourceKind::Model, 7},        {"Cues", "cueetc", ResourceKind::Model, 1},
                    {"Cues", "TunningCue", ResourceKind::Model, 1},  {"Cues", "TuneShaft", ResourceKind::Texture, 8},
                    {"Cues", "TuneButt", ResourceKind::Texture, 36}, {"Cues", "TuneJoint", ResourceKind::Texture, 8},
                    {"Cues", "TuneBumper", ResourceKind::Texture, 8}, {"Cues", "TuneTip", ResourceKind::Texture, 8},
                    {"BillObject", "reflection", ResourceKind::Texture, 2},
                    {"BillObject", "shadow", ResourceKind::Model, 1}, {"BillObject", "cuetarget", ResourceKind::Model, 1},
                    {"BillObject", "crown", ResourceKind::Model, 1},  {"BillObject", "item0", ResourceKind::Model, 1},
                    {"BillObject", "item1", ResourceKind::Model, 15}, {"BillObject", "item2", ResourceKind::Model, 10},
                    {"Balls", "ball", ResourceKind::Model, 1}};
    for (const auto& item : expected) {
        ResourceFile* file = Load(item.package, item.file);
        ASSERT_NE(file, nullptr);
        EXPECT_GE(file->GetTable(quill::KindIndex(item.kind))->GetCount(), item.count) << item.package << "/" << item.file;
    }
    // The tuned cue has one node per part slot.
    const auto tuned = Load("Cues", "TunningCue")->GetModelTable()->FindShared(0);
    EXPECT_EQ(tuned->Children().size(), 5u);
}

TEST_F(GeneratedDataTest, ScenesOfTheScreensArePresent) {
    for (const auto& [package, file] : std::map<std::string, std::string>{
             {"data", "Map0000"}, {"Map0000", "Map0000"}, {"Map0002", "Map0002"}}) {
        ResourceFile* loaded = Load(package, file);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->GetSceneInfoTable()->GetCount(), 1u) << package;
    }
    ResourceFile* room = Load("data", "Map0002");
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->GetSceneInfoTable()->GetCount(), 1u);
}

// The table screens copy a scene camera into their table cameras, which start at yaw pi and aim along their view
// turned by 180 degrees from their yaw: at yaw pi a camera looks from the head end down the table (+x), where the
// rack stands, and at yaw pi/2 across the table toward -y.
TEST_F(GeneratedDataTest, SceneCamerasAtYawPiLookDownTheTableTowardTheRack) {
    ResourceFile* map = Load("data", "Map0000");
    ASSERT_NE(map, nullptr);
    const auto scene = map->GetSceneInfoTable()->FindShared(0);
    ASSERT_TRUE(scene);
    for (int32_t id = 0; id < 3; ++id) {
        ASSERT_TRUE(scene->SelectCamera(id)) << id;
        quill::Camera camera(*scene->GetCurrentCamera());
        camera.SetMinPitch(0.1f);
        camera.SetMaxPitch(1.5f);
        camera.SetPitch(0.5f, false);
        camera.SetYaw(quill::kPi);
        quill::Vec3 view = camera.Target() - camera.Eye();
        EXPECT_GT(view.x, 0.0f) << "camera " << id;
        EXPECT_NEAR(view.y / view.x, 0.0f, 1e-3f) << "camera " << id;
        camera.SetYaw(quill::kHalfPi);
        view = camera.Target() - camera.Eye();
        EXPECT_LT(view.y, 0.0f) << "camera " << id;
        EXPECT_NEAR(view.x / view.y, 0.0f, 1e-3f) << "camera " << id;
    }
}

// The filtered words in the system code page, one per line.
TEST_F(GeneratedDataTest, FilteredWordsAreStoredInTheCodePage) {
    ResourceFile* file = Load("Lang", "Lang");
    ASSERT_NE(file, nullptr);
    const auto words = file->GetBinaryDataTable()->FindShared(0);
    ASSERT_NE(words, nullptr);
    const std::string bytes(reinterpret_cast<const char*>(words->Data().Data()), words->Data().Size());
    const std::string fool = platform::ToCodePage(u"바보");
    EXPECT_NE(bytes.find("idiot\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(fool + "\r\n"), std::string::npos);
    EXPECT_EQ(fool.size(), 4u);  // two double-byte characters
    EXPECT_EQ(bytes.find('#'), std::string::npos);
}

TEST_F(GeneratedDataTest, PackagesTotalUnderFiftyMegabytes) {
    uint64_t total = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KV_DATA_FOLDER)) {
        if (entry.path().extension() == ".tpk") {
            total += entry.file_size();
        }
    }
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, 50u << 20);
}

}  // namespace
