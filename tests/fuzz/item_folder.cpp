// Arbitrary item folders as "tpk build" reads them: the input describes files (a resource-file folder, an
// item file name of arbitrary bytes, and the file's body) and, on request, a symbolic link that loops or a
// folder where a file should be; they are made in a fresh folder, loaded, written as a package and the
// package read back. Loading must fail with a message or succeed, never throw, crash or read out of
// bounds; what loads must write and read back.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/PackageWriter.h"
#include "platform/system/Console.h"
#include "tests/fuzz/FuzzInput.h"
#include "tools/tpk/ItemFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kExtensions[] = {"tbo", "ttx", "tmt", "tme", "tmo", "tsp", "tsa", "tba",
                                       "tva", "tma", "tsi", "tso", "tst", "tbd", "TBD", "xyz"};

using Reader = kvfuzz::FuzzInput;

// A file name of the input's bytes: no '/' and no NUL, which no file system takes.
std::string NamePart(Reader& in, size_t length) {
    std::string name = in.Bytes(length);
    for (char& c : name) {
        if (c == '/' || c == '\0') {
            c = '_';
        }
    }
    return name;
}

void MakeEntry(Reader& in, const fs::path& root) {
    const uint8_t shape = in.Byte();
    const fs::path folder = root / ("file" + std::to_string(shape % 3));
    std::error_code error;
    fs::create_directories(folder, error);
    const std::string id = std::to_string(in.Byte());
    const std::string name = id + (shape & 0x10 ? "-" + NamePart(in, in.Byte() % 12) : "");
    const char* extension = kExtensions[in.Byte() % std::size(kExtensions)];
    const fs::path item = folder / (name + "." + extension);
    switch (shape & 0x0C) {
        case 0x04:  // a link to itself
            symlink(item.filename().c_str(), item.c_str());
            return;
        case 0x08:  // a folder where an item file belongs
            fs::create_directories(item, error);
            return;
        default: {
            const uint8_t low = in.Byte();
            const size_t length = (low | in.Byte() << 8) % 2048;
            std::ofstream(item, std::ios::binary) << in.Bytes(length);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    platform::SetConsoleSink([](std::string_view) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // Below TMPDIR when set: a folder in memory (/dev/shm) makes the many small files quick.
    std::string pattern = (fs::temp_directory_path() / "fuzz_item_folder_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    const fs::path root(pattern);
    Reader in({bytes, size});
    for (int entries = 0; entries < 8 && !in.Empty(); ++entries) {
        MakeEntry(in, root);
    }
    tpk::ItemFolder folder;
    if (folder.Load(root, quill::kCurrentFileVersion)) {
        quill::PackageWriter writer;
        bool added = true;
        for (const auto& file : folder.Files()) {
            added = added && writer.AddFile(*file);
        }
        quill::MemoryStream package;
        if (added && writer.Write(package)) {
            package.Seek(quill::Stream::kFromBegin, 0);
            quill::Package reread(u"fuzz", nullptr);
            if (!reread.ReadIndex(package, u"fuzz.tpk", true)) {
                std::abort();  // what the writer wrote must read back
            }
        }
    } else if (folder.Error().empty()) {
        std::abort();  // a failure always says why
    }
    std::error_code error;
    fs::remove_all(root, error);
    return 0;
}
