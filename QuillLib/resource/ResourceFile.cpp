#include "QuillLib/resource/ResourceFile.h"

#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceManager.h"

namespace quill {
namespace {

template <typename Table>
std::unique_ptr<ResourceTable> MakeTable(ResourceFile* owner, WStringView fileName, ResourceKind kind) {
    WString tableName = u".\\" + WString(fileName) + u"." + WString(GetKindInfo(kind).extension);
    return std::make_unique<Table>(owner, std::move(tableName));
}

}  // namespace

ResourceFile::ResourceFile(WStringView name, Package* package, ResourceDevice* device)
    : name_(name), package_(package), device_(device) {
    tableOffsets_.fill(kNone);
    CreateTables();
    GetTextureTable()->SetDevice(device);
    GetSpriteAnimationTable()->SetDevice(device);
}

ResourceFile::~ResourceFile() {
    for (uint32_t kind = kResourceKindCount; kind-- > 0;) {
        tables_[kind]->Clear();
    }
    for (uint32_t kind = kResourceKindCount; kind-- > 0;) {
        tables_[kind].reset();
    }
}

void ResourceFile::CreateTables() {
    using K = ResourceKind;
    tables_ = {
        MakeTable<BoneTable>(this, name_, K::Bone),
        MakeTable<TextureTable>(this, name_, K::Texture),
        MakeTable<MaterialTable>(this, name_, K::Material),
        MakeTable<MeshTable>(this, name_, K::Mesh),
        MakeTable<ModelTable>(this, name_, K::Model),
        MakeTable<SpriteTable>(this, name_, K::Sprite),
        MakeTable<SpriteAnimationTable>(this, name_, K::SpriteAnimation),
        MakeTable<BoneAnimationTable>(this, name_, K::BoneAnimation),
        MakeTable<VertexAnimationTable>(this, name_, K::VertexAnimation),
        MakeTable<ModelAnimationTable>(this, name_, K::ModelAnimation),
        MakeTable<SceneInfoTable>(this, name_, K::SceneInfo),
        MakeTable<SoundTable>(this, name_, K::Sound),
        MakeTable<StringTableTable>(this, name_, K::StringTable),
        MakeTable<BinaryDataTable>(this, name_, K::BinaryData),
    };
}

bool ResourceFile::Read(Stream& stream, bool loadItems) {
    SetLoadContext(kHeaderKind);
    uint32_t version = 0;
    if (!ReadHeader(stream, version)) {
        return false;
    }
    uint32_t tableIndex = 0;
    for (uint32_t kind = 0; kind < kResourceKindCount; ++kind) {
        if (!IsKindPresent(version, static_cast<ResourceKind>(kind))) {
            continue;
        }
        SetLoadContext(kind);
        // Items follow each other without gaps, so a reader that loads them never seeks.
        if (!loadItems && (tableOffsets_[kind] > static_cast<uint32_t>(INT32_MAX) ||
                           !stream.Seek(Stream::kFromBegin, static_cast<int32_t>(tableOffsets_[kind])))) {
            return false;
        }
        uint32_t storedIndex = 0;
        if (!ReadU32(stream, storedIndex) || storedIndex != tableIndex++) {
            return false;
        }
        tables_[kind]->SetVersion(version);
        if (!tables_[kind]->LoadTable(stream, loadItems)) {
            return false;
        }
    }
    return true;
}

bool ResourceFile::ReadHeader(Stream& stream, uint32_t& version) {
    tableOffsets_.fill(kNone);
    uint32_t tableCount = 0;
    if (!ReadU32(stream, version) || !ReadU32(stream, tableCount)) {
        return false;
    }
    if (tableCount != TableCountForVersion(version)) {
        return false;
    }
    for (uint32_t kind = 0; kind < kResourceKindCount; ++kind) {
        if (IsKindPresent(version, static_cast<ResourceKind>(kind)) && !ReadU32(stream, tableOffsets_[kind])) {
            return false;
        }
    }
    return true;
}

ResourceTable* ResourceFile::GetTable(uint32_t kind) const {
    return kind < kResourceKindCount ? tables_[kind].get() : nullptr;
}

void ResourceFile::SetVersion(uint32_t version) {
    for (const std::unique_ptr<ResourceTable>& table : tables_) {
        table->SetVersion(version);
    }
}

void ResourceFile::SetDevice(ResourceDevice* device) {
    device_ = device;
    GetTextureTable()->SetDevice(device);
    GetSpriteAnimationTable()->SetDevice(device);
}

void ResourceFile::ReleaseTextures() {
    GetTextureTable()->ReleaseAll();
}

void ResourceFile::SetPackagePaths() const {
    if (ResourceManager* manager = Manager()) {
        manager->SetLoadContext(package_->Name(), name_, manager->GetLoadContext().kind);
    }
}

std::unique_ptr<FileStream> ResourceFile::OpenStream(int mode) const {
    return package_ ? package_->OpenStream(mode) : nullptr;
}

bool ResourceFile::ChargeInflation(uint32_t position, uint32_t size) {
    return package_ == nullptr || package_->ChargeInflation(position, size);
}

void ResourceFile::NotifyItemEvent(uint32_t code, uint32_t kind, uint32_t id) {
    if (!registered_ || !package_ || !package_->IsRegistered()) {
        return;
    }
    if (ResourceManager* manager = Manager()) {
        manager->NotifyItemEvent(code, *package_, *this, kind, &id);
    }
}

void ResourceFile::SetLoadContext(uint32_t kind) const {
    if (ResourceManager* manager = Manager()) {
        manager->SetLoadContext(package_->Name(), name_, kind);
    }
}

ResourceManager* ResourceFile::Manager() const {
    return package_ ? package_->GetManager() : nullptr;
}

}  // namespace quill
