#include "QuillLib/render/StaticPlacements.h"

namespace quill {

void StaticPlacements::Drop(const void* geometry) {
    const auto found = records_.find(geometry);
    if (found != records_.end() && --found->second.holders == 0) {
        records_.erase(found);
    }
}

StaticPlacements::Placement* StaticPlacements::Find(const void* geometry) {
    const auto found = records_.find(geometry);
    return found == records_.end() ? nullptr : &found->second;
}

void StaticPlacements::Reset(const void* geometry) {
    if (Placement* placement = Find(geometry)) {
        placement->buffer = kNoBuffer;
        placement->first = kNotUploaded;
    }
}

}  // namespace quill
