#include "QuillLib/math/BonePose.h"

namespace quill {

void BonePose::Interpolate(BonePose& out, const BonePose& a, const BonePose& b, float t) {
    Quaternion::Slerp(out.rotation, a.rotation, b.rotation, t);  // reads both ends before writing
    out.position = Lerp(a.position, b.position, t);
}

}  // namespace quill
