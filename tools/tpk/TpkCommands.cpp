#include "tools/tpk/TpkCommands.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/PackageWriter.h"
#include "QuillLib/resource/ResourcePath.h"
#include "platform/system/CodePage.h"
#include "tools/tpk/ItemFolder.h"
#include "tools/tpk/ItemSummary.h"
#include "tools/tpk/LocalFile.h"
#include "tools/tpk/TextureExport.h"

namespace tpk {
namespace {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

int Fail(const std::string& message) {
    std::cerr << "tpk: " << message << "\n";
    return kFailed;
}

int Usage(const std::string& message) {
    std::cerr << "tpk: " << message << "\n";
    return kUsageError;
}

bool ParseNumber(const std::string& text, uint32_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// The kind named by its long or short name, its extension or its index.
bool ParseKind(const std::string& text, quill::ResourceKind& kind) {
    uint32_t index = 0;
    if (ParseNumber(text, index)) {
        kind = static_cast<quill::ResourceKind>(index);
        return index < quill::kResourceKindCount;
    }
    const quill::WString wanted = quill::ToUpperString(Utf8ToUtf16(text));
    for (index = 0; index < quill::kResourceKindCount; ++index) {
        const quill::ResourceKindInfo& info = quill::GetKindInfo(static_cast<quill::ResourceKind>(index));
        if (wanted == info.longName || wanted == info.shortName || wanted == quill::ToUpperString(info.extension)) {
            kind = static_cast<quill::ResourceKind>(index);
            return true;
        }
    }
    return false;
}

// A package opened for reading outside any manager and without a render device. The whole file is read
// first, by the name as the command line gave it (which need not be UTF-8).
class PackageReader {
public:
    // False with the reason in error.
    bool Open(const std::string& path, std::string& error) {
        if (!LocalFile::Read(path, bytes_, error)) {
            return false;
        }
        package_ = std::make_unique<quill::Package>(quill::GetBaseName(Utf8ToUtf16(path)), nullptr);
        if (!package_->ReadIndex(bytes_, Utf8ToUtf16(path), false)) {
            error = LocalFile::Display(path) + ": not a package (its index is damaged)";
            return false;
        }
        return true;
    }

    // The named resource file with all its items; null when it is absent or damaged.
    quill::ResourceFile* ReadFile(quill::WStringView name) {
        if (quill::ResourceFile* loaded = package_->FindLoadedFile(name)) {
            return loaded;
        }
        return package_->LoadResourceFile(nullptr, bytes_, name, true);
    }
    // Lets a file read before go again.
    void Forget(quill::WStringView name) { package_->UnloadFile(name); }

    const quill::Package& Index() const { return *package_; }

private:
    quill::MemoryStream bytes_;
    std::unique_ptr<quill::Package> package_;
};

void PrintTable(quill::ResourceTable& table) {
    std::cout << "  " << Utf16ToUtf8(table.GetKindName()) << ": " << table.GetCount() << " item(s)\n";
    for (uint32_t id : table.GetIds()) {
        quill::MemoryStream body;
        const bool saved = table.SaveItemBody(id, body, true);
        std::cout << "    " << id << "  " << (saved ? std::to_string(body.Size()) + " bytes" : "?");
        const quill::SharedPtr<quill::NamedObject> item = table.FindById(id);
        if (!item->name.empty()) {
            std::cout << "  " << Utf16ToUtf8(item->name);
        }
        const std::string contents = DescribeItem(table.Kind(), *item);
        std::cout << (contents.empty() ? "" : "  " + contents) << "\n";
    }
}

// The identifier header's text as the package writer gives it, collected in memory.
class HeaderText {
public:
    HeaderText() : file_(open_memstream(&text_, &size_)) {}
    ~HeaderText() {
        Close();
        std::free(text_);
    }
    HeaderText(const HeaderText&) = delete;
    HeaderText& operator=(const HeaderText&) = delete;

    std::FILE* File() const { return file_; }
    // The text written so far; the file is closed afterwards. False when it could not be kept whole.
    bool Take(std::string& text) {
        if (!Close() || text_ == nullptr) {
            return false;
        }
        text.assign(text_, size_);
        return true;
    }

private:
    bool Close() {
        const bool closed = file_ == nullptr || std::fclose(file_) == 0;
        file_ = nullptr;
        return closed;
    }

    char* text_ = nullptr;
    size_t size_ = 0;
    std::FILE* file_;
};

// Writes the package of a loaded folder to packagePath and, with headerPath, its identifier header. Both
// are made whole in memory first and then replace their files, so a failure leaves older versions as they
// were.
int WritePackage(ItemFolder& folder, const std::string& packageName, const std::string& packagePath,
                 const std::string& headerPath) {
    quill::PackageWriter writer;
    for (const auto& file : folder.Files()) {
        if (!writer.AddFile(*file)) {
            return Fail(Utf16ToUtf8(file->Name()) + ": a second resource file of that name");
        }
    }
    HeaderText header;
    if (header.File() == nullptr) {
        return Fail("no memory for the header");
    }
    std::fprintf(header.File(), "// Identifiers of the items of %s.\n#pragma once\n\nnamespace %s\n{\n",
                 packageName.c_str(), Utf16ToUtf8(quill::MakeIdentifier(Utf8ToUtf16(packageName))).c_str());
    quill::MemoryStream package;
    if (!writer.Write(package, header.File())) {
        return Fail("the package could not be written (a file name longer than 15 bytes?)");
    }
    std::fputs("}\n", header.File());
    std::string headerText;
    std::string error;
    if (!header.Take(headerText)) {
        return Fail("the header could not be made");
    }
    if (!packagePath.empty() &&
        !LocalFile::Replace(packagePath, {reinterpret_cast<const char*>(package.Data()), package.Size()}, error)) {
        return Fail(error);
    }
    if (!headerPath.empty() && !LocalFile::Replace(headerPath, headerText, error)) {
        return Fail(error);
    }
    return kSucceeded;
}

}  // namespace

int ListPackage(const Arguments& args) {
    if (args.size() != 1) {
        return Usage("usage: tpk list <package>");
    }
    PackageReader reader;
    std::string error;
    if (!reader.Open(args[0], error)) {
        return Fail(error);
    }
    uint32_t damaged = 0;
    std::map<uint32_t, quill::WString> listedAt;
    for (const quill::Package::IndexEntry& entry : reader.Index().IndexEntries()) {
        // An entry that shares its offset with one listed before holds the same file: listed once.
        const auto [earlier, first] = listedAt.emplace(entry.offset, entry.name);
        if (!first) {
            std::cout << Utf16ToUtf8(entry.name) << "  at " << entry.offset << "  the same as "
                      << Utf16ToUtf8(earlier->second) << "\n";
            continue;
        }
        // Read before the line starts, so that what the load reports stands on lines of its own.
        quill::ResourceFile* file = reader.ReadFile(entry.name);
        std::cout << Utf16ToUtf8(entry.name) << "  at " << entry.offset;
        if (!file) {
            std::cout << "  (damaged)\n";
            ++damaged;
            continue;
        }
        std::cout << "  version " << file->GetVersion() << "\n";
        for (uint32_t kind = 0; kind < quill::kResourceKindCount; ++kind) {
            if (file->GetTable(kind)->GetCount() > 0) {
                PrintTable(*file->GetTable(kind));
            }
        }
        reader.Forget(entry.name);
    }
    if (damaged > 0) {
        return Fail(LocalFile::Display(args[0]) + ": " + std::to_string(damaged) + " damaged resource file(s)");
    }
    return kSucceeded;
}

int ExtractItem(const Arguments& args) {
    if (args.size() != 5) {
        return Usage("usage: tpk extract <package> <file> <kind> <id> <output>");
    }
    quill::ResourceKind kind{};
    uint32_t id = 0;
    if (!ParseKind(args[2], kind)) {
        return Usage(args[2] + ": not a resource kind");
    }
    if (!ParseNumber(args[3], id)) {
        return Usage(args[3] + ": not an item id");
    }
    PackageReader reader;
    std::string error;
    if (!reader.Open(args[0], error)) {
        return Fail(error);
    }
    quill::ResourceFile* file = reader.ReadFile(Utf8ToUtf16(args[1]));
    if (!file) {
        return Fail(args[1] + ": no such resource file, or it is damaged");
    }
    quill::MemoryStream body;
    if (!file->GetTable(quill::KindIndex(kind))->SaveItemBody(id, body, true)) {
        return Fail(args[1] + " holds no " + Utf16ToUtf8(quill::GetKindInfo(kind).longName) + " item " + args[3]);
    }
    if (!LocalFile::Replace(args[4], {reinterpret_cast<const char*>(body.Data()), body.Size()}, error)) {
        return Fail(error);
    }
    return kSucceeded;
}

int ExportTexture(const Arguments& args) {
    uint32_t id = 0;
    uint32_t key = 0;
    if (args.size() != 4 && args.size() != 5) {
        return Usage("usage: tpk png <package> <file> <texture id> <output> [<image key>]");
    }
    if (!ParseNumber(args[2], id) || (args.size() == 5 && (!ParseNumber(args[4], key) || key > 0xFFFF))) {
        return Usage("a texture id and an image key are numbers");
    }
    PackageReader reader;
    std::string error;
    if (!reader.Open(args[0], error)) {
        return Fail(error);
    }
    quill::ResourceFile* file = reader.ReadFile(Utf8ToUtf16(args[1]));
    if (!file) {
        return Fail(args[1] + ": no such resource file, or it is damaged");
    }
    const quill::SharedPtr<quill::Texture> texture = file->FindTexture(id);
    if (!texture) {
        return Fail(args[1] + " holds no TEXTURE item " + args[2]);
    }
    const uint16_t imageKey = args.size() == 5 ? static_cast<uint16_t>(key) : texture->GetCurrentKey();
    return ExportTexturePng(*texture, imageKey, args[3], error) ? kSucceeded : Fail(error);
}

int BuildPackage(const Arguments& args) {
    Arguments rest = args;
    uint32_t version = quill::kCurrentFileVersion;
    if (rest.size() >= 2 && rest[0] == "-v") {
        if (!ParseNumber(rest[1], version)) {
            return Usage(rest[1] + ": not a version");
        }
        rest.erase(rest.begin(), rest.begin() + 2);
    }
    if (rest.size() != 2 && rest.size() != 3) {
        return Usage("usage: tpk build [-v <version>] <folder> <package> [<header>]");
    }
    ItemFolder folder;
    if (!folder.Load(rest[0], version)) {
        return Fail(folder.Error());
    }
    const std::string packageName = std::filesystem::path(rest[1]).stem().string();
    return WritePackage(folder, packageName, rest[1], rest.size() == 3 ? rest[2] : std::string());
}

int WriteHeader(const Arguments& args) {
    if (args.size() != 2) {
        return Usage("usage: tpk header <folder> <header>");
    }
    ItemFolder folder;
    if (!folder.Load(args[0], quill::kCurrentFileVersion)) {
        return Fail(folder.Error());
    }
    const std::string packageName = std::filesystem::path(args[0]).filename().string();
    return WritePackage(folder, packageName, std::string(), args[1]);
}

}  // namespace tpk
