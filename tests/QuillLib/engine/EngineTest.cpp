#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/QuillLib/engine/RecordingEngineFactory.h"

namespace quill {
namespace {

const CallLog kShutdownAll = {"RenderScenes.Shutdown", "Sound.Shutdown",  "Resources.Shutdown",
                              "Graphics.Shutdown",     "Holder.Shutdown", "Frame.Shutdown"};

CallLog Concat(std::initializer_list<CallLog> parts) {
    CallLog all;
    for (const CallLog& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(EngineTest, ConstructionAsksTheFactoryInOrderWithItselfAndKeepsDefaults) {
    RecordingFactory factory;
    std::unique_ptr<Engine> engine = factory.CreateEngine();

    EXPECT_EQ(factory.log, (CallLog{"Create.Graphics", "Create.Resources", "Create.RenderScenes", "Create.Sound",
                                    "Create.Holder", "Create.Frame"}));
    for (Engine* asked : factory.engines) {
        EXPECT_EQ(asked, engine.get());
    }
    EXPECT_EQ(&engine->GetFactory(), &factory);
    EXPECT_EQ(engine->GetGraphics(), factory.lastGraphics);
    EXPECT_EQ(engine->GetAppFrame(), AppFrame::Current());
    EXPECT_EQ(engine->GetDisplayWidth(), 1024u);
    EXPECT_EQ(engine->GetDisplayHeight(), 768u);
    EXPECT_EQ(engine->GetDisplayBitsPerPixel(), 32u);
    EXPECT_EQ(engine->GetDisplayRefreshRate(), 60u);
    EXPECT_TRUE(engine->GetFramesActive());
}

TEST(EngineTest, StartShutsAllDownThenInitialisesInOrder) {
    RecordingFactory factory;
    Engine engine(factory);
    factory.log.clear();

    EXPECT_TRUE(engine.Initialize());
    EXPECT_EQ(factory.log, Concat({kShutdownAll,
                                   {"Graphics.Initialize", "Resources.Initialize", "RenderScenes.Initialize",
                                    "Sound.Initialize", "Holder.Initialize", "Frame.Initialize"}}));
}

TEST(EngineTest, FailingSoundManagerDoesNotStopTheStart) {
    RecordingFactory factory;
    factory.soundStarts = false;
    Engine engine(factory);
    factory.log.clear();

    EXPECT_TRUE(engine.Initialize());
    EXPECT_EQ(factory.log, Concat({kShutdownAll,
                                   {"Graphics.Initialize", "Resources.Initialize", "RenderScenes.Initialize",
                                    "Sound.Initialize", "Holder.Initialize", "Frame.Initialize"}}));
}

TEST(EngineTest, FailingResourceManagerStopsTheStartAndShutsAllDownTwice) {
    RecordingFactory factory;
    factory.resourcesStart = false;
    Engine engine(factory);
    factory.log.clear();

    EXPECT_FALSE(engine.Initialize());
    EXPECT_EQ(factory.log, Concat({kShutdownAll, {"Graphics.Initialize", "Resources.Initialize"}, kShutdownAll}));
    // Nothing was deleted: the subsystems stay built after a failed start.
    EXPECT_NE(engine.GetResourceManager(), nullptr);
    EXPECT_NE(engine.GetRenderSceneManager(), nullptr);
}

TEST(EngineTest, MissingSubsystemFailsTheStartExceptTheSoundManager) {
    RecordingFactory factory;
    factory.buildSound = false;
    {
        Engine engine(factory);
        EXPECT_EQ(engine.GetSoundManager(), nullptr);
        EXPECT_TRUE(engine.Initialize());
    }

    struct NoGraphicsFactory : RecordingFactory {
        std::unique_ptr<Graphics> CreateGraphics(Engine&) override { return nullptr; }
    } noGraphics;
    Engine engine(noGraphics);
    noGraphics.log.clear();
    EXPECT_FALSE(engine.Initialize());
    EXPECT_EQ(noGraphics.log.size(), 10u);  // two rounds of shutdowns of the five present ones
    for (const std::string& call : noGraphics.log) {
        EXPECT_NE(call.find(".Shutdown"), std::string::npos) << call;
    }
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

class CountingSubsystem : public EngineSubsystem {
public:
    explicit CountingSubsystem(CallLog& log) : log_(log) {}
    ~CountingSubsystem() override { log_.push_back("Held.Delete"); }
    bool Initialize() override { return true; }
    void Shutdown() override { log_.push_back("Held.Shutdown"); }

private:
    CallLog& log_;
};

TEST(SubsystemHolderTest, ShutsDownAndDeletesAnActiveHeldSubsystemOnce) {
    RecordingFactory factory;
    Engine engine(factory);
    CallLog log;
    SubsystemHolder holder(engine);
    EXPECT_TRUE(holder.Initialize());

    holder.Hold(std::make_unique<CountingSubsystem>(log), true);
    holder.Shutdown();
    holder.Shutdown();
    EXPECT_EQ(log, (CallLog{"Held.Shutdown", "Held.Delete"}));
    EXPECT_FALSE(holder.IsActive());
    EXPECT_EQ(holder.GetHeld(), nullptr);
}

TEST(SubsystemHolderTest, DestructorDeletesAnInactiveHeldSubsystemWithoutShuttingItDown) {
    RecordingFactory factory;
    Engine engine(factory);
    CallLog log;
    {
        SubsystemHolder holder(engine);
        holder.Hold(std::make_unique<CountingSubsystem>(log), false);
        holder.Shutdown();
        EXPECT_NE(holder.GetHeld(), nullptr);
    }
    EXPECT_EQ(log, (CallLog{"Held.Delete"}));
}

}  // namespace
}  // namespace quill
