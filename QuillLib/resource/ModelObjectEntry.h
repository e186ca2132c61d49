#pragma once
// A model placed by a scene description: the MODEL item, a placed instance of it of the entry's own, and
// the bone animations the description plays on it.
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/BoneAnimation.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/PlacedModelObject.h"

namespace quill {

class ModelObjectEntry : public NamedObject {
public:
    // One animation the description attaches: from startTime, looped or not.
    struct Player {
        SharedPtr<BoneAnimation> animation;
        float startTime = 0.0f;
        uint8_t loop = 0;
    };

    ModelObjectEntry(WStringView name, SharedPtr<ModelObject> modelItem, const Transform& placement);
    // Id and name copied, the model shared, the instance copied from the source's instance.
    ModelObjectEntry(const ModelObjectEntry& other);
    ModelObjectEntry& operator=(const ModelObjectEntry&) = delete;

    ModelObjectEntry* Clone() const override { return new ModelObjectEntry(*this); }

    void SetVisible(uint8_t visible) { instance->SetVisibleRecursive(visible); }
    // Plays the animation on the instance; false when no node of the model uses its skeleton.
    bool AttachPlayer(float startTime, uint8_t loop, SharedPtr<BoneAnimation> animation);

    uint32_t value = 0;
    uint32_t tag = 0;
    SharedPtr<ModelObject> model;
    std::unique_ptr<PlacedModelObject> instance;
    std::vector<Player> players;
};

}  // namespace quill
