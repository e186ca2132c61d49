#pragma once
// Draws the table's lines (ball trails, pen strokes, guide lines, the snooker D) on the render device: each line
// list one strip of coloured vertices through the dynamic buffer, unlit, untextured and blended, so that the
// faded points' alpha shows.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include "QuillLib/math/VertexData.h"
#include "client/table/TableLineDrawer.h"

namespace kestrovan {

class D3D9RenderDevice;

class DeviceLineDrawer : public TableLineDrawer {
public:
    explicit DeviceLineDrawer(D3D9RenderDevice& device);
    // Lighting as the 3D pass had it.
    ~DeviceLineDrawer() override;
    DeviceLineDrawer(const DeviceLineDrawer&) = delete;
    DeviceLineDrawer& operator=(const DeviceLineDrawer&) = delete;

    void DrawLineStrip(std::span<const LinePoint> points) override;

    uint32_t DrawnCount() const { return drawn_; }

private:
    D3D9RenderDevice& device_;
    quill::VertexData strip_;
    bool begun_ = false;
    uint32_t drawn_ = 0;
};

}  // namespace kestrovan
