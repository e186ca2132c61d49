#pragma once
// Vertex and index buffers of the recording device: real bytes, and every lock in the call log
// ("VertexBuffer.Lock(offset, bytes, flags)").
#include <memory>

#include "platform/gfx/MemoryBuffer.h"
#include "platform/gfx/headless/RecordingSetup.h"

namespace platform::gfx {

template <class Interface>
class RecordingBuffer : public Interface {
public:
    RecordingBuffer(std::shared_ptr<RecordingSetup> setup, const BufferDesc& desc, const char* lockName)
        : setup_(std::move(setup)), bytes_(desc), lockName_(lockName) {}

    BufferDesc GetDesc() const override { return bytes_.GetDesc(); }
    Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override {
        setup_->log.Record(lockName_, offset, size, flags);
        if (const auto scripted = setup_->TakeScripted(lockName_)) return *scripted;
        return bytes_.Lock(offset, size, data, flags);
    }
    Result Unlock() override { return bytes_.Unlock(); }
    const std::byte* Data() const { return bytes_.Data(); }

private:
    std::shared_ptr<RecordingSetup> setup_;
    BufferBytes bytes_;
    const char* lockName_;
};

using RecordingVertexBuffer = RecordingBuffer<VertexBuffer>;
using RecordingIndexBuffer = RecordingBuffer<IndexBuffer>;

}  // namespace platform::gfx
