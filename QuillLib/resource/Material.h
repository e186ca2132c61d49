#pragma once
// A MATERIAL item: the material every mesh part points to. Its stage mask has one bit per texture slot
// (stage kind 0 to 7, bit IndexToFlagBit(kind)) and may carry further flag bits for the device; the stages
// are built from the mask in kind order, so the device stage of a kind is the number of present kinds
// below it. Three selector bytes choose the lighting branch when drawing.
//
// Copies share the textures of their stages; the resource tables replace them when a material moves to
// another file.
//
// Threads: the thread that drives the scenes.
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/MaterialStage.h"

namespace quill {

class Texture;

class Material : public NamedObject {
public:
    static constexpr uint16_t kNoStage = 0xFFFF;
    static constexpr uint8_t kKindCount = 8;
    static constexpr uint8_t kBumpKind = 2;
    // The kind reported for a stage that no kind names.
    static constexpr uint8_t kNoKind = 8;

    Material(WStringView name, uint32_t stageMask, uint8_t flagA, uint8_t flagB, uint8_t flagC);
    Material(const Material&) = default;
    Material& operator=(const Material&) = default;

    Material* Clone() const override { return new Material(*this); }

    uint32_t GetStageMask() const { return stageMask_; }
    uint16_t GetStageCount() const { return static_cast<uint16_t>(stages_.size()); }
    // kNoStage when the material has no stage of that kind.
    uint16_t GetStageIndex(uint8_t kind) const;
    MaterialStage& Stage(uint16_t stage) { return stages_[stage]; }
    const MaterialStage& Stage(uint16_t stage) const { return stages_[stage]; }
    const std::vector<MaterialStage>& Stages() const { return stages_; }

    void SetStageTexture(uint16_t stage, SharedPtr<Texture> texture);
    // Stores the texture of a stage kind, adding the stage (and its mask bit) when it is absent.
    void SetSlot(uint8_t kind, SharedPtr<Texture> texture);
    // The texture of a stage kind; empty when the kind is absent or has none.
    SharedPtr<Texture> GetSlotTexture(uint8_t kind) const;
    void SetStageExtra(uint8_t kind, bool on);
    void SetStageExtraValues(uint8_t kind, const std::array<uint32_t, 3>& values);
    // The texture-coordinate set a stage is written with: its own when set, else the number of present
    // kinds below its kind other than kind 2.
    uint8_t GetSavedTexCoordSet(uint16_t stage) const;

    // Acquire (or release) the textures of the stages whose kind is in the mask, counted; false at the
    // first one that fails, leaving the earlier ones acquired.
    bool AcquireTextures(uint32_t mask);
    bool ReleaseTextures(uint32_t mask);
    // Gives every texture the tag; a texture whose tag changed and that is in use is reloaded.
    void SetTextureTag(uint16_t tag);
    // Unmarks the selected textures, then, with enable, marks the texture of the kind unless blocked.
    void SelectTextureSlot(bool enable, uint16_t kind);

    uint8_t flagA;
    uint8_t flagB;
    uint8_t flagC;

private:
    void RebuildStageIndex();

    uint32_t stageMask_;
    std::array<uint16_t, kKindCount> stageIndex_;
    std::vector<MaterialStage> stages_;
};

}  // namespace quill
