#include "platform/gfx/gl/GlDamage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/MemoryBuffer.h"
#include "platform/gfx/gl/GlPipeline.h"

namespace platform::gfx {
namespace {

// Pixels added on each side of a draw's box: the half-pixel offset of the projection and lines and points
// that reach a pixel beyond their vertices.
constexpr int32_t kMargin = 2;

// The call's viewport in window pixels.
GlRect ViewportOf(const GlDeviceState& state) {
    const Viewport& v = state.viewport;
    const auto x = static_cast<int32_t>(v.x), width = static_cast<int32_t>(v.width);
    const auto height = static_cast<int32_t>(v.height);
    const int32_t y = state.targetIsTexture ? static_cast<int32_t>(v.y)
                                            : static_cast<int32_t>(state.targetHeight) - static_cast<int32_t>(v.y) - height;
    return GlRect{x, y, x + width, y + height};
}

GlRect TargetOf(const GlDeviceState& state) {
    return GlRect{0, 0, static_cast<int32_t>(state.targetWidth), static_cast<int32_t>(state.targetHeight)};
}

// The vertices a draw reads: the first one's address and the range of vertex numbers.
struct VertexRange {
    const std::byte* base = nullptr;
    uint32_t first = 0;
    uint32_t last = 0;  // inclusive
};

std::optional<VertexRange> VerticesOf(const GlRecordedCall& call) {
    const GlDeviceState& state = call.state;
    if (call.count == 0) return std::nullopt;
    VertexRange range;
    if (!call.vertices.empty()) {
        range.base = call.vertices.data();
    } else if (state.stream != nullptr && state.stream->Data() != nullptr) {
        range.base = state.stream->Data() + state.streamOffset +
                     (call.indexed ? static_cast<size_t>(call.baseVertex) * state.stride : 0);
    } else {
        return std::nullopt;
    }
    range.first = call.indexed ? call.minIndex : call.first;
    range.last = call.indexed ? call.maxIndex : call.first + call.count - 1;
    return range;
}

}  // namespace

void GlRect::Add(const GlRect& other) {
    if (other.Empty()) return;
    if (Empty()) {
        *this = other;
        return;
    }
    x0 = std::min(x0, other.x0);
    y0 = std::min(y0, other.y0);
    x1 = std::max(x1, other.x1);
    y1 = std::max(y1, other.y1);
}

GlRect GlRect::Intersect(const GlRect& other) const {
    return GlRect{std::max(x0, other.x0), std::max(y0, other.y0), std::min(x1, other.x1), std::min(y1, other.y1)};
}

std::optional<GlRect> ScissorOf(const GlDeviceState& state) {
    if (!state.scissor) return std::nullopt;
    const Rect& r = *state.scissor;
    if (state.targetIsTexture) return GlRect{r.left, r.top, r.right, r.bottom};
    const auto height = static_cast<int32_t>(state.targetHeight);
    return GlRect{r.left, height - r.bottom, r.right, height - r.top};
}

GlRect BoundsOf(const GlRecordedCall& call) {
    const GlDeviceState& state = call.state;
    const GlRect whole = ViewportOf(state);
    GlRect viewport = whole.Intersect(TargetOf(state));
    if (const std::optional<GlRect> scissor = ScissorOf(state)) viewport = viewport.Intersect(*scissor);
    const uint32_t position = state.fvf & Fvf::PositionMask;
    if (call.kind == GlRecordedCall::Kind::Clear || (position != Fvf::Xyz && position != Fvf::XyzRhw)) {
        return viewport;
    }
    const std::optional<VertexRange> range = VerticesOf(call);
    if (!range) return viewport;
    const Matrix m = Multiply(Multiply(Multiply(state.world, state.view), state.projection), ClipFixup(state));
    float left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
    for (uint32_t vertex = range->first; vertex <= range->last; ++vertex) {
        float p[3];
        std::memcpy(p, range->base + static_cast<size_t>(vertex) * state.stride, sizeof p);
        auto clip = [&](int column) {
            return p[0] * m.at(0, column) + p[1] * m.at(1, column) + p[2] * m.at(2, column) + m.at(3, column);
        };
        const float w = clip(3);
        // Behind (or at) the eye the projected box does not bound the primitive.
        if (!(w > 1e-6f)) return viewport;
        const float x = clip(0) / w, y = clip(1) / w;
        if (!std::isfinite(x) || !std::isfinite(y)) return viewport;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
    // From normalised device coordinates to window pixels, as the viewport maps them; the box is cut to the
    // viewport before conversion so that far-off vertices cannot overflow.
    auto toPixels = [](float ndc, int32_t from, int32_t size, bool up) {
        const float clamped = std::clamp(ndc, -1.0f, 1.0f);
        const float at = static_cast<float>(from) + (clamped + 1.0f) * 0.5f * static_cast<float>(size);
        return (up ? static_cast<int32_t>(std::ceil(at)) + kMargin : static_cast<int32_t>(std::floor(at)) - kMargin);
    };
    const int32_t width = whole.x1 - whole.x0, height = whole.y1 - whole.y0;
    const GlRect box{toPixels(left, whole.x0, width, false), toPixels(bottom, whole.y0, height, false),
                     toPixels(right, whole.x0, width, true), toPixels(top, whole.y0, height, true)};
    return box.Intersect(viewport);
}

std::optional<GlRect> GlDamage::Between(const std::vector<GlRecordedCall>& calls,
                                        const std::vector<uint64_t>& signatures) {
    const size_t count = calls.size(), lastCount = last_.size();
    std::vector<Drawn> now(count);
    GlRect damage;
    auto fresh = [&](size_t index) {
        now[index] = Drawn{signatures[index], BoundsOf(calls[index])};
        damage.Add(now[index].bounds);
    };
    if (!known_) {
        for (size_t i = 0; i < count; ++i) fresh(i);
    } else if (count == lastCount) {
        for (size_t i = 0; i < count; ++i) {
            if (signatures[i] == last_[i].signature) {
                now[i] = last_[i];
                continue;
            }
            fresh(i);
            damage.Add(last_[i].bounds);
        }
    } else {
        size_t head = 0, tail = 0;
        while (head < count && head < lastCount && signatures[head] == last_[head].signature) {
            now[head] = last_[head];
            ++head;
        }
        while (tail < count - head && tail < lastCount - head &&
               signatures[count - 1 - tail] == last_[lastCount - 1 - tail].signature) {
            now[count - 1 - tail] = last_[lastCount - 1 - tail];
            ++tail;
        }
        for (size_t i = head; i < count - tail; ++i) fresh(i);
        for (size_t i = head; i < lastCount - tail; ++i) damage.Add(last_[i].bounds);
    }
    const bool wasKnown = known_;
    last_ = std::move(now);
    known_ = true;
    if (!wasKnown) return std::nullopt;
    return damage;
}

void GlDamage::Forget() {
    last_.clear();
    known_ = false;
}

}  // namespace platform::gfx
