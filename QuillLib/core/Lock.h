#pragma once
// The engine's lock interface. Objects that several threads touch hold a Lock and take it around every
// use of their shared state; ScopedLock pairs the calls.
namespace quill {

class Lock {
public:
    virtual ~Lock() = default;
    virtual void Enter() = 0;
    virtual void Leave() = 0;
};

}  // namespace quill
