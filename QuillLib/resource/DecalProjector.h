#pragma once
// Projected decals: a sprite's rectangle extruded into a box along its facing axis; every triangle of a
// node tree's meshes that lies in the box and faces along the axis is clipped to the box, and the pieces
// become the decal mesh, whose texture coordinates map the box back onto the sprite's source rectangle
// (u along the sprite's x, v down its quad, as the sprite itself shows it).
#include <cstdint>
#include <span>

#include "QuillLib/math/Vec3.h"
#include "QuillLib/resource/DecalPlane.h"

namespace quill {

class DecalHolder;
class ModelObject;
class SpriteObject;
struct BoundingSphere;

// The most positions clipping by n planes needs: 2 n + 3.
inline constexpr uint32_t kDecalClipPool = 15;

// Rebuilds the holder's mesh from the node tree: up is the rectangle's up axis, facing the projection
// axis, depth the reach of the box on either side of the origin along it. With flag set a triangle is used
// only when one of its vertices lies within that reach in the mesh's own z.
void ProjectDecal(DecalHolder& holder, const SpriteObject& sprite, const ModelObject& node, const Vec3& origin,
                  const Vec3& up, const Vec3& facing, float depth, uint8_t flag);

// True when the sphere reaches every plane's inside (n . c + d >= -radius for each).
bool SphereIntersectsPlanes(const Vec3& centre, float radius, std::span<const DecalPlane> planes);

// Clips the polygon of count vertices in place by each plane in turn (Sutherland-Hodgman); polygon must
// hold kDecalClipPool positions. Returns the vertices left; clipping stops once fewer than 3 remain.
uint32_t ClipPolygonByPlanes(std::span<Vec3, kDecalClipPool> polygon, uint32_t count,
                             std::span<const DecalPlane> planes);

}  // namespace quill
