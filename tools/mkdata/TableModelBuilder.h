#pragma once
// The meshes of a billiard table laid out by the physics' table description, so that what the player sees
// is where the balls run: the cloth bed spans the cushion backs (with holes where the pockets are), the
// cushions' noses lie on the nose lines, the rails reach the table's outer edge, the pocket cups stand under
// the bed holes, and the frame and legs carry it all down to the floor.
//
// Lengths are centimetres, the origin is the table's centre on the cloth, x along the length, z up.
#include <array>
#include <cstdint>

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
    uint32_t sight = 0;
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
    struct Hole {
        float x, y, radius;
        Rect bedSquare;   // the part of the bed built around the hole
        Rect railSquare;  // the part of the rails built around the hole
    };

    void BuildBed(MeshBuilder& mesh) const;
    void BuildCushions(MeshBuilder& mesh) const;
    void BuildRails(MeshBuilder& mesh) const;
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
    // One cushion: the nose on the line at noseCoordinate (x or y by alongX), facing -outward, from the nose
    // ends a0..a1 widening to the back ends b0..b1 along the rail.
    void AddCushion(MeshBuilder& mesh, bool alongX, float noseCoordinate, float outward, float a0, float a1, float b0,
                    float b1) const;

    kestrovan::TableGeometry geometry_;
    bool hasPockets_;
    Rect back_;   // the cushion backs: the bed's extent
    Rect frame_;  // the table's outer edge
    std::array<Hole, 6> holes_{};
};

}  // namespace mkdata
