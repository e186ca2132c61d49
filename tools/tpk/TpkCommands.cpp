#include "tools/tpk/TpkCommands.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "QuillLib/core/FileStream.h"
#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/PackageWriter.h"
#include "QuillLib/resource/ResourcePath.h"
#include "platform/system/CodePage.h"
#include "tools/tpk/ItemFolder.h"
#include "tools/tpk/ItemSummary.h"
#include "tools/tpk/TextureExport.h"

namespace tpk {
namespace {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

int Fail(const std::string& message) {
    std::cerr << "tpk: " << message << "\n";
    return 1;
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

// A package opened for reading outside any manager and without a render device.
class PackageReader {
public:
    bool Open(const std::string& path) {
        package_ = std::make_unique<quill::Package>(quill::GetBaseName(Utf8ToUtf16(path)), nullptr);
        return package_->ReadIndex(Utf8ToUtf16(path), false);
    }

    // The named resource file with all its items; null when it is absent or damaged.
    quill::ResourceFile* ReadFile(quill::WStringView name) { return package_->GetResourceFile(name, true); }
    // Lets a file read before go again.
    void Forget(quill::WStringView name) { package_->UnloadFile(name); }

    const quill::Package& Index() const { return *package_; }

private:
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

bool WriteWholeFile(const std::string& path, quill::MemoryStream& bytes) {
    quill::FileStream file(Utf8ToUtf16(path));
    return file.Open(quill::FileStream::kWrite) && bytes.WriteTo(file);
}

// Writes the package of a loaded folder; with headerPath, also its identifier header.
int WritePackage(ItemFolder& folder, quill::Stream& out, const std::string& packageName,
                 const std::string& headerPath) {
    quill::PackageWriter writer;
    for (const auto& file : folder.Files()) {
        if (!writer.AddFile(*file)) {
            return Fail(Utf16ToUtf8(file->Name()) + ": a second resource file of that name");
        }
    }
    std::FILE* header = nullptr;
    if (!headerPath.empty()) {
        header = std::fopen(headerPath.c_str(), "wb");
        if (!header) {
            return Fail(headerPath + ": cannot be created");
        }
        std::fprintf(header, "// Identifiers of the items of %s.\n#pragma once\n\nnamespace %s\n{\n",
                     packageName.c_str(), Utf16ToUtf8(quill::MakeIdentifier(Utf8ToUtf16(packageName))).c_str());
    }
    const bool written = writer.Write(out, header);
    if (header) {
        std::fputs("}\n", header);
        if (std::fclose(header) != 0 && written) {
            return Fail(headerPath + ": cannot be written");
        }
    }
    return written ? 0 : Fail("the package could not be written (a file name longer than 15 bytes?)");
}

}  // namespace

int ListPackage(const Arguments& args) {
    if (args.size() != 1) {
        return Fail("usage: tpk list <package>");
    }
    PackageReader reader;
    if (!reader.Open(args[0])) {
        return Fail(args[0] + ": not a readable package");
    }
    for (const quill::Package::IndexEntry& entry : reader.Index().IndexEntries()) {
        quill::ResourceFile* file = reader.ReadFile(entry.name);
        std::cout << Utf16ToUtf8(entry.name) << "  at " << entry.offset;
        if (!file) {
            std::cout << "  (damaged)\n";
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
    return 0;
}

int ExtractItem(const Arguments& args) {
    if (args.size() != 5) {
        return Fail("usage: tpk extract <package> <file> <kind> <id> <output>");
    }
    quill::ResourceKind kind{};
    uint32_t id = 0;
    if (!ParseKind(args[2], kind)) {
        return Fail(args[2] + ": not a resource kind");
    }
    if (!ParseNumber(args[3], id)) {
        return Fail(args[3] + ": not an item id");
    }
    PackageReader reader;
    if (!reader.Open(args[0])) {
        return Fail(args[0] + ": not a readable package");
    }
    quill::ResourceFile* file = reader.ReadFile(Utf8ToUtf16(args[1]));
    if (!file) {
        return Fail(args[1] + ": no such resource file, or it is damaged");
    }
    quill::MemoryStream body;
    if (!file->GetTable(quill::KindIndex(kind))->SaveItemBody(id, body, true)) {
        return Fail(args[1] + " holds no " + Utf16ToUtf8(quill::GetKindInfo(kind).longName) + " item " + args[3]);
    }
    return WriteWholeFile(args[4], body) ? 0 : Fail(args[4] + ": cannot be written");
}

int ExportTexture(const Arguments& args) {
    uint32_t id = 0;
    uint32_t key = 0;
    if (args.size() != 4 && args.size() != 5) {
        return Fail("usage: tpk png <package> <file> <texture id> <output> [<image key>]");
    }
    if (!ParseNumber(args[2], id) || (args.size() == 5 && (!ParseNumber(args[4], key) || key > 0xFFFF))) {
        return Fail("a texture id and an image key are numbers");
    }
    PackageReader reader;
    if (!reader.Open(args[0])) {
        return Fail(args[0] + ": not a readable package");
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
    std::string error;
    return ExportTexturePng(*texture, imageKey, args[3], error) ? 0 : Fail(error);
}

int BuildPackage(const Arguments& args) {
    Arguments rest = args;
    uint32_t version = quill::kCurrentFileVersion;
    if (rest.size() >= 2 && rest[0] == "-v") {
        if (!ParseNumber(rest[1], version)) {
            return Fail(rest[1] + ": not a version");
        }
        rest.erase(rest.begin(), rest.begin() + 2);
    }
    if (rest.size() != 2 && rest.size() != 3) {
        return Fail("usage: tpk build [-v <version>] <folder> <package> [<header>]");
    }
    ItemFolder folder;
    if (!folder.Load(rest[0], version)) {
        return Fail(folder.Error());
    }
    quill::FileStream out(Utf8ToUtf16(rest[1]));
    if (!out.Open(quill::FileStream::kWrite)) {
        return Fail(rest[1] + ": cannot be created");
    }
    const std::string packageName = std::filesystem::path(rest[1]).stem().string();
    return WritePackage(folder, out, packageName, rest.size() == 3 ? rest[2] : std::string());
}

int WriteHeader(const Arguments& args) {
    if (args.size() != 2) {
        return Fail("usage: tpk header <folder> <header>");
    }
    ItemFolder folder;
    if (!folder.Load(args[0], quill::kCurrentFileVersion)) {
        return Fail(folder.Error());
    }
    quill::MemoryStream discarded;
    const std::string packageName = std::filesystem::path(args[0]).filename().string();
    return WritePackage(folder, discarded, packageName, args[1]);
}

}  // namespace tpk
