#pragma once
// A table model on the render tree: a placed model object built from a MODEL item's frame, drawn by the table's
// draw passes through the device, whose mesh parts sit in the device's static batches from creation until the
// model is destroyed. Textures and materials the table changes are made private to the model first (copy on
// write), so that other models of the same item keep theirs.
//
// Threads: only a screen's entries call it (client/app/Scene.h); it is loaded, drawn and destroyed on the main
// thread only; the game thread only shows and places it.
#include <cstdint>
#include <functional>
#include <memory>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/PlacedModelObject.h"
#include "client/table/TableModelNode.h"

namespace quill {
class MeshPart;
class StaticBatcher;
class Texture;
}  // namespace quill

namespace kestrovan {

class TableModelObject : public TableModelNode {
public:
    // The model at the origin, its device textures made, its parts registered with the batcher (none: drawn
    // through the dynamic buffers).
    TableModelObject(const quill::ModelObject& frame, quill::StaticBatcher* batcher);
    // Takes the parts out of the static batches.
    ~TableModelObject() override;
    TableModelObject(const TableModelObject&) = delete;
    TableModelObject& operator=(const TableModelObject&) = delete;

    void SetVisible(bool visible) override;
    bool IsVisible() const override;
    void SetTransform(const quill::Transform& transform) override;
    void UploadStatic() override;
    void PrepareForView(const quill::Camera& view) override;
    void AdvanceAnimation(float elapsed) override;
    void Draw(D3D9RenderDevice& device, float alpha) override;

    // What a part's base texture (kind 0) becomes: a texture, or empty to keep the part as it is.
    using TextureChoice = std::function<quill::SharedPtr<quill::Texture>(const quill::Texture* current)>;
    // Gives every part of the tree its own material with the texture in the slot of that kind.
    void SetTexture(uint8_t kind, const quill::SharedPtr<quill::Texture>& texture);
    // The same for the subtree of the root's child at index (the slots of a tuned cue).
    void SetChildTexture(size_t index, uint8_t kind, const quill::SharedPtr<quill::Texture>& texture);
    // Gives each part whose base texture the choice replaces its own material with the chosen one.
    void ReplaceBaseTextures(const TextureChoice& choose);
    // 0 opaque, 1 blended: how the model draws at alpha 1.
    void SetBlendMode(uint16_t mode);
    quill::PlacedModelObject& Object() { return *object_; }

private:
    static void ForEachPart(quill::ModelObject& node, const std::function<void(quill::MeshPart&)>& visit);
    static void GiveTexture(quill::MeshPart& part, uint8_t kind, const quill::SharedPtr<quill::Texture>& texture);

    std::unique_ptr<quill::PlacedModelObject> object_;
    quill::StaticBatcher* batcher_;
    uint16_t blendMode_ = 0;
};

}  // namespace kestrovan
