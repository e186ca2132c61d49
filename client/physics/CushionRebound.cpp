#include "client/physics/CushionRebound.h"

#include "QuillLib/math/Vector2D.h"

namespace kestrovan {

CushionNormal CushionNormal::Of(const Vec3& contact) {
    CushionNormal normal;
    normal.n = Normalized(contact);
    normal.ex = normal.n.x;
    normal.ey = normal.n.y;
    quill::Normalize2D(&normal.ex, &normal.ey, &normal.ch);
    const Vec3& n = normal.n;
    normal.b = Vec3{-normal.ex * n.z, -normal.ey * n.z, normal.ch};
    normal.c = Cross(normal.b, n);
    return normal;
}

}  // namespace kestrovan
