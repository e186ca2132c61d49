// mkdata: builds the game's default data packages from the manifest.
//
//   mkdata <manifest> <region table> <output folder> [--jobs <n>] [--no-speech] [package ...]
//
// Ends with one line that says what was built and how long it took.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tools/mkdata/DataGenerator.h"
#include "tools/mkdata/SpeechSynth.h"

namespace {

constexpr const char* kUsage =
    "usage: mkdata <manifest> <region table> <output folder> [--jobs <n>] [--no-speech] [package ...]\n"
    "       mkdata --help\n"
    "Builds the default data packages the manifest lists (only the named ones, when given) into the folder.\n"
    "Exit status: 0 built, 1 a manifest, table or package could not be read or written, 2 bad arguments.\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::vector<std::string> positional, only;
    uint32_t jobs = std::min(4u, std::max(1u, std::thread::hardware_concurrency()));
    bool speech = true;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arguments[i] == "--no-speech") {
            speech = false;
        } else if (arguments[i] == "--jobs" && i + 1 < arguments.size()) {
            const std::string& text = arguments[++i];
            if (std::from_chars(text.data(), text.data() + text.size(), jobs).ec != std::errc() || jobs == 0) {
                return Usage();
            }
        } else if (arguments[i].starts_with("--")) {
            std::fprintf(stderr, "mkdata: unknown option '%s'\n", arguments[i].c_str());
            return Usage();
        } else if (positional.size() < 3) {
            positional.push_back(arguments[i]);
        } else {
            only.push_back(arguments[i]);
        }
    }
    if (positional.size() != 3) {
        return Usage();
    }
    const auto started = std::chrono::steady_clock::now();
    mkdata::Manifest manifest;
    mkdata::RegionTable regions;
    if (!manifest.Load(positional[0])) {
        std::fprintf(stderr, "mkdata: %s\n", manifest.Error().c_str());
        return 1;
    }
    if (!regions.Load(positional[1])) {
        std::fprintf(stderr, "mkdata: %s\n", regions.Error().c_str());
        return 1;
    }
    mkdata::GeneratorOptions options;
    options.sourceFolder = std::filesystem::path(positional[0]).parent_path().string();
    options.speech = speech && mkdata::SpeechSynth::IsAvailable();
    if (speech && !options.speech) {
        std::fprintf(stderr, "mkdata: espeak-ng is not available; the voice lines become tones\n");
    }
    mkdata::DataGenerator generator(manifest, regions, options);
    mkdata::GeneratorReport report;
    if (!generator.Run(positional[2], only, jobs, report)) {
        std::fprintf(stderr, "mkdata: %s\n", generator.Error().c_str());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("mkdata: %u packages, %u items, %.1f MB in %.1f s\n", report.packages, report.items,
                static_cast<double>(report.bytes) / (1024.0 * 1024.0), seconds);
    return 0;
}
