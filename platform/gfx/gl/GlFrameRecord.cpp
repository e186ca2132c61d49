#include "platform/gfx/gl/GlFrameRecord.h"

#include "platform/gfx/MemoryBuffer.h"
#include "platform/gfx/MemoryCubeTexture.h"
#include "platform/gfx/MemoryTexture.h"

namespace platform::gfx {

void GlFrameRecord::Add(GlRecordedCall call) {
    callSignature_ = kEmpty;
    MixValue(call.kind);
    if (call.kind == GlRecordedCall::Kind::Clear) {
        // A clear reads the viewport, the scissor and the target alone (the state may still name buffers and
        // textures that went since the last draw).
        MixValue(call.state.viewport);
        MixScissor(call.state);
        MixValue(call.state.targetWidth);
        MixValue(call.state.targetHeight);
        MixValue(call.state.targetIsTexture);
        MixValue(call.clearFlags);
        MixValue(call.clearColor);
        MixValue(call.clearZ);
    } else {
        MixState(call.state, call.indexed);
        for (uint32_t word : {static_cast<uint32_t>(call.mode), call.count, static_cast<uint32_t>(call.indexed),
                              call.first, call.startIndex, call.minIndex, call.maxIndex, call.baseVertex}) {
            MixValue(word);
        }
        Mix(call.vertices.data(), call.vertices.size());
        Mix(call.indices.data(), call.indices.size());
    }
    signature_ = (signature_ ^ callSignature_) * kPrime;
    callSignatures_.push_back(callSignature_);
    calls_.push_back(std::move(call));
}

void GlFrameRecord::Reset() {
    calls_.clear();
    callSignatures_.clear();
    signature_ = kEmpty;
}

// FNV-1a over 64-bit words, then the bytes left.
void GlFrameRecord::Mix(const void* bytes, size_t size) {
    const auto* at = static_cast<const std::byte*>(bytes);
    for (; size >= 8; size -= 8, at += 8) {
        uint64_t word = 0;
        __builtin_memcpy(&word, at, 8);
        callSignature_ = (callSignature_ ^ word) * kPrime;
    }
    for (; size > 0; --size, ++at) callSignature_ = (callSignature_ ^ static_cast<uint64_t>(*at)) * kPrime;
}

// Everything of the state a draw reads, the dirty marks aside; buffers and textures by identity and version
// (the index buffer only for an indexed draw: another may name one that went).
void GlFrameRecord::MixState(const GlDeviceState& state, bool indexed) {
    Mix(state.renderStates.data(), sizeof state.renderStates);
    Mix(state.stageStates.data(), sizeof state.stageStates);
    Mix(state.samplerStates.data(), sizeof state.samplerStates);
    for (const Matrix* matrix : {&state.world, &state.view, &state.projection}) MixValue(*matrix);
    // The stages from the first disabled one on do nothing: their textures and matrices do not count.
    for (size_t stage = 0; stage < kMaxTextureStages; ++stage) {
        const auto& stageStates = state.stageStates[stage];
        if (stageStates[static_cast<uint32_t>(TextureStageState::ColorOp)] == TextureOp::Disable) break;
        MixTexture(state.textures[stage]);
        if (stageStates[static_cast<uint32_t>(TextureStageState::TextureTransformFlags)] != TextureTransform::Disable) {
            MixValue(state.textureMatrices[stage]);
        }
    }
    MixValue(state.material);
    for (const auto& [index, light] : state.lights) {
        MixValue(index);
        MixValue(light);
    }
    for (const auto& [index, on] : state.lightEnabled) {
        MixValue(index);
        MixValue(on);
    }
    MixValue(state.fvf);
    MixValue(state.stream);
    if (state.stream != nullptr) MixBuffer(state.stream->Bytes());
    MixValue(state.streamOffset);
    MixValue(state.stride);
    if (indexed) {
        MixValue(state.indices);
        MixBuffer(state.indices->Bytes());
    }
    MixValue(state.viewport);
    MixScissor(state);
    MixValue(state.targetWidth);
    MixValue(state.targetHeight);
    MixValue(state.targetIsTexture);
}

void GlFrameRecord::MixScissor(const GlDeviceState& state) {
    MixValue(state.scissor.has_value());
    if (state.scissor) MixValue(*state.scissor);
}

// A buffer object by its version; a dynamic buffer is rewritten all the time and counts by the bytes its
// draws read, which they keep.
void GlFrameRecord::MixBuffer(const BufferBytes& buffer) {
    if ((buffer.GetDesc().usage & Usage::Dynamic) == 0) MixValue(buffer.Version());
}

void GlFrameRecord::MixTexture(const BaseTexture* texture) {
    MixValue(texture);
    auto image = [this](const PixelImage& level) {
        MixValue(&level);
        MixValue(PixelImage::Reader(level).Version());
    };
    if (const auto* plain = dynamic_cast<const MemoryTexture*>(texture)) {
        for (uint32_t level = 0; level < plain->GetLevelCount(); ++level) image(*plain->GetLevel(level));
    } else if (const auto* cube = dynamic_cast<const MemoryCubeTexture*>(texture)) {
        for (uint32_t face = 0; face < kCubeFaceCount; ++face) {
            for (uint32_t level = 0; level < cube->GetLevelCount(); ++level) {
                image(*cube->GetLevel(static_cast<CubeFace>(face), level));
            }
        }
    }
}

}  // namespace platform::gfx
