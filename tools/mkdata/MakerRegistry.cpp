#include "tools/mkdata/MakerRegistry.h"

#include "tools/mkdata/DataMakers.h"
#include "tools/mkdata/ImageMakers.h"
#include "tools/mkdata/ModelMakers.h"
#include "tools/mkdata/SoundMakers.h"

namespace mkdata {

MakerRegistry MakerRegistry::Standard() {
    MakerRegistry registry;
    ImageMakers::Register(registry);
    ModelMakers::Register(registry);
    SoundMakers::Register(registry);
    DataMakers::Register(registry);
    return registry;
}

void MakerRegistry::Add(const std::string& name, quill::ResourceKind kind, Maker maker) {
    makers_[name] = Entry{kind, std::move(maker)};
}

const MakerRegistry::Maker* MakerRegistry::Find(const std::string& name, quill::ResourceKind& kind) const {
    const auto found = makers_.find(name);
    if (found == makers_.end()) {
        return nullptr;
    }
    kind = found->second.kind;
    return &found->second.maker;
}

}  // namespace mkdata
