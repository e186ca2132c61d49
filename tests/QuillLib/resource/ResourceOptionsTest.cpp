#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceOptions.h"

namespace quill {
namespace {

// The data generator makes resource files on several worker threads at once, and every table asks for the
// option record as it is made: the record must be created once, whichever thread asks first (under
// ThreadSanitizer, and as a leak of a second record otherwise).
TEST(ResourceOptions, TablesMadeOnSeveralThreadsAtOnceShareOneRecord) {
    constexpr int kThreads = 8;
    std::atomic<int> ready{0};
    std::vector<const ResourceOptions*> seen(kThreads, nullptr);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            ++ready;
            while (ready.load() < kThreads) {
            }
            ResourceFile file(u"file", nullptr, nullptr);
            seen[i] = &GetResourceOptions();
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const ResourceOptions* options : seen) {
        EXPECT_EQ(options, &GetResourceOptions());
    }
}

}  // namespace
}  // namespace quill
