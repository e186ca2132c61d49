#pragma once
// Builds every package of the manifest into an output folder: the items of each resource file by their
// makers (textures, sounds and other leaves first, then models, then scene descriptions, so that what an
// item refers to is already in its file), checked, and written through the package writer. Packages are
// built on several threads; each is written under a temporary name and renamed when complete.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/mkdata/MakeContext.h"
#include "tools/mkdata/Manifest.h"
#include "tools/mkdata/RegionTable.h"
#include "tools/mkdata/ResourceFileBuilder.h"

namespace mkdata {

struct GeneratorReport {
    uint32_t packages = 0;
    uint32_t items = 0;
    uint64_t bytes = 0;
};

class DataGenerator {
public:
    DataGenerator(const Manifest& manifest, const RegionTable& regions, GeneratorOptions options);

    // Builds the packages (all, or only the named ones) into folder; false with the first problem in Error().
    bool Run(const std::string& folder, const std::vector<std::string>& only, uint32_t jobs, GeneratorReport& report);
    const std::string& Error() const { return error_; }

    // The names of the manifest's packages, in the order they first appear.
    std::vector<std::string> PackageNames() const;

private:
    // Builds one package; empty on success, else the problem.
    std::string BuildPackage(const std::string& package, const std::string& folder, GeneratorReport& report) const;
    // The package's resource files with every item its entries make.
    std::string MakeItems(const std::string& package, std::vector<std::unique_ptr<ResourceFileBuilder>>& files,
                          GeneratorReport& report) const;
    // Checks the files and writes them as the package (under a temporary name, renamed when complete).
    std::string WritePackage(const std::string& package,
                             const std::vector<std::unique_ptr<ResourceFileBuilder>>& files,
                             const std::string& folder, GeneratorReport& report) const;

    const Manifest& manifest_;
    const RegionTable& regions_;
    GeneratorOptions options_;
    std::string error_;
};

}  // namespace mkdata
