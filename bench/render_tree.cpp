// What the sorted render tree saves: a scene of a few hundred objects (boxes in six textures, lit with and
// without highlights, and coloured balls) drawn through the render-scene manager's tree, against the same
// objects drawn one by one in their plain order with the device's object drawing. Counted on the recording
// device: draw calls and state changes (every device call that sets state) per frame, and the ratio of the
// state changes; timed, after the first frames' one-time work: frames per second of the device layer alone
// (recording device, no call log) and through OpenGL (needs an X display, e.g. Xvfb with Mesa's software
// renderer).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "tests/support/gfx/CurrentSceneView.h"
#include "tests/support/gfx/SceneModels.h"
#include "tests/support/gfx/SdlGlWindow.h"
#include "tests/support/gfx/TestEngineFactory.h"

namespace {

namespace gfx = platform::gfx;
using kestrovan::D3D9RenderDevice;
using quill::SharedPtr;
using quill::Vec3;

constexpr int kObjects = 300;
constexpr int kTextures = 6;
constexpr std::array<const char*, 11> kStateCalls{"SetRenderState(", "SetTextureStageState(", "SetSamplerState(",
                                                  "SetTexture(",     "SetFVF(",               "SetStreamSource(",
                                                  "SetIndices(",     "SetTransform(",         "SetMaterial(",
                                                  "LightEnable(",    "SetLight("};

// The objects in a grid, each box with one of the textures and a lighting variant, every fourth a ball.
SharedPtr<quill::SceneInfo> BuildScene(const std::vector<SharedPtr<quill::Texture>>& textures) {
    auto info = quill::make_shared<quill::SceneInfo>(u"bench", std::array<float, 4>{0.3f, 0.3f, 0.3f, 1.0f});
    std::vector<SharedPtr<quill::ModelObject>> boxes;
    for (int t = 0; t < kTextures * 2; ++t) {
        auto material = kvtest::MakeMaterial(0x1, static_cast<uint8_t>(t % 2), 0, 1, {{0, textures[t % kTextures]}});
        boxes.push_back(kvtest::MakeFrame(kvtest::MakeBoxMesh(material, 4, 4, 4)));
    }
    auto ball = kvtest::MakeFrame(kvtest::MakeSphereMesh(kvtest::MakeMaterial(0, 0, 0, 1), 2.5f, 0xFFD02020, 8, 12));
    for (int i = 0; i < kObjects; ++i) {
        const Vec3 position{static_cast<float>(i % 20) * 6 - 57, 0, static_cast<float>(i / 20) * 6};
        kvtest::Place(*info, i % 4 == 3 ? ball : boxes[(i * 7) % boxes.size()], position);
    }
    kvtest::AddLight(*info, Vec3{0.3f, -1, 0.4f});
    kvtest::LookAt(*info, Vec3{0, 80, -60}, Vec3{0, 0, 45}, 0.75f);
    return info;
}

// One engine with the same objects twice: in a render scene (sorted) and in a description of their own drawn
// object by object (plain order).
class TreeBench {
public:
    explicit TreeBench(kvtest::TestEngineFactory& factory) : engine_(factory.CreateEngine()) {
        if (!engine_->Initialize()) return;
        device_ = static_cast<kestrovan::Graphics&>(*engine_->GetGraphics()).GetDevice();
        if (device_ == nullptr || device_->GetGfxDevice() == nullptr) return;
        for (uint32_t t = 0; t < kTextures; ++t) {
            textures_.push_back(kvtest::MakeSolidTexture(device_, 32, 32, 0xFF000000u | (0x203040u * (t + 1))));
        }
        manager_ = engine_->GetRenderSceneManager();
        quill::RenderScene* scene = manager_->CreateScene(BuildScene(textures_));
        manager_->SelectScene(scene->index);
        manager_->UpdateCurrentScene(1.0f / 60);
        plain_ = BuildScene(textures_);
        plain_->SetAspectRatio(0.75f);
        plainView_.CopyViewStateFrom(*plain_->GetCurrentCamera());
    }

    bool Ready() const { return manager_ != nullptr; }

    void SortedFrame() {
        kvtest::CurrentSceneView view(*manager_);
        device_->BeginFrame();
        device_->BeginScene();
        device_->RenderScene(view, 0);
        device_->EndScene();
        device_->Present();
    }

    void PlainFrame() {
        device_->BeginFrame();
        device_->BeginScene();
        device_->Begin3D(quill::SceneEnvironment{plain_->ambient.data(), nullptr, &plainView_});
        for (const auto& [id, light] : plain_->directLights.Entries()) device_->AddSceneLight(*light);
        for (const auto& [id, entry] : plain_->models.Entries()) device_->DrawObjectTree(*entry->instance);
        device_->DisableAllLights();
        device_->EndScene();
        device_->Present();
    }

private:
    std::unique_ptr<quill::Engine> engine_;
    D3D9RenderDevice* device_ = nullptr;
    quill::RenderSceneManager* manager_ = nullptr;
    std::vector<SharedPtr<quill::Texture>> textures_;
    SharedPtr<quill::SceneInfo> plain_;
    quill::Camera plainView_;
};

struct FrameCounts {
    double drawCalls = 0;
    double stateChanges = 0;
};

// Frames drawn before any is counted or timed. The first packs the static batches and copies the textures;
// under a software OpenGL each new state combination of the first frames compiles a shader (the sorted tree's
// second frame still does). That work is done once per scene: timed with the few iterations a slow device
// gets, it outweighed the frames themselves (one first frame of 150 to 700 ms against 20 to 40 ms a frame).
constexpr int kSettlingFrames = 3;

template <class Frame>
void SettleFrames(Frame frame) {
    for (int i = 0; i < kSettlingFrames; ++i) frame();
}

// The calls of one frame, counted on the recording device's log once the frames have settled.
template <class Frame>
FrameCounts CountFrame(gfx::RecordingSetup& setup, Frame frame) {
    SettleFrames(frame);
    setup.log.SetEnabled(true);
    setup.log.Clear();
    frame();
    FrameCounts counts;
    counts.drawCalls = static_cast<double>(setup.log.Count("DrawPrimitive(") + setup.log.Count("DrawIndexedPrimitive("));
    for (const char* call : kStateCalls) counts.stateChanges += static_cast<double>(setup.log.Count(call));
    setup.log.SetEnabled(false);
    setup.log.Clear();
    return counts;
}

void Report(benchmark::State& state, const FrameCounts& counts, const FrameCounts& other, bool sorted) {
    state.counters["draw_calls"] = counts.drawCalls;
    state.counters["state_changes"] = counts.stateChanges;
    state.counters["plain_to_sorted_state_changes"] =
        sorted ? other.stateChanges / counts.stateChanges : counts.stateChanges / other.stateChanges;
    state.counters["objects"] = kObjects;
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void RecordingFrames(benchmark::State& state, bool sorted) {
    kvtest::TestEngineFactory factory(true);
    TreeBench bench(factory);
    if (!bench.Ready()) {
        state.SkipWithError("no device");
        return;
    }
    const FrameCounts sortedCounts = CountFrame(*factory.setup, [&] { bench.SortedFrame(); });
    const FrameCounts plainCounts = CountFrame(*factory.setup, [&] { bench.PlainFrame(); });
    for (auto _ : state) {
        if (sorted) {
            bench.SortedFrame();
        } else {
            bench.PlainFrame();
        }
    }
    Report(state, sorted ? sortedCounts : plainCounts, sorted ? plainCounts : sortedCounts, sorted);
}

void BM_SortedTreeRecordingDevice(benchmark::State& state) {
    RecordingFrames(state, true);
}
BENCHMARK(BM_SortedTreeRecordingDevice)->Unit(benchmark::kMillisecond);

void BM_PlainOrderRecordingDevice(benchmark::State& state) {
    RecordingFrames(state, false);
}
BENCHMARK(BM_PlainOrderRecordingDevice)->Unit(benchmark::kMillisecond);

void OpenGlFrames(benchmark::State& state, bool sorted) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X display (run under Xvfb)");
        return;
    }
    kvtest::SdlGlWindow window(1024, 768);
    if (!window.IsOpen()) {
        state.SkipWithError(window.Error().c_str());
        return;
    }
    kvtest::TestEngineFactory factory([&window] { return window.CreateSystem(); }, 1024, 768);
    TreeBench bench(factory);
    if (!bench.Ready()) {
        state.SkipWithError("no OpenGL device");
        return;
    }
    auto frame = [&] {
        if (sorted) {
            bench.SortedFrame();
        } else {
            bench.PlainFrame();
        }
        window.Pump();
    };
    SettleFrames(frame);
    for (auto _ : state) frame();
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["objects"] = kObjects;
}

void BM_SortedTreeOpenGl(benchmark::State& state) {
    OpenGlFrames(state, true);
}
BENCHMARK(BM_SortedTreeOpenGl)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainOrderOpenGl(benchmark::State& state) {
    OpenGlFrames(state, false);
}
BENCHMARK(BM_PlainOrderOpenGl)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
