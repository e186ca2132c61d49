// The table's models from the default data on the recording device: one model per ball in its own face (with
// snooker's shared red), the markers and the environment, the cue built when it is first shown (stock and
// tuned), the chalk effects from the player's chalk, nothing left in the static batches once the table lets
// its models go; and the item previews' models of every kind.
#include <gtest/gtest.h>

#include <filesystem>

#include "QuillLib/render/StaticBatcher.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"
#include "QuillLib/resource/Texture.h"
#include "client/table/CueModelEntry.h"
#include "client/table/ItemPreviewModel.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableChalkBursts.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableModelObject.h"
#include "client/table/TableModels.h"
#include "client/table/TableRenderStep.h"
#include "platform/system/FpuMode.h"
#include "tests/support/common/LogCapture.h"
#include "tests/support/common/TempDirectory.h"
#include "tests/support/gfx/TableStage.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;

class TableModelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetThreadFpuMode();
        ASSERT_TRUE(stage.Ready()) << stage.Error();
    }

    // The id of the base texture a ball model wears.
    uint32_t FaceOf(uint32_t ball) {
        auto* model = dynamic_cast<TableModelObject*>(stage.table->Models().BallModel(ball));
        EXPECT_NE(model, nullptr);
        if (model == nullptr) {
            return quill::kNone;
        }
        const quill::Mesh* mesh = model->Object().GetAttachment();
        return mesh->parts.front()->material->GetSlotTexture(0)->id;
    }

    size_t Batches() const { return stage.device->GetStaticGeometryBatcher()->Batches().size(); }

    kvtest::TestEngineFactory factory{true};
    kvtest::TableStage stage{factory, KV_DATA_FOLDER, 1024, 768};
};

TEST_F(TableModelsTest, EveryBallWearsItsFace) {
    ASSERT_TRUE(stage.MakeTable(type::kEightBall)) << stage.Error();
    for (uint32_t ball = 0; ball < 16; ++ball) {
        EXPECT_EQ(FaceOf(ball), ball);
    }
    EXPECT_EQ(stage.table->Models().BallModel(16), nullptr);
    EXPECT_TRUE(stage.table->Models().Environment().IsLoaded());
    EXPECT_NE(stage.table->ChalkBursts().SelectChalkBurst(4901), nullptr) << "the player's chalk gives the bursts";

    ASSERT_TRUE(stage.MakeTable(type::kSnooker)) << stage.Error();
    EXPECT_EQ(FaceOf(0), 0u);
    EXPECT_EQ(FaceOf(1), 1u);
    EXPECT_EQ(FaceOf(15), 1u) << "every red wears the first red's face";
    EXPECT_EQ(FaceOf(16), 2u);
    EXPECT_EQ(FaceOf(21), 7u);
}

TEST_F(TableModelsTest, CuesAreBuiltWhenFirstShown) {
    ASSERT_TRUE(stage.MakeTable(type::kThreeCushion)) << stage.Error();
    CueModelEntry* stock = stage.table->RenderStep().CurrentCue();
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->Model(), nullptr);
    stage.table->RenderStep().Render3D(false);
    EXPECT_NE(stock->Model(), nullptr);

    // A tuned cue of five parts; each slot wears its part's texture from the part's file.
    CueModelEntry* tuned = stage.table->CueModels().GetCueModel(3100, 4, 20, 3, 3, 1);
    stage.table->RenderStep().SetCurrentCue(tuned);
    stage.table->RenderStep().Render3D(false);
    auto* model = dynamic_cast<TableModelObject*>(tuned->Model());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Object().Children().size(), 5u);

    // An unknown stock cue has no model and shows none.
    CueModelEntry* unknown = stage.table->CueModels().GetCueModel(3999, 0xFFFF, 0, 0, 0, 0);
    EXPECT_FALSE(stage.table->Models().LoadCueModel(*unknown));
    EXPECT_EQ(unknown->Model(), nullptr);
}

TEST_F(TableModelsTest, ModelsLeaveTheStaticBatchesWithTheTable) {
    ASSERT_TRUE(stage.MakeTable(type::kThreeCushion)) << stage.Error();
    EXPECT_TRUE(stage.DrawFrame());
    EXPECT_GT(Batches(), 0u);
    stage.table->Models().UnloadModels();
    EXPECT_EQ(Batches(), 0u);
    EXPECT_EQ(stage.table->Models().BallModel(0), nullptr);
    EXPECT_TRUE(stage.DrawFrame()) << "an unloaded table still draws (its HUD)";
}

TEST_F(TableModelsTest, WithoutChalkNoEffectAndWithoutObjectsNoTable) {
    ASSERT_TRUE(stage.MakeTable(type::kThreeCushion));
    EXPECT_NE(stage.table->Ambient().GetAmbientEffect(), nullptr);
    stage.player.chalkId = 0;
    stage.table->Models().RebuildAmbientEffect(false);
    EXPECT_EQ(stage.table->Ambient().GetAmbientEffect(), nullptr);

    GameTable bare;
    bare.Services().itemModels = &stage.catalogue;
    stage.resources->SetDataFolder(u"no such folder");
    stage.resources->Shutdown();
    EXPECT_FALSE(bare.Models().LoadModels(*stage.resources, *stage.device, 0));
}

// Missing packages are said: a table without "Tables" and "Cues" plays on and logs it, and one without "Balls"
// fails its load naming "Balls" (not what it loaded after).
TEST_F(TableModelsTest, MissingPackagesAreLoggedAndTheFailureNamesTheRightOne) {
    kvtest::TempDirectory partial;
    for (const auto& entry : std::filesystem::directory_iterator(KV_DATA_FOLDER)) {
        const std::string name = entry.path().filename().string();
        if (name != "Balls.tpk" && name != "Tables.tpk" && name != "Cues.tpk") {
            std::filesystem::create_symlink(entry.path(), partial.Path() / name);
        }
    }
    quill::test::LogCapture log;
    stage.resources->Shutdown();
    stage.resources->SetRootFolder(u"");
    stage.resources->SetDataFolder(partial.Wide());
    GameTable table;
    table.Services().itemModels = &stage.catalogue;
    EXPECT_FALSE(table.Models().LoadModels(*stage.resources, *stage.device, 0));
    EXPECT_EQ(stage.resources->GetLoadContext().packageName, u"Balls");
    EXPECT_TRUE(log.Contains("WARNING: data package Tables is missing or damaged; the table shows without it\n"));
    EXPECT_TRUE(log.Contains("WARNING: data package Cues is missing or damaged; the table shows without it\n"));
    table.Models().UnloadModels();
}

TEST_F(TableModelsTest, PreviewsBuildEveryKindOfItem) {
    ItemPreviewModel preview(*stage.resources, [] { return 16000; });
    const auto build = [&](uint32_t itemId) {
        preview.SetRecord(stage.catalogue.FindById(itemId));
        return preview.BuildModel(*stage.device);
    };
    ASSERT_TRUE(build(3005));
    ASSERT_EQ(preview.Models().size(), 1u);
    EXPECT_EQ(preview.Level(), 1);
    ASSERT_TRUE(build(3100));  // tuned: one node per part
    ASSERT_EQ(preview.Models().size(), 1u);
    EXPECT_EQ(preview.Models()[0]->Object().Children().size(), 5u);
    ASSERT_TRUE(build(1020));
    EXPECT_EQ(preview.Level(), 3);
    preview.SetLevelOffset(-5);
    ASSERT_TRUE(build(4901));
    EXPECT_EQ(preview.Models().size(), 1u);
    EXPECT_EQ(preview.Level(), 0) << "never below 0";

    // A snooker set: 22 balls racked apart from each other, the reds in one face.
    ASSERT_TRUE(build(2007));
    ASSERT_EQ(preview.Models().size(), 22u);
    for (size_t a = 0; a < 22; ++a) {
        for (size_t b = a + 1; b < 22; ++b) {
            const quill::Vec3 d = preview.Models()[a]->Object().placement.position - preview.Models()[b]->Object().placement.position;
            EXPECT_GT(d.Length(), 2.0f * quill::GetBallRadius(6)) << a << " and " << b << " overlap";
        }
    }
    const auto face = [&](size_t ball) {
        return preview.Models()[ball]->Object().GetAttachment()->parts.front()->material->GetSlotTexture(0)->id;
    };
    EXPECT_EQ(face(9), 1u);
    EXPECT_EQ(face(21), 7u);

    // Nothing to show builds nothing; a record built once is not built again until it is set again.
    preview.SetRecord(nullptr);
    EXPECT_TRUE(preview.BuildModel(*stage.device));

    quill::ResourceManager empty;
    empty.SetRootFolder(u"/nonexistent");
    ItemPreviewModel lost(empty);
    lost.SetRecord(stage.catalogue.FindById(3005));
    EXPECT_FALSE(lost.BuildModel(*stage.device)) << "without BillObject's reflection and shadow";
}

}  // namespace
}  // namespace kestrovan
