#include "tools/tpk/ItemFolder.h"

#include <algorithm>
#include <charconv>

#include "QuillLib/core/FileStream.h"
#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/resource/ResourcePath.h"
#include "platform/system/CodePage.h"

namespace tpk {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> SortedEntries(const fs::path& folder, bool folders) {
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (folders ? entry.is_directory() : entry.is_regular_file()) {
            entries.push_back(entry.path());
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
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

bool ReadWholeFile(const fs::path& path, quill::MemoryStream& bytes) {
    quill::FileStream file(platform::Utf8ToUtf16(path.string()));
    return file.Open(quill::FileStream::kRead) && bytes.Allocate(file.Size()) && bytes.ReadFrom(file);
}

}  // namespace

bool ItemFolder::Load(const fs::path& folder, uint32_t version) {
    files_.clear();
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return Fail(folder.string() + ": not a folder");
    }
    for (const fs::path& fileFolder : SortedEntries(folder, true)) {
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
    std::vector<fs::path> items = SortedEntries(folder, false);
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
        return Fail(path.string() + ": the extension names no resource kind");
    }
    if (!ParseStem(path.stem().string(), id, name)) {
        return Fail(path.string() + ": expected <id>[-<name>]");
    }
    if (!quill::IsKindPresent(file.GetVersion(), kind)) {
        return Fail(path.string() + ": version " + std::to_string(file.GetVersion()) + " holds no such items");
    }
    quill::MemoryStream body;
    if (!ReadWholeFile(path, body)) {
        return Fail(path.string() + ": cannot be read");
    }
    quill::ResourceTable& table = *file.GetTable(quill::KindIndex(kind));
    if (!table.LoadItem(body, body, id, true)) {
        return Fail(path.string() + ": not a valid item body or a second item of that id");
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
