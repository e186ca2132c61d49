#include "client/physics/CushionRect.h"

#include "client/physics/PhysicsBall.h"

namespace kestrovan {

CushionRect CushionRect::OfTable(const TableGeometry& geometry) {
    return {geometry.cushionBackMinX, geometry.cushionBackMaxX, geometry.cushionBackMinY, geometry.cushionBackMaxY};
}

bool CushionRect::Contains(const PhysicsBall& ball) const {
    const quill::Vec3& p = ball.position;
    return minX <= p.x && p.x <= maxX && minY <= p.y && p.y <= maxY && !(p.z > ball.radiusCm);
}

}  // namespace kestrovan
