#pragma once
// Between table positions and window pixels. Projecting takes a point through a camera's view and projection
// matrices (row vectors) to pixels, y growing downward; unprojecting takes a pixel back through the inverse of
// both onto a horizontal plane of the table. Pure: the caller reads the matrices under the camera's lock.
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct ScreenPoint {
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;  // the clip-space w: the distance along the view, used to size things on the screen
};

class ScreenProjection {
public:
    // viewProjection is the view matrix times the projection matrix; focal is element (0, 0) of the projection
    // matrix, the reciprocal of the camera's horizontal scale.
    ScreenProjection(const quill::Matrix4& viewProjection, float focal, float width, float height);

    ScreenPoint Project(const quill::Vec3& point) const;
    // The pixel radius of a sphere of radius at the clip-space w of its centre.
    float ScreenRadius(float radius, float w) const;

private:
    quill::Matrix4 viewProjection_;
    float focal_;
    float width_;
    float height_;
};

// inverse(projection) x inverse(view): the matrix that takes clip space back to the table. False when either
// matrix cannot be inverted (out is then left as it was).
bool MakeUnprojection(const quill::Matrix4& view, const quill::Matrix4& projection, quill::Matrix4& out);

// The point of the horizontal plane at height planeZ under the pixel (x, y) of a width x height window, through
// an unprojection matrix. False when the line of sight does not meet the plane.
bool ScreenToTable(const quill::Matrix4& unprojection, float width, float height, float x, float y, float planeZ,
                      quill::Vec3& out);

}  // namespace kestrovan
