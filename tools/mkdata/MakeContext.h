#pragma once
// What a maker works with while it builds one manifest entry: the entry, the resource file it goes into,
// the interface region table and the generator's options; and the helpers that store the bodies it makes.
#include <cstdint>
#include <string>

#include "tools/mkdata/ManifestEntry.h"
#include "tools/mkdata/MaterialBody.h"
#include "tools/mkdata/MeshBuilder.h"
#include "tools/mkdata/ModelNode.h"
#include "tools/mkdata/RegionTable.h"
#include "tools/mkdata/ResourceFileBuilder.h"
#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

struct GeneratorOptions {
    std::string sourceFolder;  // where the manifest's data files are (word lists)
    bool speech = true;        // espeak-ng may be run
};

class MakeContext {
public:
    MakeContext(const ManifestEntry& entry, ResourceFileBuilder& file, const RegionTable& regions,
                const GeneratorOptions& options)
        : entry(entry), file(file), regions(regions), options(options) {}

    // The entry's item as a texture of one image; clamp keeps the edges from wrapping (interface images).
    bool AddTexture(const RgbaImage& image, bool clamp, bool mipmaps);
    // Derived items under the next free id of their kind; kNone when they cannot be stored.
    uint32_t AppendMaterial(const MaterialBody& material);
    uint32_t AppendMesh(const MeshBuilder& mesh);
    // A node that attaches the mesh (stored first), with the mesh's bound.
    bool AttachMesh(ModelNode& node, const MeshBuilder& mesh);
    // The entry's item as a model, or under the given id.
    bool AddModel(const ModelNode& root);
    bool AddModel(const ModelNode& root, uint32_t id);
    // The entry's item from a finished body.
    bool AddBody(BodyWriter& body);

    // Records the problem; always false, so makers can return Fail(...).
    bool Fail(const std::string& message);
    // A colour argument, or fallback; records a problem when malformed.
    bool ColourArgument(const std::string& key, Argb fallback, Argb& out);
    bool NumberArgument(const std::string& key, float fallback, float& out);

    const ManifestEntry& entry;
    ResourceFileBuilder& file;
    const RegionTable& regions;
    const GeneratorOptions& options;
    std::string error;
};

}  // namespace mkdata
