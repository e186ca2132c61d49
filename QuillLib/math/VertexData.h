#pragma once
// The vertices of a mesh: an interleaved layout described by flag bits, with per-attribute byte offsets and a
// stride, and the mark that tells the renderer to upload them again.
//
// Layout flags (stored in mesh records of resource files):
//   bit 0         position, three floats
//   bit 1         normal, three floats
//   bit 2         colour, one 32-bit word
//   bits 8-11     number of texture-coordinate sets, at most 8
//   bits 16 + 2i  size code of set i (two bits): 0 two floats, 1 one, 2 three, 3 none (skipped)
// Attributes follow each other in that order inside a vertex.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quill {

struct Transform;

class VertexData {
public:
    static constexpr uint32_t kPosition = 1;
    static constexpr uint32_t kNormal = 2;
    static constexpr uint32_t kColour = 4;
    static constexpr uint32_t kMaxTextureSets = 8;
    // The offset of an attribute that the layout does not hold.
    static constexpr uint32_t kAbsent = 0xFFFFFFFF;
    // The upload state of vertices changed since the last upload.
    static constexpr int32_t kChanged = -1;

    // The number of texture sets a layout word declares (bits 8-11), before any check.
    static uint32_t TextureSetCount(uint32_t layoutFlags);
    // The number of floats of texture set i in a layout word (0 for size code 3).
    static uint32_t TextureSetFloats(uint32_t layoutFlags, uint32_t set);

    // Derives the offsets, vertex size and stride from the flags and allocates zeroed room for vertexCount
    // vertices (old contents are not kept). A layout declaring more than eight texture sets is refused:
    // false, and the record is left as it was.
    bool SetLayout(uint32_t layoutFlags, uint32_t vertexCount);

    // Copies src into this record without changing this record's layout: whole when the layouts are equal,
    // otherwise attribute by attribute, each only as far as both records hold it. Records of different
    // vertex counts (or src being this record) are left alone, upload mark included.
    VertexData& CopyFrom(const VertexData& src);

    // this = a + (b - a) * t for this record's positions, normals and texture sets; colours stay as they are.
    // An attribute that a or b lacks, or holds with fewer floats than this record, is left unchanged. False,
    // and nothing changed, when a or b holds fewer vertices than this record.
    bool Interpolate(const VertexData& a, const VertexData& b, float t);

    // Moves every position to (p, 1) * transform.matrix (no division by w), as a mesh instance is placed when it
    // is made; normals, colours and texture sets stay. The transform's matrix must be up to date.
    void TransformPositions(const Transform& transform);

    uint32_t LayoutFlags() const { return layoutFlags_; }
    uint32_t PositionOffset() const { return positionOffset_; }
    uint32_t NormalOffset() const { return normalOffset_; }
    uint32_t ColourOffset() const { return colourOffset_; }
    uint32_t TextureSetOffset(uint32_t set) const { return set < kMaxTextureSets ? textureOffsets_[set] : kAbsent; }
    uint32_t VertexSize() const { return vertexSize_; }
    uint32_t VertexCount() const { return vertexCount_; }
    // The size of one vertex in 32-bit words.
    uint32_t Stride() const { return stride_; }

    // The vertex words (VertexCount() * Stride() of them); colours are 32-bit words stored in float slots.
    std::span<float> Words() { return words_; }
    std::span<const float> Words() const { return words_; }
    std::span<std::byte> Bytes() { return std::as_writable_bytes(Words()); }
    std::span<const std::byte> Bytes() const { return std::as_bytes(Words()); }

    int32_t UploadState() const { return uploadState_; }
    // The renderer records its upload here; writers of vertices set kChanged.
    void SetUploadState(int32_t state) { uploadState_ = state; }
    void MarkChanged() { uploadState_ = kChanged; }

    // Non-zero when the renderer draws these vertices; a finished sprite animation hides its quad here.
    uint8_t Visible() const { return visible_; }
    void SetVisible(uint8_t visible) { visible_ = visible; }

private:
    uint32_t layoutFlags_ = 0;
    uint32_t positionOffset_ = kAbsent;
    uint32_t normalOffset_ = kAbsent;
    uint32_t colourOffset_ = kAbsent;
    uint32_t textureOffsets_[kMaxTextureSets] = {kAbsent, kAbsent, kAbsent, kAbsent,
                                                 kAbsent, kAbsent, kAbsent, kAbsent};
    uint32_t vertexSize_ = 0;
    uint32_t vertexCount_ = 0;
    uint32_t stride_ = 0;
    std::vector<float> words_;
    int32_t uploadState_ = kChanged;
    uint8_t visible_ = 1;
};

}  // namespace quill
