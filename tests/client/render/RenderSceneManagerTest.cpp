// The render-scene manager inside the engine, on the recording device: scenes registered, selected and removed
// with the current one kept, one frame's device calls and counters, the frame history, the tag queries,
// taking placed models out, and the statistics overlay.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/gfx/CurrentSceneView.h"
#include "tests/support/gfx/TestEngineFactory.h"
#include "tests/support/gfx/SceneModels.h"

namespace kestrovan {
namespace {

using quill::SharedPtr;
using namespace kvtest;

class RecordingListener : public quill::SceneListener {
public:
    void OnSceneChanged(uint32_t code, uint16_t sceneIndex, const void* value) override {
        changes.emplace_back(code, sceneIndex);
        if (code == quill::RenderScene::kModelObjectRemoved) removedIds.push_back(*static_cast<const uint32_t*>(value));
    }
    void OnScenesCleared() override { ++cleared; }

    std::vector<std::pair<uint32_t, uint16_t>> changes;
    std::vector<uint32_t> removedIds;
    int cleared = 0;
};

class RenderSceneManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(engine->Initialize());
        manager = engine->GetRenderSceneManager();
        device = static_cast<Graphics&>(*engine->GetGraphics()).GetDevice();
        manager->AddListener(&listener);
    }

    // A description with a textured quad placed at x = 5, one light and a camera looking at it.
    SharedPtr<quill::SceneInfo> QuadScene() {
        auto info = quill::make_shared<quill::SceneInfo>(u"quad", std::array<float, 4>{0.3f, 0.3f, 0.3f, 1.0f});
        texture = MakeSolidTexture(device, 4, 4, 0xFF00A000);
        Place(*info, MakeFrame(MakeQuadMesh(MakeMaterial(0x1, 1, 0, 1, {{0, texture}}))), quill::Vec3{5, 0, 0});
        AddLight(*info, quill::Vec3{0, -1, 1});
        LookAt(*info, quill::Vec3{5, 0, -50}, quill::Vec3{5, 0, 0}, 0.75f);
        return info;
    }

    void DrawFrame() {
        CurrentSceneView view(*manager);
        ASSERT_TRUE(device->BeginFrame());
        ASSERT_TRUE(device->BeginScene());
        device->RenderScene(view, 0);
        device->EndScene();
    }

    RecordingListener listener;  // outlives the engine, which tells it of the last shutdown
    TestEngineFactory factory{true};
    std::unique_ptr<quill::Engine> engine = factory.CreateEngine();
    quill::RenderSceneManager* manager = nullptr;
    D3D9RenderDevice* device = nullptr;
    SharedPtr<quill::Texture> texture;
};

TEST_F(RenderSceneManagerTest, SelectionAndRemovalKeepTheCurrentSceneCurrent) {
    std::vector<quill::RenderScene*> scenes;
    for (const char16_t* name : {u"a", u"b", u"c"}) scenes.push_back(manager->CreateBlankScene(name));
    EXPECT_EQ(scenes[2]->index, 2);
    EXPECT_EQ(manager->GetCurrentScene(), nullptr) << "creation does not select";
    EXPECT_FLOAT_EQ(scenes[0]->GetSceneInfo()->ambient[0], 128.0f);

    ASSERT_TRUE(manager->SelectScene(2));
    EXPECT_FALSE(manager->SelectScene(7));
    EXPECT_EQ(manager->GetCurrentScene(), scenes[2]) << "a bad index changes nothing";

    manager->RemoveScene(0);
    EXPECT_EQ(manager->GetCurrentScene(), scenes[2]) << "the current scene moves down with the others";
    EXPECT_EQ(manager->GetCurrentIndex(), 1);
    EXPECT_EQ(scenes[1]->index, 0);
    EXPECT_EQ(scenes[2]->index, 1);
    manager->RemoveScene(9);
    EXPECT_EQ(manager->GetSceneCount(), 2u);

    manager->RemoveScene(1);
    EXPECT_EQ(manager->GetCurrentScene(), nullptr);
    factory.setup->log.Clear();
    manager->RenderCurrentScene();
    manager->UpdateCurrentScene(0.1f);
    EXPECT_TRUE(factory.setup->log.Lines().empty());

    const std::vector<std::pair<uint32_t, uint16_t>> expected{{1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}};
    EXPECT_EQ(listener.changes, expected);
}

TEST_F(RenderSceneManagerTest, OneFrameOfASceneMakesTheExpectedCallsAndCounters) {
    quill::RenderScene* scene = manager->CreateScene(QuadScene());
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(manager->SelectScene(scene->index));
    manager->UpdateCurrentScene(0.02f);
    factory.setup->log.Clear();
    DrawFrame();

    const quill::RenderStats expected{{1, 1, 1, 1, 0, 1, 1, 1, 1, 4}};
    EXPECT_EQ(scene->lastStats, expected);
    // The states in the order of the tree's levels, then one draw of the quad from the static buffers.
    const std::vector<std::string> lines = factory.setup->log.Lines();
    auto last = [&](const std::string& prefix) {
        for (size_t i = lines.size(); i-- > 0;) {
            if (lines[i].rfind(prefix, 0) == 0) return static_cast<long>(i);
        }
        return -1L;
    };
    const long clear = last("Clear("), light = last("SetLight(0, 3)"), fvf = last("SetFVF("), stream = last("SetStreamSource(0, buffer"),
               indices = last("SetIndices(buffer)"), lightOn = last("LightEnable(0, 1)"), specular = last("SetRenderState(29, 1)"),
               bind = last("SetTexture(0, texture)"), draw = last("DrawIndexedPrimitive(4, 0, 0, 4, 0, 2)"),
               lightsOff = last("LightEnable(0, 0)");
    for (long index : {clear, light, fvf, stream, indices, lightOn, specular, bind, draw, lightsOff}) EXPECT_GE(index, 0);
    EXPECT_LT(clear, light);
    EXPECT_LT(light, fvf);
    EXPECT_LT(fvf, stream);
    EXPECT_LT(stream, lightOn);
    EXPECT_LT(lightOn, specular);
    EXPECT_LT(specular, bind);
    EXPECT_LT(bind, draw);
    EXPECT_LT(draw, lightsOff);
    EXPECT_EQ(factory.setup->log.Count("DrawIndexedPrimitive("), 1u) << factory.setup->log.Text();

    // The next frame finds the buffers packed: nothing is created or written again.
    factory.setup->log.Clear();
    DrawFrame();
    EXPECT_EQ(factory.setup->log.Count("CreateVertexBuffer("), 0u);
    EXPECT_EQ(factory.setup->log.Count("VertexBuffer.Lock("), 0u);
    EXPECT_EQ(factory.setup->log.Count("IndexBuffer.Lock("), 0u);
    EXPECT_EQ(factory.setup->log.Count("DrawIndexedPrimitive(4, 0, 0, 4, 0, 2)"), 1u);
}

TEST_F(RenderSceneManagerTest, UpdatesTakeTheCameraAndKeepAboutFiveSecondsOfFrames) {
    quill::RenderScene* scene = manager->CreateScene(QuadScene());
    ASSERT_TRUE(manager->SelectScene(scene->index));
    SharedPtr<quill::Camera> camera = scene->GetCurrentCamera();
    ASSERT_NE(camera, nullptr);
    camera->dirty = 0;
    camera->SetEye(quill::Vec3{5, 10, -40});
    manager->UpdateCurrentScene(0.0f);
    EXPECT_TRUE(scene->GetView().Eye().Equals(quill::Vec3{5, 10, -40}));
    EXPECT_EQ(scene->dirty, camera->dirty) << "no time passed: the scene is as dirty as its camera";
    EXPECT_TRUE(scene->FrameSamples().empty());
    EXPECT_FLOAT_EQ(scene->FrameRate(), 0.0f);

    for (int frame = 0; frame < 6; ++frame) manager->UpdateCurrentScene(1.5f);
    EXPECT_EQ(scene->FrameSamples().size(), 5u);
    EXPECT_EQ(scene->dirty, 1);
    EXPECT_FLOAT_EQ(scene->FrameRate(), 5.0f / 7.5f);
    manager->UpdateCurrentScene(0.25f);  // joins the newest sample, which is over a second long
    EXPECT_EQ(scene->FrameSamples().size(), 5u);
}

TEST_F(RenderSceneManagerTest, PlacedModelsAreFoundByTagRefreshedAndTakenOut) {
    SharedPtr<quill::SceneInfo> info = QuadScene();
    SharedPtr<quill::ModelObject> frame = MakeFrame(MakeQuadMesh(MakeMaterial(0, 0, 0, 0)));
    for (int i = 0; i < 3; ++i) Place(*info, frame, quill::Vec3{static_cast<float>(i), 0, 0}, 1);
    std::vector<uint32_t> ids;
    for (const auto& [id, entry] : info->models.Entries()) {
        entry->tag = id % 2 == 0 ? 4 : 6;
        ids.push_back(id);
    }
    quill::RenderScene* scene = manager->CreateScene(info);
    std::vector<quill::ModelObject*> tagged;
    scene->CollectModelObjectsByTag(4, tagged);
    ASSERT_EQ(tagged.size(), 2u);
    EXPECT_EQ(tagged[0], info->models.Find(ids[0])->instance.get());
    EXPECT_EQ(tagged[1], info->models.Find(ids[2])->instance.get());
    std::vector<quill::PointLight*> lights;
    scene->CollectPointLightsByTag(0, lights);
    EXPECT_TRUE(lights.empty());

    const size_t registrations = scene->GetGraph().GetRoot().CountRegistrations();
    EXPECT_TRUE(scene->RefreshModelObject(ids[1], true));
    EXPECT_EQ(scene->GetGraph().GetRoot().CountRegistrations(), registrations);
    EXPECT_FALSE(scene->RefreshModelObject(99, false));

    ASSERT_TRUE(scene->RemoveModelObject(ids[2]));
    EXPECT_EQ(scene->GetGraph().GetRoot().CountRegistrations(), registrations - 1);
    EXPECT_EQ(listener.removedIds, std::vector<uint32_t>{ids[2]});
    EXPECT_FALSE(scene->RemoveModelObject(ids[2]));
    EXPECT_FALSE(scene->RefreshModelObject(ids[2], false));
    tagged.clear();
    scene->CollectModelObjectsByTag(4, tagged);
    EXPECT_EQ(tagged.size(), 1u);
}

TEST_F(RenderSceneManagerTest, TheStatisticsOverlayPrintsTheLastFrameAndGoesWithTheScenes) {
    quill::RenderScene* scene = manager->CreateScene(QuadScene());
    ASSERT_TRUE(manager->SelectScene(scene->index));
    manager->UpdateCurrentScene(0.5f);
    DrawFrame();
    EXPECT_FALSE(manager->GetTextCache().IsCreated()) << "the switch is off by default";

    device->statisticsEnabled = 1;
    DrawFrame();
    const quill::TextCache& cache = manager->GetTextCache();
    ASSERT_TRUE(cache.IsCreated());
    EXPECT_EQ(cache.Line(0)->GetText(), u"FPS: 2");
    EXPECT_EQ(cache.Line(1)->GetText(), u"FVF: 1, StaticBuffer: 1");
    EXPECT_EQ(cache.Line(2)->GetText(), u"TextureStageChange: 1, LightSwitch: 1");
    EXPECT_EQ(cache.Line(3)->GetText(), u"LightMap: 0, DiffuseMap: 1");
    EXPECT_EQ(cache.Line(4)->GetText(), u"Batch: 1, DP Call: 1");
    EXPECT_EQ(cache.Line(5)->GetText(), u"FaceSet: 1, Vertex: 4");
    EXPECT_EQ(cache.Line(6)->GetText().rfind(u"Profiler: ", 0), 0u);
    EXPECT_EQ(cache.Line(7)->GetText().rfind(u"Avail AGP Mem: ", 0), 0u);
    EXPECT_EQ(cache.Line(8)->GetText().rfind(u"TextCache: ", 0), 0u);
    EXPECT_TRUE(cache.Line(9)->GetText().empty()) << "nine lines of ten";

    manager->Shutdown();
    EXPECT_FALSE(manager->GetTextCache().IsCreated());
    EXPECT_EQ(manager->GetSceneCount(), 0u);
    EXPECT_EQ(listener.cleared, 1);
}

}  // namespace
}  // namespace kestrovan
