#include "QuillLib/resource/Mesh.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/math/Camera.h"
#include "QuillLib/math/VertexAccess.h"

namespace quill {
namespace {

constexpr int kSubmitInside = 3;

// A bound of radius -1 has not been computed yet; moving it changes nothing.
void MoveBound(BoundingSphere& sphere, const Transform& transform) {
    if (sphere.radius >= 0.0f) {
        sphere.Transform(transform);
    }
}

}  // namespace

Mesh::Mesh(WStringView name) : NamedObject(name), vertices(quill::make_shared<VertexData>()) {}

Mesh::Mesh(const Mesh& other)
    : NamedObject(other),
      vertices(quill::make_shared<VertexData>(*other.vertices)),
      parts(other.parts),
      bound(other.bound),
      optionA(other.optionA),
      optionB(other.optionB) {}

bool Mesh::Allocate(uint32_t vertexFormat, uint32_t vertexCount) {
    return vertices->SetLayout(vertexFormat, vertexCount);
}

SharedPtr<Mesh> Mesh::CreateInstance(const Transform& transform, bool apply, bool extraBlock) const {
    SharedPtr<Mesh> instance(NewInstance());
    instance->id = id;
    instance->parts.clear();
    instance->renderData = std::make_unique<MeshRenderRecord>();
    MeshRenderRecord& record = *instance->renderData;
    record.source = instance->vertices;
    record.outcodes.assign(instance->vertices->VertexCount(), 0);
    if (extraBlock) {
        record.sphereProjection = std::make_unique<Matrix4>();
    }
    for (const SharedPtr<MeshPart>& part : parts) {
        instance->parts.push_back(part->CreateInstance(*instance));
    }
    if (apply) {
        instance->vertices->TransformPositions(transform);
        if (!transform.IsIdentity()) {
            MoveBound(instance->bound, transform);
        }
    }
    record.worldSphere = instance->bound;
    return instance;
}

void Mesh::SetOptions(uint8_t a, uint8_t b) {
    optionA = a;
    optionB = b;
    if (!renderData) {
        return;
    }
    if (a) {
        renderData->sphereProjection = std::make_unique<Matrix4>();
    } else {
        renderData->sphereProjection.reset();
    }
}

void Mesh::RefreshBounds() {
    BoundingSphere::FromVertices(bound, *vertices);
    for (const SharedPtr<MeshPart>& part : parts) {
        part->RefreshBounds();
    }
}

void Mesh::UpdateBounds(const Transform& transform, bool recurse) {
    if (renderData) {
        renderData->worldSphere = bound;
        if (!transform.IsIdentity() && !renderData->baked) {
            MoveBound(renderData->worldSphere, transform);
        }
    }
    if (recurse) {
        for (const SharedPtr<MeshPart>& part : parts) {
            part->UpdateBounds(transform);
        }
    }
}

void Mesh::ApplyWorldTransform(const Transform& transform) {
    if (!renderData) {
        return;
    }
    const SharedPtr<VertexData>& source = renderData->source;
    if (!renderData->baked) {
        if (vertices != source) {
            vertices = source;
            RefreshBounds();
        }
        return;
    }
    if (transform.IsIdentity()) {
        vertices = source;
    } else {
        BakeVertices(transform);
        for (SharedPtr<MeshPart>& part : parts) {
            if (part.use_count() != 1) {
                part = part->CreateInstance(*this);
            }
        }
    }
    RefreshBounds();
}

void Mesh::BakeVertices(const Transform& transform) {
    const SharedPtr<VertexData>& source = renderData->source;
    if (vertices == source) {
        vertices = quill::make_shared<VertexData>(*source);
    }
    Transform rotationOnly;
    rotationOnly.rotation = transform.rotation;
    rotationOnly.UpdateMatrix();
    const uint32_t count = std::min(vertices->VertexCount(), source->VertexCount());
    for (uint32_t vertex = 0; vertex < count; ++vertex) {
        Vec3 position = ReadPosition(*source, vertex);
        Vec3 normal = ReadNormal(*source, vertex);
        position.TransformInPlace(transform.matrix);
        normal.TransformInPlace(rotationOnly.matrix);
        WritePosition(*vertices, vertex, position);
        WriteNormal(*vertices, vertex, normal);
    }
    vertices->MarkChanged();
}

void Mesh::Submit(const Camera& camera, const Matrix4& world, int mode) {
    if (!renderData || renderData->cullResult != MeshRenderRecord::kUnclassified) {
        return;
    }
    const BoundingSphere& sphere = renderData->worldSphere;
    float depth = 0.0f;
    int32_t result = MeshRenderRecord::kInside;
    if (mode == kSubmitInside) {
        depth = camera.DepthOf(sphere.centre);
    } else {
        result = camera.ClassifySphere(sphere.centre, sphere.radius, &depth);
    }
    if (result == MeshRenderRecord::kOutside) {
        SetCullState(result, depth, true);
        return;
    }
    SetCullState(result, depth, false);
    if (optionA) {
        UpdateSphereProjection(camera);
    }
    for (const SharedPtr<MeshPart>& part : parts) {
        part->Submit(camera, world);
    }
}

void Mesh::SetCullState(int32_t result, float depth, bool applyToParts) {
    if (renderData) {
        renderData->cullResult = result;
        renderData->depth = depth;
    }
    if (applyToParts) {
        for (const SharedPtr<MeshPart>& part : parts) {
            part->SetCullState(result, depth);
        }
    }
}

void Mesh::UpdateSphereProjection(const Camera& camera) {
    if (!renderData) {
        return;
    }
    Matrix4 view;
    camera.GetViewMatrix(view);
    Vec3 centre;
    TransformPoint(centre, renderData->worldSphere.centre, view);
    float distance = 0.0f;
    centre.Normalize(&distance);
    const float radius = renderData->worldSphere.radius;
    const float h = std::sqrt(std::max(0.0f, distance * distance - radius * radius));
    const float s0 = distance > 0.0f ? h * radius / distance : 0.0f;
    const float s = s0 > 0.0f ? (h * h / distance) / s0 * 0.5f : 0.0f;
    Quaternion toAxis;
    toAxis.SetRotationArc(centre, Vec3{0.0f, 0.0f, 1.0f});
    Matrix4 projection;
    projection.FromQuaternion(toAxis);
    Matrix4 scaleAndShift;
    scaleAndShift.m[0] = s;
    scaleAndShift.m[5] = -s;
    scaleAndShift.m[8] = 0.5f;
    scaleAndShift.m[9] = -0.5f;
    projection.MultiplyInPlace(scaleAndShift);
    if (!renderData->sphereProjection) {
        renderData->sphereProjection = std::make_unique<Matrix4>();
    }
    *renderData->sphereProjection = projection;
}

void Mesh::ResetDeviceData() {
    if (renderData) {
        renderData->cullResult = MeshRenderRecord::kUnclassified;
        renderData->depth = 0.0f;
        std::fill(renderData->outcodes.begin(), renderData->outcodes.end(), 0);
    }
    for (const SharedPtr<MeshPart>& part : parts) {
        part->ResetCullState();
    }
    vertices->MarkChanged();
}

bool Mesh::AcquireTextures(uint32_t mask) {
    for (const SharedPtr<MeshPart>& part : parts) {
        if (!part->AcquireTextures(mask)) {
            return false;
        }
    }
    return true;
}

bool Mesh::ReleaseTextures(uint32_t mask) {
    for (const SharedPtr<MeshPart>& part : parts) {
        if (!part->ReleaseTextures(mask)) {
            return false;
        }
    }
    return true;
}

}  // namespace quill
