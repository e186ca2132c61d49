// The cost of MemoryStream's zlib compression beside zlib called directly on the same ~1 MB buffer.
// Read the pairs "Compress/MemoryStream" against "Compress/zlib" and "Uncompress/MemoryStream" against
// "Uncompress/zlib": the bytes_per_second counters (uncompressed bytes) give the ratio of the two.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string_view>
#include <vector>

#include "QuillLib/core/MemoryStream.h"

namespace {

using quill::MemoryStream;

constexpr uint32_t kBufferSize = 1 << 20;

// Resembles an item record of a resource file: names and text, float vertex data, index lists, and a
// share of already-compressed image bytes that deflate cannot shrink.
MemoryStream MakeMixedBuffer() {
    std::mt19937 random(2024);
    MemoryStream stream;
    constexpr std::string_view kText = "Table_Carom_Cushion_Rail01 material=cloth_green texture=felt.dds ";
    while (stream.Size() < kBufferSize) {
        switch (random() % 4) {
            case 0:
                stream.Write(kText.data(), static_cast<uint32_t>(kText.size()));
                break;
            case 1:
                for (int i = 0; i < 64; ++i) {
                    const float value = std::sin(static_cast<float>(i) * 0.1f) * 100.0f;
                    stream.Write(&value, sizeof value);
                }
                break;
            case 2:
                for (uint16_t i = 0; i < 96; ++i) {
                    const uint16_t index = static_cast<uint16_t>(i + random() % 4);
                    stream.Write(&index, sizeof index);
                }
                break;
            default:
                for (int i = 0; i < 48; ++i) {
                    const uint32_t noise = random();
                    stream.Write(&noise, sizeof noise);
                }
                break;
        }
    }
    MemoryStream buffer(kBufferSize);
    std::memcpy(buffer.Data(), stream.Data(), kBufferSize);
    return buffer;
}

// The mixed buffer and its compressed form, made once for all benchmarks.
struct Buffers {
    MemoryStream mixed = MakeMixedBuffer();
    MemoryStream compressed;
    uint32_t compressedSize = 0;

    Buffers() {
        mixed.CompressTo(compressed);
        compressedSize = compressed.Size();
    }
};

const Buffers& TheBuffers() {
    static const Buffers buffers;
    return buffers;
}

void ReportBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBufferSize);
    state.counters["compressed_share"] = static_cast<double>(TheBuffers().compressedSize) / kBufferSize;
}

void CompressMemoryStream(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        MemoryStream stream(TheBuffers().mixed);
        state.ResumeTiming();
        if (!stream.Compress()) {
            state.SkipWithError("Compress failed");
        }
        benchmark::DoNotOptimize(stream.Data());
    }
    ReportBytes(state);
}

void CompressZlib(benchmark::State& state) {
    const MemoryStream& source = TheBuffers().mixed;
    std::vector<uint8_t> output(compressBound(kBufferSize));
    for (auto _ : state) {
        uLongf length = output.size();
        if (compress(output.data(), &length, source.Data(), kBufferSize) != Z_OK) {
            state.SkipWithError("compress failed");
        }
        benchmark::DoNotOptimize(output.data());
    }
    ReportBytes(state);
}

void UncompressMemoryStream(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        MemoryStream stream(TheBuffers().compressed);
        state.ResumeTiming();
        if (!stream.Uncompress(kBufferSize)) {
            state.SkipWithError("Uncompress failed");
        }
        benchmark::DoNotOptimize(stream.Data());
    }
    ReportBytes(state);
}

void UncompressZlib(benchmark::State& state) {
    const Buffers& buffers = TheBuffers();
    std::vector<uint8_t> output(kBufferSize);
    for (auto _ : state) {
        uLongf length = output.size();
        if (uncompress(output.data(), &length, buffers.compressed.Data(), buffers.compressedSize) != Z_OK) {
            state.SkipWithError("uncompress failed");
        }
        benchmark::DoNotOptimize(output.data());
    }
    ReportBytes(state);
}

BENCHMARK(CompressMemoryStream)->Name("Compress/MemoryStream")->Unit(benchmark::kMillisecond);
BENCHMARK(CompressZlib)->Name("Compress/zlib")->Unit(benchmark::kMillisecond);
BENCHMARK(UncompressMemoryStream)->Name("Uncompress/MemoryStream")->Unit(benchmark::kMillisecond);
BENCHMARK(UncompressZlib)->Name("Uncompress/zlib")->Unit(benchmark::kMillisecond);

}  // namespace
