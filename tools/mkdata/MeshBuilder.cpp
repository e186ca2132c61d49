#include "tools/mkdata/MeshBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

namespace mkdata {
namespace {

using quill::Vec3;

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

Vec3 Sub(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 Normalised(const Vec3& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return length > 0.0f ? Vec3{v.x / length, v.y / length, v.z / length} : Vec3{0.0f, 0.0f, 1.0f};
}

float Distance(const Vec3& a, const Vec3& b) {
    const Vec3 d = Sub(a, b);
    return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

}  // namespace

void MeshBuilder::BeginPart(uint32_t materialId) {
    // A part that got no triangles is taken over rather than left empty: the renderer draws no empty part.
    if (!parts_.empty() && parts_.back().indices.empty()) {
        parts_.back().materialId = materialId;
        return;
    }
    parts_.push_back(Part{materialId, {}});
}

MeshBuilder::Part& MeshBuilder::CurrentPart() {
    if (parts_.empty()) {
        BeginPart(0);
    }
    return parts_.back();
}

uint16_t MeshBuilder::AddVertex(const MeshVertex& vertex) {
    if (vertices_.size() >= kMaxVertices) {
        overflow_ = true;
        return 0;
    }
    vertices_.push_back(vertex);
    if (lightMap_) {
        std::tie(vertices_.back().u2, vertices_.back().v2) = lightMap_(vertex.position);
    }
    return static_cast<uint16_t>(vertices_.size() - 1);
}

void MeshBuilder::MapLight(std::function<std::pair<float, float>(const quill::Vec3&)> map) {
    lightMap_ = std::move(map);
}

void MeshBuilder::AddTriangle(uint16_t a, uint16_t b, uint16_t c) {
    std::vector<uint16_t>& indices = CurrentPart().indices;
    indices.insert(indices.end(), {a, b, c});
}

void MeshBuilder::AddQuad(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3,
                          const std::function<std::pair<float, float>(const Vec3&)>& uv) {
    AddQuad(p0, p1, p2, p3, uv, Normalised(Cross(Sub(p1, p0), Sub(p2, p0))));
}

void MeshBuilder::AddQuad(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3,
                          const std::function<std::pair<float, float>(const Vec3&)>& uv, const Vec3& normal) {
    uint16_t index[4];
    const Vec3* corners[4] = {&p0, &p1, &p2, &p3};
    for (int i = 0; i < 4; ++i) {
        const auto [u, v] = uv(*corners[i]);
        index[i] = AddVertex({*corners[i], normal, u, v});
    }
    AddTriangle(index[0], index[1], index[2]);
    AddTriangle(index[0], index[2], index[3]);
}

void MeshBuilder::AddBox(const Vec3& min, const Vec3& max, float uvScale) {
    const auto byXY = [uvScale](const Vec3& p) { return std::pair{p.x / uvScale, p.y / uvScale}; };
    const auto byXZ = [uvScale](const Vec3& p) { return std::pair{p.x / uvScale, p.z / uvScale}; };
    const auto byYZ = [uvScale](const Vec3& p) { return std::pair{p.y / uvScale, p.z / uvScale}; };
    const float x0 = min.x, y0 = min.y, z0 = min.z, x1 = max.x, y1 = max.y, z1 = max.z;
    AddQuad({x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, byXY);  // top
    AddQuad({x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}, {x0, y0, z0}, byXY);  // bottom
    AddQuad({x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}, byXZ);  // -y
    AddQuad({x1, y1, z0}, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, byXZ);  // +y
    AddQuad({x0, y1, z0}, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, byYZ);  // -x
    AddQuad({x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}, byYZ);  // +x
}

void MeshBuilder::AddUvSphere(float radius, uint32_t slices, uint32_t stacks) {
    const uint16_t first = static_cast<uint16_t>(vertices_.size());
    for (uint32_t stack = 0; stack <= stacks; ++stack) {
        const float v = static_cast<float>(stack) / static_cast<float>(stacks);
        const float polar = v * std::numbers::pi_v<float>;
        for (uint32_t slice = 0; slice <= slices; ++slice) {
            const float turn = static_cast<float>(slice) / static_cast<float>(slices);
            const float azimuth = turn * kTwoPi;
            const Vec3 normal{std::sin(polar) * std::cos(azimuth), std::sin(polar) * std::sin(azimuth),
                              std::cos(polar)};
            // The azimuth turns from +x towards +y, which in the engine's left-handed view runs from right to
            // left across the face seen from outside; u runs the other way so that pictures read unmirrored.
            AddVertex({{normal.x * radius, normal.y * radius, normal.z * radius}, normal, 1.0f - turn, v});
        }
    }
    const uint32_t row = slices + 1;
    for (uint32_t stack = 0; stack < stacks; ++stack) {
        for (uint32_t slice = 0; slice < slices; ++slice) {
            const auto at = [&](uint32_t s, uint32_t k) { return static_cast<uint16_t>(first + s * row + k); };
            AddTriangle(at(stack, slice), at(stack + 1, slice), at(stack + 1, slice + 1));
            AddTriangle(at(stack, slice), at(stack + 1, slice + 1), at(stack, slice + 1));
        }
    }
}

void MeshBuilder::AddLathe(const std::vector<ProfilePoint>& profile, uint32_t slices, float length) {
    // Each profile segment gets its own ring of vertices so that its normals follow its own slope.
    for (size_t i = 0; i + 1 < profile.size(); ++i) {
        const ProfilePoint& a = profile[i];
        const ProfilePoint& b = profile[i + 1];
        const float slope = std::atan2(a.radius - b.radius, b.along - a.along);
        const uint16_t first = static_cast<uint16_t>(vertices_.size());
        for (const ProfilePoint* point : {&a, &b}) {
            for (uint32_t slice = 0; slice <= slices; ++slice) {
                const float turn = static_cast<float>(slice) / static_cast<float>(slices);
                const float angle = turn * kTwoPi;
                const float cy = std::cos(angle), cz = std::sin(angle);
                const Vec3 normal{std::sin(slope), std::cos(slope) * cy, std::cos(slope) * cz};
                AddVertex({{point->along, point->radius * cy, point->radius * cz}, normal,
                           length > 0.0f ? point->along / length : 0.0f, turn});
            }
        }
        const uint32_t row = slices + 1;
        for (uint32_t slice = 0; slice < slices; ++slice) {
            const uint16_t a0 = static_cast<uint16_t>(first + slice), a1 = static_cast<uint16_t>(a0 + 1);
            const uint16_t b0 = static_cast<uint16_t>(first + row + slice), b1 = static_cast<uint16_t>(b0 + 1);
            AddTriangle(a0, a1, b1);
            AddTriangle(a0, b1, b0);
        }
    }
}

void MeshBuilder::AddDisc(const Vec3& centre, float radius, uint32_t segments) {
    const Vec3 up{0.0f, 0.0f, 1.0f};
    const uint16_t middle = AddVertex({centre, up, 0.5f, 0.5f});
    for (uint32_t i = 0; i <= segments; ++i) {
        const float angle = kTwoPi * static_cast<float>(i) / static_cast<float>(segments);
        const float c = std::cos(angle), s = std::sin(angle);
        AddVertex({{centre.x + radius * c, centre.y + radius * s, centre.z}, up, 0.5f + 0.5f * c, 0.5f - 0.5f * s});
    }
    for (uint32_t i = 0; i < segments; ++i) {
        AddTriangle(middle, static_cast<uint16_t>(middle + 1 + i), static_cast<uint16_t>(middle + 2 + i));
    }
}

std::vector<std::vector<uint16_t>> MeshBuilder::PartIndices() const {
    std::vector<std::vector<uint16_t>> indices;
    for (const Part& part : parts_) {
        indices.push_back(part.indices);
    }
    return indices;
}

void MeshBuilder::Bound(Vec3& centre, float& radius) const {
    if (vertices_.empty()) {
        centre = {};
        radius = 0.0f;
        return;
    }
    Vec3 low = vertices_.front().position, high = low;
    for (const MeshVertex& vertex : vertices_) {
        low = {std::min(low.x, vertex.position.x), std::min(low.y, vertex.position.y),
               std::min(low.z, vertex.position.z)};
        high = {std::max(high.x, vertex.position.x), std::max(high.y, vertex.position.y),
                std::max(high.z, vertex.position.z)};
    }
    centre = {(low.x + high.x) * 0.5f, (low.y + high.y) * 0.5f, (low.z + high.z) * 0.5f};
    radius = 0.0f;
    for (const MeshVertex& vertex : vertices_) {
        radius = std::max(radius, Distance(centre, vertex.position));
    }
}

void MeshBuilder::WriteBody(BodyWriter& out) const {
    out.U32(0xFFFFFFFF);  // not skinned
    out.U32(lightMap_ ? kLightMappedFormat : kVertexFormat);
    out.U32(static_cast<uint32_t>(vertices_.size()));
    for (const MeshVertex& vertex : vertices_) {
        out.Vec3(vertex.position);
        out.Vec3(vertex.normal);
        out.F32(vertex.u);
        out.F32(vertex.v);
        if (lightMap_) {
            out.F32(vertex.u2);
            out.F32(vertex.v2);
        }
    }
    Vec3 centre;
    float radius = 0.0f;
    Bound(centre, radius);
    out.Vec4(centre.x, centre.y, centre.z, radius);
    out.U8(0);  // no mesh options
    out.U16(static_cast<uint16_t>(parts_.size()));
    for (const Part& part : parts_) {
        out.U32(part.materialId);
        out.U8(1);
        out.U32(static_cast<uint32_t>(part.indices.size()));
        for (uint16_t index : part.indices) {
            out.U16(index);
        }
        for (int word = 0; word < 4; ++word) {
            out.F32(0.0f);
        }
    }
}

}  // namespace mkdata
