#pragma once
// Real model objects for tests and benchmarks of the render tree and the scenes: textures, materials, meshes
// (a quad, a box, a sphere, a strip of any vertex count), MODEL frames holding them, and scene descriptions
// that place them, light them and look at them. No test framework here, so benchmarks use it too.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "QuillLib/math/Camera.h"
#include "QuillLib/math/VertexAccess.h"
#include "QuillLib/render/RenderDevice.h"
#include "QuillLib/resource/D3D9TextureItem.h"
#include "QuillLib/resource/DirectLight.h"
#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/ModelObjectEntry.h"
#include "QuillLib/resource/SceneInfo.h"
#include "platform/gfx/Texture.h"

namespace kvtest {

using quill::SharedPtr;

inline constexpr uint32_t kTexturedLayout = quill::VertexData::kPosition | quill::VertexData::kNormal | 0x100;
inline constexpr uint32_t kColouredLayout =
    quill::VertexData::kPosition | quill::VertexData::kNormal | quill::VertexData::kColour;

// A texture item of the device whose device texture is a width x height one of a single colour (0xAARRGGBB),
// made at once; the item holds its own use of it until it goes.
inline SharedPtr<quill::Texture> MakeSolidTexture(quill::RenderDevice* device, uint32_t width, uint32_t height,
                                                  uint32_t argb) {
    quill::TextureSettings settings;
    settings.poolKind = 3;
    SharedPtr<quill::Texture> texture = quill::make_shared<quill::D3D9TextureItem>(device, u"", settings);
    texture->SetImageWidth(width, 0);
    texture->SetImageHeight(height, 0);
    if (device == nullptr || !texture->Acquire(false)) return texture;
    auto* surface = dynamic_cast<platform::gfx::Texture*>(texture->GetDeviceTexture());
    platform::gfx::LockedRect locked;
    if (surface != nullptr && platform::gfx::Succeeded(surface->LockRect(0, locked, nullptr, 0))) {
        for (uint32_t y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(static_cast<std::byte*>(locked.bits) + y * locked.pitch);
            for (uint32_t x = 0; x < width; ++x) row[x] = argb;
        }
        surface->UnlockRect(0);
    }
    return texture;
}

// A material of the texture-kind mask with its three selector bytes and the textures of some kinds.
inline SharedPtr<quill::Material> MakeMaterial(uint32_t mask, uint8_t specular, uint8_t unlit, uint8_t lit,
                                               std::vector<std::pair<uint8_t, SharedPtr<quill::Texture>>> textures = {}) {
    auto material = quill::make_shared<quill::Material>(u"", mask, specular, unlit, lit);
    for (auto& [kind, texture] : textures) material->SetSlot(kind, std::move(texture));
    return material;
}

inline SharedPtr<quill::IndexedMeshPart> MakeIndexedPart(SharedPtr<quill::Material> material, std::vector<uint16_t> indices) {
    auto part = quill::make_shared<quill::IndexedMeshPart>(std::move(material), 0);
    part->GetWritableIndices().indices = std::move(indices);
    part->GetWritableIndices().RebuildKeys();
    return part;
}

// A strip of vertexCount vertices along x in the given layout, with one indexed part of its first and last
// triangle (or a plain part when indexed is false).
inline SharedPtr<quill::Mesh> MakeStripMesh(uint32_t layout, uint32_t vertexCount, SharedPtr<quill::Material> material,
                                            bool indexed = true) {
    auto mesh = quill::make_shared<quill::Mesh>(u"");
    mesh->Allocate(layout, vertexCount);
    for (uint32_t v = 0; v < vertexCount; ++v) {
        quill::WritePosition(*mesh->vertices, v, quill::Vec3{static_cast<float>(v), static_cast<float>(v % 2), 0});
    }
    if (indexed) {
        const auto last = static_cast<uint16_t>(vertexCount - 1);
        mesh->AddPart(MakeIndexedPart(std::move(material), {0, 1, 2, static_cast<uint16_t>(last - 2),
                                                            static_cast<uint16_t>(last - 1), last}));
    } else {
        mesh->AddPart(quill::make_shared<quill::MeshPart>(std::move(material)));
    }
    mesh->RefreshBounds();
    return mesh;
}

// A unit quad in the z = 0 plane facing -z, textured corner to corner.
inline SharedPtr<quill::Mesh> MakeQuadMesh(SharedPtr<quill::Material> material) {
    auto mesh = quill::make_shared<quill::Mesh>(u"");
    mesh->Allocate(kTexturedLayout, 4);
    const quill::Vec3 corners[4] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    for (uint32_t v = 0; v < 4; ++v) {
        quill::WritePosition(*mesh->vertices, v, corners[v]);
        quill::WriteNormal(*mesh->vertices, v, quill::Vec3{0, 0, -1});
        quill::WriteTexCoord(*mesh->vertices, v, 0, corners[v].x, corners[v].y);
    }
    mesh->AddPart(MakeIndexedPart(std::move(material), {0, 1, 2, 2, 1, 3}));
    mesh->RefreshBounds();
    return mesh;
}

// An axis-aligned box of the given size centred on the origin, textured on every face, faces wound for the
// default cull mode (clockwise seen from outside).
inline SharedPtr<quill::Mesh> MakeBoxMesh(SharedPtr<quill::Material> material, float sx, float sy, float sz) {
    auto mesh = quill::make_shared<quill::Mesh>(u"");
    mesh->Allocate(kTexturedLayout, 24);
    const float normals[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    const float half[3] = {sx / 2, sy / 2, sz / 2};
    std::vector<uint16_t> indices;
    for (uint32_t face = 0; face < 6; ++face) {
        const float* n = normals[face];
        const float u[3] = {n[1], n[2], n[0]}, w[3] = {n[2], n[0], n[1]};
        for (uint32_t corner = 0; corner < 4; ++corner) {
            const float su = (corner & 1) ? 1.0f : -1.0f, sw = (corner & 2) ? 1.0f : -1.0f;
            quill::Vec3 p;
            float* c[3] = {&p.x, &p.y, &p.z};
            for (int axis = 0; axis < 3; ++axis) *c[axis] = (n[axis] + u[axis] * su + w[axis] * sw) * half[axis];
            const uint32_t vertex = face * 4 + corner;
            quill::WritePosition(*mesh->vertices, vertex, p);
            quill::WriteNormal(*mesh->vertices, vertex, quill::Vec3{n[0], n[1], n[2]});
            quill::WriteTexCoord(*mesh->vertices, vertex, 0, (su + 1) / 2, (sw + 1) / 2);
        }
        const auto base = static_cast<uint16_t>(face * 4);
        for (uint16_t i : {0, 2, 1, 1, 2, 3}) indices.push_back(static_cast<uint16_t>(base + i));
    }
    mesh->AddPart(MakeIndexedPart(std::move(material), std::move(indices)));
    mesh->RefreshBounds();
    return mesh;
}

// A sphere of rings x segments quads in one vertex colour (0xAARRGGBB), wound like the box.
inline SharedPtr<quill::Mesh> MakeSphereMesh(SharedPtr<quill::Material> material, float radius, uint32_t argb,
                                             uint32_t rings = 12, uint32_t segments = 16) {
    auto mesh = quill::make_shared<quill::Mesh>(u"");
    mesh->Allocate(kColouredLayout, (rings + 1) * (segments + 1));
    const float pi = 3.14159265f;
    quill::VertexData& vertices = *mesh->vertices;
    for (uint32_t r = 0; r <= rings; ++r) {
        const float theta = pi * static_cast<float>(r) / static_cast<float>(rings);
        for (uint32_t s = 0; s <= segments; ++s) {
            const float phi = 2 * pi * static_cast<float>(s) / static_cast<float>(segments);
            const quill::Vec3 n{std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
            const uint32_t vertex = r * (segments + 1) + s;
            quill::WritePosition(vertices, vertex, quill::Vec3{n.x * radius, n.y * radius, n.z * radius});
            quill::WriteNormal(vertices, vertex, n);
            std::memcpy(&vertices.Words()[vertex * vertices.Stride() + vertices.ColourOffset() / 4], &argb, 4);
        }
    }
    std::vector<uint16_t> indices;
    for (uint32_t r = 0; r < rings; ++r) {
        for (uint32_t s = 0; s < segments; ++s) {
            const auto a = static_cast<uint16_t>(r * (segments + 1) + s), b = static_cast<uint16_t>(a + segments + 1);
            for (uint16_t i : {a, static_cast<uint16_t>(a + 1), b, b, static_cast<uint16_t>(a + 1), static_cast<uint16_t>(b + 1)}) {
                indices.push_back(i);
            }
        }
    }
    mesh->AddPart(MakeIndexedPart(std::move(material), std::move(indices)));
    mesh->RefreshBounds();
    return mesh;
}

// A MODEL frame holding the mesh under frame id 0.
inline SharedPtr<quill::ModelObject> MakeFrame(SharedPtr<quill::Mesh> mesh) {
    auto frame = quill::make_shared<quill::ModelObject>(u"");
    frame->Attach(0, std::move(mesh));
    frame->bound = frame->GetAttachment()->bound;
    return frame;
}

// Places a copy of the frame in the description at the position, drawn with the blend mode.
inline quill::ModelObject& Place(quill::SceneInfo& info, const SharedPtr<quill::ModelObject>& frame,
                                 const quill::Vec3& position, uint16_t blendMode = 0) {
    quill::Transform placement;
    placement.position = position;
    placement.UpdateMatrix();
    auto entry = info.AddModelObject(quill::make_shared<quill::ModelObjectEntry>(u"", frame, placement));
    entry->instance->SetBlendModeRecursive(blendMode);
    return *entry->instance;
}

inline void AddLight(quill::SceneInfo& info, const quill::Vec3& direction) {
    quill::LightRecord record;
    record.vector = direction;
    info.AddDirectLight(quill::make_shared<quill::DirectLight>(u"", record));
}

// A camera at eye looking at target with y up, made the description's current one.
inline void LookAt(quill::SceneInfo& info, const quill::Vec3& eye, const quill::Vec3& target, float aspectRatio) {
    quill::Vec3 look = target - eye;
    look.Normalize();
    quill::Vec3 side;
    quill::Vec3::Cross(side, quill::Vec3{0, 1, 0}, look);
    side.Normalize();
    quill::Vec3 up;
    quill::Vec3::Cross(up, look, side);
    auto camera = quill::make_shared<quill::Camera>(u"");
    camera->SetFrame(eye, target, up, side);
    quill::Camera::Projection projection;
    projection.aspectRatio = aspectRatio;
    projection.nearDistance = 10;
    projection.farDistance = 2000;
    camera->SetProjection(projection);
    auto added = info.AddCamera(camera);
    info.SelectCamera(static_cast<int32_t>(added->id));
}

}  // namespace kvtest
