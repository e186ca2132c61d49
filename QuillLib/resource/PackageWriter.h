#pragma once
// Writes a package from resource files held in memory, in the layout the package and resource-file
// readers expect: the index, then each resource file with running table and item indices, absolute table
// and item-entry offsets, and zlib-compressed item records.
//
// Each file is written in the form of its version (ResourceFile::GetVersion): only the kinds that version
// holds, and only the items the tables hold now (a file read without items writes empty tables). Items
// are written in id order; a table whose ids are 0 .. count-1 can also be loaded item by item.
#include <cstdio>
#include <vector>

#include "QuillLib/core/Stream.h"
#include "QuillLib/core/WString.h"

namespace quill {

class ResourceFile;

class PackageWriter {
public:
    // Adds a file under its name (at most 15 bytes in the code page). The file must outlive Write.
    // False when a file of the same name (ASCII case ignored) was added before.
    bool AddFile(ResourceFile& file);

    // Writes the package to out, which must be seekable and empty. With header, also writes per file an
    // enumeration "<FILE>_ID" of its items and then the kinds' own header sections (the lines around
    // them are the caller's). False at the first failure.
    bool Write(Stream& out, std::FILE* header = nullptr);
    // Writes the package file at path (a Windows path). An older file there is replaced only once the whole
    // package is on the disk; on failure it stays as it was.
    bool WriteFile(WStringView path, std::FILE* header = nullptr);

private:
    bool WriteResourceFile(Stream& out, ResourceFile& file, std::FILE* header);

    std::vector<ResourceFile*> files_;
};

}  // namespace quill
