#pragma once
// The clears and draws of the frame being drawn, held back until the frame is presented, so that a frame
// which would draw just what the display already shows is never drawn: a screen at rest costs the
// rasteriser nothing. Each call keeps the device state it was made under and the bytes it reads from memory
// (dynamic) buffers; each call's signature sums these up with the versions of the buffer objects and
// textures the call reads, which is everything its pixels follow from, and the frame's signature sums the
// calls' signatures in order.
//
// Threads: the device's thread.
#include <cstddef>
#include <cstdint>
#include <vector>

#include <GL/gl.h>

#include "platform/gfx/gl/GlDeviceState.h"

namespace platform::gfx {

class BufferBytes;

struct GlRecordedCall {
    enum class Kind { Clear, Draw };

    Kind kind = Kind::Draw;
    GlDeviceState state;
    // A clear.
    uint32_t clearFlags = 0;
    Color clearColor = 0;
    float clearZ = 1;
    // A draw: its mode and count of vertices (or indices), the first vertex of an unindexed draw and the range
    // an indexed draw reads. A dynamic stream's vertices from the first one read (the stream offset and base
    // vertex applied), a dynamic index buffer's indices from the first one drawn.
    GLenum mode = GL_TRIANGLES;
    uint32_t count = 0;
    bool indexed = false;
    uint32_t first = 0;
    uint32_t startIndex = 0;
    uint32_t minIndex = 0;
    uint32_t maxIndex = 0;
    uint32_t baseVertex = 0;
    std::vector<std::byte> vertices;
    std::vector<std::byte> indices;
};

class GlFrameRecord {
public:
    // Keeps the call and adds it to the signature.
    void Add(GlRecordedCall call);
    // The signature of the calls kept since the last Reset (equal signatures draw equal pixels).
    uint64_t Signature() const { return signature_; }
    std::vector<GlRecordedCall>& Calls() { return calls_; }
    // Each call's own signature, in the order of Calls().
    const std::vector<uint64_t>& CallSignatures() const { return callSignatures_; }
    bool Empty() const { return calls_.empty(); }
    void Reset();

private:
    // Mixes into the signature of the call being added.
    void Mix(const void* bytes, size_t size);
    template <class T>
    void MixValue(const T& value) {
        Mix(&value, sizeof value);
    }
    void MixState(const GlDeviceState& state, bool indexed);
    void MixScissor(const GlDeviceState& state);
    void MixBuffer(const BufferBytes& buffer);
    void MixTexture(const BaseTexture* texture);

    std::vector<GlRecordedCall> calls_;
    std::vector<uint64_t> callSignatures_;
    uint64_t signature_ = kEmpty;
    uint64_t callSignature_ = kEmpty;

    static constexpr uint64_t kEmpty = 0xcbf29ce484222325ull;
    static constexpr uint64_t kPrime = 0x100000001b3ull;
};

}  // namespace platform::gfx
