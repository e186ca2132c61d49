// Physics and aiming results are exchanged between clients, so the same operations must give the same bits on
// every run and every thread that has set the program's floating-point mode.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "QuillLib/math/Camera.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/Vector2D.h"
#include "platform/system/FpuMode.h"
#include "platform/system/Thread.h"

namespace quill {
namespace {

void Record(std::vector<uint32_t>& out, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    out.push_back(bits);
}

void Record(std::vector<uint32_t>& out, const Vec3& v) {
    Record(out, v.x);
    Record(out, v.y);
    Record(out, v.z);
}

// A long mixed sequence of the operations the physics, the table and the camera use.
std::vector<uint32_t> RunSequence() {
    std::vector<uint32_t> bits;
    Vec3 spin{0.3f, -1.7f, 2.9f};
    Quaternion orientation;
    Transform placement;
    Camera camera(u"determinism");
    camera.SetFrame(Vec3{-120, 40, 60}, Vec3{0, 0, 0}, Vec3{0, 0, 1}, Vec3{1, 0, 0});
    camera.SetProjection(0.05f, -0.1f, 1.05f, 0.75f, 1.0f, 5000.0f);
    for (int step = 0; step < 2000; ++step) {
        const float t = static_cast<float>(step) * 0.001f;
        Quaternion turn;
        turn.FromAxisAngle(t * 3.7f, spin);
        Quaternion::Multiply(orientation, turn, orientation);
        QuaternionNormalize(orientation);
        spin.Rotate(orientation);
        float length = 0.0f;
        spin.Normalize(&length);
        spin.Scale(1.0f + length * 0.5f);
        float vx = spin.x - 0.25f;
        float vy = spin.y * 1e-3f;
        Normalize2D(&vx, &vy, &length);
        Quaternion blended;
        Quaternion::Slerp(blended, orientation, turn, t);
        placement.Set(Vec3{vx, vy, length}, Vec3{1, 1, 1}, blended);
        Transform child;
        child.Set(spin, Vec3{0.5f, 0.5f, 0.5f}, turn);
        child.Combine(placement);
        Matrix4 inverse;
        child.matrix.Invert(inverse);
        camera.Orbit(0.01f * vx, 0.013f * vy, false);
        camera.SetDistance(80.0f + 40.0f * t);
        Matrix4 viewProjection;
        camera.GetViewProjectionMatrix(viewProjection);
        Record(bits, spin);
        Record(bits, child.position);
        Record(bits, inverse.m[5]);
        Record(bits, inverse.m[14]);
        Record(bits, camera.Eye());
        Record(bits, camera.GetYaw());
        Record(bits, camera.GetPitch());
        Record(bits, viewProjection.m[10]);
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
    const std::vector<uint32_t> second = RunOnFreshThread();
    ASSERT_EQ(first.size(), 2000u * 14u);
    EXPECT_EQ(first, second);
    // The sequence stays meaningful to its end: a run of NaN would agree with itself just as well.
    for (uint32_t bits : first) {
        ASSERT_NE(bits & 0x7F800000u, 0x7F800000u) << "not finite";
    }
}

}  // namespace
}  // namespace quill
