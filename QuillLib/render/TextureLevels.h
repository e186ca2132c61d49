#pragma once
// The chain of texture levels below a state level: one level per texture kind present in the mask, from the
// highest kind index below count down to the lowest, each a group that sorts by the texture of that kind;
// below the last (or at once, when no kind qualifies) the leaf group with the batch leaf.
#include <cstdint>
#include <memory>

namespace quill {

class Node;
class NodeGroup;
class SceneGraph;

namespace TextureLevels {
inline constexpr uint32_t kAllKinds = 8;
}

// The group of node for the texture kinds of mask below count.
std::unique_ptr<NodeGroup> CreateTextureLevels(SceneGraph& owner, Node* node, uint32_t mask, uint32_t count);

}  // namespace quill
