#pragma once
// A folder of item files, the editable form of a package:
//   <folder>/<resource file>/<id>[-<name>].<kind extension>
// Each item file holds the item's packed body, as "tpk extract" writes it; the optional name after the
// id becomes the item's name (used by identifier headers).
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "QuillLib/resource/ResourceFile.h"

namespace tpk {

class ItemFolder {
public:
    // Reads every resource-file folder, in name order, into resource files of the given version.
    // False with a message in Error() at the first item that does not load.
    bool Load(const std::filesystem::path& folder, uint32_t version);

    const std::vector<std::unique_ptr<quill::ResourceFile>>& Files() const { return files_; }
    const std::string& Error() const { return error_; }

private:
    bool LoadResourceFile(const std::filesystem::path& folder, uint32_t version);
    bool LoadItem(quill::ResourceFile& file, const std::filesystem::path& path);
    bool Fail(const std::string& message);

    std::vector<std::unique_ptr<quill::ResourceFile>> files_;
    std::string error_;
};

}  // namespace tpk
