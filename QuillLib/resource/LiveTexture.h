#pragma once
// A texture item whose device texture the device drops when the device is lost (Release(true)) and makes
// again after the reset (Acquire(true)); counted acquires register it with the device.
//
// Threads: the device's thread.

namespace quill {

class LiveTexture {
public:
    virtual ~LiveTexture() = default;
    virtual bool Acquire(bool force) = 0;
    virtual bool Release(bool force) = 0;
};

}  // namespace quill
