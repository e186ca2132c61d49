// The table meshes against the physics' table description: what the player sees must be where the balls
// run, for every table kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "client/physics/PocketGeometry.h"
#include "client/physics/TableGeometry.h"
#include "tools/mkdata/TableModelBuilder.h"

namespace {

using mkdata::MeshBuilder;
using mkdata::MeshVertex;

constexpr float kTolerance = 0.1f;  // cm

struct Extent {
    float minX = std::numeric_limits<float>::max(), maxX = -std::numeric_limits<float>::max();
    float minY = std::numeric_limits<float>::max(), maxY = -std::numeric_limits<float>::max();
    void Add(const MeshVertex& vertex) {
        minX = std::min(minX, vertex.position.x);
        maxX = std::max(maxX, vertex.position.x);
        minY = std::min(minY, vertex.position.y);
        maxY = std::max(maxY, vertex.position.y);
    }
};

Extent ExtentOf(const MeshBuilder& mesh, float z) {
    Extent extent;
    for (const MeshVertex& vertex : mesh.Vertices()) {
        if (std::fabs(vertex.position.z - z) < 1e-3f) {
            extent.Add(vertex);
        }
    }
    return extent;
}

struct Built {
    kestrovan::TableGeometry geometry;
    bool hasPockets = false;
    mkdata::TableMeshes meshes;
};

Built Build(uint32_t kind) {
    Built built;
    built.hasPockets = kestrovan::InitTableGeometry(kind, &built.geometry) != 0;
    built.meshes = mkdata::TableModelBuilder(built.geometry, built.hasPockets).Build({0, 1, 2, 3});
    return built;
}

TEST(TableModelTest, BedSpansTheCushionBacksAndCushionNosesLieOnTheNoseLines) {
    for (uint32_t kind = 0; kind < kestrovan::kTableKindCount; ++kind) {
        SCOPED_TRACE("table kind " + std::to_string(kind));
        const Built built = Build(kind);
        const kestrovan::TableGeometry& g = built.geometry;

        const Extent bed = ExtentOf(built.meshes.bed, 0.0f);
        EXPECT_NEAR(bed.minX, g.cushionBackMinX, kTolerance);
        EXPECT_NEAR(bed.maxX, g.cushionBackMaxX, kTolerance);
        EXPECT_NEAR(bed.minY, g.cushionBackMinY, kTolerance);
        EXPECT_NEAR(bed.maxY, g.cushionBackMaxY, kTolerance);

        // The noses are the cushion vertices at the nose height; their extremes are the nose lines, and no
        // cushion reaches into the playing area.
        const Extent noses = ExtentOf(built.meshes.cushions, g.cushionNoseHeight);
        EXPECT_NEAR(noses.minX, g.noseMinX, kTolerance);
        EXPECT_NEAR(noses.maxX, g.noseMaxX, kTolerance);
        EXPECT_NEAR(noses.minY, g.noseMinY, kTolerance);
        EXPECT_NEAR(noses.maxY, g.noseMaxY, kTolerance);
        for (const MeshVertex& vertex : built.meshes.cushions.Vertices()) {
            const bool insideX = vertex.position.x > g.noseMinX + kTolerance && vertex.position.x < g.noseMaxX - kTolerance;
            const bool insideY = vertex.position.y > g.noseMinY + kTolerance && vertex.position.y < g.noseMaxY - kTolerance;
            EXPECT_FALSE(insideX && insideY) << vertex.position.x << ", " << vertex.position.y;
        }

        // The rails reach the table's outer edge at the cushion's top height.
        const Extent rails = ExtentOf(built.meshes.rails, g.cushionTopHeight);
        EXPECT_NEAR(rails.minX, g.frameMinX, kTolerance);
        EXPECT_NEAR(rails.maxX, g.frameMaxX, kTolerance);
        EXPECT_NEAR(rails.minY, g.frameMinY, kTolerance);
        EXPECT_NEAR(rails.maxY, g.frameMaxY, kTolerance);

        // The legs stand on the floor.
        float lowest = 0.0f;
        for (const MeshVertex& vertex : built.meshes.legs.Vertices()) {
            lowest = std::min(lowest, vertex.position.z);
        }
        EXPECT_NEAR(lowest, g.floorHeight, kTolerance);
        EXPECT_EQ(built.meshes.pockets.IsEmpty(), !built.hasPockets);
    }
}

TEST(TableModelTest, PocketCupsStandUnderOpenBedHolesWhereThePhysicsPutsThem) {
    for (uint32_t kind : {1u, 9u, 10u, 11u}) {
        SCOPED_TRACE("table kind " + std::to_string(kind));
        const Built built = Build(kind);
        const kestrovan::PocketGeometry pockets(built.geometry);
        for (uint8_t pocket = 1; pocket <= kestrovan::kPocketCount; ++pocket) {
            SCOPED_TRACE("pocket " + std::to_string(pocket));
            float x = 0.0f, y = 0.0f;
            pockets.HoleCentre(pocket, &x, &y);
            const float radius = pockets.HoleRadius(pocket);
            // The cup's floor: the vertices at the pocket floor height nearest this hole.
            Extent floor;
            float farthest = 0.0f;
            int count = 0;
            for (const MeshVertex& vertex : built.meshes.pockets.Vertices()) {
                const float distance = std::hypot(vertex.position.x - x, vertex.position.y - y);
                if (std::fabs(vertex.position.z - built.geometry.pocketFloorHeight) < 1e-3f && distance < radius + 1.0f) {
                    floor.Add(vertex);
                    farthest = std::max(farthest, distance);
                    ++count;
                }
            }
            ASSERT_GT(count, 0);
            EXPECT_NEAR((floor.minX + floor.maxX) / 2, x, kTolerance);
            EXPECT_NEAR((floor.minY + floor.maxY) / 2, y, kTolerance);
            EXPECT_NEAR(farthest, radius, kTolerance);
            // The bed leaves the hole open.
            for (const MeshVertex& vertex : built.meshes.bed.Vertices()) {
                EXPECT_GE(std::hypot(vertex.position.x - x, vertex.position.y - y), radius - kTolerance);
            }
        }
        // The cups read the liner short of its last texel, where a filtered read would wrap round to the bright
        // welt of its first row and light the cups' feet and floors.
        for (const MeshVertex& vertex : built.meshes.pockets.Vertices())
            EXPECT_LE(vertex.v, 63.0f / 64.0f);
    }
}

// Seen from above, the cloth, the cushions and the rails cover the whole table out to its outer edge, but for
// the pockets' holes: no slit between two of them through which the floor would show.
TEST(TableModelTest, SurfacesSeenFromAboveLeaveOnlyThePocketsOpen) {
    for (uint32_t kind : {3u, 9u, 11u}) {
        SCOPED_TRACE("table kind " + std::to_string(kind));
        const Built built = Build(kind);
        const kestrovan::TableGeometry& g = built.geometry;
        // The triangles that face up, flattened onto the table's plane.
        struct Flat {
            float ax, ay, bx, by, cx, cy;
        };
        std::vector<Flat> flats;
        for (const MeshBuilder* mesh : {&built.meshes.bed, &built.meshes.cushions, &built.meshes.rails}) {
            const auto& vertices = mesh->Vertices();
            for (const auto& indices : mesh->PartIndices()) {
                for (size_t i = 0; i + 2 < indices.size(); i += 3) {
                    const auto& a = vertices[indices[i]].position;
                    const auto& b = vertices[indices[i + 1]].position;
                    const auto& c = vertices[indices[i + 2]].position;
                    const float up = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
                    if (up > 1e-6f) flats.push_back({a.x, a.y, b.x, b.y, c.x, c.y});
                }
            }
        }
        const auto covered = [&](float x, float y) {
            for (const Flat& f : flats) {
                const float d1 = (f.bx - f.ax) * (y - f.ay) - (f.by - f.ay) * (x - f.ax);
                const float d2 = (f.cx - f.bx) * (y - f.by) - (f.cy - f.by) * (x - f.bx);
                const float d3 = (f.ax - f.cx) * (y - f.cy) - (f.ay - f.cy) * (x - f.cx);
                if (d1 >= -1e-4f && d2 >= -1e-4f && d3 >= -1e-4f) return true;
            }
            return false;
        };
        const kestrovan::PocketGeometry pockets(g);
        const auto inHole = [&](float x, float y) {
            for (uint8_t pocket = 1; built.hasPockets && pocket <= kestrovan::kPocketCount; ++pocket) {
                float hx = 0.0f, hy = 0.0f;
                pockets.HoleCentre(pocket, &hx, &hy);
                if (std::hypot(x - hx, y - hy) < pockets.HoleRadius(pocket) + 0.05f) return true;
            }
            return false;
        };
        int open = 0;
        // A fine grid, and lines just either side of the cushions' backs, where cushion and rail meet.
        const auto probe = [&](float x, float y) {
            if (inHole(x, y) || covered(x, y)) return;
            if (++open <= 5) ADD_FAILURE() << "open at " << x << ", " << y;
        };
        for (float x = g.frameMinX + 0.05f; x < g.frameMaxX; x += 0.37f) {
            for (float y = g.frameMinY + 0.05f; y < g.frameMaxY; y += 0.41f) probe(x, y);
            for (float y : {g.cushionBackMinY - 0.01f, g.cushionBackMinY + 0.01f, g.cushionBackMaxY - 0.01f,
                            g.cushionBackMaxY + 0.01f}) {
                probe(x, y);
            }
        }
        EXPECT_EQ(open, 0);
    }
}

TEST(TableModelTest, MeshesFitSixteenBitIndicesAndFaceTheirNormals) {
    for (uint32_t kind = 0; kind < kestrovan::kTableKindCount; ++kind) {
        SCOPED_TRACE("table kind " + std::to_string(kind));
        const Built built = Build(kind);
        for (const MeshBuilder* mesh : {&built.meshes.bed, &built.meshes.cushions, &built.meshes.rails,
                                        &built.meshes.pockets, &built.meshes.frame, &built.meshes.legs,
                                        &built.meshes.sights}) {
            EXPECT_TRUE(mesh->Fits());
            // Every triangle winds counter-clockwise about its vertices' normal.
            const auto& vertices = mesh->Vertices();
            for (const auto& indices : mesh->PartIndices()) {
                ASSERT_EQ(indices.size() % 3, 0u);
                for (size_t i = 0; i < indices.size(); i += 3) {
                    const auto& a = vertices[indices[i]].position;
                    const auto& b = vertices[indices[i + 1]].position;
                    const auto& c = vertices[indices[i + 2]].position;
                    const quill::Vec3 e1{b.x - a.x, b.y - a.y, b.z - a.z}, e2{c.x - a.x, c.y - a.y, c.z - a.z};
                    const quill::Vec3 cross{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z,
                                            e1.x * e2.y - e1.y * e2.x};
                    const auto& n = vertices[indices[i]].normal;
                    EXPECT_GE(cross.x * n.x + cross.y * n.y + cross.z * n.z, -1e-3f);
                }
            }
        }
    }
}

}  // namespace
