#include "client/app/ResourcePackCatalog.h"

#include <atomic>

#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/sound/SoundManager.h"

namespace kestrovan {

namespace {

std::atomic<ResourcePackCatalog*> g_current{nullptr};

struct SlotEntry {
    int slot;
    const char16_t* package;  // null: the UI folder
    const char16_t* file;
    int32_t id;
};

constexpr SlotEntry kSlotTable[] = {
    {0, nullptr, u"Common", 0},  {4, nullptr, u"Login", 0},   {5, nullptr, u"Lobby", 0},
    {6, nullptr, u"Lobby", 1},   {7, nullptr, u"Lobby", 2},   {8, nullptr, u"Lobby", 3},
    {9, nullptr, u"Lobby", 4},   {11, nullptr, u"Popup", 1},  {12, nullptr, u"Popup", 0},
    {13, nullptr, u"Popup", 2},  {14, nullptr, u"Game", 0},   {15, nullptr, u"Game", 1},
    {16, nullptr, u"Game", 2},   {17, u"Effect", u"AniTex", 0}, {18, nullptr, u"Common", 1},
    {19, nullptr, u"Practice", 0}, {20, nullptr, u"Popup", 4}, {21, nullptr, u"Tut", 0},
    {22, nullptr, u"Tut", 1},    {23, nullptr, u"Popup", 3},  {24, nullptr, u"Gallery", 0},
    {25, nullptr, u"Shop", 5},   {26, nullptr, u"Shop", 6},   {27, nullptr, u"Shop", 0},
    {28, nullptr, u"Shop", 1},   {29, nullptr, u"Shop", 2},   {30, nullptr, u"Shop", 3},
    {31, nullptr, u"Shop", 4},   {32, nullptr, u"Replay", 0}, {33, u"Effect", u"GameAni", -1},
};

struct SharedSound {
    uint32_t id;
    uint32_t buffers;
    bool keepLoaded;
};

constexpr SharedSound kSharedSounds[] = {
    {18, 2, true},  {17, 1, true},  {35, 1, false}, {33, 3, true},  {19, 4, true},  {30, 1, true},
    {29, 1, true},  {31, 1, false}, {32, 1, false}, {23, 1, false}, {6, 1, false},  {25, 1, true},
    {22, 1, true},  {9, 16, true},  {10, 10, true}, {12, 10, true}, {15, 10, true}, {11, 10, true},
    {16, 1, true},  {13, 10, true}, {14, 10, true},
};

constexpr const char16_t* kCommonFiles[] = {u"Common", u"Lobby", u"Popup", u"Game", u"Gallery", u"Shop"};

}  // namespace

ResourcePackCatalog::ResourcePackCatalog(quill::ResourceManager* resources) : resources_(resources) {
    g_current = this;
}

ResourcePackCatalog::~ResourcePackCatalog() {
    ResourcePackCatalog* self = this;
    g_current.compare_exchange_strong(self, nullptr);
}

ResourcePackCatalog* ResourcePackCatalog::Current() {
    return g_current.load();
}

void ResourcePackCatalog::FillSlots(uint32_t language) {
    if (language == 1) uiFolder_ = u"UIEng";
    for (const SlotEntry& entry : kSlotTable) {
        PackSlot& slot = slots_[static_cast<size_t>(entry.slot)];
        slot.package = entry.package != nullptr ? quill::WString(entry.package) : uiFolder_;
        slot.file = entry.file;
        slot.itemId = entry.id;
        slot.kind = entry.slot == 33 ? kSpriteAnimationKind : kTextureKind;
    }
}

bool ResourcePackCatalog::LoadCommon(quill::SoundManager* sounds) {
    failedPackage_.clear();
    if (resources_ == nullptr) return false;
    uiPackage_ = resources_->OpenPackage(u"UIEn", false);
    if (uiPackage_ == nullptr) {
        failedPackage_ = u"UIEn";
        return false;
    }
    // The slots and the screens find their interface package among the open ones: another language's package
    // is opened beside "UIEn", which the start-up files still come from.
    if (uiFolder_ != u"UIEn" && resources_->OpenPackage(uiFolder_, false) == nullptr) {
        failedPackage_ = uiFolder_;
        return false;
    }
    uiFiles_.clear();
    for (const char16_t* name : kCommonFiles) {
        quill::ResourceFile* file = uiPackage_->GetResourceFile(name, true);
        if (file == nullptr) {
            failedPackage_ = u"UIEn";
            return false;
        }
        uiFiles_.push_back(file);
    }
    soundPackage_ = resources_->OpenPackage(u"Sound", false);
    soundFile_ = soundPackage_ != nullptr ? soundPackage_->GetResourceFile(u"sound", true) : nullptr;
    if (soundFile_ == nullptr) {
        failedPackage_ = u"Sound";
        return false;
    }
    for (const SharedSound& sound : kSharedSounds) {
        quill::SharedPtr<quill::SoundResource> descriptor = GetSound(sound.id);
        if (descriptor && sounds != nullptr) sounds->LoadSound(descriptor, sound.id, 0, sound.buffers, sound.keepLoaded);
    }
    return true;
}

quill::ResourceFile* ResourcePackCatalog::SlotFile(const PackSlot& slot) {
    if (resources_ == nullptr || (slot.itemId == -1 && slot.kind != kSpriteAnimationKind)) return nullptr;
    if (slot.package.empty()) return nullptr;
    quill::Package* package = resources_->FindPackage(slot.package);
    if (package == nullptr) return nullptr;
    if (quill::ResourceFile* file = package->FindLoadedFile(slot.file)) return file;
    return package->GetResourceFile(slot.file, false);
}

quill::SharedPtr<quill::Texture> ResourcePackCatalog::GetSlotTexture(size_t slot) {
    if (slot >= kSlotCount) return {};
    if (!handles_[slot]) {
        quill::ResourceFile* file = SlotFile(slots_[slot]);
        if (file == nullptr) return {};
        const uint32_t id = static_cast<uint32_t>(slots_[slot].itemId);
        handles_[slot] = file->FindTexture(id);
        if (!handles_[slot]) handles_[slot] = file->LoadItemShared(id);
    }
    return handles_[slot];
}

quill::SharedPtr<quill::SpriteAnimation> ResourcePackCatalog::GetSlotAnimation(size_t slot, uint32_t id) {
    if (slot >= kSlotCount) return {};
    quill::ResourceFile* file = SlotFile(slots_[slot]);
    if (file == nullptr) return {};
    return file->GetSpriteAnimationTable()->FindShared(id);
}

quill::SharedPtr<quill::SoundResource> ResourcePackCatalog::GetSound(uint32_t id) const {
    if (soundFile_ == nullptr) return {};
    return soundFile_->GetSoundTable()->FindShared(id);
}

}  // namespace kestrovan
