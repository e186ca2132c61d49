#pragma once
// The user interface's textures and animations by slot number (0 to 33; widgets carry the slot as their
// texture id), loaded on first use and kept for the run; the common UI files and the sound package opened
// at start, with the shared sound effects registered with the sound manager.
//
// Main thread (start-up and scene loads). No lock.
#include <array>
#include <cstdint>
#include <vector>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/resource/SpriteAnimation.h"
#include "QuillLib/resource/Texture.h"
#include "QuillLib/resource/SoundResource.h"

namespace quill {
class Package;
class ResourceFile;
class ResourceManager;
class SoundManager;
}  // namespace quill

namespace kestrovan {

struct PackSlot {
    quill::WString package;
    quill::WString file;
    int32_t itemId = -1;
    int32_t kind = -1;  // 1 texture, 6 sprite animation
};

class ResourcePackCatalog {
public:
    static constexpr size_t kSlotCount = 34;
    static constexpr int32_t kTextureKind = 1;
    static constexpr int32_t kSpriteAnimationKind = 6;

    explicit ResourcePackCatalog(quill::ResourceManager* resources);
    ~ResourcePackCatalog();
    ResourcePackCatalog(const ResourcePackCatalog&) = delete;
    ResourcePackCatalog& operator=(const ResourcePackCatalog&) = delete;

    // The catalogue made last and not yet destroyed.
    static ResourcePackCatalog* Current();

    // Writes the slot table; language 1 takes the UI package "UIEng".
    void FillSlots(uint32_t language);
    // Opens "UIEn" with its common files and "Sound" with "sound", and registers the shared sounds. False at
    // the first package or file that cannot be had; the resource manager's load context names it.
    bool LoadCommon(quill::SoundManager* sounds);
    // The name of the package LoadCommon stopped at ("" after success).
    const quill::WString& FailedPackage() const { return failedPackage_; }

    // The slot's texture, loaded on first use; empty when the slot, its package, file or item is missing
    // (a later call tries again).
    quill::SharedPtr<quill::Texture> GetSlotTexture(size_t slot);
    // The slot file's sprite animation of that id, not cached.
    quill::SharedPtr<quill::SpriteAnimation> GetSlotAnimation(size_t slot, uint32_t id);
    quill::SharedPtr<quill::SoundResource> GetSound(uint32_t id) const;

    const PackSlot& Slot(size_t slot) const { return slots_[slot]; }
    const quill::WString& UiFolder() const { return uiFolder_; }

private:
    quill::ResourceFile* SlotFile(const PackSlot& slot);

    quill::ResourceManager* resources_;
    std::array<PackSlot, kSlotCount> slots_{};
    std::array<quill::SharedPtr<quill::Texture>, kSlotCount> handles_{};
    quill::Package* uiPackage_ = nullptr;
    quill::Package* soundPackage_ = nullptr;
    std::vector<quill::ResourceFile*> uiFiles_;
    quill::ResourceFile* soundFile_ = nullptr;
    quill::WString uiFolder_ = u"UIEn";
    quill::WString failedPackage_;
};

}  // namespace kestrovan
