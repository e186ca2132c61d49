#pragma once
// One part of a leaf that draws whole objects, with the state of the object it came from: its world
// transform (none for parts whose vertices need none), material alpha, mirror flag and cull mode. The entry
// makes the device textures of its part's material and releases them when it goes; bump and cube maps are
// made only for mirrored objects, which draw the reflections they serve.
//
// Threads: the thread that drives the scenes.
#include <cstdint>
#include <vector>

#include "QuillLib/core/SharedPtr.h"

namespace quill {

class MeshPart;
class Texture;
struct Matrix4;

class PartEntry {
public:
    static constexpr uint32_t kDefaultCull = 0xFFFFFFFF;

    PartEntry(MeshPart& entryPart, const Matrix4* entryTransform, float entryAlpha, uint8_t entryMirror,
              uint8_t entryHasNormals, uint32_t entryCull)
        : part(&entryPart), transform(entryTransform), alpha(entryAlpha), mirror(entryMirror),
          hasNormals(entryHasNormals), cull(entryCull) {}
    ~PartEntry() { Release(); }
    PartEntry(const PartEntry&) = delete;
    PartEntry& operator=(const PartEntry&) = delete;

    // Makes the device textures once; false when one of them could not be made.
    bool Acquire();
    void Release();
    // The depth of the part in the current view (its cull record), for drawing far parts first.
    float Depth() const;

    MeshPart* part;
    const Matrix4* transform;
    float alpha;
    uint8_t mirror;
    uint8_t hasNormals;
    uint32_t cull;

private:
    bool acquired_ = false;
    std::vector<SharedPtr<Texture>> textures_;
};

}  // namespace quill
