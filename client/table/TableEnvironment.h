#pragma once
// The table and what stands around it, from the equipped table item: the table model of the item (bed, cushions,
// rails, pockets, frame, legs, sights) dressed in the item's cloth and wood, the cloth textures ("caromcloth"),
// a detail on the rail ("detail", the chalk cube) and the surroundings ("tableenv", a room). The game table draws
// it before its balls.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <memory>

#include "QuillLib/math/Transform.h"
#include "client/table/ItemModelRecord.h"
#include "client/table/TableModelObject.h"

namespace quill {
class Package;
class ResourceFile;
class StaticBatcher;
}  // namespace quill

namespace kestrovan {

class D3D9RenderDevice;

class TableEnvironment {
public:
    // In a table file texture c (0 to 14) is cloth c and texture 15 + b the wood of skin b.
    static constexpr uint32_t kClothTextures = 15;
    static constexpr uint32_t kWoodTextures = 12;

    // Loads the environment of the table item from the "Tables" package: the file named by the record, then
    // "caromcloth", "detail" and "tableenv", stopping at the first that is missing (false; what was built
    // before stays). The models join the batcher's static batches; the item is applied.
    bool Load(quill::Package& tables, const ItemModelRecord& record, quill::StaticBatcher* batcher,
              const quill::Transform& detailPlacement);
    // The record's cloth (c) on the cloth parts and its skin's wood (b = the table kind) on the wooden parts.
    void ApplyItem(const ItemModelRecord& record);
    // texturesOn: every texture made and the table mirrors the room (its reflection flag); off: the reflection
    // maps released. detailOn: the detail on the rail is shown.
    void ApplyItemFlags(bool texturesOn, bool detailOn);
    void SetSurroundingsShown(bool shown) { surroundingsShown_ = shown; }
    // Deletes the models.
    void Release();

    void UploadStatic();
    // Draws the table, the detail when shown and the surroundings when shown.
    void Draw(D3D9RenderDevice& device);

    bool IsLoaded() const { return table_ != nullptr; }
    TableModelObject* Table() const { return table_.get(); }

private:
    quill::ResourceFile* tableFile_ = nullptr;
    quill::ResourceFile* clothFile_ = nullptr;
    std::unique_ptr<TableModelObject> table_;
    std::unique_ptr<TableModelObject> detail_;
    std::unique_ptr<TableModelObject> surroundings_;
    bool texturesOn_ = true;
    bool detailOn_ = true;
    bool surroundingsShown_ = false;
};

}  // namespace kestrovan
