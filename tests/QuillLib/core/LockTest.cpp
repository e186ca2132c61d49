#include <gtest/gtest.h>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/ScopedLock.h"
#include "platform/system/Thread.h"

namespace quill {
namespace {

TEST(CriticalSectionLockTest, ScopesNestAndCountTheDepth) {
    CriticalSectionLock lock;
    {
        Lock& asInterface = lock;
        ScopedLock outer(asInterface);
        EXPECT_EQ(lock.Depth(), 1);
        {
            ScopedLock inner(lock);
            EXPECT_EQ(lock.Depth(), 2);
            EXPECT_EQ(lock.Owner(), platform::CurrentThreadId());
        }
        EXPECT_EQ(lock.Depth(), 1);
    }
    EXPECT_EQ(lock.Depth(), 0);
    EXPECT_EQ(lock.Owner(), CriticalSectionLock::kNoOwner);
}

}  // namespace
}  // namespace quill
