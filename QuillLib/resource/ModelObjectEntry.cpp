#include "QuillLib/resource/ModelObjectEntry.h"

namespace quill {

ModelObjectEntry::ModelObjectEntry(WStringView name, SharedPtr<ModelObject> modelItem, const Transform& placement)
    : NamedObject(name), model(std::move(modelItem)), instance(std::make_unique<PlacedModelObject>(*model, placement)) {}

ModelObjectEntry::ModelObjectEntry(const ModelObjectEntry& other)
    : NamedObject(other),
      tag(other.tag),
      model(other.model),
      instance(std::make_unique<PlacedModelObject>(*other.instance)),
      players(other.players) {}

bool ModelObjectEntry::AttachPlayer(float startTime, uint8_t loop, SharedPtr<BoneAnimation> animation) {
    if (!instance->AttachBoneAnimation(startTime, loop, animation)) {
        return false;
    }
    players.push_back(Player{std::move(animation), startTime, loop});
    return true;
}

}  // namespace quill
