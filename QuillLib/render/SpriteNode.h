#pragma once
// The leaf of a scene's sprites: it makes their device buffers while it holds them and draws the visible ones
// after everything else, farthest first.
//
// Threads: the thread that drives the scenes.
#include <vector>

#include "QuillLib/render/Node.h"

namespace quill {

class SpriteNode : public Node {
public:
    SpriteNode(SceneGraph& owner, NodeGroup* parentGroup) : Node(owner, parentGroup) {}
    ~SpriteNode() override;

    bool AddObject(SpriteObject& sprite) override;
    // False, and nothing changed, for a sprite the node does not hold.
    bool RemoveObject(SpriteObject& sprite) override;
    bool IsEmpty() const override { return sprites_.empty(); }
    void UpdateContent() override;
    // Draws the sorted visible sprites; false at the first that fails (the rest are not drawn).
    bool Enter(RenderStats& stats) override;
    bool Acquire() override;
    void Release() override;

    const std::vector<SpriteObject*>& Sprites() const { return sprites_; }
    const std::vector<SpriteObject*>& DrawList() const { return drawList_; }

private:
    // The device state every sprite quad shares: its vertex format in the dynamic buffers, one texture, unlit.
    bool PrepareQuads();
    void ResetDrawList();

    std::vector<SpriteObject*> sprites_;
    std::vector<SpriteObject*> drawList_;
    bool acquired_ = false;
};

}  // namespace quill
