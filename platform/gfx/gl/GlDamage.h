#pragma once
// Where a frame differs from the last frame drawn into the back buffer. Each held-back call is bounded in
// window pixels: a clear by its viewport, a draw by the box of the vertices it reads (projected as the pipeline
// projects them, widened by two pixels) within its viewport, or by the whole viewport when a vertex lies
// behind the eye. The calls of the two frames are paired in order (by position when both frames have as many,
// else by their common first and last runs), and the bounds of every pair that differs make up the damage.
// Drawing the new frame again with the scissor on the damage gives the pixels a full draw gives: outside it
// every call draws what it drew before, inside it every call is drawn anew, in order.
//
// Threads: the device's thread.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/gl/GlFrameRecord.h"

namespace platform::gfx {

// A rectangle of window pixels, rows from the bottom as OpenGL counts them; x1 and y1 lie past its end.
struct GlRect {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    bool Empty() const { return x1 <= x0 || y1 <= y0; }
    int64_t Area() const { return Empty() ? 0 : int64_t{x1 - x0} * (y1 - y0); }
    // Grows to hold other too.
    void Add(const GlRect& other);
    GlRect Intersect(const GlRect& other) const;
    bool operator==(const GlRect&) const = default;
};

// The pixels the call can touch (see above), within the scissor of its state.
GlRect BoundsOf(const GlRecordedCall& call);
// The state's scissor in window pixels; none when it has none.
std::optional<GlRect> ScissorOf(const GlDeviceState& state);

class GlDamage {
public:
    // Pairs the frame's calls with the last frame's and keeps them as the last frame: the union of the bounds
    // of the pairs that differ, or none when no last frame is known.
    std::optional<GlRect> Between(const std::vector<GlRecordedCall>& calls, const std::vector<uint64_t>& signatures);
    // The last frame is unknown (the back buffer was drawn into directly).
    void Forget();

private:
    struct Drawn {
        uint64_t signature = 0;
        GlRect bounds;
    };

    std::vector<Drawn> last_;
    bool known_ = false;
};

}  // namespace platform::gfx
