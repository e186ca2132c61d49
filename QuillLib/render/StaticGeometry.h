#pragma once
// The static geometry the device owns (the static batches): after the buffer pool was released it forgets
// its buffer handles, makes its buffers again and uploads every registered part once more.
//
// Threads: the device's thread.

namespace quill {

class StaticGeometry {
public:
    virtual ~StaticGeometry() = default;
    virtual bool UploadAllAgain() = 0;
};

}  // namespace quill
