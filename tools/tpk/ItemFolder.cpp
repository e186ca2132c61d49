#include "tools/tpk/ItemFolder.h"

#include <algorithm>
#include <charconv>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/resource/ResourcePath.h"
#include "platform/system/CodePage.h"
#include "tools/tpk/LocalFile.h"

namespace tpk {
namespace {

namespace fs = std::filesystem;

// The folders (or the regular files) in folder, in name order; false with a message for an entry whose type
// cannot be told (a link that loops or leads nowhere) or a folder that cannot be read.
bool SortedEntries(const fs::path& folder, bool folders, std::vector<fs::path>& entries, std::string& error) {
    entries.clear();
    std::error_code code;
    for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
        const fs::file_status status = it->status(code);
        if (code) {
            error = LocalFile::Display(it->path()) + ": " + code.message();
            return false;
        }
        if (folders ? fs::is_directory(status) : fs::is_regular_file(status)) {
            entries.push_back(it->path());
        }
    }
    if (code) {
        error = LocalFile::Display(folder) + ": " + code.message();
        return false;
    }
    std::sort(entries.begin(), entries.end());
    return true;
}

bool KindOfExtension(const std::string& extension, quill::ResourceKind& kind) {
    const quill::WString wanted = quill::ToLowerString(platform::Utf8ToUtf16(extension));
    for (uint32_t index = 0; index < quill::kResourceKindCount; ++index) {
        if (quill::GetKindInfo(static_cast<quill::ResourceKind>(index)).extension == wanted) {
            kind = static_cast<quill::ResourceKind>(index);
            return true;
        }
    }
    return false;
}

// Items load in kind order, so that those an item refers to (a material's textures, a mesh's skeleton
// and materials) are there before it; an unknown extension sorts last and fails when it is loaded.
uint32_t LoadOrder(const fs::path& item) {
    quill::ResourceKind kind{};
    const std::string extension = item.extension().string();
    return !extension.empty() && KindOfExtension(extension.substr(1), kind) ? quill::KindIndex(kind)
                                                                              : quill::kResourceKindCount;
}

// "<id>" or "<id>-<name>".
bool ParseStem(const std::string& stem, uint32_t& id, std::string& name) {
    const char* end = stem.data() + stem.size();
    const auto [rest, error] = std::from_chars(stem.data(), end, id);
    if (error != std::errc() || rest == stem.data()) {
        return false;
    }
    if (rest == end) {
        return true;
    }
    if (*rest != '-') {
        return false;
    }
    name.assign(rest + 1, end);
    return true;
}

}  // namespace

bool ItemFolder::Load(const fs::path& folder, uint32_t version) {
    files_.clear();
    std::error_code code;
    if (!fs::is_directory(folder, code)) {
        return Fail(LocalFile::Display(folder) + ": " + (code ? code.message() : "not a folder"));
    }
    std::vector<fs::path> fileFolders;
    if (!SortedEntries(folder, true, fileFolders, error_)) {
        return false;
    }
    for (const fs::path& fileFolder : fileFolders) {
        if (!LoadResourceFile(fileFolder, version)) {
            return false;
        }
    }
    return true;
}

bool ItemFolder::LoadResourceFile(const fs::path& folder, uint32_t version) {
    auto file =
        std::make_unique<quill::ResourceFile>(platform::Utf8ToUtf16(folder.filename().string()), nullptr, nullptr);
    file->SetVersion(version);
    std::vector<fs::path> items;
    if (!SortedEntries(folder, false, items, error_)) {
        return false;
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const fs::path& a, const fs::path& b) { return LoadOrder(a) < LoadOrder(b); });
    for (const fs::path& item : items) {
        if (!LoadItem(*file, item)) {
            return false;
        }
    }
    files_.push_back(std::move(file));
    return true;
}

bool ItemFolder::LoadItem(quill::ResourceFile& file, const fs::path& path) {
    quill::ResourceKind kind{};
    uint32_t id = 0;
    std::string name;
    const std::string extension = path.extension().string();
    if (extension.empty() || !KindOfExtension(extension.substr(1), kind)) {
        return Fail(LocalFile::Display(path) + ": the extension names no resource kind");
    }
    if (!ParseStem(path.stem().string(), id, name)) {
        return Fail(LocalFile::Display(path) + ": expected <id>[-<name>]");
    }
    if (!quill::IsKindPresent(file.GetVersion(), kind)) {
        return Fail(LocalFile::Display(path) + ": version " + std::to_string(file.GetVersion()) + " holds no such items");
    }
    quill::MemoryStream body;
    if (!LocalFile::Read(path, body, error_)) {
        return false;
    }
    quill::ResourceTable& table = *file.GetTable(quill::KindIndex(kind));
    if (!table.LoadItem(body, body, id, true)) {
        return Fail(LocalFile::Display(path) + ": not a valid item body or a second item of that id");
    }
    if (!name.empty()) {
        table.RenameItem(id, platform::Utf8ToUtf16(name));
    }
    return true;
}

bool ItemFolder::Fail(const std::string& message) {
    error_ = message;
    return false;
}

}  // namespace tpk
