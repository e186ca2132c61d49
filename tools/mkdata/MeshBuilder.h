#pragma once
// Builds the triangles of one MESH item: vertices with position, normal and one texture-coordinate pair, and
// parts, each a triangle list of 16-bit indices drawn with one material. Shapes are added into the current
// part; the builder keeps the bound sphere and writes the packed body.
//
// Lengths are centimetres, z up. Triangles wind counter-clockwise seen from the side their normal faces.
#include <cstdint>
#include <functional>
#include <vector>

#include "QuillLib/math/Vec3.h"
#include "tools/mkdata/BodyWriter.h"

namespace mkdata {

struct MeshVertex {
    quill::Vec3 position;
    quill::Vec3 normal;
    float u = 0.0f;
    float v = 0.0f;
    // The second texture-coordinate pair (a light map's), set by the builder from the position.
    float u2 = 0.0f;
    float v2 = 0.0f;
};

class MeshBuilder {
public:
    // Position, normal and one pair of texture coordinates (two floats); with a light map, two pairs.
    static constexpr uint32_t kVertexFormat = 0x103;
    static constexpr uint32_t kLightMappedFormat = 0x203;
    static constexpr uint32_t kMaxVertices = 65535;

    // A point of a lathe profile: the radius from the axis at a distance along it.
    struct ProfilePoint {
        float along = 0.0f;
        float radius = 0.0f;
    };

    // Starts a part drawn with the material; later shapes go into it (a part still empty takes the material).
    void BeginPart(uint32_t materialId);
    // Every vertex gets a second coordinate pair, the map of its position (a light map laid over the shapes
    // from above); set before the first vertex.
    void MapLight(std::function<std::pair<float, float>(const quill::Vec3&)> map);

    uint16_t AddVertex(const MeshVertex& vertex);
    void AddTriangle(uint16_t a, uint16_t b, uint16_t c);
    // A planar quad p0 p1 p2 p3 (counter-clockwise) with texture coordinates from uv(point), shaded by its own
    // normal or by the one given.
    void AddQuad(const quill::Vec3& p0, const quill::Vec3& p1, const quill::Vec3& p2, const quill::Vec3& p3,
                 const std::function<std::pair<float, float>(const quill::Vec3&)>& uv);
    void AddQuad(const quill::Vec3& p0, const quill::Vec3& p1, const quill::Vec3& p2, const quill::Vec3& p3,
                 const std::function<std::pair<float, float>(const quill::Vec3&)>& uv, const quill::Vec3& normal);
    // A box between two corners; every face textured with (coordinate / uvScale).
    void AddBox(const quill::Vec3& min, const quill::Vec3& max, float uvScale);
    // A sphere about the origin: u runs once around the z axis, from left to right as seen from outside in the
    // engine's left-handed view (clockwise seen from above), v from the top pole (0) to the bottom (1).
    void AddUvSphere(float radius, uint32_t slices, uint32_t stacks);
    // A surface of revolution about the x axis: u = along / length, v = the angle around.
    void AddLathe(const std::vector<ProfilePoint>& profile, uint32_t slices, float length);
    // A flat disc facing +z at height z; texture coordinates map its square to 0..1.
    void AddDisc(const quill::Vec3& centre, float radius, uint32_t segments);

    const std::vector<MeshVertex>& Vertices() const { return vertices_; }
    // The indices of every part, in part order.
    std::vector<std::vector<uint16_t>> PartIndices() const;
    bool IsEmpty() const { return vertices_.empty(); }
    // False when the vertices no longer fit 16-bit indices.
    bool Fits() const { return !overflow_; }

    // The bound sphere: the centre of the box around the vertices and the farthest vertex from it.
    void Bound(quill::Vec3& centre, float& radius) const;
    void WriteBody(BodyWriter& out) const;

private:
    struct Part {
        uint32_t materialId = 0;
        std::vector<uint16_t> indices;
    };

    Part& CurrentPart();

    std::vector<MeshVertex> vertices_;
    std::vector<Part> parts_;
    std::function<std::pair<float, float>(const quill::Vec3&)> lightMap_;
    bool overflow_ = false;
};

}  // namespace mkdata
