#pragma once
// A SPRITE_ANIMATION item: a tree of animated sprites. Each node draws an embedded sprite and plays its
// keyframes one after the other; the node loops by its play mode (0 once after Start, 1 for ever, 2
// loopCount times, 3 and above stopped) and hands its world transform to its child nodes.
//
// Node record (the packed body, recursively; stand-alone node files add texturePath):
//   u32 formatWord (2), [Text260 texturePath], u16 playMode, [u32 loopCount when playMode is 2],
//   u32 keyframeCount, 120-byte keyframe records, u32 childCount, child node records.
// Keyframe record: f32 delay, f32 duration, Vec3 pivot, 4 x i32 sourceRect, then start, velocity and
// acceleration, each x, y, z, scaleX, scaleY, rotation, alpha as f32.
//
// Threads: the thread that drives the scenes.
#include <cstdint>
#include <vector>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/Stream.h"
#include "QuillLib/resource/SpriteKeyframe.h"
#include "QuillLib/resource/SpriteObject.h"

namespace quill {

class ResourceDevice;

class SpriteAnimation : public NamedObject {
public:
    // Advance's results.
    static constexpr int kMoving = 0;
    static constexpr int kNotStarted = 1;
    static constexpr int kWaiting = 2;
    static constexpr int kStopped = 3;
    static constexpr uint32_t kKeyframeRecordSize = 120;
    // Deeper trees come only from damaged files.
    static constexpr uint32_t kMaxDepth = 64;

    explicit SpriteAnimation(WStringView name = u"");
    // Name, sprite, play mode, loop count, base values and visibility; keyframes copied, children cloned;
    // no id, no source path, playback afresh.
    SpriteAnimation(const SpriteAnimation& other);
    SpriteAnimation& operator=(const SpriteAnimation&) = delete;

    SpriteAnimation* Clone() const override { return new SpriteAnimation(*this); }

    // Reads a node record into this node (its keyframes and children replaced). packed: without the
    // texture path; loadTexture: a stand-alone node's texture is read through device and becomes the
    // sprite's. False on a short read, a damaged count or a texture that does not load.
    bool ReadNode(ResourceDevice* device, Stream& stream, bool packed, bool loadTexture, uint32_t depth = 0);
    bool WriteNode(Stream& stream, bool packed) const;

    void AddKeyframe(const SpriteKeyframe& keyframe);
    void AddChild(SharedPtr<SpriteAnimation> child) { children.push_back(std::move(child)); }
    // Drops keyframes and children.
    void ClearNodes();

    // Takes a parent transform (when given), advances, shows the quad only while moving, then updates the
    // children with this node's world transform.
    int Update(float dt, const Transform* parentTransform, bool show);
    int Advance(float dt);
    // Draws the visible quads of the tree; false when one fails.
    bool Draw(ResourceDevice& device);
    // Playback back to the start with the quad hidden; Start also sets it going. Both recurse.
    void Reset();
    void Start();

    WString sourcePath;
    SpriteObject sprite;
    uint16_t playMode = 0;
    uint32_t loopCount = 1;
    uint32_t loopsDone = 0;
    Vec3 baseOffset;
    float baseScaleX = 1.0f;
    float baseScaleY = 1.0f;
    float baseAlpha = 1.0f;
    std::vector<SharedPtr<SpriteKeyframe>> keyframes;
    std::vector<SharedPtr<SpriteAnimation>> children;
    float length = 0.0f;
    int32_t current = -1;
    float elapsed = 0.0f;
    uint8_t started = 0;
    uint8_t visible = 1;
    SpriteState accumulated;

private:
    bool ReadTexture(ResourceDevice* device, const WString& texturePath);
    // Drops whole loops that the elapsed time spans, so that a long step costs no more than one loop.
    void SkipWholeLoops();
    // Puts a state on the sprite, with the pivot and source rectangle of keyframe index.
    void Apply(const SpriteState& state, uint32_t index);
};

}  // namespace quill
