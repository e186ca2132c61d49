#include <gtest/gtest.h>

#include "GraphicsItems.h"
#include "QuillLib/resource/IdHeaderExport.h"
#include "ResourceTestSupport.h"
#include "tests/support/common/TempDirectory.h"

namespace quill {
namespace {

class SceneInfoTest : public ::testing::Test {
protected:
    void SetUp() override { resource_test::AddGraphicsItems(*file_); }

    SceneInfo& Loaded() { return *file_->FindSceneInfo(0); }

    std::unique_ptr<ResourceFile> file_ = resource_test::MakeFile(u"scene");
};

TEST_F(SceneInfoTest, ACopyOwnsItsEntriesAndLeavesTheLoadedItemAlone) {
    Loaded().id = 4;
    std::unique_ptr<SceneInfo> copy(Loaded().Clone());
    EXPECT_EQ(copy->id, NamedObject::kNoId);
    EXPECT_EQ(copy->cameras.Entries().size(), 2u);
    EXPECT_NE(copy->cameras.Find(1), Loaded().cameras.Find(1));
    EXPECT_EQ(copy->currentCamera, 0);
    const ModelObjectEntry& entry = *copy->models.Find(0);
    EXPECT_EQ(entry.model, Loaded().models.Find(0)->model);
    EXPECT_NE(entry.instance.get(), Loaded().models.Find(0)->instance.get());
    EXPECT_EQ(entry.players.size(), 1u);
    EXPECT_NE(copy->sprites.Find(0)->instance->mesh, Loaded().sprites.Find(0)->instance->mesh);

    copy->models.Find(0)->SetVisible(0);
    copy->sprites.Find(0)->SetVisible(0);
    EXPECT_EQ(copy->models.Find(0)->instance->GetAttachment()->IsVisible(), 0);
    EXPECT_EQ(Loaded().models.Find(0)->instance->GetAttachment()->IsVisible(), 1);
    EXPECT_EQ(Loaded().sprites.Find(0)->instance->mesh->IsVisible(), 1);
}

TEST_F(SceneInfoTest, CamerasAreSelectedByIdAndFollowTheAspectRatio) {
    SceneInfo& scene = Loaded();
    scene.cameras.Find(0)->dirty = 0;
    EXPECT_TRUE(scene.SelectCamera(0));
    EXPECT_EQ(scene.cameras.Find(0)->dirty, 0) << "already current: not marked";
    EXPECT_FALSE(scene.SelectCamera(9));
    EXPECT_EQ(scene.currentCamera, 0);
    EXPECT_TRUE(scene.SelectCamera(1));
    EXPECT_EQ(scene.cameras.Find(1)->dirty, 1);
    EXPECT_EQ(scene.GetCurrentCamera(), scene.cameras.Find(1));

    scene.SetAspectRatio(0.75f);
    EXPECT_EQ(scene.cameras.Find(1)->GetProjection().aspectRatio, 0.75f);
    scene.SetAspectRatio(1.333f);
    EXPECT_EQ(scene.cameras.Find(0)->GetProjection().aspectRatio, 1.333f);
    EXPECT_EQ(scene.cameras.Find(1)->GetProjection().aspectRatio, 1.333f);
}

TEST_F(SceneInfoTest, TheHeaderListsEachNonEmptyCollection) {
    SceneInfo& scene = Loaded();
    scene.name = u"Room 1";
    scene.cameras.Find(0)->name = u"top-view";
    scene.models.Find(0)->name = u"table";
    scene.properties[3] = u"cloth colour";
    kvtest::TempDirectory folder;
    const std::string path = (folder.Path() / "ids.h").string();
    std::FILE* header = std::fopen(path.c_str(), "wb");
    ASSERT_NE(header, nullptr);
    ASSERT_TRUE(file_->GetSceneInfoTable()->WriteIdHeader(header));
    std::fclose(header);
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\tnamespace Room 1\n\t{\n\n\t\tenum CAMERA_ID\n\t\t{\n\t\t\tCAM_top_view = 0,\n"), std::string::npos);
    EXPECT_NE(text.find("\t\tenum MODEL_OBJECT_ID\n\t\t{\n\t\t\tMDL_OBJ_table = 0,\n\t\t};\n\n"), std::string::npos);
    EXPECT_NE(text.find("\t\t\tPROP_cloth_colour = 3,\n"), std::string::npos);
    EXPECT_NE(text.find("\t} // Room 1\n\n"), std::string::npos);
}

}  // namespace
}  // namespace quill
