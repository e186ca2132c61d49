#pragma once
// The meshes of a billiard table laid out by the physics' table description, so that what the player sees
// is where the balls run: the cloth bed spans the cushion backs (with holes where the pockets are), the
// cushions' noses lie on the nose lines, the rails reach the table's outer edge, the pocket cups stand under
// the bed holes, and the frame and legs carry it all down to the floor.
//
// Lengths are centimetres, the origin is the table's centre on the cloth, x along the length, z up.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "client/physics/TableGeometry.h"
#include "tools/mkdata/MeshBuilder.h"

namespace mkdata {

struct TableMeshes {
    MeshBuilder bed;
    MeshBuilder cushions;
    MeshBuilder rails;
    MeshBuilder pockets;  // empty for carom tables
    MeshBuilder frame;
    MeshBuilder legs;
    MeshBuilder sights;  // the inlaid marks on the rails
};

struct TableMaterials {
    uint32_t cloth = 0;
    uint32_t wood = 0;
    uint32_t pocket = 0;
    uint32_t cap = 0;  // the leather caps of the rails around the pockets
    uint32_t sight = 0;
    // The materials carry a light map laid over the whole table from above (its outer edge the map's).
    bool lightMapped = false;
};

class TableModelBuilder {
public:
    // The height of the frame's lower edge below the cloth.
    static constexpr float kApronBottom = -18.0f;

    TableModelBuilder(const kestrovan::TableGeometry& geometry, bool hasPockets);

    TableMeshes Build(const TableMaterials& materials) const;

private:
    struct Rect {
        float x0, y0, x1, y1;
    };
    // One cushion: the nose on the line at nose (a y when alongX, else an x), facing -outward, from the nose
    // ends a0..a1 widening to the back ends b0..b1 along the rail.
    struct CushionPiece {
        bool alongX;
        float nose, outward;
        float a0, a1, b0, b1;
    };
    // What covers a point of the table seen from above.
    enum class Cover { Bed, Cushion, Rail };
    struct Hole {
        float x, y, radius;
        Rect bedSquare;   // the part of the bed built around the hole
        Rect railSquare;  // the part of the rails built around the hole
    };

    void BuildBed(MeshBuilder& mesh) const;
    void BuildCushions(MeshBuilder& mesh) const;
    void BuildRails(MeshBuilder& mesh, const TableMaterials& materials) const;
    void BuildPockets(MeshBuilder& mesh) const;
    void BuildFrame(MeshBuilder& mesh) const;
    void BuildLegs(MeshBuilder& mesh) const;
    void BuildSights(MeshBuilder& mesh) const;

    // A flat rectangle at height z split into cells of at most cell x cell.
    void AddFlatGrid(MeshBuilder& mesh, const Rect& rect, float z, float cell, float uvScale) const;
    // The part of rect at height z outside the hole's circle and outside exclude (when given), built from
    // rays out of the hole's centre (the rect must contain the centre and exclude be convex).
    void AddHoleSurround(MeshBuilder& mesh, const Hole& hole, const Rect& rect, const Rect* exclude, float z,
                         float uvScale) const;
    void AddCushion(MeshBuilder& mesh, const CushionPiece& piece) const;
    // Where the cushion ends at depth d behind its nose: the low (a, b) or the high end, trimmed back to the
    // edge of a pocket's hole that it would hang over.
    float CushionEnd(const CushionPiece& piece, bool high, float d) const;
    // A planar quad wound so that its normal points to the side of facing; shaded by its own normal, or by
    // shading when given (a face that stands for a rounded one).
    static void AddQuadFacing(MeshBuilder& mesh, const quill::Vec3& p0, const quill::Vec3& p1, const quill::Vec3& p2,
                              const quill::Vec3& p3, const quill::Vec3& facing,
                              const std::function<std::pair<float, float>(const quill::Vec3&)>& uv,
                              const std::optional<quill::Vec3>& shading = std::nullopt);
    // The cushions of the table, laid out by its kind.
    std::vector<CushionPiece> CushionPieces() const;
    // The height of a cushion's top over the point, when a cushion covers it.
    std::optional<float> CushionTopAt(float x, float y) const;
    Cover CoverAt(float x, float y) const;
    // The points where the hole's circle meets the rectangle's edges.
    static std::vector<std::pair<float, float>> CircleCrossings(const Hole& hole, const Rect& rect);
    // Adds the angles (about the hole's centre) where its circle meets the cushions' end caps.
    void AddJawCrossings(const Hole& hole, std::vector<float>& angles) const;
    // The angles that split a hole's rim where what lies over it changes, sorted, the first again at the end
    // (plus a full turn).
    std::vector<float> RimAngles(const Hole& hole) const;
    static std::pair<float, float> RimPoint(const Hole& hole, float angle);
    // The cloth rolling over the hole's edge where the bed meets it, a little way down into the cup.
    void AddClothLip(MeshBuilder& mesh, const Hole& hole) const;

    kestrovan::TableGeometry geometry_;
    bool hasPockets_;
    Rect back_;   // the cushion backs: the bed's extent
    Rect frame_;  // the table's outer edge
    std::array<Hole, 6> holes_{};
};

}  // namespace mkdata
