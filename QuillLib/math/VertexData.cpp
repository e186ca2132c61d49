#include "QuillLib/math/VertexData.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <new>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Transform.h"

namespace quill {

namespace {

constexpr uint32_t kSetCountShift = 8;
constexpr uint32_t kSetCountMask = 0xF;
constexpr uint32_t kSizeCodeShift = 16;
constexpr uint32_t kFloatsBySizeCode[4] = {2, 1, 3, 0};

// One attribute copied or blended between records: where it starts (in words) in each vertex of each record,
// and how many floats it has.
struct Lane {
    uint32_t destination;
    uint32_t first;
    uint32_t second;
    uint32_t floats;
};

// At most position, normal, colour and eight texture sets.
struct LaneList {
    std::array<Lane, 3 + VertexData::kMaxTextureSets> lanes;
    size_t count = 0;

    void Add(uint32_t destinationOffset, uint32_t firstOffset, uint32_t secondOffset, uint32_t floats) {
        if (floats != 0) {
            lanes[count++] = Lane{destinationOffset / 4, firstOffset / 4, secondOffset / 4, floats};
        }
    }
};

bool Holds(uint32_t layoutFlags, uint32_t bit) {
    return (layoutFlags & bit) != 0;
}

void CopyVertex(const LaneList& list, float* destination, const float* source) {
    for (size_t i = 0; i < list.count; ++i) {
        const Lane& lane = list.lanes[i];
        std::memcpy(destination + lane.destination, source + lane.first, lane.floats * sizeof(float));
    }
}

void BlendVertex(const LaneList& list, float* destination, const float* a, const float* b, float t) {
    for (size_t i = 0; i < list.count; ++i) {
        const Lane& lane = list.lanes[i];
        for (uint32_t k = 0; k < lane.floats; ++k) {
            destination[lane.destination + k] = Lerp(a[lane.first + k], b[lane.second + k], t);
        }
    }
}

}  // namespace

uint32_t VertexData::TextureSetCount(uint32_t layoutFlags) {
    return (layoutFlags >> kSetCountShift) & kSetCountMask;
}

uint32_t VertexData::TextureSetFloats(uint32_t layoutFlags, uint32_t set) {
    if (set >= kMaxTextureSets) {
        return 0;
    }
    return kFloatsBySizeCode[(layoutFlags >> (kSizeCodeShift + 2 * set)) & 3];
}

bool VertexData::SetLayout(uint32_t layoutFlags, uint32_t vertexCount) {
    // Only eight offsets exist: a corrupt layout word must not index past them.
    const uint32_t sets = TextureSetCount(layoutFlags);
    if (sets > kMaxTextureSets) {
        return false;
    }
    uint32_t size = 0;
    auto place = [&size](bool present, uint32_t bytes) {
        if (!present) {
            return kAbsent;
        }
        const uint32_t offset = size;
        size += bytes;
        return offset;
    };
    const uint32_t position = place(Holds(layoutFlags, kPosition), 12);
    const uint32_t normal = place(Holds(layoutFlags, kNormal), 12);
    const uint32_t colour = place(Holds(layoutFlags, kColour), 4);
    uint32_t textures[kMaxTextureSets];
    for (uint32_t set = 0; set < kMaxTextureSets; ++set) {
        textures[set] = place(set < sets, 4 * TextureSetFloats(layoutFlags, set));
    }
    // The vertex bytes travel through 32-bit stream counts; a count read from a damaged file must not ask for
    // more than that.
    const uint64_t bytes = uint64_t{vertexCount} * size;
    if (bytes > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    std::vector<float> words;
    try {
        words.assign(bytes / sizeof(float), 0.0f);
    } catch (const std::bad_alloc&) {
        return false;
    }
    layoutFlags_ = layoutFlags;
    positionOffset_ = position;
    normalOffset_ = normal;
    colourOffset_ = colour;
    std::copy(std::begin(textures), std::end(textures), textureOffsets_);
    vertexSize_ = size;
    stride_ = size / 4;
    vertexCount_ = vertexCount;
    words_ = std::move(words);
    MarkChanged();
    return true;
}

VertexData& VertexData::CopyFrom(const VertexData& src) {
    if (&src == this || src.vertexCount_ != vertexCount_) {
        return *this;
    }
    if (src.layoutFlags_ == layoutFlags_) {
        words_ = src.words_;
        MarkChanged();
        return *this;
    }
    LaneList lanes;
    const uint32_t both = layoutFlags_ & src.layoutFlags_;
    if (Holds(both, kPosition)) {
        lanes.Add(positionOffset_, src.positionOffset_, 0, 3);
    }
    if (Holds(both, kNormal)) {
        lanes.Add(normalOffset_, src.normalOffset_, 0, 3);
    }
    if (Holds(both, kColour)) {
        lanes.Add(colourOffset_, src.colourOffset_, 0, 1);
    }
    // A texture set is copied only as far as both records hold it, so a shorter source set is never read past.
    const uint32_t sets = std::min(TextureSetCount(layoutFlags_), TextureSetCount(src.layoutFlags_));
    for (uint32_t set = 0; set < sets; ++set) {
        const uint32_t floats = std::min(TextureSetFloats(layoutFlags_, set), TextureSetFloats(src.layoutFlags_, set));
        lanes.Add(textureOffsets_[set], src.textureOffsets_[set], 0, floats);
    }
    for (uint32_t vertex = 0; vertex < vertexCount_; ++vertex) {
        // data() rather than [], since a layout of zero-sized attributes holds no words at all.
        CopyVertex(lanes, words_.data() + size_t{vertex} * stride_, src.words_.data() + size_t{vertex} * src.stride_);
    }
    MarkChanged();
    return *this;
}

bool VertexData::Interpolate(const VertexData& a, const VertexData& b, float t) {
    if (a.vertexCount_ < vertexCount_ || b.vertexCount_ < vertexCount_) {
        return false;
    }
    LaneList lanes;
    const uint32_t all = layoutFlags_ & a.layoutFlags_ & b.layoutFlags_;
    if (Holds(all, kPosition)) {
        lanes.Add(positionOffset_, a.positionOffset_, b.positionOffset_, 3);
    }
    if (Holds(all, kNormal)) {
        lanes.Add(normalOffset_, a.normalOffset_, b.normalOffset_, 3);  // blended, not renormalised
    }
    const uint32_t sets = TextureSetCount(layoutFlags_);
    for (uint32_t set = 0; set < sets; ++set) {
        const uint32_t floats = TextureSetFloats(layoutFlags_, set);
        const bool firstHolds =
            set < TextureSetCount(a.layoutFlags_) && TextureSetFloats(a.layoutFlags_, set) >= floats;
        const bool secondHolds =
            set < TextureSetCount(b.layoutFlags_) && TextureSetFloats(b.layoutFlags_, set) >= floats;
        if (firstHolds && secondHolds) {
            lanes.Add(textureOffsets_[set], a.textureOffsets_[set], b.textureOffsets_[set], floats);
        }
    }
    // Key frames are blended for every animated mesh every frame: four vertices per pass, each source vertex
    // read once.
    const uint32_t count = vertexCount_;
    float* out = words_.data();
    const float* first = a.words_.data();
    const float* second = b.words_.data();
    uint32_t vertex = 0;
    for (; vertex + 4 <= count; vertex += 4) {
        for (uint32_t k = 0; k < 4; ++k) {
            const size_t v = vertex + k;
            BlendVertex(lanes, out + v * stride_, first + v * a.stride_, second + v * b.stride_, t);
        }
    }
    for (; vertex < count; ++vertex) {
        BlendVertex(lanes, out + size_t{vertex} * stride_, first + size_t{vertex} * a.stride_,
                    second + size_t{vertex} * b.stride_, t);
    }
    MarkChanged();
    return true;
}

void VertexData::TransformPositions(const Transform& transform) {
    if (!Holds(layoutFlags_, kPosition)) {
        return;
    }
    for (uint32_t vertex = 0; vertex < vertexCount_; ++vertex) {
        float* stored = words_.data() + size_t{vertex} * stride_ + positionOffset_ / 4;
        Vec3 position{stored[0], stored[1], stored[2]};
        TransformPoint(position, position, transform.matrix);
        stored[0] = position.x;
        stored[1] = position.y;
        stored[2] = position.z;
    }
    MarkChanged();
}

}  // namespace quill
