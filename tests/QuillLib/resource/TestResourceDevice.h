#pragma once
// A device for resource tests over the recording graphics device: it keeps the set of live textures as the
// device layer does and can lose and reset the device, and it records the state that sprites and textures set.
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "QuillLib/math/VertexData.h"
#include "QuillLib/resource/IndexChunk.h"
#include "QuillLib/resource/LiveTexture.h"
#include "QuillLib/resource/ResourceDevice.h"
#include "platform/gfx/headless/RecordingDevice.h"

namespace resource_test {

class TestResourceDevice : public quill::ResourceDevice {
public:
    TestResourceDevice()
        : setup_(std::make_shared<platform::gfx::RecordingSetup>()),
          device_(setup_, platform::gfx::PresentParameters{}) {
        cubeMapping = 1;
        bumpMapping = 1;
    }

    // What the device layer does around a reset: every live texture drops its device texture, then makes it
    // again.
    void LoseDevice() {
        for (quill::LiveTexture* texture : std::vector<quill::LiveTexture*>(live.begin(), live.end())) {
            texture->Release(true);
        }
    }
    void ResetDevice() {
        for (quill::LiveTexture* texture : std::vector<quill::LiveTexture*>(live.begin(), live.end())) {
            texture->Acquire(true);
        }
    }

    platform::gfx::Device* GetGfxDevice() const override { return const_cast<platform::gfx::RecordingDevice*>(&device_); }
    void RegisterTexture(quill::LiveTexture& texture) override { live.insert(&texture); }
    void UnregisterTexture(quill::LiveTexture& texture) override { live.erase(&texture); }
    bool SetTexture(platform::gfx::BaseTexture* texture, uint32_t stage) override {
        return platform::gfx::Succeeded(device_.SetTexture(stage, texture));
    }
    bool SetTextureAddress(uint32_t stage, uint32_t u, uint32_t v) override {
        addresses.push_back({stage, u, v});
        return true;
    }
    bool SetAlphaMode(int32_t mode) override {
        alphaModes.push_back(mode);
        return true;
    }
    bool SetCullMode(int32_t mode) override {
        cullModes.push_back(mode);
        return true;
    }
    bool SetMaterialAlpha(float alpha) override {
        materialAlphas.push_back(alpha);
        return true;
    }
    bool SetWorld(const quill::Matrix4*) override { return true; }
    uint32_t DrawIndexedTriangles(quill::VertexData& vertices, quill::IndexChunk& indices) override {
        drawnIndices += static_cast<uint32_t>(indices.indices.size());
        return vertices.VertexCount();
    }

    platform::gfx::RecordingSetup& Setup() { return *setup_; }

    std::set<quill::LiveTexture*> live;
    std::vector<std::vector<uint32_t>> addresses;
    std::vector<int32_t> alphaModes;
    std::vector<int32_t> cullModes;
    std::vector<float> materialAlphas;
    uint32_t drawnIndices = 0;

private:
    std::shared_ptr<platform::gfx::RecordingSetup> setup_;
    platform::gfx::RecordingDevice device_;
};

}  // namespace resource_test
