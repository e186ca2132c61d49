#include "tools/mkdata/TableModelBuilder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "client/physics/PocketGeometry.h"

namespace mkdata {
namespace {

using quill::Vec3;

constexpr float kFullTurn = 2.0f * std::numbers::pi_v<float>;
// How far the bed and rail pieces around a pocket reach from the bed's edge.
constexpr float kHoleSquareDepth = 14.0f;
constexpr float kClothUvScale = 40.0f;
constexpr float kWoodUvScale = 60.0f;
// Rays per pocket surround and segments of a cup's wall; the outline's corners are added to them.
constexpr int kSurroundRays = 72;
constexpr int kCupSegments = 48;
// Strips of a cushion's sloping top, from the nose back to the rail.
constexpr int kCushionStrips = 6;
// The liner's lowest texture row is its darkest; v stops a texel short of 1, where the texture would wrap to
// the bright welt of its first row and light the cup's foot and floor as a ring.
constexpr float kLinerBottomV = 0.98f;
// How far (cm) the cloth rolls over a hole's edge into the cup before the liner starts: a pocket's mouth shows
// the cloth turning into the dark, not the liner's bright welt bending round the hole as a black curl.
constexpr float kClothLip = 1.5f;
// How far (cm) a surround's span may end before it starts and still count as a point.
constexpr float kSpanSlack = 1e-3f;

// How the steep cloth faces of the table are shaded: a cushion's nose, its end caps (a jaw at a pocket, or its
// end at a corner) and the cloth's lip rolling into a hole stand for rounded, cloth-covered faces, turned up
// towards the lamp (rise: the sine of the turn). So they show as a step of shade against the bed and the
// cushion's top, a jaw facing the player lit nearly as the cushion beside it, instead of flat walls the light
// above the table never reaches, which showed as a near-black bar along the far cushion and dark boxes at the
// jaws.
constexpr float kNoseRise = 0.3f;
constexpr float kJawRise = 0.5f;
// The lip turns over from the bed: shaded nearly as the bed, so that only the hole's dark shows past it.
constexpr float kLipRise = 0.9f;

Vec3 RoundedFaceShading(const Vec3& outward, float rise) {
    const float level = std::sqrt(1.0f - rise * rise);
    return Vec3{outward.x * level, outward.y * level, rise};
}

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
    if (materials.lightMapped) {
        const Rect edge = frame_;
        const auto map = [edge](const Vec3& p) {
            return std::pair{(p.x - edge.x0) / (edge.x1 - edge.x0), (p.y - edge.y0) / (edge.y1 - edge.y0)};
        };
        for (MeshBuilder* mesh : {&meshes.bed, &meshes.cushions, &meshes.rails, &meshes.pockets, &meshes.frame,
                                  &meshes.legs, &meshes.sights}) {
            mesh->MapLight(map);
        }
    }
    meshes.bed.BeginPart(materials.cloth);
    BuildBed(meshes.bed);
    meshes.cushions.BeginPart(materials.cloth);
    BuildCushions(meshes.cushions);
    meshes.rails.BeginPart(materials.wood);
    BuildRails(meshes.rails, materials);
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
    // Rays every few degrees for the circle, and rays through every corner of the surface's outline (the
    // rectangle's and the excluded area's corners, and where the circle crosses their edges), so that the
    // straight edges come out exact and no sliver between two rays is left open.
    std::vector<float> angles;
    for (int ray = 0; ray < kSurroundRays; ++ray) {
        angles.push_back(kFullTurn * static_cast<float>(ray) / kSurroundRays);
    }
    const auto addAngleTo = [&](float x, float y) {
        const float angle = std::atan2(y - hole.y, x - hole.x);
        angles.push_back(angle < 0.0f ? angle + kFullTurn : angle);
    };
    for (const Rect* outline : {&rect, exclude}) {
        if (outline == nullptr) {
            continue;
        }
        for (float cx : {outline->x0, outline->x1}) {
            for (float cy : {outline->y0, outline->y1}) {
                addAngleTo(cx, cy);
            }
        }
        for (const auto& [x, y] : CircleCrossings(hole, *outline)) {
            addAngleTo(x, y);
        }
    }
    if (exclude != nullptr) {
        // Where the rectangle's edges cross the excluded area's: the corners of the outline between them.
        for (float x : {rect.x0, rect.x1}) {
            for (float y : {exclude->y0, exclude->y1}) {
                if (x >= exclude->x0 && x <= exclude->x1 && y >= rect.y0 && y <= rect.y1) addAngleTo(x, y);
            }
        }
        for (float y : {rect.y0, rect.y1}) {
            for (float x : {exclude->x0, exclude->x1}) {
                if (y >= exclude->y0 && y <= exclude->y1 && x >= rect.x0 && x <= rect.x1) addAngleTo(x, y);
            }
        }
    }
    std::sort(angles.begin(), angles.end());
    angles.push_back(angles.front() + kFullTurn);

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
        float outer = exit;
        float excludeEnter = 0.0f, excludeExit = 0.0f;
        if (exclude && RayThroughRect(hole.x, hole.y, dx, dy, exclude->x0, exclude->y0, exclude->x1, exclude->y1,
                                      excludeEnter, excludeExit) && excludeExit > 0.0f) {
            // From inside the excluded area the surface starts where the ray leaves it; a ray that enters it
            // from outside runs over the surface until it gets there.
            if (excludeEnter <= 0.0f) {
                inner = std::max(inner, excludeExit);
            } else {
                outer = std::min(outer, excludeEnter);
            }
        }
        // A span that shrank to a point still closes the triangle beside it.
        return Span{inner <= outer + kSpanSlack, point(std::min(inner, outer)), point(outer)};
    };
    const auto uv = [uvScale](const Vec3& p) { return std::pair{p.x / uvScale, p.y / uvScale}; };
    const auto apart = [](const Vec3& a, const Vec3& b) { return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) > 1e-4f; };
    Span previous = spanAt(angles.front());
    for (size_t i = 1; i < angles.size(); ++i) {
        const Span next = spanAt(angles[i]);
        if (previous.present && next.present) {
            // Counter-clockwise seen from above; started at a side of non-zero length so that the normal is
            // taken from a real triangle.
            if (apart(previous.inner, previous.outer)) {
                mesh.AddQuad(previous.inner, previous.outer, next.outer, next.inner, uv);
            } else if (apart(next.outer, next.inner)) {
                mesh.AddQuad(next.outer, next.inner, previous.inner, previous.outer, uv);
            }
        }
        previous = next;
    }
}

std::vector<std::pair<float, float>> TableModelBuilder::CircleCrossings(const Hole& hole, const Rect& rect) {
    std::vector<std::pair<float, float>> points;
    const float r2 = hole.radius * hole.radius;
    for (float x : {rect.x0, rect.x1}) {
        const float d = x - hole.x;
        if (d * d <= r2) {
            const float h = std::sqrt(r2 - d * d);
            for (float y : {hole.y - h, hole.y + h}) {
                if (y >= rect.y0 && y <= rect.y1) points.emplace_back(x, y);
            }
        }
    }
    for (float y : {rect.y0, rect.y1}) {
        const float d = y - hole.y;
        if (d * d <= r2) {
            const float h = std::sqrt(r2 - d * d);
            for (float x : {hole.x - h, hole.x + h}) {
                if (x >= rect.x0 && x <= rect.x1) points.emplace_back(x, y);
            }
        }
    }
    return points;
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
        AddClothLip(mesh, hole);
    }
    // The strips along the long sides between the pocket squares.
    const Hole& middleLow = holes_[1];
    const Hole& middleHigh = holes_[4];
    AddFlatGrid(mesh, {back_.x0 + d, back_.y0, middleLow.bedSquare.x0, back_.y0 + d}, 0.0f, kCell, kClothUvScale);
    AddFlatGrid(mesh, {middleLow.bedSquare.x1, back_.y0, back_.x1 - d, back_.y0 + d}, 0.0f, kCell, kClothUvScale);
    AddFlatGrid(mesh, {back_.x0 + d, back_.y1 - d, middleHigh.bedSquare.x0, back_.y1}, 0.0f, kCell, kClothUvScale);
    AddFlatGrid(mesh, {middleHigh.bedSquare.x1, back_.y1 - d, back_.x1 - d, back_.y1}, 0.0f, kCell, kClothUvScale);
}

float TableModelBuilder::CushionEnd(const CushionPiece& piece, bool high, float d) const {
    const float t = d / geometry_.cushionWidth;
    float along = high ? piece.a1 + (piece.b1 - piece.a1) * t : piece.a0 + (piece.b0 - piece.a0) * t;
    const float across = piece.nose + piece.outward * d;
    // A jaw that would hang over a pocket's hole ends at the hole's edge instead, so that the hole shows round.
    for (const Hole& hole : holes_) {
        if (!hasPockets_) {
            break;
        }
        const float holeAlong = piece.alongX ? hole.x : hole.y;
        const float holeAcross = piece.alongX ? hole.y : hole.x;
        const float offset = across - holeAcross;
        const float reach = hole.radius * hole.radius - offset * offset;
        if (reach <= 0.0f) {
            continue;
        }
        const float half = std::sqrt(reach);
        if (along > holeAlong - half && along < holeAlong + half) {
            along = high ? holeAlong - half : holeAlong + half;
        }
    }
    return along;
}

void TableModelBuilder::AddCushion(MeshBuilder& mesh, const CushionPiece& piece) const {
    const float width = geometry_.cushionWidth;
    const auto point = [&](float along, float d, float z) {
        const float across = piece.nose + piece.outward * d;
        return piece.alongX ? Vec3{along, across, z} : Vec3{across, along, z};
    };
    const auto uv = [alongX = piece.alongX](const Vec3& p) {
        return std::pair{(alongX ? p.x : p.y) / kClothUvScale, p.z / kClothUvScale};
    };
    const auto heightAt = [&](float d) {
        return geometry_.cushionNoseHeight + (geometry_.cushionTopHeight - geometry_.cushionNoseHeight) * d / width;
    };
    // Inwards, towards the playing area, and along the cushion.
    const Vec3 inward = piece.alongX ? Vec3{0.0f, -piece.outward, 0.0f} : Vec3{-piece.outward, 0.0f, 0.0f};
    const Vec3 alongAxis = piece.alongX ? Vec3{1.0f, 0.0f, 0.0f} : Vec3{0.0f, 1.0f, 0.0f};
    const auto negate = [](const Vec3& v) { return Vec3{-v.x, -v.y, -v.z}; };

    // The undercut from the bed up to the nose, shaded as the rounded cloth nose it stands for.
    constexpr float kUndercut = 0.6f;
    AddQuadFacing(mesh, point(CushionEnd(piece, false, kUndercut), kUndercut, 0.0f),
                  point(CushionEnd(piece, true, kUndercut), kUndercut, 0.0f),
                  point(CushionEnd(piece, true, 0.0f), 0.0f, geometry_.cushionNoseHeight),
                  point(CushionEnd(piece, false, 0.0f), 0.0f, geometry_.cushionNoseHeight), inward, uv,
                  RoundedFaceShading(inward, kNoseRise));
    // The sloping top from the nose back to the rail, in strips so that trimmed jaws follow the holes' edges,
    // and the end caps under each strip down to the bed.
    for (int strip = 0; strip < kCushionStrips; ++strip) {
        const float d0 = width * static_cast<float>(strip) / kCushionStrips;
        const float d1 = width * static_cast<float>(strip + 1) / kCushionStrips;
        const float low0 = CushionEnd(piece, false, d0), low1 = CushionEnd(piece, false, d1);
        const float high0 = CushionEnd(piece, true, d0), high1 = CushionEnd(piece, true, d1);
        if (high0 <= low0 && high1 <= low1) {
            continue;
        }
        AddQuadFacing(mesh, point(low0, d0, heightAt(d0)), point(high0, d0, heightAt(d0)),
                      point(high1, d1, heightAt(d1)), point(low1, d1, heightAt(d1)), {0.0f, 0.0f, 1.0f}, uv);
        // Each end cap faces out of the strip: away from its middle, which for a jaw trimmed round a hole is
        // towards the hole rather than along the cushion (a cap wound along the cushion there would face into
        // it and leave a dark gap onto the cup below).
        const Vec3 middle = point((low0 + low1 + high0 + high1) * 0.25f, (d0 + d1) * 0.5f, 0.0f);
        const auto facingOut = [&](float end0, float end1, const Vec3& fallback) {
            const Vec3 cap = point((end0 + end1) * 0.5f, (d0 + d1) * 0.5f, 0.0f);
            Vec3 out{cap.x - middle.x, cap.y - middle.y, 0.0f};
            const float length = std::sqrt(out.x * out.x + out.y * out.y);
            return length > 1e-3f ? Vec3{out.x / length, out.y / length, 0.0f} : fallback;
        };
        const Vec3 lowOut = facingOut(low0, low1, negate(alongAxis));
        const Vec3 highOut = facingOut(high0, high1, alongAxis);
        AddQuadFacing(mesh, point(low0, d0, 0.0f), point(low1, d1, 0.0f), point(low1, d1, heightAt(d1)),
                      point(low0, d0, heightAt(d0)), lowOut, uv, RoundedFaceShading(lowOut, kJawRise));
        AddQuadFacing(mesh, point(high0, d0, 0.0f), point(high1, d1, 0.0f), point(high1, d1, heightAt(d1)),
                      point(high0, d0, heightAt(d0)), highOut, uv, RoundedFaceShading(highOut, kJawRise));
    }
}

void TableModelBuilder::AddQuadFacing(MeshBuilder& mesh, const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3,
                                      const Vec3& facing, const std::function<std::pair<float, float>(const Vec3&)>& uv,
                                      const std::optional<Vec3>& shading) {
    // The normal of the larger of the quad's two triangles decides the order (a trimmed strip may have a
    // side of zero length).
    const auto cross = [](const Vec3& a, const Vec3& b, const Vec3& c) {
        const Vec3 e1{b.x - a.x, b.y - a.y, b.z - a.z}, e2{c.x - a.x, c.y - a.y, c.z - a.z};
        return Vec3{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
    };
    const auto length = [](const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); };
    const Vec3 first = cross(p0, p1, p2), second = cross(p0, p2, p3);
    const Vec3 normal = length(first) >= length(second) ? first : second;
    if (length(normal) < 1e-6f) {
        return;
    }
    const bool forward = normal.x * facing.x + normal.y * facing.y + normal.z * facing.z >= 0.0f;
    // Started at the larger triangle's corner so that MeshBuilder takes its normal from a real triangle.
    const bool firstLarger = length(first) >= length(second);
    using Corners = std::array<const Vec3*, 4>;
    Corners order{&p0, &p1, &p2, &p3};
    if (forward) {
        if (!firstLarger)
            order = {&p2, &p3, &p0, &p1};
    } else {
        order = firstLarger ? Corners{&p2, &p1, &p0, &p3} : Corners{&p0, &p3, &p2, &p1};
    }
    if (shading) {
        mesh.AddQuad(*order[0], *order[1], *order[2], *order[3], uv, *shading);
    } else {
        mesh.AddQuad(*order[0], *order[1], *order[2], *order[3], uv);
    }
}

std::vector<TableModelBuilder::CushionPiece> TableModelBuilder::CushionPieces() const {
    const kestrovan::TableGeometry& g = geometry_;
    if (!hasPockets_) {
        // Four cushions meeting at mitred corners.
        return {{true, g.noseMinY, -1.0f, g.noseMinX, g.noseMaxX, back_.x0, back_.x1},
                {true, g.noseMaxY, 1.0f, g.noseMinX, g.noseMaxX, back_.x0, back_.x1},
                {false, g.noseMinX, -1.0f, g.noseMinY, g.noseMaxY, back_.y0, back_.y1},
                {false, g.noseMaxX, 1.0f, g.noseMinY, g.noseMaxY, back_.y0, back_.y1}};
    }
    // Six cushions between the pockets; each ends at the jaws, pocketJaw1/pocketJaw4 along the nose line and
    // pocketJaw0/pocketJaw3 along the back line from the corner or the middle.
    std::vector<CushionPiece> pieces;
    const float middle = (g.noseMinX + g.noseMaxX) * 0.5f;
    for (float outward : {-1.0f, 1.0f}) {
        const float nose = outward < 0.0f ? g.noseMinY : g.noseMaxY;
        pieces.push_back({true, nose, outward, g.noseMinX + g.pocketJaw1, middle - g.pocketJaw4, back_.x0 + g.pocketJaw0,
                          middle - g.pocketJaw3});
        pieces.push_back({true, nose, outward, middle + g.pocketJaw4, g.noseMaxX - g.pocketJaw1, middle + g.pocketJaw3,
                          back_.x1 - g.pocketJaw0});
        const float end = outward < 0.0f ? g.noseMinX : g.noseMaxX;
        pieces.push_back({false, end, outward, g.noseMinY + g.pocketJaw1, g.noseMaxY - g.pocketJaw1,
                          back_.y0 + g.pocketJaw0, back_.y1 - g.pocketJaw0});
    }
    return pieces;
}

void TableModelBuilder::BuildCushions(MeshBuilder& mesh) const {
    for (const CushionPiece& piece : CushionPieces()) {
        AddCushion(mesh, piece);
    }
}

std::optional<float> TableModelBuilder::CushionTopAt(float x, float y) const {
    const float width = geometry_.cushionWidth;
    for (const CushionPiece& piece : CushionPieces()) {
        const float across = piece.alongX ? y : x;
        const float along = piece.alongX ? x : y;
        const float d = (across - piece.nose) * piece.outward;
        if (d < 0.0f || d > width) {
            continue;
        }
        if (along >= CushionEnd(piece, false, d) && along <= CushionEnd(piece, true, d)) {
            return geometry_.cushionNoseHeight + (geometry_.cushionTopHeight - geometry_.cushionNoseHeight) * d / width;
        }
    }
    return std::nullopt;
}

void TableModelBuilder::BuildRails(MeshBuilder& mesh, const TableMaterials& materials) const {
    constexpr float kCell = 30.0f;
    const float z = geometry_.cushionTopHeight;
    if (!hasPockets_) {
        AddFlatGrid(mesh, {frame_.x0, frame_.y0, frame_.x1, back_.y0}, z, kCell, kWoodUvScale);
        AddFlatGrid(mesh, {frame_.x0, back_.y1, frame_.x1, frame_.y1}, z, kCell, kWoodUvScale);
        AddFlatGrid(mesh, {frame_.x0, back_.y0, back_.x0, back_.y1}, z, kCell, kWoodUvScale);
        AddFlatGrid(mesh, {back_.x1, back_.y0, frame_.x1, back_.y1}, z, kCell, kWoodUvScale);
        return;
    }
    // Leather caps the rails around the pockets, as on a pocket table.
    mesh.BeginPart(materials.cap);
    for (const Hole& hole : holes_) {
        AddHoleSurround(mesh, hole, hole.railSquare, &back_, z, kWoodUvScale);
    }
    mesh.BeginPart(materials.wood);
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

TableModelBuilder::Cover TableModelBuilder::CoverAt(float x, float y) const {
    if (x < back_.x0 || x > back_.x1 || y < back_.y0 || y > back_.y1) {
        return Cover::Rail;
    }
    return CushionTopAt(x, y).has_value() ? Cover::Cushion : Cover::Bed;
}

std::vector<float> TableModelBuilder::RimAngles(const Hole& hole) const {
    std::vector<float> angles;
    for (int i = 0; i < kCupSegments; ++i) {
        angles.push_back(kFullTurn * static_cast<float>(i) / kCupSegments);
    }
    for (const auto& [x, y] : CircleCrossings(hole, back_)) {
        const float angle = std::atan2(y - hole.y, x - hole.x);
        angles.push_back(angle < 0.0f ? angle + kFullTurn : angle);
    }
    AddJawCrossings(hole, angles);
    std::sort(angles.begin(), angles.end());
    angles.push_back(angles.front() + kFullTurn);
    return angles;
}

std::pair<float, float> TableModelBuilder::RimPoint(const Hole& hole, float angle) {
    return {hole.x + hole.radius * std::cos(angle), hole.y + hole.radius * std::sin(angle)};
}

void TableModelBuilder::AddClothLip(MeshBuilder& mesh, const Hole& hole) const {
    const std::vector<float> angles = RimAngles(hole);
    for (size_t i = 0; i + 1 < angles.size(); ++i) {
        const float a0 = angles[i], a1 = angles[i + 1];
        const auto [xm, ym] = RimPoint(hole, (a0 + a1) * 0.5f);
        if (a1 - a0 < 1e-5f || CoverAt(xm, ym) == Cover::Rail) {
            continue;
        }
        const auto [x0, y0] = RimPoint(hole, a0);
        const auto [x1, y1] = RimPoint(hole, a1);
        const float length = std::hypot(xm - hole.x, ym - hole.y);
        const Vec3 towardsCentre{(hole.x - xm) / length, (hole.y - ym) / length, 0.0f};
        const auto uv = [&](const Vec3& p) { return std::pair{(p.x + p.y) / kClothUvScale, p.z / kClothUvScale}; };
        AddQuadFacing(mesh, {x0, y0, 0.0f}, {x1, y1, 0.0f}, {x1, y1, -kClothLip}, {x0, y0, -kClothLip}, towardsCentre,
                      uv, RoundedFaceShading(towardsCentre, kLipRise));
    }
}

void TableModelBuilder::BuildPockets(MeshBuilder& mesh) const {
    const float bottom = geometry_.pocketFloorHeight;
    for (const Hole& hole : holes_) {
        // The cup's wall reaches up to what lies over its rim: the cloth's lip at the bed, the rail's top behind
        // it. A jaw is trimmed round the hole and closed by its own end down to the cloth: a wall rising to the
        // jaw's top there would stand beside that end, as a wall above the cloth would show as a dark band round
        // the hole.
        const std::vector<float> angles = RimAngles(hole);
        for (size_t i = 0; i + 1 < angles.size(); ++i) {
            const float a0 = angles[i], a1 = angles[i + 1];
            if (a1 - a0 < 1e-5f) {
                continue;
            }
            const auto [x0, y0] = RimPoint(hole, a0);
            const auto [x1, y1] = RimPoint(hole, a1);
            const auto [xm, ym] = RimPoint(hole, (a0 + a1) * 0.5f);
            const bool underRail = CoverAt(xm, ym) == Cover::Rail;
            const Vec3 p0{x0, y0, bottom}, p1{x1, y1, bottom};
            const float top = underRail ? geometry_.cushionTopHeight : -kClothLip;
            const Vec3 q0{x0, y0, top}, q1{x1, y1, top};
            // The wall faces inwards, towards the centre, where it is seen from; v runs down from the rim.
            const float u0 = a0 / kFullTurn, u1 = a1 / kFullTurn;
            mesh.AddQuad(p1, p0, q0, q1, [&](const Vec3& p) {
                const bool first = p.x == p0.x && p.y == p0.y;
                return std::pair{first ? u0 : u1, std::clamp(-p.z / -bottom, 0.0f, 1.0f) * kLinerBottomV};
            });
        }
        // The cup's floor, in the liner's darkest row: the shadow at the bottom of the pocket.
        const uint16_t middle = mesh.AddVertex({{hole.x, hole.y, bottom}, {0.0f, 0.0f, 1.0f}, 0.5f, kLinerBottomV});
        for (int i = 0; i < kCupSegments; ++i) {
            const auto [x0, y0] = RimPoint(hole, kFullTurn * static_cast<float>(i) / kCupSegments);
            const auto [x1, y1] = RimPoint(hole, kFullTurn * static_cast<float>(i + 1) / kCupSegments);
            const uint16_t a = mesh.AddVertex({{x0, y0, bottom}, {0.0f, 0.0f, 1.0f}, 0.5f, kLinerBottomV});
            const uint16_t b = mesh.AddVertex({{x1, y1, bottom}, {0.0f, 0.0f, 1.0f}, 0.5f, kLinerBottomV});
            mesh.AddTriangle(middle, a, b);
        }
    }
}

void TableModelBuilder::AddJawCrossings(const Hole& hole, std::vector<float>& angles) const {
    // Where the circle meets a cushion's end cap (a vertical face between its nose end and its back end).
    const float width = geometry_.cushionWidth;
    for (const CushionPiece& piece : CushionPieces()) {
        for (bool end : {false, true}) {
            const float a = end ? piece.a1 : piece.a0, b = end ? piece.b1 : piece.b0;
            // The cap's line from (along a, across nose) to (along b, across nose + outward * width).
            const auto point = [&](float t) {
                const float along = a + (b - a) * t, across = piece.nose + piece.outward * width * t;
                return piece.alongX ? std::pair{along, across} : std::pair{across, along};
            };
            const auto [sx, sy] = point(0.0f);
            const auto [ex, ey] = point(1.0f);
            const float dx = ex - sx, dy = ey - sy, fx = sx - hole.x, fy = sy - hole.y;
            const float qa = dx * dx + dy * dy, qb = 2.0f * (fx * dx + fy * dy),
                        qc = fx * fx + fy * fy - hole.radius * hole.radius;
            const float discriminant = qb * qb - 4.0f * qa * qc;
            if (qa <= 0.0f || discriminant < 0.0f) {
                continue;
            }
            for (float sign : {-1.0f, 1.0f}) {
                const float t = (-qb + sign * std::sqrt(discriminant)) / (2.0f * qa);
                if (t >= 0.0f && t <= 1.0f) {
                    const auto [x, y] = point(t);
                    const float angle = std::atan2(y - hole.y, x - hole.x);
                    angles.push_back(angle < 0.0f ? angle + kFullTurn : angle);
                }
            }
        }
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
