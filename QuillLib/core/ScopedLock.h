#pragma once
// Holds a Lock for the life of a scope, so that every path out of the scope leaves it.
#include "QuillLib/core/Lock.h"

namespace quill {

class ScopedLock {
public:
    explicit ScopedLock(Lock& lock) : lock_(lock) { lock_.Enter(); }
    ~ScopedLock() { lock_.Leave(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    Lock& lock_;
};

}  // namespace quill
