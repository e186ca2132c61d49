#include "client/table/TableModelObject.h"

#include "QuillLib/render/StaticBatcher.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"
#include "client/render/D3D9RenderDevice.h"

namespace kestrovan {
namespace {

constexpr uint32_t kAllTextureKinds = 255;

}  // namespace

TableModelObject::TableModelObject(const quill::ModelObject& frame, quill::StaticBatcher* batcher)
    : object_(std::make_unique<quill::PlacedModelObject>(frame, quill::Transform{})), batcher_(batcher) {
    object_->AcquireTexturesRecursive(kAllTextureKinds);
    if (batcher_ != nullptr) {
        batcher_->AddObjectTree(*object_);
    }
}

TableModelObject::~TableModelObject() {
    if (batcher_ != nullptr) {
        batcher_->RemoveObjectTree(*object_);
    }
}

void TableModelObject::SetVisible(bool visible) {
    object_->SetVisibleRecursive(visible ? 1 : 0);
}

bool TableModelObject::IsVisible() const {
    return object_->pose.visible != 0;
}

void TableModelObject::SetTransform(const quill::Transform& transform) {
    quill::Transform placement = transform;
    placement.UpdateMatrix();
    object_->SetPlacement(placement);
}

void TableModelObject::UploadStatic() {
    if (batcher_ != nullptr) {
        batcher_->UploadObjectTree(*object_);
    }
}

void TableModelObject::PrepareForView(const quill::Camera& view) {
    object_->SetCullStateRecursive(0, 0.0f, true);
    object_->PrepareForView(view);
}

void TableModelObject::AdvanceAnimation(float elapsed) {
    object_->AdvanceAnimation(elapsed);
}

void TableModelObject::Draw(D3D9RenderDevice& device, float alpha) {
    // An opaque draw tests alpha against a high reference, so a faded model must blend.
    object_->SetBlendModeRecursive(alpha < 1.0f ? 1 : blendMode_);
    object_->SetAlphaRecursive(alpha);
    device.DrawObjectTree(*object_);
}

void TableModelObject::SetBlendMode(uint16_t mode) {
    blendMode_ = mode;
    object_->SetBlendModeRecursive(mode);
}

void TableModelObject::ForEachPart(quill::ModelObject& node, const std::function<void(quill::MeshPart&)>& visit) {
    for (auto& [key, mesh] : node.attachments) {
        if (mesh) {
            for (const quill::SharedPtr<quill::MeshPart>& part : mesh->parts) {
                visit(*part);
            }
        }
    }
    for (const quill::SharedPtr<quill::ModelObject>& child : node.Children()) {
        ForEachPart(*child, visit);
    }
}

void TableModelObject::GiveTexture(quill::MeshPart& part, uint8_t kind,
                                   const quill::SharedPtr<quill::Texture>& texture) {
    // The material is shared with every other placement of the item: this model gets its own.
    part.material = part.material ? quill::make_shared<quill::Material>(*part.material)
                                  : quill::make_shared<quill::Material>(u"", 0, 0, 0, 1);
    part.material->SetSlot(kind, texture);
}

void TableModelObject::SetTexture(uint8_t kind, const quill::SharedPtr<quill::Texture>& texture) {
    ForEachPart(*object_, [&](quill::MeshPart& part) { GiveTexture(part, kind, texture); });
    object_->AcquireTexturesRecursive(kAllTextureKinds);
}

void TableModelObject::SetChildTexture(size_t index, uint8_t kind, const quill::SharedPtr<quill::Texture>& texture) {
    if (index < object_->Children().size()) {
        ForEachPart(*object_->Children()[index], [&](quill::MeshPart& part) { GiveTexture(part, kind, texture); });
        object_->AcquireTexturesRecursive(kAllTextureKinds);
    }
}

void TableModelObject::ReplaceBaseTextures(const TextureChoice& choose) {
    ForEachPart(*object_, [&](quill::MeshPart& part) {
        const quill::SharedPtr<quill::Texture> current = part.material ? part.material->GetSlotTexture(0) : nullptr;
        if (quill::SharedPtr<quill::Texture> chosen = choose(current.get())) {
            GiveTexture(part, 0, chosen);
        }
    });
    object_->AcquireTexturesRecursive(kAllTextureKinds);
}

}  // namespace kestrovan
