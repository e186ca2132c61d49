#include "QuillLib/resource/SpriteAnimation.h"

#include <cmath>

#include "QuillLib/core/StreamFields.h"
#include "QuillLib/math/TransformFields.h"
#include "QuillLib/resource/D3D9TextureItem.h"
#include "QuillLib/resource/ResourceFields.h"
#include "QuillLib/resource/ResourcePath.h"
#include "QuillLib/resource/WorkingFolder.h"

namespace quill {
namespace {

constexpr uint32_t kFormatWord = 2;
constexpr uint16_t kPlayOnce = 0;
constexpr uint16_t kLoopForever = 1;
constexpr uint16_t kLoopCounted = 2;
// formatWord, playMode, keyframeCount and childCount: the least a node record takes.
constexpr uint32_t kSmallestNodeRecord = 14;

bool ReadState(Stream& stream, SpriteState& state) {
    return ReadF32(stream, state.x) && ReadF32(stream, state.y) && ReadF32(stream, state.z) &&
           ReadF32(stream, state.scaleX) && ReadF32(stream, state.scaleY) && ReadF32(stream, state.rotation) &&
           ReadF32(stream, state.alpha);
}

bool WriteState(Stream& stream, const SpriteState& state) {
    return WriteF32(stream, state.x) && WriteF32(stream, state.y) && WriteF32(stream, state.z) &&
           WriteF32(stream, state.scaleX) && WriteF32(stream, state.scaleY) && WriteF32(stream, state.rotation) &&
           WriteF32(stream, state.alpha);
}

bool ReadKeyframe(Stream& stream, SpriteKeyframe& keyframe) {
    if (!ReadF32(stream, keyframe.delay) || !ReadF32(stream, keyframe.duration) ||
        !ReadVector3(stream, keyframe.pivot)) {
        return false;
    }
    for (int32_t& edge : keyframe.sourceRect) {
        if (!ReadI32(stream, edge)) {
            return false;
        }
    }
    return ReadState(stream, keyframe.start) && ReadState(stream, keyframe.velocity) &&
           ReadState(stream, keyframe.acceleration);
}

bool WriteKeyframe(Stream& stream, const SpriteKeyframe& keyframe) {
    if (!WriteF32(stream, keyframe.delay) || !WriteF32(stream, keyframe.duration) ||
        !WriteVector3(stream, keyframe.pivot)) {
        return false;
    }
    for (int32_t edge : keyframe.sourceRect) {
        if (!WriteI32(stream, edge)) {
            return false;
        }
    }
    return WriteState(stream, keyframe.start) && WriteState(stream, keyframe.velocity) &&
           WriteState(stream, keyframe.acceleration);
}

}  // namespace

SpriteAnimation::SpriteAnimation(WStringView name) : NamedObject(name) {}

SpriteAnimation::SpriteAnimation(const SpriteAnimation& other)
    : NamedObject(other.name),
      sprite(other.sprite),
      playMode(other.playMode),
      loopCount(other.loopCount),
      baseOffset(other.baseOffset),
      baseScaleX(other.baseScaleX),
      baseScaleY(other.baseScaleY),
      baseAlpha(other.baseAlpha),
      visible(other.visible) {
    for (const SharedPtr<SpriteKeyframe>& keyframe : other.keyframes) {
        AddKeyframe(*keyframe);
    }
    for (const SharedPtr<SpriteAnimation>& child : other.children) {
        AddChild(SharedPtr<SpriteAnimation>(child->Clone()));
    }
}

void SpriteAnimation::AddKeyframe(const SpriteKeyframe& keyframe) {
    keyframes.push_back(quill::make_shared<SpriteKeyframe>(keyframe));
    length += keyframe.Span();
}

void SpriteAnimation::ClearNodes() {
    keyframes.clear();
    children.clear();
    length = 0.0f;
}

bool SpriteAnimation::ReadNode(ResourceDevice* device, Stream& stream, bool packed, bool loadTexture, uint32_t depth) {
    ClearNodes();
    uint32_t formatWord = 0;
    if (depth > kMaxDepth || !ReadU32(stream, formatWord)) {
        return false;
    }
    if (!packed) {
        WString texturePath;
        if (!ReadFixedString260(stream, texturePath)) {
            return false;
        }
        if (loadTexture && !texturePath.empty() && !ReadTexture(device, texturePath)) {
            return false;
        }
    }
    uint32_t keyframeCount = 0;
    if (!ReadU16(stream, playMode) || (playMode == kLoopCounted && !ReadU32(stream, loopCount)) ||
        !ReadU32(stream, keyframeCount) || !CanHold(stream, keyframeCount, kKeyframeRecordSize)) {
        return false;
    }
    for (uint32_t i = 0; i < keyframeCount; ++i) {
        SpriteKeyframe keyframe;
        if (!ReadKeyframe(stream, keyframe)) {
            return false;
        }
        AddKeyframe(keyframe);
    }
    uint32_t childCount = 0;
    if (!ReadU32(stream, childCount) || !CanHold(stream, childCount, kSmallestNodeRecord)) {
        return false;
    }
    for (uint32_t i = 0; i < childCount; ++i) {
        SharedPtr<SpriteAnimation> child = quill::make_shared<SpriteAnimation>();
        child->sourcePath = sourcePath;
        if (!child->ReadNode(device, stream, packed, loadTexture, depth + 1)) {
            return false;
        }
        AddChild(std::move(child));
    }
    return true;
}

// The texture path is relative to the folder of the node file.
bool SpriteAnimation::ReadTexture(ResourceDevice* device, const WString& texturePath) {
    WString path = GetDirectory(sourcePath) + u"\\" + texturePath;
    GetFullPath(path, path);
    SharedPtr<Texture> texture = quill::make_shared<D3D9TextureItem>(device, u"", TextureSettings{});
    if (!texture->LoadPreferredImageFile(path)) {
        return false;
    }
    return sprite.BuildMesh(std::move(texture));
}

bool SpriteAnimation::WriteNode(Stream& stream, bool packed) const {
    if (!WriteU32(stream, kFormatWord)) {
        return false;
    }
    if (!packed) {
        const SharedPtr<Texture> texture = sprite.GetTexture();
        const TextureImage* image = texture ? texture->GetCurrentImage() : nullptr;
        const WString texturePath = image ? MakeRelativePath(GetDirectory(sourcePath), image->name) : WString();
        if (!WriteFixedString260(stream, texturePath)) {
            return false;
        }
    }
    if (!WriteU16(stream, playMode) || (playMode == kLoopCounted && !WriteU32(stream, loopCount)) ||
        !WriteU32(stream, static_cast<uint32_t>(keyframes.size()))) {
        return false;
    }
    for (const SharedPtr<SpriteKeyframe>& keyframe : keyframes) {
        if (!WriteKeyframe(stream, *keyframe)) {
            return false;
        }
    }
    if (!WriteU32(stream, static_cast<uint32_t>(children.size()))) {
        return false;
    }
    for (const SharedPtr<SpriteAnimation>& child : children) {
        if (!child->WriteNode(stream, packed)) {
            return false;
        }
    }
    return true;
}

int SpriteAnimation::Update(float dt, const Transform* parentTransform, bool show) {
    if (parentTransform) {
        sprite.SetParentTransform(*parentTransform);
    }
    const int result = Advance(dt);
    if (sprite.mesh) {
        sprite.mesh->SetVisible(result == kMoving && visible && show ? 1 : 0);
    }
    for (const SharedPtr<SpriteAnimation>& child : children) {
        child->Update(dt, &sprite.worldTransform, show);
    }
    return result;
}

int SpriteAnimation::Advance(float dt) {
    if (!(length > 0.0f)) {
        return kStopped;
    }
    elapsed += dt;
    const auto count = static_cast<int32_t>(keyframes.size());
    if (playMode == kPlayOnce) {
        if (!started) {
            current = -1;
            return kNotStarted;
        }
        if (current == count) {
            return kStopped;
        }
    } else if (playMode > kLoopCounted) {
        current = -1;
        return kStopped;
    }
    if (count == 0) {
        return kStopped;
    }
    if (current == -1) {
        current = 0;
    }
    SkipWholeLoops();
    while (elapsed >= keyframes[current]->Span()) {
        const SpriteKeyframe& keyframe = *keyframes[current];
        elapsed -= keyframe.Span();
        accumulated = accumulated.Then(keyframe.Evaluate(keyframe.Span()));
        if (current + 1 < count) {
            ++current;
            continue;
        }
        ++loopsDone;
        if (playMode == kLoopForever || (playMode == kLoopCounted && loopsDone < loopCount)) {
            current = 0;
            accumulated = SpriteState{};
            continue;
        }
        Apply(accumulated, static_cast<uint32_t>(current));
        current = count;
        return kStopped;
    }
    const SpriteKeyframe& keyframe = *keyframes[current];
    Apply(accumulated.Then(keyframe.Evaluate(elapsed)), static_cast<uint32_t>(current));
    return elapsed < keyframe.delay ? kWaiting : kMoving;
}

// A whole loop from any keyframe comes back to that keyframe with the same accumulated state, so it can
// be dropped without walking it.
void SpriteAnimation::SkipWholeLoops() {
    if (elapsed < 2.0f * length) {
        return;
    }
    const double loops = std::floor(static_cast<double>(elapsed) / length) - 1.0;
    if (playMode == kLoopForever) {
        elapsed = static_cast<float>(elapsed - loops * length);
    } else if (playMode == kLoopCounted && loopsDone + 1 < loopCount) {
        const double skipped = std::min(loops, static_cast<double>(loopCount - loopsDone - 1));
        elapsed = static_cast<float>(elapsed - skipped * length);
        loopsDone += static_cast<uint32_t>(skipped);
    }
}

void SpriteAnimation::Apply(const SpriteState& state, uint32_t index) {
    const SpriteKeyframe& keyframe = *keyframes[index];
    sprite.pivot = keyframe.pivot;
    sprite.SetSourceRect(keyframe.sourceRect[0], keyframe.sourceRect[1], keyframe.sourceRect[2],
                         keyframe.sourceRect[3]);
    sprite.SetPosition(Vec3{(state.x + baseOffset.x) * baseScaleX, (state.y + baseOffset.y) * baseScaleY,
                            state.z + baseOffset.z},
                       true);
    sprite.SetRotation(state.rotation);
    sprite.SetScale(Vec3{baseScaleX * state.scaleX, baseScaleY * state.scaleY, 1.0f});
    sprite.alpha = baseAlpha * state.alpha;
}

bool SpriteAnimation::Draw(ResourceDevice& device) {
    bool drawn = true;
    if (visible && sprite.mesh && sprite.mesh->IsVisible() && !sprite.Draw(device)) {
        drawn = false;
    }
    for (const SharedPtr<SpriteAnimation>& child : children) {
        drawn = child->Draw(device) && drawn;
    }
    return drawn;
}

void SpriteAnimation::Reset() {
    current = -1;
    elapsed = 0.0f;
    started = 0;
    loopsDone = 0;
    accumulated = SpriteState{};
    if (sprite.mesh) {
        sprite.mesh->SetVisible(0);
    }
    for (const SharedPtr<SpriteAnimation>& child : children) {
        child->Reset();
    }
}

void SpriteAnimation::Start() {
    Reset();
    started = 1;
    for (const SharedPtr<SpriteAnimation>& child : children) {
        child->Start();
    }
}

}  // namespace quill
