#include "client/table/ScreenProjection.h"

#include <cmath>

namespace kestrovan {
namespace {

struct Homogeneous {
    float x, y, z, w;
};

// (x, y, z, w) times m for a row vector.
Homogeneous Transform(const Homogeneous& v, const quill::Matrix4& m) {
    const float* e = m.m;
    return {v.x * e[0] + v.y * e[4] + v.z * e[8] + v.w * e[12], v.x * e[1] + v.y * e[5] + v.z * e[9] + v.w * e[13],
            v.x * e[2] + v.y * e[6] + v.z * e[10] + v.w * e[14], v.x * e[3] + v.y * e[7] + v.z * e[11] + v.w * e[15]};
}

}  // namespace

ScreenProjection::ScreenProjection(const quill::Matrix4& viewProjection, float focal, float width, float height)
    : viewProjection_(viewProjection), focal_(focal), width_(width), height_(height) {}

ScreenPoint ScreenProjection::Project(const quill::Vec3& point) const {
    const Homogeneous clip = Transform({point.x, point.y, point.z, 1.0f}, viewProjection_);
    const float halfWidth = width_ / 2.0f;
    const float halfHeight = height_ / 2.0f;
    return {clip.x / clip.w * halfWidth + halfWidth, halfHeight - clip.y / clip.w * halfHeight, clip.w};
}

float ScreenProjection::ScreenRadius(float radius, float w) const {
    return focal_ / w * radius * (width_ / 2.0f);
}

bool MakeUnprojection(const quill::Matrix4& view, const quill::Matrix4& projection, quill::Matrix4& out) {
    quill::Matrix4 inverseView;
    quill::Matrix4 inverseProjection;
    if (!view.Invert(inverseView) || !projection.Invert(inverseProjection)) {
        return false;
    }
    quill::Matrix4::Multiply(out, inverseProjection, inverseView);
    return true;
}

bool ScreenToTable(const quill::Matrix4& unprojection, float width, float height, float x, float y, float planeZ,
                      quill::Vec3& out) {
    if (!(width > 0.0f) || !(height > 0.0f)) {
        return false;
    }
    const float ndcX = (x - width / 2.0f) / (width / 2.0f);
    const float ndcY = (height / 2.0f - y) / (height / 2.0f);
    const Homogeneous nearPoint = Transform({ndcX, ndcY, 0.0f, 1.0f}, unprojection);
    const Homogeneous farPoint = Transform({ndcX, ndcY, 1.0f, 1.0f}, unprojection);
    if (nearPoint.w == 0.0f || farPoint.w == 0.0f) {
        return false;
    }
    const quill::Vec3 from{nearPoint.x / nearPoint.w, nearPoint.y / nearPoint.w, nearPoint.z / nearPoint.w};
    const quill::Vec3 to{farPoint.x / farPoint.w, farPoint.y / farPoint.w, farPoint.z / farPoint.w};
    const float dz = to.z - from.z;
    if (!(std::fabs(dz) > 0.0f)) {
        return false;
    }
    const float t = (planeZ - from.z) / dz;
    if (!std::isfinite(t)) {
        return false;
    }
    out = {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t, planeZ};
    return true;
}

}  // namespace kestrovan
