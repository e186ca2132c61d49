#include "QuillLib/net/SendQueue.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace quill {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Counting(size_t count, uint8_t first) {
    Bytes bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

// Bytes beyond the first room make the queue grow, in order, up to its bound; once they have gone out the queue is
// back to its first room.
TEST(SendQueueTest, GrowsPastItsFirstRoomUpToItsBoundAndKeepsTheOrder) {
    SendQueue queue(16, 64);
    const Bytes first = Counting(10, 0);
    const Bytes second = Counting(30, 10);
    ASSERT_TRUE(queue.Append(first));
    ASSERT_TRUE(queue.Append(second));
    EXPECT_FALSE(queue.Append(Counting(25, 0))) << "40 waiting and 25 more pass the bound of 64";
    ASSERT_TRUE(queue.Append(Counting(24, 40)));
    EXPECT_EQ(queue.Waiting(), 64u);

    Bytes out(64);
    ASSERT_EQ(queue.Take(out), 64u);
    EXPECT_EQ(out, Counting(64, 0));
    EXPECT_EQ(queue.Waiting(), 64u) << "taken, not yet written";
    queue.MarkWritten();
    EXPECT_EQ(queue.Waiting(), 0u);
    EXPECT_TRUE(queue.Append(Counting(16, 0)));
}

// The server stalls only while bytes wait and neither the writes nor the bytes it acknowledges move for the
// stall time; any progress starts the time again.
TEST(SendQueueTest, StallsOnlyWhenWaitingBytesMakeNoProgressForTheStallTime) {
    constexpr uint32_t kStall = 10000;
    SendQueue queue(64, 64);
    EXPECT_FALSE(queue.HasStalled(0, 0, kStall));
    EXPECT_FALSE(queue.HasStalled(0, 50000, kStall)) << "nothing waits";

    ASSERT_TRUE(queue.Append(Counting(40, 0)));
    Bytes out(8);
    ASSERT_EQ(queue.Take(out), 8u);
    queue.MarkWritten();  // 8 bytes written, all still unacknowledged by the server
    EXPECT_FALSE(queue.HasStalled(8, 60000, kStall));
    EXPECT_FALSE(queue.HasStalled(8, 69999, kStall));
    EXPECT_FALSE(queue.HasStalled(4, 75000, kStall)) << "the server took 4 bytes";
    EXPECT_FALSE(queue.HasStalled(4, 84999, kStall));
    EXPECT_TRUE(queue.HasStalled(4, 85000, kStall));
}

}  // namespace
}  // namespace quill
