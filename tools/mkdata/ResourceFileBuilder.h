#pragma once
// Collects the items of one resource file as packed bodies and hands the file to the package writer.
//
// Items that the game loads one by one (textures, materials, meshes, models, sprites, bones and bone
// animations) are found by their position in their table, so their ids must run 0, 1, 2, ... without gaps;
// Check tells when they do not.
#include <cstdint>
#include <memory>
#include <string>

#include "QuillLib/resource/ResourceFile.h"
#include "tools/mkdata/BodyWriter.h"

namespace mkdata {

class ResourceFileBuilder {
public:
    explicit ResourceFileBuilder(const std::string& name);

    // Adds the body under id; false when the id is taken or the body does not load into the table.
    bool Add(quill::ResourceKind kind, uint32_t id, BodyWriter& body);
    // Adds the body under the next free id of the kind and returns that id; kNone on failure.
    uint32_t Append(quill::ResourceKind kind, BodyWriter& body);
    uint32_t NextId(quill::ResourceKind kind) const;
    bool Holds(quill::ResourceKind kind, uint32_t id) const;

    // Empty when the ids are usable, else what is wrong.
    std::string Check() const;

    quill::ResourceFile& File() { return *file_; }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    std::unique_ptr<quill::ResourceFile> file_;
};

}  // namespace mkdata
