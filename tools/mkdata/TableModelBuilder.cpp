#include "tools/mkdata/TableModelBuilder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "client/physics/PocketGeometry.h"

namespace mkdata {
namespace {

using quill::Vec3;

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
// How far the bed and rail pieces around a pocket reach from the bed's edge.
constexpr float kHoleSquareDepth = 14.0f;
constexpr float kClothUvScale = 40.0f;
constexpr float kWoodUvScale = 60.0f;
// Rays per pocket surround; the rectangle's corners are added to them.
constexpr int kSurroundRays = 72;

// Entry and exit distances of the ray origin + t * dir through the rectangle; empty when it misses.
bool RayThroughRect(float ox, float oy, float dx, float dy, float x0, float y0, float x1, float y1, float& tEnter,
                    float& tExit) {
    tEnter = -std::numeric_limits<float>::infinity();
    tExit = std::numeric_limits<float>::infinity();
    const auto slab = [&](float origin, float direction, float low, float high) {
        if (std::fabs(direction) < 1e-9f) {
            return origin >= low && origin <= high;
        }
        float t0 = (low - origin) / direction, t1 = (high - origin) / direction;
        if (t0 > t1) {
            std::swap(t0, t1);
        }
        tEnter = std::max(tEnter, t0);
        tExit = std::min(tExit, t1);
        return true;
    };
    return slab(ox, dx, x0, x1) && slab(oy, dy, y0, y1) && tEnter <= tExit;
}

// The cushion's cross-section from the nose outwards: (distance behind the nose line, height).
struct ProfilePoint {
    float d, z;
};

}  // namespace

TableModelBuilder::TableModelBuilder(const kestrovan::TableGeometry& geometry, bool hasPockets)
    : geometry_(geometry), hasPockets_(hasPockets) {
    back_ = {geometry.cushionBackMinX, geometry.cushionBackMinY, geometry.cushionBackMaxX, geometry.cushionBackMaxY};
    frame_ = {geometry.frameMinX, geometry.frameMinY, geometry.frameMaxX, geometry.frameMaxY};
    if (!hasPockets_) {
        return;
    }
    const kestrovan::PocketGeometry pockets(geometry_);
    for (uint8_t pocket = 1; pocket <= kestrovan::kPocketCount; ++pocket) {
        Hole& hole = holes_[pocket - 1];
        pockets.HoleCentre(pocket, &hole.x, &hole.y);
        hole.radius = pockets.HoleRadius(pocket);
        const int sx = kestrovan::PocketGeometry::SignX(pocket), sy = kestrovan::PocketGeometry::SignY(pocket);
        // Bed squares reach kHoleSquareDepth in from the bed's edges; a middle one as far to each side.
        const float yInner = sy < 0 ? back_.y0 + kHoleSquareDepth : back_.y1 - kHoleSquareDepth;
        float xInner0 = 0.0f, xInner1 = 0.0f;
        if (sx < 0) {
            xInner0 = back_.x0;
            xInner1 = back_.x0 + kHoleSquareDepth;
        } else if (sx > 0) {
            xInner0 = back_.x1 - kHoleSquareDepth;
            xInner1 = back_.x1;
        } else {
            xInner0 = hole.x - kHoleSquareDepth;
            xInner1 = hole.x + kHoleSquareDepth;
        }
        const float yEdge = sy < 0 ? back_.y0 : back_.y1;
        hole.bedSquare = {xInner0, std::min(yInner, yEdge), xInner1, std::max(yInner, yEdge)};
        const float yFrame = sy < 0 ? frame_.y0 : frame_.y1;
        Rect rail = {xInner0, std::min(yInner, yFrame), xInner1, std::max(yInner, yFrame)};
        if (sx < 0) {
            rail.x0 = frame_.x0;
        } else if (sx > 0) {
            rail.x1 = frame_.x1;
        }
        hole.railSquare = rail;
    }
}

TableMeshes TableModelBuilder::Build(const TableMaterials& materials) const {
    TableMeshes meshes;
    meshes.bed.BeginPart(materials.cloth);
    BuildBed(meshes.bed);
    meshes.cushions.BeginPart(materials.cloth);
    BuildCushions(meshes.cushions);
    meshes.rails.BeginPart(materials.wood);
    BuildRails(meshes.rails);
    if (hasPockets_) {
        meshes.pockets.BeginPart(materials.pocket);
        BuildPockets(meshes.pockets);
    }
    meshes.frame.BeginPart(materials.wood);
    BuildFrame(meshes.frame);
    meshes.legs.BeginPart(materials.wood);
    BuildLegs(meshes.legs);
    meshes.sights.BeginPart(materials.sight);
    BuildSights(meshes.sights);
    return meshes;
}

void TableModelBuilder::AddFlatGrid(MeshBuilder& mesh, const Rect& rect, float z, float cell, float uvScale) const {
    if (rect.x1 - rect.x0 <= 0.0f || rect.y1 - rect.y0 <= 0.0f) {
        return;
    }
    const int columns = std::max(1, static_cast<int>(std::ceil((rect.x1 - rect.x0) / cell)));
    const int rows = std::max(1, static_cast<int>(std::ceil((rect.y1 - rect.y0) / cell)));
    const auto uv = [uvScale](const Vec3& p) { return std::pair{p.x / uvScale, p.y / uvScale}; };
    for (int row = 0; row < rows; ++row) {
        const float y0 = rect.y0 + (rect.y1 - rect.y0) * static_cast<float>(row) / static_cast<float>(rows);
        const float y1 = rect.y0 + (rect.y1 - rect.y0) * static_cast<float>(row + 1) / static_cast<float>(rows);
        for (int column = 0; column < columns; ++column) {
            const float x0 = rect.x0 + (rect.x1 - rect.x0) * static_cast<float>(column) / static_cast<float>(columns);
            const float x1 =
                rect.x0 + (rect.x1 - rect.x0) * static_cast<float>(column + 1) / static_cast<float>(columns);
            mesh.AddQuad({x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}, uv);
        }
    }
}

void TableModelBuilder::AddHoleSurround(MeshBuilder& mesh, const Hole& hole, const Rect& rect, const Rect* exclude,
                                        float z, float uvScale) const {
    std::vector<float> angles;
    for (int ray = 0; ray < kSurroundRays; ++ray) {
        angles.push_back(kTwoPi * static_cast<float>(ray) / kSurroundRays);
    }
    for (float cx : {rect.x0, rect.x1}) {
        for (float cy : {rect.y0, rect.y1}) {
            float angle = std::atan2(cy - hole.y, cx - hole.x);
            angles.push_back(angle < 0.0f ? angle + kTwoPi : angle);
        }
    }
    std::sort(angles.begin(), angles.end());
    angles.push_back(angles.front() + kTwoPi);

    struct Span {
        bool present;
        Vec3 inner, outer;
    };
    const auto spanAt = [&](float angle) {
        const float dx = std::cos(angle), dy = std::sin(angle);
        const auto point = [&](float t) { return Vec3{hole.x + dx * t, hole.y + dy * t, z}; };
        float enter = 0.0f, exit = 0.0f;
        if (!RayThroughRect(hole.x, hole.y, dx, dy, rect.x0, rect.y0, rect.x1, rect.y1, enter, exit) || exit <= 0.0f) {
            return Span{false, {}, {}};
        }
        // The ray runs through the rectangle from enter (before the centre when the centre lies inside it)
        // to exit; the surface starts outside the hole's circle.
        float inner = std::max(hole.radius, enter);
        const float outer = exit;
        float excludeEnter = 0.0f, excludeExit = 0.0f;
        if (exclude && RayThroughRect(hole.x, hole.y, dx, dy, exclude->x0, exclude->y0, exclude->x1, exclude->y1,
                                      excludeEnter, excludeExit) && excludeExit > 0.0f) {
            // From inside the excluded area the surface starts where the ray leaves it; a ray that enters it
            // from outside meets it only beyond the hole's reach here.
            inner = excludeEnter <= 0.0f ? std::max(inner, excludeExit) : std::max(inner, outer);
        }
        return Span{inner < outer, point(inner), point(outer)};
    };
    const auto uv = [uvScale](const Vec3& p) { return std::pair{p.x / uvScale, p.y / uvScale}; };
    Span previous = spanAt(angles.front());
    for (size_t i = 1; i < angles.size(); ++i) {
        const Span next = spanAt(angles[i]);
        if (previous.present && next.present) {
            mesh.AddQuad(previous.inner, previous.outer, next.outer, next.inner, uv);
        }
        previous = next;
    }
}

void TableModelBuilder::BuildBed(MeshBuilder& mesh) const {
    constexpr float kCell = 20.0f;
    if (!hasPockets_) {
        AddFlatGrid(mesh, back_, 0.0f, kCell, kClothUvScale);
        return;
    }
    const float d = kHoleSquareDepth;
    AddFlatGrid(mesh, {back_.x0, back_.y0 + d, back_.x1, back_.y1 - d}, 0.0f, kCell, kClothUvScale);
    for (const Hole& hole : holes_) {
        AddHoleSurround(mesh, hole, hole.bedSquare, nullptr, 0.0f, kClothUvScale);
    }
    // The strips along the long sides between the pocket squares.
    const Hole& middleLow = holes_[1];
    const Hole& middleHigh = holes_[4];
    AddFlatGrid(mesh, {back_.x0 + d, back_.y0, middleLow.bedSquare.x0, back_.y0 + d}, 0.0f, kCell, kClothUvScale);
    AddFlatGrid(mesh, {middleLow.bedSquare.x1, back_.y0, back_.x1 - d, back_.y0 + d}, 0.0f, kCell, kClothUvScale);
    AddFlatGrid(mesh, {back_.x0 + d, back_.y1 - d, middleHigh.bedSquare.x0, back_.y1}, 0.0f, kCell, kClothUvScale);
    AddFlatGrid(mesh, {middleHigh.bedSquare.x1, back_.y1 - d, back_.x1 - d, back_.y1}, 0.0f, kCell, kClothUvScale);
}

void TableModelBuilder::AddCushion(MeshBuilder& mesh, bool alongX, float noseCoordinate, float outward, float a0,
                                   float a1, float b0, float b1) const {
    const float width = geometry_.cushionWidth;
    // Up the undercut from the bed to the nose, then up the sloping top to the rail.
    const ProfilePoint profile[3] = {{0.6f, 0.0f}, {0.0f, geometry_.cushionNoseHeight}, {width, geometry_.cushionTopHeight}};
    const auto at = [&](const ProfilePoint& point, bool end) {
        const float t = point.d / width;
        const float along = end ? a1 + (b1 - a1) * t : a0 + (b0 - a0) * t;
        const float across = noseCoordinate + outward * point.d;
        return alongX ? Vec3{along, across, point.z} : Vec3{across, along, point.z};
    };
    const auto uv = [alongX](const Vec3& p) {
        return std::pair{(alongX ? p.x : p.y) / kClothUvScale, p.z / kClothUvScale};
    };
    // Faces wind counter-clockwise seen from the table's inside: the order of the ends flips with the side.
    const bool flip = (outward > 0.0f) != alongX;
    for (int face = 0; face < 2; ++face) {
        const Vec3 s0 = at(profile[face], false), s1 = at(profile[face], true);
        const Vec3 t0 = at(profile[face + 1], false), t1 = at(profile[face + 1], true);
        if (flip) {
            mesh.AddQuad(s0, t0, t1, s1, uv);
        } else {
            mesh.AddQuad(s0, s1, t1, t0, uv);
        }
    }
    // End caps where a cushion stops at a pocket's jaw.
    for (bool end : {false, true}) {
        const Vec3 bottomNose = at(profile[0], end), nose = at(profile[1], end), top = at(profile[2], end);
        Vec3 bottomBack = top;
        bottomBack.z = 0.0f;
        if (flip == end) {
            mesh.AddQuad(bottomNose, bottomBack, top, nose, uv);
        } else {
            mesh.AddQuad(bottomNose, nose, top, bottomBack, uv);
        }
    }
}

void TableModelBuilder::BuildCushions(MeshBuilder& mesh) const {
    const kestrovan::TableGeometry& g = geometry_;
    if (!hasPockets_) {
        // Four cushions meeting at mitred corners.
        AddCushion(mesh, true, g.noseMinY, -1.0f, g.noseMinX, g.noseMaxX, back_.x0, back_.x1);
        AddCushion(mesh, true, g.noseMaxY, 1.0f, g.noseMinX, g.noseMaxX, back_.x0, back_.x1);
        AddCushion(mesh, false, g.noseMinX, -1.0f, g.noseMinY, g.noseMaxY, back_.y0, back_.y1);
        AddCushion(mesh, false, g.noseMaxX, 1.0f, g.noseMinY, g.noseMaxY, back_.y0, back_.y1);
        return;
    }
    // Six cushions between the pockets; each ends at the jaws, pocketJaw1/pocketJaw4 along the nose line and
    // pocketJaw0/pocketJaw3 along the back line from the corner or the middle.
    const float middle = (g.noseMinX + g.noseMaxX) * 0.5f;
    for (float outward : {-1.0f, 1.0f}) {
        const float nose = outward < 0.0f ? g.noseMinY : g.noseMaxY;
        AddCushion(mesh, true, nose, outward, g.noseMinX + g.pocketJaw1, middle - g.pocketJaw4, back_.x0 + g.pocketJaw0,
                   middle - g.pocketJaw3);
        AddCushion(mesh, true, nose, outward, middle + g.pocketJaw4, g.noseMaxX - g.pocketJaw1, middle + g.pocketJaw3,
                   back_.x1 - g.pocketJaw0);
        const float end = outward < 0.0f ? g.noseMinX : g.noseMaxX;
        AddCushion(mesh, false, end, outward, g.noseMinY + g.pocketJaw1, g.noseMaxY - g.pocketJaw1,
                   back_.y0 + g.pocketJaw0, back_.y1 - g.pocketJaw0);
    }
}

void TableModelBuilder::BuildRails(MeshBuilder& mesh) const {
    constexpr float kCell = 30.0f;
    const float z = geometry_.cushionTopHeight;
    if (!hasPockets_) {
        AddFlatGrid(mesh, {frame_.x0, frame_.y0, frame_.x1, back_.y0}, z, kCell, kWoodUvScale);
        AddFlatGrid(mesh, {frame_.x0, back_.y1, frame_.x1, frame_.y1}, z, kCell, kWoodUvScale);
        AddFlatGrid(mesh, {frame_.x0, back_.y0, back_.x0, back_.y1}, z, kCell, kWoodUvScale);
        AddFlatGrid(mesh, {back_.x1, back_.y0, frame_.x1, back_.y1}, z, kCell, kWoodUvScale);
        return;
    }
    for (const Hole& hole : holes_) {
        AddHoleSurround(mesh, hole, hole.railSquare, &back_, z, kWoodUvScale);
    }
    const Hole& middleLow = holes_[1];
    const Hole& middleHigh = holes_[4];
    const float d = kHoleSquareDepth;
    AddFlatGrid(mesh, {back_.x0 + d, frame_.y0, middleLow.railSquare.x0, back_.y0}, z, kCell, kWoodUvScale);
    AddFlatGrid(mesh, {middleLow.railSquare.x1, frame_.y0, back_.x1 - d, back_.y0}, z, kCell, kWoodUvScale);
    AddFlatGrid(mesh, {back_.x0 + d, back_.y1, middleHigh.railSquare.x0, frame_.y1}, z, kCell, kWoodUvScale);
    AddFlatGrid(mesh, {middleHigh.railSquare.x1, back_.y1, back_.x1 - d, frame_.y1}, z, kCell, kWoodUvScale);
    AddFlatGrid(mesh, {frame_.x0, back_.y0 + d, back_.x0, back_.y1 - d}, z, kCell, kWoodUvScale);
    AddFlatGrid(mesh, {back_.x1, back_.y0 + d, frame_.x1, back_.y1 - d}, z, kCell, kWoodUvScale);
}

void TableModelBuilder::BuildPockets(MeshBuilder& mesh) const {
    constexpr int kSegments = 32;
    const float top = geometry_.cushionTopHeight;
    const float bottom = geometry_.pocketFloorHeight;
    for (const Hole& hole : holes_) {
        // The cup's wall faces inwards, towards its centre, where it is seen from.
        for (int i = 0; i < kSegments; ++i) {
            const float a0 = kTwoPi * static_cast<float>(i) / kSegments;
            const float a1 = kTwoPi * static_cast<float>(i + 1) / kSegments;
            const Vec3 p0{hole.x + hole.radius * std::cos(a0), hole.y + hole.radius * std::sin(a0), bottom};
            const Vec3 p1{hole.x + hole.radius * std::cos(a1), hole.y + hole.radius * std::sin(a1), bottom};
            const Vec3 q0{p0.x, p0.y, top}, q1{p1.x, p1.y, top};
            const float u0 = static_cast<float>(i) / kSegments, u1 = static_cast<float>(i + 1) / kSegments;
            mesh.AddQuad(p1, p0, q0, q1, [&](const Vec3& p) {
                const bool first = p.x == p0.x && p.y == p0.y;
                return std::pair{first ? u0 : u1, (top - p.z) / (top - bottom)};
            });
        }
        mesh.AddDisc({hole.x, hole.y, bottom}, hole.radius, kSegments);
    }
}

void TableModelBuilder::BuildFrame(MeshBuilder& mesh) const {
    const float top = geometry_.cushionTopHeight;
    const auto alongX = [](const Vec3& p) { return std::pair{p.x / kWoodUvScale, p.z / kWoodUvScale}; };
    const auto alongY = [](const Vec3& p) { return std::pair{p.y / kWoodUvScale, p.z / kWoodUvScale}; };
    const Rect& f = frame_;
    mesh.AddQuad({f.x0, f.y0, kApronBottom}, {f.x1, f.y0, kApronBottom}, {f.x1, f.y0, top}, {f.x0, f.y0, top}, alongX);
    mesh.AddQuad({f.x1, f.y1, kApronBottom}, {f.x0, f.y1, kApronBottom}, {f.x0, f.y1, top}, {f.x1, f.y1, top}, alongX);
    mesh.AddQuad({f.x0, f.y1, kApronBottom}, {f.x0, f.y0, kApronBottom}, {f.x0, f.y0, top}, {f.x0, f.y1, top}, alongY);
    mesh.AddQuad({f.x1, f.y0, kApronBottom}, {f.x1, f.y1, kApronBottom}, {f.x1, f.y1, top}, {f.x1, f.y0, top}, alongY);
    // The underside, seen from low cameras.
    mesh.AddQuad({f.x0, f.y1, kApronBottom}, {f.x1, f.y1, kApronBottom}, {f.x1, f.y0, kApronBottom},
                 {f.x0, f.y0, kApronBottom}, [](const Vec3& p) { return std::pair{p.x / kWoodUvScale, p.y / kWoodUvScale}; });
}

void TableModelBuilder::BuildLegs(MeshBuilder& mesh) const {
    constexpr float kLegHalf = 6.0f;
    constexpr float kInset = 14.0f;
    std::vector<float> xs = {frame_.x0 + kInset, frame_.x1 - kInset};
    if (frame_.x1 - frame_.x0 > 250.0f) {
        xs.push_back((frame_.x0 + frame_.x1) * 0.5f);
    }
    for (float x : xs) {
        for (float y : {frame_.y0 + kInset, frame_.y1 - kInset}) {
            mesh.AddBox({x - kLegHalf, y - kLegHalf, geometry_.floorHeight}, {x + kLegHalf, y + kLegHalf, kApronBottom},
                        kWoodUvScale);
        }
    }
}

void TableModelBuilder::BuildSights(MeshBuilder& mesh) const {
    constexpr float kRadius = 0.6f;
    const float z = geometry_.cushionTopHeight + 0.02f;
    const float railMiddleY = (back_.y1 + frame_.y1) * 0.5f - back_.y1;
    const float railMiddleX = (back_.x1 + frame_.x1) * 0.5f - back_.x1;
    const float length = geometry_.noseMaxX - geometry_.noseMinX;
    const float width = geometry_.noseMaxY - geometry_.noseMinY;
    // Diamonds at every eighth of the length and every quarter of the width, between the pockets.
    for (int i = 1; i < 8; ++i) {
        if (hasPockets_ && i == 4) {
            continue;
        }
        const float x = geometry_.noseMinX + length * static_cast<float>(i) / 8.0f;
        mesh.AddDisc({x, back_.y0 - railMiddleY, z}, kRadius, 12);
        mesh.AddDisc({x, back_.y1 + railMiddleY, z}, kRadius, 12);
    }
    for (int i = 1; i < 4; ++i) {
        const float y = geometry_.noseMinY + width * static_cast<float>(i) / 4.0f;
        mesh.AddDisc({back_.x0 - railMiddleX, y, z}, kRadius, 12);
        mesh.AddDisc({back_.x1 + railMiddleX, y, z}, kRadius, 12);
    }
}

}  // namespace mkdata
