#pragma once
// One loaded resource file of a package: its name and fourteen per-kind tables, which own the items.
//
// Layout of a resource file (at its entry's offset in the package; every number a little-endian u32):
//   version, tableCount, one absolute table offset per kind present in that version (kind order),
//   then the present tables in kind order without gaps. A table is
//   tableIndex (running over the present tables), itemCount, itemCount absolute item-entry positions
//   (kNone: no entry), then the item entries:
//   itemIndex (the table's running count), id, size, [compressedSize, zlib stream] or, for TEXTURE, the
//   raw body.
#include <array>
#include <cstdint>
#include <memory>

#include "QuillLib/core/FileStream.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/resource/BinaryDataTable.h"
#include "QuillLib/resource/BoneAnimationTable.h"
#include "QuillLib/resource/BoneTable.h"
#include "QuillLib/resource/MaterialTable.h"
#include "QuillLib/resource/MeshTable.h"
#include "QuillLib/resource/ModelTable.h"
#include "QuillLib/resource/NameOnlyTable.h"
#include "QuillLib/resource/ResourceKind.h"
#include "QuillLib/resource/SceneInfoTable.h"
#include "QuillLib/resource/SoundTable.h"
#include "QuillLib/resource/SpriteAnimationTable.h"
#include "QuillLib/resource/SpriteTable.h"
#include "QuillLib/resource/StringTableTable.h"
#include "QuillLib/resource/TextureTable.h"

namespace quill {

class Package;
class ResourceDevice;
class ResourceManager;

class ResourceFile {
public:
    // Creates the fourteen tables, named ".\<name>.<extension>"; every table offset kNone.
    ResourceFile(WStringView name, Package* package, ResourceDevice* device);
    // Clears the tables from BINARY_DATA down to BONE, then destroys them in the same order.
    ~ResourceFile();

    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;

    // Reads the file at the stream's position into the tables; with loadItems every item, otherwise only
    // the item positions (items then load on demand). What a table took in before a failure stays.
    bool Read(Stream& stream, bool loadItems);

    // kind 0..13; null otherwise.
    ResourceTable* GetTable(uint32_t kind) const;
    BoneTable* GetBoneTable() const { return Typed<BoneTable>(ResourceKind::Bone); }
    TextureTable* GetTextureTable() const { return Typed<TextureTable>(ResourceKind::Texture); }
    MaterialTable* GetMaterialTable() const { return Typed<MaterialTable>(ResourceKind::Material); }
    MeshTable* GetMeshTable() const { return Typed<MeshTable>(ResourceKind::Mesh); }
    ModelTable* GetModelTable() const { return Typed<ModelTable>(ResourceKind::Model); }
    SpriteTable* GetSpriteTable() const { return Typed<SpriteTable>(ResourceKind::Sprite); }
    SpriteAnimationTable* GetSpriteAnimationTable() const {
        return Typed<SpriteAnimationTable>(ResourceKind::SpriteAnimation);
    }
    BoneAnimationTable* GetBoneAnimationTable() const { return Typed<BoneAnimationTable>(ResourceKind::BoneAnimation); }
    VertexAnimationTable* GetVertexAnimationTable() const {
        return Typed<VertexAnimationTable>(ResourceKind::VertexAnimation);
    }
    ModelAnimationTable* GetModelAnimationTable() const {
        return Typed<ModelAnimationTable>(ResourceKind::ModelAnimation);
    }
    SceneInfoTable* GetSceneInfoTable() const { return Typed<SceneInfoTable>(ResourceKind::SceneInfo); }
    SoundTable* GetSoundTable() const { return Typed<SoundTable>(ResourceKind::Sound); }
    StringTableTable* GetStringTableTable() const { return Typed<StringTableTable>(ResourceKind::StringTable); }
    BinaryDataTable* GetBinaryDataTable() const { return Typed<BinaryDataTable>(ResourceKind::BinaryData); }

    // Lookups of loaded items; empty when absent.
    SharedPtr<Skeleton> FindBone(const uint32_t& id) const { return GetBoneTable()->FindShared(id); }
    SharedPtr<Texture> FindTexture(const uint32_t& id) const { return GetTextureTable()->FindShared(id); }
    SharedPtr<Material> FindMaterial(const uint32_t& id) const { return GetMaterialTable()->FindShared(id); }
    SharedPtr<Mesh> FindMesh(const uint32_t& id) const { return GetMeshTable()->FindShared(id); }
    SharedPtr<ModelObject> FindModel(const uint32_t& id) const { return GetModelTable()->FindShared(id); }
    SharedPtr<SpriteObject> FindSprite(const uint32_t& id) const { return GetSpriteTable()->FindShared(id); }
    SharedPtr<BoneAnimation> FindBoneAnimation(const uint32_t& id) const {
        return GetBoneAnimationTable()->FindShared(id);
    }
    SharedPtr<SceneInfo> FindSceneInfo(const uint32_t& id) const { return GetSceneInfoTable()->FindShared(id); }

    // For body loaders that refer to other items: the item of the kind, loaded on demand from the package
    // stream at its position in the table, with the stream put back afterwards.
    SharedPtr<Texture> FindOrLoadTexture(const uint32_t& id, Stream& file) {
        return GetTextureTable()->FindOrLoad(id, file);
    }
    SharedPtr<Skeleton> FindOrLoadBone(const uint32_t& id, Stream& file) { return GetBoneTable()->FindOrLoad(id, file); }
    SharedPtr<Material> FindOrLoadMaterial(const uint32_t& id, Stream& file) {
        return GetMaterialTable()->FindOrLoad(id, file);
    }
    SharedPtr<Mesh> FindOrLoadMesh(const uint32_t& id, Stream& file) { return GetMeshTable()->FindOrLoad(id, file); }
    SharedPtr<ModelObject> FindOrLoadModel(const uint32_t& id, Stream& file) {
        return GetModelTable()->FindOrLoad(id, file);
    }
    SharedPtr<BoneAnimation> FindOrLoadBoneAnimation(const uint32_t& id, Stream& file) {
        return GetBoneAnimationTable()->FindOrLoad(id, file);
    }
    SharedPtr<SpriteObject> FindOrLoadSprite(const uint32_t& id, Stream& file) {
        return GetSpriteTable()->FindOrLoad(id, file);
    }

    // For the game's loaders: the item of the kind, loaded on first use from the package file (the id is
    // the item's position in its table); empty when the package file does not open or the item does
    // not load.
    SharedPtr<Texture> LoadItemShared(const uint32_t& textureId) { return LoadShared(*GetTextureTable(), textureId); }
    SharedPtr<ModelObject> LoadModelShared(const uint32_t& modelId) { return LoadShared(*GetModelTable(), modelId); }
    SharedPtr<SpriteObject> LoadSpriteShared(const uint32_t& spriteId) {
        return LoadShared(*GetSpriteTable(), spriteId);
    }

    // The device that the TEXTURE and SPRITE_ANIMATION tables make device objects with, for the items held
    // now and those loaded later; null takes it away (what was made on the old one is released).
    void SetDevice(ResourceDevice* device);
    // Gives back the device textures of every TEXTURE item; the items stay loaded.
    void ReleaseTextures();

    // Writes the package's name and this file's name into the manager's load context.
    void SetPackagePaths() const;
    // The package's stream on its file; null when it does not open.
    std::unique_ptr<FileStream> OpenStream(int mode) const;

    // Charges an item's inflated size to the package's budget; true without a package.
    bool ChargeInflation(uint32_t position, uint32_t size);

    // Tells the manager's listeners about an item change, when this file and its package are registered.
    void NotifyItemEvent(uint32_t code, uint32_t kind, uint32_t id);

    const WString& Name() const { return name_; }
    ResourceDevice* GetDevice() const { return device_; }
    bool IsRegistered() const { return registered_; }
    void SetRegistered(bool registered) { registered_ = registered; }
    uint32_t GetTableOffset(uint32_t kind) const { return kind < kResourceKindCount ? tableOffsets_[kind] : kNone; }
    // The version the file was read with (the newest for a file made in memory).
    uint32_t GetVersion() const { return tables_[0]->Version(); }
    // Sets the version of every table: the form in which the package writer stores this file.
    void SetVersion(uint32_t version);

private:
    template <typename Table>
    Table* Typed(ResourceKind kind) const {
        return static_cast<Table*>(tables_[KindIndex(kind)].get());
    }

    template <typename Table>
    SharedPtr<typename Table::Item> LoadShared(Table& table, const uint32_t& id) {
        SetPackagePaths();
        if (auto item = table.FindShared(id)) {
            return item;
        }
        const std::unique_ptr<FileStream> stream = OpenStream(FileStream::kRead);
        if (!stream || !table.LoadItemAt(*stream, id)) {
            return {};
        }
        return table.FindShared(id);
    }

    void CreateTables();
    bool ReadHeader(Stream& stream, uint32_t& version);
    void SetLoadContext(uint32_t kind) const;
    ResourceManager* Manager() const;

    WString name_;
    Package* package_;
    ResourceDevice* device_;
    bool registered_ = false;
    std::array<uint32_t, kResourceKindCount> tableOffsets_;
    std::array<std::unique_ptr<ResourceTable>, kResourceKindCount> tables_;
};

}  // namespace quill
