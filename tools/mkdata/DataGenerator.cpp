#include "tools/mkdata/DataGenerator.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

#include "QuillLib/resource/PackageWriter.h"
#include "platform/system/CodePage.h"
#include "tools/mkdata/MakerRegistry.h"
#include "tools/mkdata/ResourceFileBuilder.h"

namespace mkdata {
namespace {

// Models refer to textures, materials and meshes; scene descriptions to models: they are made last.
int BuildStage(quill::ResourceKind kind) {
    switch (kind) {
        case quill::ResourceKind::Model: return 1;
        case quill::ResourceKind::SceneInfo: return 2;
        default: return 0;
    }
}

}  // namespace

DataGenerator::DataGenerator(const Manifest& manifest, const RegionTable& regions, GeneratorOptions options)
    : manifest_(manifest), regions_(regions), options_(std::move(options)) {}

std::vector<std::string> DataGenerator::PackageNames() const {
    std::vector<std::string> names;
    for (const ManifestEntry& entry : manifest_.Entries()) {
        if (std::find(names.begin(), names.end(), entry.package) == names.end()) {
            names.push_back(entry.package);
        }
    }
    return names;
}

bool DataGenerator::Run(const std::string& folder, const std::vector<std::string>& only, uint32_t jobs,
                        GeneratorReport& report) {
    std::vector<std::string> packages;
    for (const std::string& name : PackageNames()) {
        if (only.empty() || std::find(only.begin(), only.end(), name) != only.end()) {
            packages.push_back(name);
        }
    }
    for (const std::string& name : only) {
        if (std::find(packages.begin(), packages.end(), name) == packages.end()) {
            error_ = "the manifest has no package " + name;
            return false;
        }
    }
    std::error_code created;
    std::filesystem::create_directories(folder, created);

    std::atomic<size_t> next{0};
    std::mutex lock;
    std::vector<std::string> problems;
    const auto work = [&] {
        for (size_t index = next++; index < packages.size(); index = next++) {
            GeneratorReport own;
            const std::string problem = BuildPackage(packages[index], folder, own);
            std::lock_guard hold(lock);
            if (!problem.empty()) {
                problems.push_back(problem);
            }
            report.packages += own.packages;
            report.items += own.items;
            report.bytes += own.bytes;
        }
    };
    std::vector<std::thread> threads;
    for (uint32_t i = 1; i < std::max<uint32_t>(1, jobs); ++i) {
        threads.emplace_back(work);
    }
    work();
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (!problems.empty()) {
        std::sort(problems.begin(), problems.end());
        error_ = problems.front();
        return false;
    }
    return true;
}

std::string DataGenerator::BuildPackage(const std::string& package, const std::string& folder,
                                        GeneratorReport& report) const {
    std::vector<std::unique_ptr<ResourceFileBuilder>> files;
    std::string problem = MakeItems(package, files, report);
    if (!problem.empty()) {
        return problem;
    }
    return WritePackage(package, files, folder, report);
}

std::string DataGenerator::MakeItems(const std::string& package,
                                     std::vector<std::unique_ptr<ResourceFileBuilder>>& files,
                                     GeneratorReport& report) const {
    const MakerRegistry makers = MakerRegistry::Standard();
    const auto fileNamed = [&files](const std::string& name) -> ResourceFileBuilder& {
        for (const auto& file : files) {
            if (file->Name() == name) {
                return *file;
            }
        }
        files.push_back(std::make_unique<ResourceFileBuilder>(name));
        return *files.back();
    };
    for (int stage = 0; stage <= 2; ++stage) {
        for (const ManifestEntry& entry : manifest_.Entries()) {
            if (entry.package != package) {
                continue;
            }
            ResourceFileBuilder& file = fileNamed(entry.file);
            if (BuildStage(entry.kind) != stage) {
                continue;
            }
            quill::ResourceKind makes{};
            const MakerRegistry::Maker* maker = makers.Find(entry.maker, makes);
            if (!maker) {
                return entry.Where() + ": no maker " + entry.maker;
            }
            if (makes != entry.kind) {
                return entry.Where() + ": " + entry.maker + " makes " +
                       platform::Utf16ToUtf8(quill::GetKindInfo(makes).longName) + " items";
            }
            MakeContext context(entry, file, regions_, options_);
            if (!(*maker)(context)) {
                return context.error.empty() ? entry.Where() + ": failed" : context.error;
            }
            ++report.items;
        }
    }
    return {};
}

std::string DataGenerator::WritePackage(const std::string& package,
                                        const std::vector<std::unique_ptr<ResourceFileBuilder>>& files,
                                        const std::string& folder, GeneratorReport& report) const {
    quill::PackageWriter writer;
    for (const auto& file : files) {
        const std::string problem = file->Check();
        if (!problem.empty()) {
            return package + "/" + problem;
        }
        if (!writer.AddFile(file->File())) {
            return package + "/" + file->Name() + ": a second resource file of that name";
        }
    }
    // The package replaces an older one only once written whole, flushed and closed.
    const std::filesystem::path target = std::filesystem::path(folder) / (package + ".tpk");
    if (!writer.WriteFile(platform::Utf8ToUtf16(target.string()))) {
        return target.string() + ": cannot be written (a resource file name longer than 15 bytes, or the disk?)";
    }
    std::error_code renamed;
    report.packages = 1;
    report.bytes = std::filesystem::file_size(target, renamed);
    return {};
}

}  // namespace mkdata
