// Physics and aiming results are exchanged between clients, so the same operations must give the same bits on
// every run and every thread that has set the program's floating-point mode.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "QuillLib/math/Camera.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/Vector2D.h"
#include "platform/system/FpuMode.h"
#include "platform/system/Thread.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::AxisAngle;
using test::Bits;

// A long mixed sequence of the operations the physics, the table and the camera use.
std::vector<uint32_t> RunSequence() {
    std::vector<uint32_t> bits;
    Vec3 spin{0.3f, -1.7f, 2.9f};
    Quaternion orientation;
    Camera camera(u"determinism");
    camera.SetFrame(Vec3{-120, 40, 60}, Vec3{0, 0, 0}, Vec3{0, 0, 1}, Vec3{1, 0, 0});
    for (int step = 0; step < 2000; ++step) {
        const float t = static_cast<float>(step) * 0.001f;
        const Quaternion turn = AxisAngle(t * 3.7f, spin);
        QuaternionNormalize(Quaternion::Multiply(orientation, turn, orientation));
        spin.Rotate(orientation);
        float length = 0.0f;
        spin.Normalize(&length);
        spin.Scale(1.0f + length * 0.5f);
        float vx = spin.x - 0.25f;
        float vy = spin.y * 1e-3f;
        Normalize2D(&vx, &vy, &length);
        Transform child;
        child.Set(spin, Vec3{0.5f, 0.5f, 0.5f}, turn);
        Matrix4 inverse;
        child.matrix.Invert(inverse);
        camera.Orbit(0.01f * vx, 0.013f * vy, false);
        camera.SetDistance(80.0f + 40.0f * t);
        Matrix4 viewProjection;
        camera.GetViewProjectionMatrix(viewProjection);
        for (float value : {spin.x, spin.z, inverse.m[14], camera.Eye().x, camera.GetYaw(), viewProjection.m[10]}) {
            bits.push_back(Bits(value));
        }
    }
    return bits;
}

std::vector<uint32_t> RunOnFreshThread() {
    std::vector<uint32_t> bits;
    platform::Thread thread;
    EXPECT_TRUE(thread.Start([&bits] {
        platform::SetThreadFpuMode();
        bits = RunSequence();
    }));
    EXPECT_TRUE(thread.Join());
    return bits;
}

TEST(DeterminismTest, SameSequenceGivesTheSameBitsOnFreshThreads) {
    const std::vector<uint32_t> first = RunOnFreshThread();
    ASSERT_EQ(first.size(), 2000u * 6u);
    EXPECT_EQ(RunOnFreshThread(), first);
    // The sequence stays meaningful to its end: a run of NaN would agree with itself just as well.
    for (uint32_t bits : first) {
        ASSERT_NE(bits & 0x7F800000u, 0x7F800000u) << "not finite";
    }
}

}  // namespace
}  // namespace quill
