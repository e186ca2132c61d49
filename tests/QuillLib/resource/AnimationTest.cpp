#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "QuillLib/resource/BoneAnimation.h"
#include "QuillLib/resource/ModelAnimation.h"
#include "QuillLib/resource/VertexAnimation.h"

namespace quill {
namespace {

SharedPtr<TransformKeyframe> At(float time, float x) {
    SharedPtr<TransformKeyframe> keyframe = quill::make_shared<TransformKeyframe>(time);
    keyframe->transform.SetPosition({x, 0, 0});
    return keyframe;
}

// Keyframes at the given times whose x position is ten times the time.
ModelAnimation Track(std::initializer_list<float> times) {
    ModelAnimation animation;
    for (float time : times) {
        EXPECT_TRUE(animation.AppendKeyframe(At(time, 10 * time)));
    }
    return animation;
}

// The sampled x, or nothing when the sample left the output alone.
struct Sampled {
    uint32_t hint;
    float x;
};
Sampled SampleX(const ModelAnimation& animation, uint32_t hint, float time) {
    Transform out;
    out.position.x = -1;
    const uint32_t next = animation.Sample(hint, time, out);
    return {next, out.position.x};
}

TEST(KeyframeSearchTest, FindsTheKeyframeAfterTheTimeAndTheFractionFromTheOneBefore) {
    const ModelAnimation animation = Track({0, 1, 2});
    const struct {
        uint32_t hint;
        float time;
        int32_t index;
        float fraction;
    } cases[] = {
        {0, 0.5f, 1, 0.5f},  // between the first two
        {0, 1.0f, 2, 0.0f},  // exactly on an inner keyframe: the next one, fraction 0
        {2, 1.5f, 2, 0.5f},  // a hint past the time starts over at 0
        {1, 1.5f, 2, 0.5f},
        {99, 0.25f, 1, 0.25f},  // a hint past the keyframes starts at 0
        {0, 2.0f, 2, 0.0f},     // the length itself: the last keyframe, fraction 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.time);
        float time = c.time;
        EXPECT_EQ(animation.FindKeyframe(c.hint, time), c.index);
        EXPECT_FLOAT_EQ(time, c.fraction);
    }
    float past = 2.5f;
    EXPECT_EQ(animation.FindKeyframe(0, past), -1);
    float notANumber = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(animation.FindKeyframe(0, notANumber), -1);
    float anything = 0.0f;
    EXPECT_EQ(ModelAnimation().FindKeyframe(0, anything), -1);
}

TEST(KeyframeSearchTest, ATimeBetweenTheLastKeyframeAndALongerLengthEndsTheSearch) {
    ModelAnimation animation = Track({0, 1});
    animation.length = 5.0f;
    float time = 3.0f;
    EXPECT_EQ(animation.FindKeyframe(1, time), 1);
    EXPECT_EQ(time, 1.0f);
    EXPECT_EQ(SampleX(animation, 0, 4.0f).x, 10.0f);  // the last keyframe's value
}

TEST(KeyframeSamplingTest, SamplesAtBetweenAndPastTheKeyframes) {
    const ModelAnimation animation = Track({0, 1, 2});
    EXPECT_EQ(SampleX(animation, 0, 0.5f).x, 5.0f);
    EXPECT_EQ(SampleX(animation, 0, 0.5f).hint, 1u);
    EXPECT_EQ(SampleX(animation, 0, 1.0f).x, 10.0f);  // on a keyframe: its own value
    EXPECT_EQ(SampleX(animation, 0, 2.0f).x, 10.0f);  // at the length: the keyframe before the last (kept as is)
    const Sampled past = SampleX(animation, 2, 3.0f);
    EXPECT_EQ(past.x, -1.0f) << "past the end nothing is written";
    EXPECT_EQ(past.hint, 0u);

    // Before the first keyframe the sample blends from the last keyframe into the first: at 0 the last.
    const ModelAnimation late = Track({1, 2});
    EXPECT_EQ(SampleX(late, 0, 0.5f).x, 20.0f);
}

TEST(KeyframeSamplingTest, AppendKeepsTimesAscending) {
    ModelAnimation animation;
    EXPECT_FALSE(animation.AppendKeyframe(At(-1, 0)));
    EXPECT_TRUE(animation.AppendKeyframe(At(0, 0)));
    EXPECT_TRUE(animation.AppendKeyframe(At(0, 5)));  // the length is still 0: a second keyframe at 0 passes
    float time = 0.0f;
    EXPECT_EQ(animation.FindKeyframe(0, time), 1);
    EXPECT_EQ(time, 0.0f);  // two keyframes at one time: fraction 0, no division by zero
    EXPECT_TRUE(animation.AppendKeyframe(At(2, 20)));
    EXPECT_FALSE(animation.AppendKeyframe(At(2, 30)));
    EXPECT_FALSE(animation.AppendKeyframe(At(1, 30)));
    EXPECT_EQ(animation.length, 2.0f);
}

TEST(KeyframeSamplingTest, BonePosesBlendOnlyWhatEveryKeyframeHolds) {
    SharedPtr<Skeleton> skeleton = quill::make_shared<Skeleton>();
    skeleton->Bones().resize(3);
    BoneAnimation animation(u"wave", skeleton);
    EXPECT_EQ(animation.restPose.size(), 3u);
    for (float time : {0.0f, 1.0f}) {
        SharedPtr<BoneKeyframe> keyframe = quill::make_shared<BoneKeyframe>(time, 2);
        keyframe->poses[0].position = {time * 4, 0, 0};
        ASSERT_TRUE(animation.AppendKeyframe(keyframe));
    }
    EXPECT_FALSE(animation.AppendKeyframe(quill::make_shared<BoneKeyframe>(2.0f, 3))) << "another pose count";

    std::vector<BonePose> out(animation.restPose.size());
    out[2].position = {7, 7, 7};
    EXPECT_EQ(animation.Sample(0, 0.25f, out), 1u);
    EXPECT_EQ(out[0].position.x, 1.0f);
    EXPECT_EQ(out[2].position.x, 7.0f) << "a pose the keyframes lack is left as it was";

    BoneAnimation copy(animation);
    EXPECT_EQ(copy.skeleton, skeleton);
    EXPECT_NE(copy.keyframes[0], animation.keyframes[0]);
}

TEST(KeyframeSamplingTest, VertexFramesMustShareTheFirstLayout) {
    VertexAnimation animation;
    SharedPtr<VertexKeyframe> first = quill::make_shared<VertexKeyframe>(0.0f);
    first->frame.SetLayout(VertexData::kPosition, 1);
    SharedPtr<VertexKeyframe> other = quill::make_shared<VertexKeyframe>(1.0f);
    other->frame.SetLayout(VertexData::kPosition | VertexData::kNormal, 1);
    EXPECT_TRUE(animation.AppendKeyframe(first));
    EXPECT_FALSE(animation.AppendKeyframe(other));
}

}  // namespace
}  // namespace quill
