#pragma once
// The 3D model an item preview shows for one item record: a cue (a tuned cue with its five parts), a table, the
// balls of a ball set laid out side by side or racked, chalk or a small item, each from the package of its kind
// and mirroring the room like the table's own models. The shop's preview widget keeps one, builds it when its
// record changes and draws it through its own camera.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "client/table/ItemModelRecord.h"
#include "client/table/TableModelObject.h"

namespace quill {
class Package;
class ResourceManager;
}  // namespace quill

namespace kestrovan {

class D3D9RenderDevice;

class ItemPreviewModel {
public:
    // random (0 to 32767) turns the preview's balls, the runtime's rand when empty.
    explicit ItemPreviewModel(quill::ResourceManager& resources, std::function<int()> random = {});

    // The record to show (null: none); the next BuildModel builds its model.
    void SetRecord(const ItemModelRecord* record);
    // Added to the detail level of the record's kind.
    void SetLevelOffset(int32_t offset) { levelOffset_ = offset; }
    // Builds the record's model when one is wanted: true with nothing to build; false when the "BillObject"
    // package lacks "reflection" or "shadow", or the record's model cannot be built.
    bool BuildModel(D3D9RenderDevice& device);
    // Places the balls of a ball-set preview: side by side for 3, 4 and 6 balls, racked for 16 and 22, in a
    // row otherwise, each turned at random.
    void ArrangeBalls(uint32_t ballCount);
    void Release() { models_.clear(); }
    void Draw(D3D9RenderDevice& device);

    // The detail level of the build: cues and ball sets 1, tables 3, other items 2, plus the offset, at least 0.
    int32_t Level() const { return level_; }
    const std::vector<std::unique_ptr<TableModelObject>>& Models() const { return models_; }

private:
    bool BuildCue(quill::Package* cues);
    bool BuildBallSet(quill::Package& objects);
    bool BuildSingle(quill::Package& package);
    void GiveReflection(TableModelObject& model) const;
    int Random() const;

    quill::ResourceManager& resources_;
    std::function<int()> random_;
    D3D9RenderDevice* device_ = nullptr;
    const ItemModelRecord* record_ = nullptr;
    bool buildWanted_ = false;
    int32_t levelOffset_ = 0;
    int32_t level_ = 0;
    quill::SharedPtr<quill::Texture> reflection_;
    std::vector<std::unique_ptr<TableModelObject>> models_;
};

}  // namespace kestrovan
