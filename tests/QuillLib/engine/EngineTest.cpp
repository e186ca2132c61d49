#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "QuillLib/engine/SubsystemHolder.h"
#include "tests/QuillLib/engine/RecordingEngineFactory.h"

namespace quill {
namespace {

const CallLog kShutdownAll = {"RenderScenes.Shutdown", "Sound.Shutdown",  "Resources.Shutdown",
                              "Graphics.Shutdown",     "Holder.Shutdown", "Frame.Shutdown"};
const CallLog kInitializeAll = {"Graphics.Initialize", "Resources.Initialize", "RenderScenes.Initialize",
                                "Sound.Initialize",    "Holder.Initialize",    "Frame.Initialize"};

CallLog Concat(std::initializer_list<CallLog> parts) {
    CallLog all;
    for (const CallLog& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(EngineTest, ConstructionAsksTheFactoryInOrderAndKeepsDefaults) {
    RecordingFactory factory;
    std::unique_ptr<Engine> engine = factory.CreateEngine();

    EXPECT_EQ(factory.log, (CallLog{"Create.Graphics", "Create.Resources", "Create.RenderScenes", "Create.Sound",
                                    "Create.Holder", "Create.Frame"}));
    EXPECT_EQ(&engine->GetSubsystemHolder()->GetEngine(), engine.get());
    EXPECT_EQ(engine->GetAppFrame(), AppFrame::Current());
    EXPECT_EQ(std::make_tuple(engine->GetDisplayWidth(), engine->GetDisplayHeight(), engine->GetDisplayBitsPerPixel(),
                              engine->GetDisplayRefreshRate()),
              std::make_tuple(1024u, 768u, 32u, 60u));
    EXPECT_TRUE(engine->GetFramesActive());
}

TEST(EngineTest, StartShutsAllDownThenInitialisesInOrderEvenWhenSoundFails) {
    for (bool soundStarts : {true, false}) {
        SCOPED_TRACE(soundStarts);
        RecordingFactory factory;
        factory.soundStarts = soundStarts;
        Engine engine(factory);
        factory.log.clear();
        EXPECT_TRUE(engine.Initialize());
        EXPECT_EQ(factory.log, Concat({kShutdownAll, kInitializeAll}));
    }
}

TEST(EngineTest, FailingResourceManagerStopsTheStartAndShutsAllDownTwice) {
    RecordingFactory factory;
    factory.resourcesStart = false;
    Engine engine(factory);
    factory.log.clear();

    EXPECT_FALSE(engine.Initialize());
    EXPECT_EQ(factory.log, Concat({kShutdownAll, {"Graphics.Initialize", "Resources.Initialize"}, kShutdownAll}));
    EXPECT_NE(engine.GetRenderSceneManager(), nullptr) << "the subsystems stay built after a failed start";
}

TEST(EngineTest, MissingSubsystemFailsTheStartExceptTheSoundManager) {
    RecordingFactory noSound;
    noSound.buildSound = false;
    EXPECT_TRUE(Engine(noSound).Initialize());

    struct NoGraphicsFactory : RecordingFactory {
        std::unique_ptr<Graphics> CreateGraphics(Engine&) override { return nullptr; }
    } noGraphics;
    Engine engine(noGraphics);
    noGraphics.log.clear();
    EXPECT_FALSE(engine.Initialize());
    for (const std::string& call : noGraphics.log) {
        EXPECT_NE(call.find(".Shutdown"), std::string::npos) << call;
    }
    EXPECT_EQ(noGraphics.log.size(), 10u) << "two rounds of shutdowns of the five present ones";
}

TEST(EngineTest, DestructionShutsDownThenDeletesInReverseOrder) {
    RecordingFactory factory;
    auto engine = std::make_unique<Engine>(factory);
    ASSERT_TRUE(engine->Initialize());
    factory.log.clear();

    engine.reset();
    EXPECT_EQ(factory.log, Concat({kShutdownAll,
                                   {"Frame.Delete", "Holder.Delete", "Graphics.Delete", "Resources.Delete",
                                    "Sound.Delete", "RenderScenes.Delete"}}));
    EXPECT_EQ(AppFrame::Current(), nullptr);
}

TEST(EngineTest, FramesActiveReachesTheDeviceOnlyOnceItExists) {
    RecordingFactory factory;
    Engine engine(factory);
    RecordingGraphics& graphics = *factory.lastGraphics;
    engine.SetFramesActive(false);
    EXPECT_FALSE(engine.GetFramesActive());
    EXPECT_TRUE(graphics.deviceFramesActive.empty());

    graphics.hasDevice = true;
    engine.SetFramesActive(true);
    engine.SetFramesActive(false);
    EXPECT_EQ(graphics.deviceFramesActive, (std::vector<bool>{true, false}));
}

TEST(SubsystemHolderTest, ShutsDownAndDeletesAnActiveHeldSubsystemOnceAndOnlyDeletesAnInactiveOne) {
    RecordingFactory factory;
    Engine engine(factory);
    CallLog log;
    {
        SubsystemHolder holder(engine);
        holder.Hold(std::make_unique<Recording<EngineSubsystem>>(log, "Active", true), true);
        holder.Shutdown();
        holder.Shutdown();
        EXPECT_EQ(holder.GetHeld(), nullptr);

        holder.Hold(std::make_unique<Recording<EngineSubsystem>>(log, "Inactive", true), false);
        holder.Shutdown();
        EXPECT_NE(holder.GetHeld(), nullptr);
    }
    EXPECT_EQ(log, (CallLog{"Active.Shutdown", "Active.Delete", "Inactive.Delete"}));
}

}  // namespace
}  // namespace quill
