// Geometry through the buffer pool: dynamic buffers sized by request, appends that move forward and wrap
// with a discard, the append caches, and the limits of indexed drawing.
#include <gtest/gtest.h>

#include "QuillLib/math/VertexData.h"
#include "QuillLib/render/DeviceVertexFormat.h"
#include "tests/support/gfx/RecordingDeviceFixture.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;

constexpr uint32_t kFormat = 0x1 | 0x4 | 0x100;  // position, colour, one set: stride padded to 64

class GeometryDrawTest : public kvtest::RecordingDeviceFixture {
protected:
    void SetUp() override {
        CreateDevice();
        ASSERT_TRUE(device->GetBufferPool().SelectDynamicVertexBuffer(kFormat, 0));
        ASSERT_TRUE(device->GetBufferPool().SelectDynamicIndexBuffer(0));
        setup->log.Clear();
    }
};

TEST(DeviceVertexFormatTest, StridesArePaddedToSixtyFourBytes) {
    const quill::DeviceVertexFormat format = quill::ConvertVertexFormat(0x1 | 0x2 | 0x4 | 0x100);
    EXPECT_EQ(format.stride, 64u);
    EXPECT_EQ(gfx::Fvf::TexCount(format.fvf), 3u);  // the set, a four-float and a three-float dummy
    EXPECT_EQ(gfx::Fvf::VertexSize(format.fvf), 64u);
    EXPECT_EQ(quill::ConvertVertexFormat(0), quill::DeviceVertexFormat{});
    EXPECT_EQ(quill::ConvertVertexFormat(0x1 | 0x200 | (3u << 16)).stride, 64u);  // a set of no floats is skipped
}

TEST_F(GeometryDrawTest, DynamicBuffersAreSizedByTheRequest) {
    quill::BufferPool& pool = device->GetBufferPool();
    ASSERT_TRUE(pool.EnsureDynamicVertexBuffer(600 * 1024));
    EXPECT_EQ(pool.GetVertexBuffer(pool.GetDynamicVertexBuffer())->GetCapacity(), 600u * 1024);
    pool.ReleaseAll();
    EXPECT_EQ(pool.VertexBufferCount(), 0u);
    EXPECT_EQ(pool.GetDynamicVertexBuffer(), quill::BufferPool::kNoHandle);
    EXPECT_FALSE(pool.IsValid());
    device->GetBufferPool().SetDevice(device->GetGfxDevice());
    ASSERT_TRUE(pool.EnsureDynamicVertexBuffer(10 * 1024));
    EXPECT_EQ(pool.GetVertexBuffer(pool.GetDynamicVertexBuffer())->GetCapacity(), 524288u);
}

TEST_F(GeometryDrawTest, AppendsMoveForwardWrapWithADiscardAndReuseCachedChunks) {
    quill::VertexData triangle;
    triangle.SetLayout(kFormat, 3);
    EXPECT_EQ(device->DrawTriangles(triangle), 3u);
    EXPECT_EQ(device->DrawTriangles(triangle), 3u);  // cached: no second lock
    EXPECT_EQ(setup->log.Count("VertexBuffer.Lock("), 1u);
    EXPECT_TRUE(setup->log.Contains("VertexBuffer.Lock(0, 192, 8192)")) << setup->log.Text();

    quill::VertexData other;
    other.SetLayout(kFormat, 3);
    EXPECT_EQ(device->DrawTriangles(other), 3u);
    EXPECT_TRUE(setup->log.Contains("VertexBuffer.Lock(192, 192, 4096)"));

    quill::VertexData big;
    big.SetLayout(kFormat, 8190);  // does not fit behind the first two chunks
    EXPECT_EQ(device->DrawTriangles(big), 8190u);
    EXPECT_TRUE(setup->log.Contains("VertexBuffer.Lock(0, 524160, 8192)"));
    EXPECT_EQ(device->DrawTriangles(triangle), 3u);  // the wrap forgot the cache: copied again
    EXPECT_EQ(setup->log.Count("VertexBuffer.Lock("), 4u);

    quill::VertexData ten;
    ten.SetLayout(kFormat, 10);
    EXPECT_EQ(device->DrawTriangles(ten), 0u);
}

TEST_F(GeometryDrawTest, IndexCacheHitsOnlyForTheSameBaseVertex) {
    quill::VertexData vertices;
    vertices.SetLayout(kFormat, 4);
    const uint16_t quad[6] = {0, 1, 2, 2, 1, 3};
    quill::IndexChunk indices{quad, 0, 3};
    EXPECT_EQ(device->DrawIndexedTriangles(vertices, indices), 4u);
    EXPECT_EQ(device->DrawIndexedTriangles(vertices, indices), 4u);
    EXPECT_EQ(setup->log.Count("IndexBuffer.Lock("), 1u);

    // Other vertices move the base: the cached indices would address the wrong vertices.
    vertices.MarkChanged();
    EXPECT_EQ(device->DrawIndexedTriangles(vertices, indices), 4u);
    EXPECT_EQ(setup->log.Count("IndexBuffer.Lock("), 2u);
    EXPECT_TRUE(setup->log.Contains("DrawIndexedPrimitive(4, 0, 4, 4, 6, 2)")) << setup->log.Text();
}

TEST_F(GeometryDrawTest, IndexedRangesAreLimited) {
    quill::VertexData vertices;
    vertices.SetLayout(kFormat, 3);
    const uint16_t triangle[3] = {0, 1, 2};
    quill::IndexChunk tooWide{triangle, 0, 0xFFFF};
    tooWide.highest = 0;
    tooWide.lowest = 1;  // highest below lowest
    EXPECT_EQ(device->DrawIndexedTriangles(vertices, tooWide), 0u);
    const uint16_t big[3] = {0, 1, 60000};
    quill::IndexChunk rebasedPastSixteenBits{big, 0, 60000};
    ASSERT_TRUE(device->GetBufferPool().SelectDynamicVertexBuffer(kFormat, 64 * 20000));
    quill::VertexData many;
    many.SetLayout(kFormat, 7000);
    quill::VertexData filler;
    filler.SetLayout(kFormat, 6000);
    device->DrawTriangles(filler);  // the next vertices start at 6000
    EXPECT_EQ(device->DrawIndexedTriangles(many, rebasedPastSixteenBits), 0u);
    const uint16_t one[2] = {0, 1};
    quill::IndexChunk notTriangles{one, 0, 1};
    EXPECT_EQ(device->DrawIndexedTriangles(vertices, notTriangles), 0u);
}

TEST_F(GeometryDrawTest, LineStripsNeedTwoVertices) {
    quill::VertexData line;
    line.SetLayout(0x1 | 0x4, 1);
    EXPECT_EQ(device->UploadLineStrip(line), 0u);
    line.SetLayout(0x1 | 0x4, 5);
    EXPECT_EQ(device->UploadLineStrip(line), 4u);
    EXPECT_TRUE(device->DrawLineStrip(0, 4));
    EXPECT_TRUE(setup->log.Contains("DrawPrimitive(3, 0, 4)"));
}

}  // namespace
}  // namespace kestrovan
