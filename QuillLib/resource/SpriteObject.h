#pragma once
// A SPRITE item: a textured rectangle placed in 3D. A quad mesh of two triangles with one material shows a
// source rectangle of the texture (all -1: the whole texture) around a pivot, at an explicit size or the
// rectangle's; it can turn toward the viewer (billboard) and step its rectangle through a grid of equal
// cells (the frame animation). Scenes place copies of sprite items; a sprite can also be projected onto
// scene geometry as a decal.
//
// Threads: the thread that drives the scenes.
#include <array>
#include <cstdint>
#include <memory>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/resource/Mesh.h"
#include "QuillLib/resource/SpriteAnimationPlayer.h"

namespace quill {

class DecalHolder;
class ModelObject;
class ResourceDevice;
class Texture;

class SpriteObject : public NamedObject {
public:
    static constexpr uint32_t kQuadFormat = VertexData::kPosition | (1u << 8);
    static constexpr int32_t kWholeTexture = -1;

    explicit SpriteObject(WStringView name = u"");
    // Every field but the quad; the player afresh; then a quad of its own with the source's texture.
    SpriteObject(const SpriteObject& other);
    SpriteObject& operator=(const SpriteObject&) = delete;

    SpriteObject* Clone() const override { return new SpriteObject(*this); }

    // Builds the quad with a one-stage material holding the texture.
    void BuildQuad(SharedPtr<Texture> texture);
    // The texture clamps in both directions; then BuildQuad.
    bool BuildMesh(SharedPtr<Texture> texture);
    // The texture of the quad's material (stage kind 0); empty without a quad.
    SharedPtr<Texture> GetTexture() const;

    void SetSourceRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void SetPivot(const Vec3& value);
    void SetSize(float newWidth, float newHeight);
    // The source rectangle's size in pixels (the whole texture's for the whole-texture rectangle).
    void GetPixelSize(int32_t& outWidth, int32_t& outHeight) const;
    // width and height when above 0, the pixel size otherwise.
    void GetSize(float& outWidth, float& outHeight) const;
    bool HasWholeTexture() const;

    void UpdateTextureCoords();
    void UpdateQuadPositions();
    // Turns the sprite toward the viewer by its facing and up modes; nothing with billboardMode 0.
    void UpdateBillboard(const Vec3& eye, const Vec3& viewDirection, const Vec3& up);
    // Advances the frame animation: the source rectangle steps to the current cell; a finished or stopped
    // animation hides the quad. A cell wider than the texture, or an empty cell, leaves the rectangle.
    void UpdateAnimation(float elapsed);
    // Sets the player, replacing any earlier one.
    void SetPlayer(uint32_t mode, uint32_t frameCount, float frameTime);

    // The facing rotation q: the local rotation becomes q times the base rotation, the world transform
    // follows and the quad's bounds with it.
    void SetFacingRotation(const Quaternion& q);
    // The rotation about the quad's normal (radians) that the facing rotation applies to.
    void SetRotation(float radians);
    // With snap, x and y land on pixel centres (floor(v + 0.5) - 0.5).
    void SetPosition(const Vec3& position, bool snap);
    void SetScale(const Vec3& scale);
    void SetParentTransform(const Transform& transform);

    bool AcquireDeviceResources();
    bool ReleaseDeviceResources();
    // Draws the quad with the alpha mode, the material alpha and the cull mode (none for a two-sided
    // sprite) at the world transform; false without a quad.
    bool Draw(ResourceDevice& device);
    // Projects the sprite's picture onto the meshes of a node tree as a decal (its up and facing axes
    // turned by the world rotation).
    void ProjectAsDecal(DecalHolder& holder, const Vec3& origin, float depth, const ModelObject& node, uint8_t flag);

    SharedPtr<Mesh> mesh;
    uint32_t alphaMode = 1;
    float alpha = 1.0f;
    Vec3 pivot;
    std::array<int32_t, 4> sourceRect{kWholeTexture, kWholeTexture, kWholeTexture, kWholeTexture};
    float width = 0.0f;
    float height = 0.0f;
    Transform parentTransform;
    Transform localTransform;
    Transform worldTransform;
    uint32_t value = 0;
    std::array<float, 4> color{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> color2{1.0f, 1.0f, 1.0f, 1.0f};
    uint16_t billboardMode = 0;
    uint16_t upMode = 0;
    uint16_t facingMode = 0;
    uint16_t twoSided = 0;
    Vec3 baseUp{0.0f, -1.0f, 0.0f};
    Vec3 baseFacing{0.0f, 0.0f, 1.0f};
    std::unique_ptr<SpriteAnimationPlayer> player;
    Quaternion facingRotation = kIdentityQuaternion;
    Quaternion baseRotation = kIdentityQuaternion;

private:
    // The world transform from the local one and the parent's, then the quad's bounds.
    void UpdateWorldTransform();
};

}  // namespace quill
