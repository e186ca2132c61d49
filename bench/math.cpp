// Vertex animation blends two key frames into a mesh's vertices for every animated mesh every frame: the
// blend must not allocate and should run at memory speed. Read items_per_second as vertices per second for a
// typical skinned-character layout (position, normal, colour, one set of two texture coordinates).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/VertexData.h"

namespace {

using quill::VertexData;

constexpr uint32_t kCharacterLayout = VertexData::kPosition | VertexData::kNormal | VertexData::kColour | 1u << 8;

VertexData MakeFrame(uint32_t count, float base) {
    VertexData frame;
    frame.SetLayout(kCharacterLayout, count);
    float value = base;
    for (float& word : frame.Words()) {
        word = value;
        value += 0.25f;
    }
    return frame;
}

void InterpolateKeyFrames(benchmark::State& state) {
    const auto count = static_cast<uint32_t>(state.range(0));
    const VertexData a = MakeFrame(count, 0.0f);
    const VertexData b = MakeFrame(count, 100.0f);
    VertexData out = MakeFrame(count, 0.0f);
    float t = 0.0f;
    for (auto _ : state) {
        out.Interpolate(a, b, t);
        benchmark::DoNotOptimize(out.Words().data());
        t = t < 1.0f ? t + 0.01f : 0.0f;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * count);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * count * out.VertexSize());
}
BENCHMARK(InterpolateKeyFrames)->Arg(256)->Arg(4096)->Arg(65536);

// Bone poses blend their rotations with Slerp: one per bone per frame.
void SlerpRotations(benchmark::State& state) {
    quill::Quaternion a;
    a.FromAxisAngle(0.3f, quill::Vec3{0.0f, 1.0f, 0.0f});
    quill::Quaternion b;
    b.FromAxisAngle(1.9f, quill::Vec3{1.0f, 1.0f, 0.0f});
    quill::Quaternion out;
    float t = 0.0f;
    for (auto _ : state) {
        quill::Quaternion::Slerp(out, a, b, t);
        benchmark::DoNotOptimize(out);
        t = t < 1.0f ? t + 0.001f : 0.0f;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(SlerpRotations);

}  // namespace
