// The render device's cost: its own overhead per draw call on the recording device (no call log, so only the
// device layer and the state cache are measured), and frames per second of a scene of a few hundred textured
// meshes drawn through OpenGL (needs an X display, e.g. Xvfb with Mesa's software renderer).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "QuillLib/math/VertexData.h"
#include "client/render/D3D9RenderDevice.h"
#include "platform/gfx/headless/RecordingSystem.h"
#include "tests/support/gfx/SdlGlWindow.h"

namespace {

namespace gfx = platform::gfx;
using kestrovan::D3D9RenderDevice;

constexpr uint32_t kMeshFormat = 0x1 | 0x2 | 0x100;  // position, normal, one texture set
constexpr int kMeshes = 300;

// A cube of 24 vertices and 36 indices, unit size.
struct Cube {
    quill::VertexData vertices;
    std::vector<uint16_t> indices;
    quill::IndexChunk chunk;

    Cube() {
        vertices.SetLayout(kMeshFormat, 24);
        const float faces[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
        float* w = vertices.Words().data();
        for (int f = 0; f < 6; ++f) {
            const float* n = faces[f];
            const float u[3] = {n[1], n[2], n[0]}, v[3] = {n[2], n[0], n[1]};
            for (int c = 0; c < 4; ++c) {
                const float su = (c & 1) ? 0.5f : -0.5f, sv = (c & 2) ? 0.5f : -0.5f;
                const float vertex[8] = {n[0] * 0.5f + u[0] * su + v[0] * sv, n[1] * 0.5f + u[1] * su + v[1] * sv,
                                         n[2] * 0.5f + u[2] * su + v[2] * sv, n[0], n[1], n[2], su + 0.5f, sv + 0.5f};
                std::memcpy(w, vertex, sizeof vertex);
                w += vertices.Stride();
            }
            const uint16_t base = static_cast<uint16_t>(f * 4);
            for (uint16_t i : {0, 1, 2, 2, 1, 3}) indices.push_back(static_cast<uint16_t>(base + i));
        }
        chunk = quill::IndexChunk{indices, 0, 23};
    }
};

quill::Matrix4 Translation(float x, float y, float z) {
    quill::Matrix4 m;
    m.m[12] = x;
    m.m[13] = y;
    m.m[14] = z;
    return m;
}

quill::Matrix4 Perspective(float aspect) {
    quill::Matrix4 m;
    const float yScale = 1.0f / std::tan(0.45f), zn = 1, zf = 200;
    m.m[0] = yScale / aspect;
    m.m[5] = yScale;
    m.m[10] = zf / (zf - zn);
    m.m[11] = 1;
    m.m[14] = -zn * zf / (zf - zn);
    m.m[15] = 0;
    return m;
}

std::unique_ptr<gfx::Texture> Checker(gfx::Device& device) {
    std::unique_ptr<gfx::Texture> texture;
    device.CreateTexture(64, 64, 0, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, texture);
    gfx::LockedRect locked;
    texture->LockRect(0, locked, nullptr, 0);
    for (int y = 0; y < 64; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<std::byte*>(locked.bits) + y * locked.pitch);
        for (int x = 0; x < 64; ++x) row[x] = ((x / 8 + y / 8) % 2) != 0 ? 0xFFE0E0E0u : 0xFF2060A0u;
    }
    texture->UnlockRect(0);
    texture->GenerateMipSubLevels();
    return texture;
}

// One frame of the scene: a 3D pass with a light, every cube with its own world matrix.
void DrawScene(D3D9RenderDevice& device, Cube& cube, gfx::Texture& texture, const std::vector<quill::Matrix4>& worlds) {
    device.BeginFrame();
    device.BeginScene();
    const float ambient[4] = {0.3f, 0.3f, 0.3f, 1};
    device.Begin3D(kestrovan::SceneEnvironment{ambient, nullptr, nullptr});
    const quill::Matrix4 projection = Perspective(4.0f / 3.0f);
    device.SetProjection(&projection);
    device.AddDirectionalLight(kestrovan::DirectionalLightDesc{1, 1, 1, 1, 1, 1, 0, 0.3f, -0.5f, 1});
    device.EnableLights(true, true, true);
    device.GetBufferPool().SelectDynamicVertexBuffer(kMeshFormat, 0);
    device.GetBufferPool().SelectDynamicIndexBuffer(0);
    device.SetVertexFormat(kMeshFormat);
    device.ApplyTextureStages(kestrovan::LayerFlag::Base);
    device.SetTexture(&texture, 0);
    for (const quill::Matrix4& world : worlds) {
        device.SetWorld(&world);
        device.DrawIndexedTriangles(cube.vertices, cube.chunk);
    }
    device.DisableAllLights();
    device.EndScene();
    device.Present();
}

std::vector<quill::Matrix4> Grid() {
    std::vector<quill::Matrix4> worlds;
    for (int i = 0; i < kMeshes; ++i) {
        worlds.push_back(Translation(static_cast<float>(i % 20) - 9.5f, static_cast<float>(i / 20) - 7.0f, 25.0f));
    }
    return worlds;
}

// The draws of one frame, without the frame around them (the recording device clears real memory).
void BM_RecordingDevicePerDrawCall(benchmark::State& state) {
    auto setup = std::make_shared<gfx::RecordingSetup>();
    setup->log.SetEnabled(false);
    D3D9RenderDevice device(1024, 768, std::make_unique<gfx::RecordingSystem>(setup), nullptr);
    if (device.Create() != 0) {
        state.SkipWithError("no device");
        return;
    }
    Cube cube;
    auto texture = Checker(*device.GetGfxDevice());
    const std::vector<quill::Matrix4> worlds = Grid();
    DrawScene(device, cube, *texture, worlds);
    for (auto _ : state) {
        for (const quill::Matrix4& world : worlds) {
            device.SetWorld(&world);
            benchmark::DoNotOptimize(device.DrawIndexedTriangles(cube.vertices, cube.chunk));
        }
    }
    state.counters["per_draw"] = benchmark::Counter(static_cast<double>(state.iterations()) * kMeshes,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RecordingDevicePerDrawCall)->Unit(benchmark::kMicrosecond);

void BM_OpenGlTexturedMeshesFramesPerSecond(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X display (run under Xvfb)");
        return;
    }
    kvtest::SdlGlWindow window(1024, 768);
    if (!window.IsOpen()) {
        state.SkipWithError(window.Error().c_str());
        return;
    }
    D3D9RenderDevice device(1024, 768, window.CreateSystem(), nullptr);
    if (device.Create() != 0) {
        state.SkipWithError("no OpenGL device");
        return;
    }
    Cube cube;
    auto texture = Checker(*device.GetGfxDevice());
    const std::vector<quill::Matrix4> worlds = Grid();
    for (auto _ : state) {
        DrawScene(device, cube, *texture, worlds);
        window.Pump();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["meshes"] = kMeshes;
}
BENCHMARK(BM_OpenGlTexturedMeshesFramesPerSecond)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
