#include "QuillLib/resource/SpriteObject.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/math/VertexAccess.h"
#include "QuillLib/resource/DecalProjector.h"
#include "QuillLib/resource/IndexChunk.h"
#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/ResourceDevice.h"
#include "QuillLib/resource/Texture.h"
#include "platform/gfx/GfxStates.h"

namespace quill {
namespace {

constexpr uint32_t kQuadVertices = 4;
constexpr uint16_t kQuadIndices[6] = {0, 1, 2, 2, 1, 3};
constexpr int16_t kClamp = 2;
constexpr int32_t kDefaultCullMode = 2;
constexpr uint32_t kAllStageKinds = 255;

float SnapToPixelCentre(float value) {
    return std::floor(value + 0.5f) - 0.5f;
}

float Ratio(float value, uint32_t size) {
    return size == 0 ? 0.0f : value / static_cast<float>(size);
}

}  // namespace

SpriteObject::SpriteObject(WStringView name) : NamedObject(name) {}

SpriteObject::SpriteObject(const SpriteObject& other)
    : NamedObject(other),
      alphaMode(other.alphaMode),
      alpha(other.alpha),
      pivot(other.pivot),
      sourceRect(other.sourceRect),
      width(other.width),
      height(other.height),
      parentTransform(other.parentTransform),
      localTransform(other.localTransform),
      worldTransform(other.worldTransform),
      value(other.value),
      color(other.color),
      color2(other.color2),
      billboardMode(other.billboardMode),
      upMode(other.upMode),
      facingMode(other.facingMode),
      twoSided(other.twoSided),
      baseUp(other.baseUp),
      baseFacing(other.baseFacing),
      facingRotation(other.facingRotation),
      baseRotation(other.baseRotation) {
    if (other.player) {
        player = std::make_unique<SpriteAnimationPlayer>(*other.player);
    }
    if (SharedPtr<Texture> texture = other.GetTexture()) {
        BuildQuad(std::move(texture));
    }
}

void SpriteObject::BuildQuad(SharedPtr<Texture> texture) {
    SharedPtr<Material> material = quill::make_shared<Material>(u"", 1, 0, 0, 0);
    material->SetSlot(0, std::move(texture));
    material->flagA = 0;
    material->flagB = 1;
    Mesh quad(u"");
    quad.Allocate(kQuadFormat, kQuadVertices);
    quad.AddPart(quill::make_shared<IndexedMeshPart>(material, 6));
    mesh = quad.CreateInstance(worldTransform, false, false);
    IndexBlock& block = static_cast<IndexedMeshPart&>(*mesh->parts.front()).GetWritableIndices();
    block.indices.assign(std::begin(kQuadIndices), std::end(kQuadIndices));
    block.RebuildKeys();
    UpdateTextureCoords();
}

bool SpriteObject::BuildMesh(SharedPtr<Texture> texture) {
    if (texture) {
        texture->settings.addressU = kClamp;
        texture->settings.addressV = kClamp;
    }
    BuildQuad(std::move(texture));
    return true;
}

SharedPtr<Texture> SpriteObject::GetTexture() const {
    if (!mesh || mesh->parts.empty() || !mesh->parts.front()->material) {
        return {};
    }
    return mesh->parts.front()->material->GetSlotTexture(0);
}

bool SpriteObject::HasWholeTexture() const {
    return std::all_of(sourceRect.begin(), sourceRect.end(), [](int32_t v) { return v == kWholeTexture; });
}

void SpriteObject::SetSourceRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    sourceRect = {left, top, right, bottom};
    UpdateTextureCoords();
}

void SpriteObject::SetPivot(const Vec3& newPivot) {
    pivot = newPivot;
    UpdateQuadPositions();
}

void SpriteObject::SetSize(float newWidth, float newHeight) {
    width = newWidth;
    height = newHeight;
    UpdateQuadPositions();
}

void SpriteObject::GetPixelSize(int32_t& outWidth, int32_t& outHeight) const {
    if (HasWholeTexture()) {
        const SharedPtr<Texture> texture = GetTexture();
        outWidth = texture ? static_cast<int32_t>(texture->GetWidth()) : 0;
        outHeight = texture ? static_cast<int32_t>(texture->GetHeight()) : 0;
        return;
    }
    outWidth = sourceRect[2] - sourceRect[0] + 1;
    outHeight = sourceRect[3] - sourceRect[1] + 1;
}

void SpriteObject::GetSize(float& outWidth, float& outHeight) const {
    int32_t pixelWidth = 0;
    int32_t pixelHeight = 0;
    GetPixelSize(pixelWidth, pixelHeight);
    outWidth = width > 0.0f ? width : static_cast<float>(pixelWidth);
    outHeight = height > 0.0f ? height : static_cast<float>(pixelHeight);
}

void SpriteObject::UpdateTextureCoords() {
    if (!mesh) {
        return;
    }
    float left = 0.0f, top = 0.0f, right = 1.0f, bottom = 1.0f;
    if (!HasWholeTexture()) {
        const SharedPtr<Texture> texture = GetTexture();
        const uint32_t textureWidth = texture ? texture->GetWidth() : 0;
        const uint32_t textureHeight = texture ? texture->GetHeight() : 0;
        left = Ratio(static_cast<float>(sourceRect[0]), textureWidth);
        top = Ratio(static_cast<float>(sourceRect[1]), textureHeight);
        right = Ratio(static_cast<float>(sourceRect[2] + 1), textureWidth);
        bottom = Ratio(static_cast<float>(sourceRect[3] + 1), textureHeight);
    }
    VertexData& vertices = *mesh->vertices;
    WriteTexCoord(vertices, 0, 0, left, top);
    WriteTexCoord(vertices, 1, 0, right, top);
    WriteTexCoord(vertices, 2, 0, left, bottom);
    WriteTexCoord(vertices, 3, 0, right, bottom);
    UpdateQuadPositions();
}

void SpriteObject::UpdateQuadPositions() {
    if (!mesh) {
        return;
    }
    float w = 0.0f;
    float h = 0.0f;
    GetSize(w, h);
    const float x0 = -pivot.x;
    const float y0 = -pivot.y;
    VertexData& vertices = *mesh->vertices;
    WritePosition(vertices, 0, Vec3{x0, y0, pivot.z});
    WritePosition(vertices, 1, Vec3{x0 + w, y0, pivot.z});
    WritePosition(vertices, 2, Vec3{x0, y0 + h, pivot.z});
    WritePosition(vertices, 3, Vec3{x0 + w, y0 + h, pivot.z});
    vertices.MarkChanged();
    mesh->RefreshBounds();
    mesh->UpdateBounds(worldTransform, true);
}

void SpriteObject::UpdateBillboard(const Vec3& eye, const Vec3& viewDirection, const Vec3& up) {
    if (billboardMode == 0) {
        return;
    }
    Vec3 forward;
    if (facingMode == 0) {
        forward = eye - worldTransform.position;
    } else if (facingMode == 1) {
        forward = -viewDirection;
    } else {
        return;
    }
    forward.Normalize();
    Vec3 right;
    Vec3 upAxis;
    if (upMode == 1) {
        Vec3::Cross(right, up, forward);
        Vec3::Cross(forward, right, up);
        forward.Normalize();
        upAxis = up;
    } else if (upMode == 0) {
        Vec3::Cross(right, up, forward);
        Vec3::Cross(upAxis, forward, right);
        upAxis.Normalize();
    } else {
        return;
    }
    if (!parentTransform.rotation.IsIdentity()) {
        forward.Rotate(parentTransform.rotation);
        upAxis.Rotate(parentTransform.rotation);
    }
    Quaternion toFacing;
    toFacing.SetRotationArc(baseFacing, forward);
    Vec3 turnedUp = baseUp;
    turnedUp.Rotate(toFacing);
    float angle = std::acos(std::clamp(Vec3::Dot(turnedUp, upAxis), -1.0f, 1.0f));
    Vec3 across;
    Vec3::Cross(across, turnedUp, upAxis);
    if (Vec3::Dot(forward, across) < 0.0f) {
        angle = -angle;
    }
    Quaternion aboutForward;
    aboutForward.FromAxisAngle(angle, forward);
    Quaternion facing;
    Quaternion::Multiply(facing, aboutForward, toFacing);
    SetFacingRotation(facing);
}

void SpriteObject::SetPlayer(uint32_t mode, uint32_t frameCount, float frameTime) {
    player = std::make_unique<SpriteAnimationPlayer>(mode, frameCount, frameTime);
}

void SpriteObject::UpdateAnimation(float elapsed) {
    if (!player) {
        return;
    }
    const int state = player->Advance(elapsed);
    if (state != SpriteAnimationPlayer::kRunning) {
        if (mesh) {
            mesh->SetVisible(0);
        }
        if (state == SpriteAnimationPlayer::kFinished) {
            if (player->mode != SpriteAnimationPlayer::kLoop) {
                player->playing = 0;
            }
            player->time = 0.0f;
        }
        return;
    }
    const SharedPtr<Texture> texture = GetTexture();
    if (HasWholeTexture() || !texture) {
        return;
    }
    const int32_t cellWidth = sourceRect[2] - sourceRect[0] + 1;
    const int32_t cellHeight = sourceRect[3] - sourceRect[1] + 1;
    const int32_t perRow = cellWidth > 0 ? static_cast<int32_t>(texture->GetWidth()) / cellWidth : 0;
    if (cellHeight <= 0 || perRow <= 0) {
        return;
    }
    uint32_t frame = 0;
    if (player->frameTime > 0.0f && player->frameCount > 0) {
        frame = static_cast<uint32_t>(std::fmod(std::trunc(player->time / player->frameTime),
                                                static_cast<double>(player->frameCount)));
    }
    const int32_t row = static_cast<int32_t>(frame) / perRow;
    const int32_t column = static_cast<int32_t>(frame) % perRow;
    const int32_t left = column * cellWidth;
    const int32_t top = row * cellHeight;
    SetSourceRect(left, top, left + cellWidth - 1, top + cellHeight - 1);
}

void SpriteObject::SetFacingRotation(const Quaternion& q) {
    facingRotation = q;
    Quaternion::Multiply(localTransform.rotation, q, baseRotation);
    localTransform.UpdateMatrix();
    UpdateWorldTransform();
}

void SpriteObject::SetRotation(float radians) {
    baseRotation.FromAxisAngle(radians, Vec3{0.0f, 0.0f, 1.0f});
    SetFacingRotation(facingRotation);
}

void SpriteObject::SetPosition(const Vec3& position, bool snap) {
    localTransform.position = position;
    if (snap) {
        localTransform.position.x = SnapToPixelCentre(position.x);
        localTransform.position.y = SnapToPixelCentre(position.y);
    }
    localTransform.UpdateMatrix();
    UpdateWorldTransform();
}

void SpriteObject::SetScale(const Vec3& scale) {
    localTransform.scale = scale;
    localTransform.UpdateMatrix();
    UpdateWorldTransform();
}

void SpriteObject::SetParentTransform(const Transform& transform) {
    parentTransform = transform;
    parentTransform.UpdateMatrix();
    UpdateWorldTransform();
}

void SpriteObject::UpdateWorldTransform() {
    worldTransform = localTransform;
    if (!parentTransform.IsIdentity()) {
        worldTransform.Combine(parentTransform);
    }
    if (mesh) {
        mesh->UpdateBounds(worldTransform, true);
    }
}

bool SpriteObject::AcquireDeviceResources() {
    return mesh && mesh->AcquireTextures(kAllStageKinds);
}

bool SpriteObject::ReleaseDeviceResources() {
    return !mesh || mesh->ReleaseTextures(kAllStageKinds);
}

bool SpriteObject::Draw(ResourceDevice& device) {
    if (!mesh || mesh->parts.empty()) {
        return false;
    }
    const int32_t cullMode = twoSided ? static_cast<int32_t>(platform::gfx::Cull::None) : kDefaultCullMode;
    if (!device.SetAlphaMode(static_cast<int32_t>(alphaMode)) || !device.SetMaterialAlpha(alpha) ||
        !device.SetCullMode(cullMode) || !device.SetWorld(&worldTransform.matrix)) {
        return false;
    }
    const SharedPtr<Texture> texture = GetTexture();
    if (texture && !texture->Bind(0)) {
        return false;
    }
    const IndexBlock& block = static_cast<const IndexedMeshPart&>(*mesh->parts.front()).GetIndices();
    IndexChunk chunk;
    chunk.indices = block.indices;
    chunk.lowest = block.vertexKeys.empty() ? 0 : *block.vertexKeys.begin();
    chunk.highest = block.vertexKeys.empty() ? 0 : *block.vertexKeys.rbegin();
    return device.DrawIndexedTriangles(*mesh->vertices, chunk) > 0;
}

void SpriteObject::ProjectAsDecal(DecalHolder& holder, const Vec3& origin, float depth, const ModelObject& node,
                                  uint8_t flag) {
    Vec3 up = baseUp;
    Vec3 facing = baseFacing;
    up.Rotate(worldTransform.rotation);
    facing.Rotate(worldTransform.rotation);
    ProjectDecal(holder, *this, node, origin, up, facing, depth, flag);
}

}  // namespace quill
