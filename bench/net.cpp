// Throughput of the packet cipher: enciphering and deciphering whole messages of 16, 256 and 3000 bytes,
// each with its own key schedule and chaining value as on the connection, beside OpenSSL's DES-CBC doing
// the same work on the same data. The table at the end gives the ratio of the two.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "QuillLib/net/PacketCipher.h"

#if __has_include(<openssl/evp.h>)
#include <openssl/evp.h>
#include <openssl/provider.h>
#define KV_BENCH_OPENSSL 1
#endif

namespace {

const int kMessageSizes[] = {16, 256, 3000};

std::vector<uint8_t> MessageOf(int64_t size) {
    std::vector<uint8_t> message(static_cast<size_t>(size));
    for (size_t i = 0; i < message.size(); ++i) {
        message[i] = static_cast<uint8_t>(i * 31 + 7);
    }
    return message;
}

void EncipherOurs(benchmark::State& state) {
    quill::PacketCipher cipher;
    const auto message = MessageOf(state.range(0));
    std::vector<uint8_t> frame(quill::PacketCipher::FrameLength(static_cast<uint32_t>(message.size())));
    for (auto _ : state) {
        uint32_t length = 0;
        benchmark::DoNotOptimize(cipher.EncryptPacket(message, frame, length));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void DecipherOurs(benchmark::State& state) {
    quill::PacketCipher cipher;
    quill::PacketCipher peer(quill::PacketCipherKeys::BuiltIn().Mirrored());
    const auto message = MessageOf(state.range(0));
    std::vector<uint8_t> frame(quill::PacketCipher::FrameLength(static_cast<uint32_t>(message.size())));
    uint32_t frameLength = 0;
    peer.EncryptPacket(message, frame, frameLength);
    const std::span<const uint8_t> ciphertext = std::span(frame).subspan(2);
    std::vector<uint8_t> plain(ciphertext.size());
    for (auto _ : state) {
        uint32_t length = 0;
        benchmark::DoNotOptimize(cipher.DecryptPacket(ciphertext, plain, length));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

#ifdef KV_BENCH_OPENSSL

// OpenSSL 3 keeps single DES in its legacy provider.
EVP_CIPHER* FetchDesCbc() {
    static EVP_CIPHER* cipher = [] {
        OSSL_PROVIDER_load(nullptr, "legacy");
        OSSL_PROVIDER_load(nullptr, "default");
        return EVP_CIPHER_fetch(nullptr, "DES-CBC", nullptr);
    }();
    return cipher;
}

// Runs one message through OpenSSL with a fresh key schedule, as the packet cipher does.
int CryptWithOpenSsl(EVP_CIPHER_CTX* context, bool encipher, const std::vector<uint8_t>& in,
                     std::vector<uint8_t>& out) {
    const quill::PacketCipherKeys& keys = quill::PacketCipherKeys::BuiltIn();
    int length = 0;
    int last = 0;
    EVP_CipherInit_ex(context, FetchDesCbc(), nullptr, keys.encipherKey.data(), keys.iv.data(), encipher ? 1 : 0);
    EVP_CipherUpdate(context, out.data(), &length, in.data(), static_cast<int>(in.size()));
    EVP_CipherFinal_ex(context, out.data() + length, &last);
    return length + last;
}

void EncipherOpenSsl(benchmark::State& state) {
    if (FetchDesCbc() == nullptr) {
        state.SkipWithError("OpenSSL offers no DES-CBC");
        return;
    }
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    const auto message = MessageOf(state.range(0));
    std::vector<uint8_t> out(message.size() + 16);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CryptWithOpenSsl(context, true, message, out));
        benchmark::ClobberMemory();
    }
    EVP_CIPHER_CTX_free(context);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void DecipherOpenSsl(benchmark::State& state) {
    if (FetchDesCbc() == nullptr) {
        state.SkipWithError("OpenSSL offers no DES-CBC");
        return;
    }
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    const auto message = MessageOf(state.range(0));
    std::vector<uint8_t> ciphertext(message.size() + 16);
    ciphertext.resize(static_cast<size_t>(CryptWithOpenSsl(context, true, message, ciphertext)));
    std::vector<uint8_t> out(ciphertext.size() + 16);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CryptWithOpenSsl(context, false, ciphertext, out));
        benchmark::ClobberMemory();
    }
    EVP_CIPHER_CTX_free(context);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

#endif

// The console report, followed by a table of MB/s per direction and message size with the ratio of ours
// to OpenSSL's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && rate != run.counters.end()) {
                megabytesPerSecond_[run.benchmark_name()] = rate->second.value / 1e6;
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-10s %8s %14s %14s %8s\n", "direction", "bytes", "ours MB/s", "OpenSSL MB/s", "ratio");
        for (const char* direction : {"Encipher", "Decipher"}) {
            for (int size : kMessageSizes) {
                const double ours = Rate(std::string(direction) + "/Kestrovan/" + std::to_string(size));
                const double theirs = Rate(std::string(direction) + "/OpenSSL/" + std::to_string(size));
                if (ours == 0 && theirs == 0) {
                    continue;  // filtered out
                }
                std::printf("%-10s %8d %14.1f %14.1f %8.2f\n", direction, size, ours, theirs,
                            theirs > 0 ? ours / theirs : 0.0);
            }
        }
    }

private:
    double Rate(const std::string& name) const {
        const auto found = megabytesPerSecond_.find(name);
        return found == megabytesPerSecond_.end() ? 0.0 : found->second;
    }

    std::map<std::string, double> megabytesPerSecond_;
};

void Register(const char* name, void (*function)(benchmark::State&)) {
    benchmark::internal::Benchmark* benchmark = benchmark::RegisterBenchmark(name, function);
    for (int size : kMessageSizes) {
        benchmark->Arg(size);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Register("Encipher/Kestrovan", EncipherOurs);
    Register("Decipher/Kestrovan", DecipherOurs);
#ifdef KV_BENCH_OPENSSL
    Register("Encipher/OpenSSL", EncipherOpenSsl);
    Register("Decipher/OpenSSL", DecipherOpenSsl);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
