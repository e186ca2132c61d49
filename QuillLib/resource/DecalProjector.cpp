#include "QuillLib/resource/DecalProjector.h"

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/VertexAccess.h"
#include "QuillLib/resource/DecalHolder.h"
#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/SpriteObject.h"
#include "QuillLib/resource/Texture.h"

namespace quill {
namespace {

constexpr uint32_t kPlaneCount = 6;

// How a point of the box maps onto the sprite's texture: u = (uAxis . (p - origin) + uPivot) / uSize +
// uOffset, and v the same along vAxis.
struct DecalMapping {
    Vec3 origin;
    Vec3 uAxis;
    Vec3 vAxis;
    float uPivot = 0.0f, vPivot = 0.0f;
    float uSize = 1.0f, vSize = 1.0f;
    float uOffset = 0.0f, vOffset = 0.0f;

    float U(const Vec3& p) const { return (Vec3::Dot(uAxis, p - origin) + uPivot) / uSize + uOffset; }
    float V(const Vec3& p) const { return (Vec3::Dot(vAxis, p - origin) + vPivot) / vSize + vOffset; }
};

bool SpherePasses(const BoundingSphere& sphere, std::span<const DecalPlane> planes) {
    // A mesh or node that never received a bound cannot be rejected by it.
    return sphere.radius < 0.0f || SphereIntersectsPlanes(sphere.centre, sphere.radius, planes);
}

// Collects the clipped pieces of a node tree; they grow as they come, from nothing.
class DecalBuilder {
public:
    DecalBuilder(const std::array<DecalPlane, kPlaneCount>& planes, const DecalMapping& mapping, const Vec3& facing,
                 uint8_t flag)
        : planes_(planes), mapping_(mapping), facing_(facing), flag_(flag) {}

    void CollectNode(const ModelObject& node) {
        if (SpherePasses(node.pose.worldSphere, planes_)) {
            if (const Mesh* mesh = node.GetAttachment()) {
                ClipMesh(*mesh, node.pose.world);
            }
        }
        for (const SharedPtr<ModelObject>& child : node.Children()) {
            CollectNode(*child);
        }
    }

    void Upload(DecalHolder& holder) const {
        Mesh& decal = *holder.mesh;
        const uint32_t count = static_cast<uint32_t>(positions_.size());
        decal.vertices->SetLayout(SpriteObject::kQuadFormat, count);
        for (uint32_t vertex = 0; vertex < count; ++vertex) {
            WritePosition(*decal.vertices, vertex, positions_[vertex]);
            WriteTexCoord(*decal.vertices, vertex, 0, mapping_.U(positions_[vertex]), mapping_.V(positions_[vertex]));
        }
        IndexBlock& block = holder.Part().GetWritableIndices();
        block.indices = indices_;
        block.RebuildKeys();
        decal.renderData->source = decal.vertices;
        decal.RefreshBounds();
        decal.UpdateBounds(Transform{}, true);
        decal.ResetDeviceData();
    }

private:
    void ClipMesh(const Mesh& mesh, const Transform& world) {
        const VertexData& vertices = *mesh.vertices;
        const bool placed = !world.IsIdentity();
        for (const SharedPtr<MeshPart>& part : mesh.parts) {
            if (!SpherePasses(part->GetBound(), planes_)) {
                continue;
            }
            const uint32_t triangles =
                part->HasIndices() ? part->GetTriangleCount() : vertices.VertexCount() / 3;
            for (uint32_t t = 0; t < triangles; ++t) {
                uint32_t corner[3];
                part->GetTriangle(t, corner);
                if (corner[0] >= vertices.VertexCount() || corner[1] >= vertices.VertexCount() ||
                    corner[2] >= vertices.VertexCount()) {
                    continue;  // an index from a damaged file
                }
                std::array<Vec3, 3> local{ReadPosition(vertices, corner[0]), ReadPosition(vertices, corner[1]),
                                          ReadPosition(vertices, corner[2])};
                if (flag_ && !WithinReach(local)) {
                    continue;
                }
                if (placed) {
                    for (Vec3& p : local) {
                        p.TransformInPlace(world.matrix);
                    }
                }
                ClipTriangle(local);
            }
        }
    }

    // Whether one of the triangle's vertices lies between the two facing planes in the mesh's own z.
    bool WithinReach(const std::array<Vec3, 3>& local) const {
        const float low = -planes_[5].d;
        const float high = planes_[4].d;
        for (const Vec3& p : local) {
            if (p.z >= low && p.z <= high) {
                return true;
            }
        }
        return false;
    }

    void ClipTriangle(const std::array<Vec3, 3>& triangle) {
        Vec3 n;
        Vec3::Cross(n, triangle[1] - triangle[0], triangle[2] - triangle[0]);
        const float along = Vec3::Dot(n, facing_);
        if (along * std::fabs(along) < -kFloatEpsilon * Vec3::Dot(n, n)) {
            return;  // faces away from the projection
        }
        std::array<Vec3, kDecalClipPool> polygon{};
        std::copy(triangle.begin(), triangle.end(), polygon.begin());
        const uint32_t count = ClipPolygonByPlanes(polygon, 3, planes_);
        if (count < 3 || positions_.size() + count > std::numeric_limits<uint16_t>::max()) {
            return;
        }
        const auto first = static_cast<uint16_t>(positions_.size());
        positions_.insert(positions_.end(), polygon.begin(), polygon.begin() + count);
        for (uint32_t k = 1; k + 1 < count; ++k) {
            indices_.push_back(first);
            indices_.push_back(static_cast<uint16_t>(first + k));
            indices_.push_back(static_cast<uint16_t>(first + k + 1));
        }
    }

    std::array<DecalPlane, kPlaneCount> planes_;
    DecalMapping mapping_;
    Vec3 facing_;
    uint8_t flag_;
    std::vector<Vec3> positions_;
    std::vector<uint16_t> indices_;
};

// The mapping of step 3 and the six planes of the box around origin.
DecalMapping MapSprite(const SpriteObject& sprite, const Vec3& origin, const Vec3& across, const Vec3& up) {
    int32_t pixelWidth = 0;
    int32_t pixelHeight = 0;
    sprite.GetPixelSize(pixelWidth, pixelHeight);
    float w = 0.0f;
    float h = 0.0f;
    sprite.GetSize(w, h);
    const float sx = sprite.localTransform.scale.x;
    const float sy = sprite.localTransform.scale.y;
    const SharedPtr<Texture> texture = sprite.GetTexture();
    const float textureWidth = texture ? static_cast<float>(texture->GetWidth()) : 0.0f;
    const float textureHeight = texture ? static_cast<float>(texture->GetHeight()) : 0.0f;
    DecalMapping mapping;
    mapping.origin = origin;
    // The quad's x runs against the rectangle's horizontal axis and its v down against its up axis.
    mapping.uAxis = -across;
    mapping.vAxis = -up;
    mapping.uPivot = sprite.pivot.x * sx;
    mapping.vPivot = sprite.pivot.y * sy;
    mapping.uSize = pixelWidth > 0 && textureWidth > 0.0f ? w * sx / static_cast<float>(pixelWidth) * textureWidth : 1.0f;
    mapping.vSize =
        pixelHeight > 0 && textureHeight > 0.0f ? h * sy / static_cast<float>(pixelHeight) * textureHeight : 1.0f;
    if (!sprite.HasWholeTexture() && textureWidth > 0.0f && textureHeight > 0.0f) {
        mapping.uOffset = static_cast<float>(sprite.sourceRect[0]) / textureWidth;
        mapping.vOffset = static_cast<float>(sprite.sourceRect[1]) / textureHeight;
    }
    return mapping;
}

std::array<DecalPlane, kPlaneCount> BoxPlanes(const SpriteObject& sprite, const Vec3& o, const Vec3& across,
                                              const Vec3& up, const Vec3& facing, float depth) {
    float w = 0.0f;
    float h = 0.0f;
    sprite.GetSize(w, h);
    const float sx = sprite.localTransform.scale.x;
    const float sy = sprite.localTransform.scale.y;
    const float px = sprite.pivot.x;
    const float py = sprite.pivot.y;
    return {DecalPlane{-across, Vec3::Dot(across, o) + px * sx}, DecalPlane{-up, Vec3::Dot(up, o) + py * sy},
            DecalPlane{across, (w - px) * sx - Vec3::Dot(across, o)}, DecalPlane{up, (h - py) * sy - Vec3::Dot(up, o)},
            DecalPlane{-facing, Vec3::Dot(facing, o) + depth}, DecalPlane{facing, depth - Vec3::Dot(facing, o)}};
}

}  // namespace

void ProjectDecal(DecalHolder& holder, const SpriteObject& sprite, const ModelObject& node, const Vec3& origin,
                  const Vec3& up, const Vec3& facing, float depth, uint8_t flag) {
    holder.alphaMode = static_cast<uint16_t>(sprite.alphaMode);
    holder.alpha = sprite.alpha;
    holder.flag = flag;
    holder.unprojected = 0;
    holder.GetMaterial().SetSlot(0, sprite.GetTexture());
    Vec3 across;
    Vec3::Cross(across, up, facing);
    DecalBuilder builder(BoxPlanes(sprite, origin, across, up, facing, depth), MapSprite(sprite, origin, across, up),
                         facing, flag);
    builder.CollectNode(node);
    builder.Upload(holder);
}

bool SphereIntersectsPlanes(const Vec3& centre, float radius, std::span<const DecalPlane> planes) {
    for (const DecalPlane& plane : planes) {
        if (plane.Distance(centre) < -radius) {
            return false;
        }
    }
    return true;
}

uint32_t ClipPolygonByPlanes(std::span<Vec3, kDecalClipPool> polygon, uint32_t count,
                             std::span<const DecalPlane> planes) {
    std::array<Vec3, kDecalClipPool> output{};
    for (const DecalPlane& plane : planes) {
        if (count < 3) {
            break;
        }
        uint32_t emitted = 0;
        Vec3 previous = polygon[count - 1];
        float previousDistance = plane.Distance(previous);
        for (uint32_t i = 0; i < count && emitted + 2 <= kDecalClipPool; ++i) {
            const Vec3 current = polygon[i];
            const float distance = plane.Distance(current);
            if ((previousDistance > 0.0f && distance < 0.0f) || (previousDistance < 0.0f && distance > 0.0f)) {
                const Vec3 step = previous - current;
                const float denominator = Vec3::Dot(plane.normal, step);
                const float t = std::fabs(denominator) < kFloatEpsilon ? 0.0f : previousDistance / denominator;
                output[emitted++] = previous - step * t;
            }
            if (distance >= 0.0f) {
                output[emitted++] = current;
            }
            previous = current;
            previousDistance = distance;
        }
        std::copy(output.begin(), output.begin() + emitted, polygon.begin());
        count = emitted;
    }
    return count;
}

}  // namespace quill
