#include "client/table/DeviceLineDrawer.h"

#include <cstring>

#include "client/render/D3D9RenderDevice.h"

namespace kestrovan {
namespace {

constexpr uint32_t kStripLayout = quill::VertexData::kPosition | quill::VertexData::kColour;

}  // namespace

DeviceLineDrawer::DeviceLineDrawer(D3D9RenderDevice& device) : device_(device) {}

DeviceLineDrawer::~DeviceLineDrawer() {
    if (begun_) {
        device_.EnableLights(true, true, true);
    }
}

void DeviceLineDrawer::DrawLineStrip(std::span<const LinePoint> points) {
    if (points.size() < 2) {
        return;
    }
    if (!begun_) {
        begun_ = true;
        device_.SetAlphaMode(1);
        device_.SetMaterialAlpha(1.0f);
    }
    strip_.SetLayout(kStripLayout, static_cast<uint32_t>(points.size()));
    float* vertex = strip_.Words().data();
    for (const LinePoint& point : points) {
        vertex[0] = point.position.x;
        vertex[1] = point.position.y;
        vertex[2] = point.position.z;
        std::memcpy(&vertex[3], &point.colour, sizeof point.colour);
        vertex += strip_.Stride();
    }
    strip_.MarkChanged();
    uint32_t start = 0;
    const uint32_t segments = device_.UploadLineStrip(strip_, &start);
    if (segments > 0 && device_.DrawLineStrip(start, segments)) {
        ++drawn_;
    }
}

}  // namespace kestrovan
